// The explanation follows the decision: each sub-relation it looked at gets
// a number when it is first named and a paragraph of its own later, in
// number order, so the text grows with the distinct sub-relations, never
// with the search tree. Long terms, long operand lists and long searches
// are cut to bounds of their own.
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "terms/order_decision.h"
#include "terms/relations.h"

namespace {

constexpr std::size_t TERM_SHOWN = 64;       // characters of a term, at most
constexpr std::uint32_t OPERANDS_SHOWN = 8;  // operands named in one list
constexpr int RELATIONS_SHOWN = 100;         // paragraphs for one direction

class Explainer {
public:
    Explainer(const Presentation &p, const TermGraph &terms, int lower, int upper, int &numbered, std::string &text)
        : p_(p), terms_(terms), decision_(terms), numbered_(numbered), text_(text) {
        number(lower, upper);
    }

    // Writes the paragraphs in number order, the first one (the relation
    // itself) with every condition that fails.
    void run() {
        for (std::size_t i = 0; i < queue_.size(); ++i) {
            if (static_cast<int>(i) == RELATIONS_SHOWN) {
                text_ += "  sub-relations " + std::to_string(first_ + RELATIONS_SHOWN) + " to " +
                         std::to_string(numbered_) + " are left out (at most " +
                         std::to_string(RELATIONS_SHOWN) + " are explained)\n";
                return;
            }
            paragraph(queue_[i].first, queue_[i].second, i == 0);
        }
    }

private:
    int number(int s, int t);
    void term(int id) { terms_.append_text(id, TERM_SHOWN, text_); }
    void generators(std::uint64_t set);
    void reference(int s, int t) { text_ += " (" + std::to_string(number(s, t)) + ")"; }
    void paragraph(int s, int t, bool top);
    void proof(int s, int t);
    void defined_operation(int w, int g, bool join);
    void refer(int s, int t, int operand, bool upper) {
        if (upper) reference(s, operand);
        else reference(operand, t);
    }
    void failing_operand(int s, int t, bool upper);
    void every_condition(int s, int t);
    void no_generator_between(int s, int t);
    void failing_operands(int s, int t, bool upper);
    void operand_list(int s, int t, bool upper);

