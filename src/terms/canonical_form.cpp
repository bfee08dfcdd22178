// The form of a join is found by rounds over its operand list, starting from
// the canonical forms of its operands with nested joins taken apart: add the
// generators it lacks, drop what lies below another operand, replace a
// meet by a meetand that lies below the whole. Each round either raises an
// operand or leaves fewer, all among finitely many terms, so the rounds end;
// when none applies, (1)-(3) of the header hold. Meets are the dual.
#include "terms/canonical_form.h"

#include <algorithm>
#include <bit>

#include "checks/invariant.h"

namespace {

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

TermKind dual(TermKind kind) { return kind == TermKind::JOIN ? TermKind::MEET : TermKind::JOIN; }

}  // namespace

int CanonicalForms::known(int id) const {
    auto at = static_cast<std::size_t>(id);
    return at < canonical_.size() ? canonical_[at] : -1;
}

bool CanonicalForms::precedes(int x, int y) const {
    // Equal operands up to the first that differs leave the decision to
    // that pair: a loop, however deep the terms.
    for (;;) {
        if (x == y) return false;
        const TermNode &a = terms_.node(x);
        const TermNode &b = terms_.node(y);
        bool a_generator = a.kind == TermKind::GENERATOR;
        bool b_generator = b.kind == TermKind::GENERATOR;
        if (a_generator || b_generator) return a_generator && b_generator ? a.generator < b.generator : a_generator;
        if (a.length != b.length) return a.length < b.length;
        // Operands at one place of a canonical join (meet) are generators or
        // meets (joins), so compound ones are of one kind; and two distinct
        // terms of one length differ in some operand, neither list being a
        // start of the other, which would be shorter: the loop stops there.
        INVARIANT(a.kind == b.kind);
        std::uint32_t i = 0;
        while (i + 1 < a.count && i + 1 < b.count && terms_.operand(x, i) == terms_.operand(y, i)) ++i;
        x = static_cast<int>(terms_.operand(x, i));
        y = static_cast<int>(terms_.operand(y, i));
    }
}

void CanonicalForms::add_flattened(TermKind kind, int canonical, std::vector<int> &operands) const {
    const TermNode &n = terms_.node(canonical);
    if (n.kind != kind) {
        operands.push_back(canonical);
        return;
    }
    for (std::uint32_t i = 0; i < n.count; ++i) operands.push_back(static_cast<int>(terms_.operand(canonical, i)));
}

// The join (meet) of the operands, as a term of the graph.
int CanonicalForms::whole(TermKind kind, const std::vector<int> &operands) {
    if (operands.size() == 1) return operands[0];
    scratch_.assign(operands.begin(), operands.end());
    // Noted steps show the whole as the form would write it, whatever the
    // order in which its operands were made.
    if (steps_ != nullptr) {
        std::sort(scratch_.begin(), scratch_.end(), [this](std::uint32_t x, std::uint32_t y) {
            return precedes(static_cast<int>(x), static_cast<int>(y));
        });
    } else {
        std::sort(scratch_.begin(), scratch_.end());
    }
    return terms_.compound(kind, scratch_.data(), static_cast<std::uint32_t>(scratch_.size()));
}

// The generators below the join of the operands (above the meet), from
// their sets alone: no term is made.
std::uint64_t CanonicalForms::generators_of(TermKind kind, const std::vector<int> &operands, int skipped) const {
    std::uint64_t united = 0;
    for (int o : operands)
        if (o != skipped) united |= kind == TermKind::JOIN ? terms_.node(o).ideal : terms_.node(o).filter;
    return terms_.closed(kind, united);
}

// (3): the generators below the whole (above it, for a meet) that no
// operand is above; the greatest (least) of them join the operands, the
// rest lie below those.
bool CanonicalForms::missing_generators(TermKind kind, std::vector<int> &operands) {
    bool join = kind == TermKind::JOIN;
    std::uint64_t covered = 0;
    for (int o : operands) covered |= join ? terms_.node(o).ideal : terms_.node(o).filter;
    std::uint64_t missing = terms_.closed(kind, covered) & ~covered;
    if (missing == 0) return false;
    int w = steps_ != nullptr ? whole(kind, operands) : -1;
    const Presentation &p = terms_.presentation();
    for (std::uint64_t rest = missing; rest != 0; rest &= rest - 1) {
        int g = std::countr_zero(rest);
        std::uint64_t beyond = (join ? p.above[g] : p.below[g]) & missing & ~bit(g);
        if (beyond != 0) continue;
        int generator = TermGraph::generator(g);
        note(CanonicalStepKind::GENERATOR, kind, w, generator, -1);
        operands.push_back(generator);
    }
    return true;
}