    const Presentation &p_;
    const TermGraph &terms_;
    OrderDecision decision_;
    int &numbered_;  // numbers given so far, over all directions
    int first_ = numbered_ + 1;
    std::string &text_;
    std::unordered_map<std::uint64_t, int> numbers_;
    std::vector<std::pair<int, int>> queue_;
};

int Explainer::number(int s, int t) {
    std::uint64_t key = static_cast<std::uint64_t>(s) << 32 | static_cast<std::uint32_t>(t);
    auto [place, added] = numbers_.try_emplace(key, numbered_ + 1);
    if (added) {
        ++numbered_;
        queue_.emplace_back(s, t);
    }
    return place->second;
}

void Explainer::generators(std::uint64_t set) {
    if (set == 0) text_ += "none";
    for (int g = 0; set != 0; ++g, set >>= 1U) {
        if ((set & 1U) == 0) continue;
        text_ += static_cast<char>(terms_.name(g));
        if (set > 1) text_ += ", ";
    }
}

void Explainer::paragraph(int s, int t, bool top) {
    text_ += "  " + std::to_string(number(s, t)) + ". ";
    term(s);
    text_ += " <= ";
    term(t);
    if (decision_.below(s, t)) {
        text_ += " holds";
        proof(s, t);
        return;
    }
    text_ += " fails";
    ShortcutWitness w = shortcut_of(terms_, s, t);
    bool generators_only = terms_.node(s).kind == TermKind::GENERATOR && terms_.node(t).kind == TermKind::GENERATOR;
    if (top) {
        every_condition(s, t);
    } else if (generators_only) {
        text_ += " in the poset\n";
    } else if (w.shortcut == Shortcut::GENERATOR_BELOW || w.shortcut == Shortcut::GENERATOR_ABOVE) {
        bool below = w.shortcut == Shortcut::GENERATOR_BELOW;
        text_ += ": the generator ";
        text_ += static_cast<char>(terms_.name(w.generator));
        text_ += below ? " is below the left side but not below the right side\n"
                       : " is above the right side but not above the left side\n";
    } else if (OperandRule rule = operand_rule_of(terms_, s, t); rule == OperandRule::SOME) {
        text_ += ":\n";
        no_generator_between(s, t);
        failing_operands(s, t, false);
        failing_operands(s, t, true);
    } else {
        text_ += ": ";
        failing_operand(s, t, rule == OperandRule::EVERY_UPPER);
    }
}

// When g is above the meet w (below the join w) only through the closure of
// F(w) (I(w)) under the operations P defines, says so, naming the defined
// meet (join) when one step of the closure does it.
void Explainer::defined_operation(int w, int g, bool join) {
    const TermNode &n = terms_.node(w);
    if (n.kind != (join ? TermKind::JOIN : TermKind::MEET)) return;
    std::uint64_t plain = 0;
    for (std::uint32_t i = 0; i < n.count; ++i) {
        const TermNode &o = terms_.node(static_cast<int>(terms_.operand(w, i)));
        plain |= join ? o.ideal : o.filter;
    }
    if ((plain >> g & 1U) != 0) return;
    for (int x = 0; x < p_.count; ++x)
        for (int y = x + 1; y < p_.count; ++y) {
            if ((plain >> x & 1U) == 0 || (plain >> y & 1U) == 0) continue;
            int z = join ? p_.join[x][y] : p_.meet[x][y];
            if (z == UNDEFINED || ((join ? p_.below[z] : p_.above[z]) >> g & 1U) == 0) continue;
            text_ += std::string(", as ") + static_cast<char>(p_.name[x]) + (join ? '+' : '.') +
                     static_cast<char>(p_.name[y]) + "=" + static_cast<char>(p_.name[z]) + " is defined";
            return;
        }
    text_ += join ? ", through the joins defined in the poset" : ", through the meets defined in the poset";
}

void Explainer::proof(int s, int t) {
    ShortcutWitness w = shortcut_of(terms_, s, t);
    if (w.shortcut == Shortcut::SAME_TERM) {
        text_ += ": both sides are the same term\n";
        return;
    }
    if (w.shortcut == Shortcut::GENERATOR_BETWEEN) {
        if (terms_.node(s).kind == TermKind::GENERATOR && terms_.node(t).kind == TermKind::GENERATOR) {
            text_ += " in the poset\n";
            return;
        }
        char p = static_cast<char>(terms_.name(w.generator));
        text_ += ": the generator ";
        text_ += p;
        text_ += " lies between, ";
        term(s);
        text_ += std::string(" <= ") + p + " <= ";
        term(t);
        defined_operation(s, w.generator, false);
        defined_operation(t, w.generator, true);
        text_ += "\n";
        return;
    }
    OperandRule rule = operand_rule_of(terms_, s, t);
    if (rule != OperandRule::SOME) {
        bool upper = rule == OperandRule::EVERY_UPPER;
        text_ += upper ? ": the left side is below each meetand on the right:"
                       : ": each joinand on the left is below the right side:";
        operand_list(s, t, upper);
        return;
    }
    // The first operand that holds, in the decision's order: s's meetands,
    // then t's joinands.
    if (terms_.node(s).kind == TermKind::MEET)
        for (std::uint32_t i = 0; i < terms_.node(s).count; ++i) {
            int operand = static_cast<int>(terms_.operand(s, i));
            if (!decision_.below(operand, t)) continue;
            text_ += ": the meetand ";
            term(operand);
            text_ += " on the left is below the right side";
            reference(operand, t);
            text_ += "\n";
            return;
        }
    for (std::uint32_t i = 0; i < terms_.node(t).count; ++i) {
        int operand = static_cast<int>(terms_.operand(t, i));
        if (!decision_.below(s, operand)) continue;
        text_ += ": the left side is below the joinand ";
        term(operand);
        text_ += " on the right";
        reference(s, operand);
        text_ += "\n";
        return;
    }
}

// A join below t needs every joinand below t, and s below a meet needs s
// below every meetand: one operand that fails is the whole reason.
void Explainer::failing_operand(int s, int t, bool upper) {
    int whole = upper ? t : s;
    for (std::uint32_t i = 0; i < terms_.node(whole).count; ++i) {
        int operand = static_cast<int>(terms_.operand(whole, i));
        if (upper ? decision_.below(s, operand) : decision_.below(operand, t)) continue;
        if (upper) {
            text_ += "the left side is not below the meetand ";
            term(operand);
            text_ += " on the right";
            reference(s, operand);
        } else {
            text_ += "the joinand ";
            term(operand);
            text_ += " on the left is not below the right side";
            reference(operand, t);
        }
        text_ += "\n";
        return;
    }
}

void Explainer::no_generator_between(int s, int t) {
    text_ += "     - no generator lies between (above the left side: ";
    generators(terms_.node(s).filter);
    text_ += "; below the right side: ";
    generators(terms_.node(t).ideal);
    text_ += ")\n";
}

// The relation itself: why each condition that applies fails.
void Explainer::every_condition(int s, int t) {
    text_ += ":\n";
    no_generator_between(s, t);
    if (terms_.node(s).kind == TermKind::JOIN) {
        text_ += "     - ";
        failing_operand(s, t, false);
    }
    failing_operands(s, t, false);
    if (terms_.node(t).kind == TermKind::MEET) {
        text_ += "     - ";
        failing_operand(s, t, true);
    }
    failing_operands(s, t, true);
}

// The meetands of s (or the joinands of t), none of which is below t (above
// s); nothing when s is no meet (t no join).
void Explainer::failing_operands(int s, int t, bool upper) {
    int whole = upper ? t : s;
    const TermNode &n = terms_.node(whole);
    if (n.kind != (upper ? TermKind::JOIN : TermKind::MEET)) return;
    text_ += upper ? "     - the left side is below no joinand on the right:"
                   : "     - no meetand on the left is below the right side:";
    operand_list(s, t, upper);
}

// The distinct operands of t (upper) or s, with the number of the relation
// of each to the other side; at most OPERANDS_SHOWN of them named.
void Explainer::operand_list(int s, int t, bool upper) {
    int whole = upper ? t : s;
    const TermNode &n = terms_.node(whole);
    std::unordered_map<std::uint32_t, bool> seen;
    std::size_t named = 0;
    for (std::uint32_t i = 0; i < n.count; ++i) {
        std::uint32_t operand = terms_.operand(whole, i);
        if (!seen.try_emplace(operand, true).second || seen.size() > OPERANDS_SHOWN) continue;
        text_ += named++ == 0 ? " " : ", ";
        term(static_cast<int>(operand));
        refer(s, t, static_cast<int>(operand), upper);
    }
    if (seen.size() > OPERANDS_SHOWN) text_ += ", and " + std::to_string(seen.size() - OPERANDS_SHOWN) + " more";
    text_ += "\n";
}

void explain_direction(const Presentation &p, const TermGraph &terms, int lower, int upper, int &numbered,
                       std::string &text) {
    Explainer(p, terms, lower, upper, numbered, text).run();
}

}  // namespace

void explain_relation(const Presentation &p, const ParsedRelation &r, std::string &text) {
    int numbered = 0;
    if (r.sign != RelationSign::ABOVE) explain_direction(p, r.terms, r.left, r.right, numbered, text);
    if (r.sign != RelationSign::BELOW) explain_direction(p, r.terms, r.right, r.left, numbered, text);
}