// (1): operands are distinct canonical terms, so distinct elements, and
// "below" is a strict order among them: those below none stay.
bool CanonicalForms::drop_covered(TermKind kind, std::vector<int> &operands) {
    kept_.clear();
    int w = -1;
    for (int x : operands) {
        int cover = -1;
        for (int y : operands)
            if (y != x && under(kind, x, y)) {
                cover = y;
                break;
            }
        if (cover < 0) {
            kept_.push_back(x);
            continue;
        }
        if (steps_ != nullptr && w < 0) w = whole(kind, operands);
        note(CanonicalStepKind::DROPPED, kind, w, x, cover);
    }
    if (kept_.size() == operands.size()) return false;
    operands.swap(kept_);
    return true;
}

// (2): a meet operand of a join with a meetand below the whole gives way to
// that meetand, taken apart if it is a join.
bool CanonicalForms::refine(TermKind kind, std::vector<int> &operands) {
    int w = -1;
    for (std::size_t at = 0; at < operands.size(); ++at) {
        int o = operands[at];
        if (terms_.node(o).kind != dual(kind)) continue;
        if (w < 0) w = whole(kind, operands);
        for (std::uint32_t i = 0; i < terms_.node(o).count; ++i) {
            int inner = static_cast<int>(terms_.operand(o, i));
            if (!under(kind, inner, w)) continue;
            note(CanonicalStepKind::REFINED, kind, w, o, inner);
            operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(at));
            add_flattened(kind, inner, operands);
            return true;
        }
    }
    return false;
}

// (4): in the order the operands stand, a generator below the join of the
// others still there is left out. A generator is below a term exactly when
// it is among the term's generators below, so the sets decide.
void CanonicalForms::leave_out_generators(TermKind kind, std::vector<int> &operands) {
    std::sort(operands.begin(), operands.end(), [this](int x, int y) { return precedes(x, y); });
    for (std::size_t at = 0; at < operands.size() && operands.size() > 1;) {
        int g = operands[at];
        const TermNode &n = terms_.node(g);
        if (n.kind != TermKind::GENERATOR) break;  // generators stand first
        if ((generators_of(kind, operands, g) & bit(n.generator)) != 0) {
            if (steps_ != nullptr) {
                kept_.clear();
                for (int o : operands)
                    if (o != g) kept_.push_back(o);
                note(CanonicalStepKind::LEFT_OUT, kind, -1, g, whole(kind, kept_));
            }
            operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            ++at;
        }
    }
}

int CanonicalForms::form(TermKind kind, std::vector<int> &operands) {
    for (;;) {
        std::sort(operands.begin(), operands.end());
        operands.erase(std::unique(operands.begin(), operands.end()), operands.end());
        if (missing_generators(kind, operands)) continue;
        if (drop_covered(kind, operands)) continue;
        if (!refine(kind, operands)) break;
    }
    leave_out_generators(kind, operands);
    if (operands.size() == 1) return operands[0];
    scratch_.assign(operands.begin(), operands.end());
    return terms_.compound(kind, scratch_.data(), static_cast<std::uint32_t>(scratch_.size()));
}

int CanonicalForms::of(int id) {
    auto remember = [this](int term, int found) {
        std::size_t needed = static_cast<std::size_t>(std::max(term, found)) + 1;
        if (canonical_.size() < needed) canonical_.resize(std::max(needed, canonical_.size() * 2), -1);
        canonical_[static_cast<std::size_t>(term)] = found;
        canonical_[static_cast<std::size_t>(found)] = found;
    };
    // Operands before the terms made of them, with an explicit stack.
    std::vector<std::pair<int, bool>> &pending = pending_;
    pending.assign(1, {id, false});
    while (!pending.empty()) {
        auto [term, expanded] = pending.back();
        if (known(term) >= 0) {
            pending.pop_back();
            continue;
        }
        TermNode n = terms_.node(term);
        if (n.kind == TermKind::GENERATOR) {
            remember(term, term);
            pending.pop_back();
            continue;
        }
        if (!expanded) {
            pending.back().second = true;
            for (std::uint32_t i = 0; i < n.count; ++i) {
                int o = static_cast<int>(terms_.operand(term, i));
                if (known(o) < 0) pending.emplace_back(o, false);
            }
            continue;
        }
        pending.pop_back();
        operands_.clear();
        for (std::uint32_t i = 0; i < n.count; ++i)
            add_flattened(n.kind, known(static_cast<int>(terms_.operand(term, i))), operands_);
        remember(term, form(n.kind, operands_));
    }
    return known(id);
}

int CanonicalForms::of(int id, std::vector<CanonicalStep> &steps) {
    // Every step is noted only when no form is remembered from before.
    canonical_.clear();
    steps_ = &steps;
    int found = of(id);
    steps_ = nullptr;
    return found;
}
