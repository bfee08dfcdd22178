#include "terms/term_graph.h"

#include <bit>

namespace {

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

// The least superset of set closed under the operation P defines where
// partners says so, each result bringing its cone (its down-set for joins,
// giving I; its up-set for meets, giving F). Each round adds the cones of
// the results of two members; a union of cones stays one, so the loop ends
// with the closure.
std::uint64_t closure(std::uint64_t set, const std::uint64_t (&partners)[PRESENTATION_MAX],
                      const unsigned char (&result)[PRESENTATION_MAX][PRESENTATION_MAX],
                      const std::uint64_t (&cone)[PRESENTATION_MAX]) {
    bool grew = true;
    while (grew) {
        grew = false;
        for (std::uint64_t rest = set; rest != 0; rest &= rest - 1) {
            int i = std::countr_zero(rest);
            for (std::uint64_t with = partners[i] & set; with != 0; with &= with - 1) {
                int j = result[i][std::countr_zero(with)];
                if ((set & bit(j)) == 0) {
                    set |= cone[j];
                    grew = true;
                }
            }
        }
    }
    return set;
}

}  // namespace

std::uint64_t TermGraph::closed(TermKind kind, std::uint64_t united) const {
    return kind == TermKind::JOIN ? closure(united, joinable_, presentation_.join, presentation_.below)
                                  : closure(united, meetable_, presentation_.meet, presentation_.above);
}

void TermGraph::reset(const Presentation &p) {
    presentation_ = p;
    defines_joins_ = defines_meets_ = false;
    for (int i = 0; i < p.count; ++i) {
        joinable_[i] = 0;
        meetable_[i] = 0;
        std::uint64_t comparable = p.above[i] | p.below[i];
        for (int j = 0; j < p.count; ++j) {
            if ((comparable & bit(j)) != 0) continue;
            if (p.join[i][j] != UNDEFINED) joinable_[i] |= bit(j);
            if (p.meet[i][j] != UNDEFINED) meetable_[i] |= bit(j);
        }
        defines_joins_ = defines_joins_ || joinable_[i] != 0;
        defines_meets_ = defines_meets_ || meetable_[i] != 0;
    }
    nodes_.clear();
    for (int g = 0; g < p.count; ++g) {
        TermNode n{};
        n.ideal = p.below[g];
        n.filter = p.above[g];
        n.length = 1;
        n.kind = TermKind::GENERATOR;
        n.generator = static_cast<unsigned char>(g);
        nodes_.push_back(n);
    }
    operand_ids_.clear();
    index_.assign(64, -1);
    filled_.clear();
    compounds_ = 0;
    ++generation_;
}

void TermGraph::clear() {
    nodes_.resize(static_cast<std::size_t>(presentation_.count));
    operand_ids_.clear();
    compounds_ = 0;
    ++generation_;
    for (std::uint32_t slot : filled_) index_[slot] = -1;
    filled_.clear();
}

// Room for the given number of compound terms at most half full, every
// compound term of the graph placed again.
void TermGraph::grow_index(std::size_t compounds) {
    std::size_t slots = index_.size();
    while (compounds * 2 > slots) slots *= 2;
    index_.assign(slots, -1);
    filled_.clear();
    std::size_t mask = slots - 1;
    for (int id = 0; id < size(); ++id) {
        const TermNode &n = node(id);
        if (n.kind == TermKind::GENERATOR) continue;
        std::size_t slot = hash_of(n.kind, &operand_ids_[n.first], n.count) & mask;
        while (index_[slot] >= 0) slot = (slot + 1) & mask;
        index_[slot] = id;
        filled_.push_back(static_cast<std::uint32_t>(slot));
    }
}

// In the printed form a meet puts its compound operands in parentheses, a
// join only its joins; a join has a '+' between operands.
constexpr std::uint32_t PARENTHESES[2][3] = {
    {0, 2, 2},  // in a meet: generator, join, meet
    {0, 2, 0},  // in a join
};

// Reading goes through here once for each new term, on data as random as
// the processor can tell: joins and meets share one loop, choosing by index
// rather than by branch, and the node is written where it stays, field by
// field (a copy of one assembled on the stack reads narrow stores back as
// wide loads, and stalls).
int TermGraph::add_compound(TermKind kind, const std::uint32_t *operands, std::uint32_t count, std::size_t slot) {
    bool join = kind == TermKind::JOIN;
    // A join unites ideals and intersects filters, a meet the other way.
    std::size_t unite = join ? 0 : 1;
    std::uint64_t sets[2] = {0, ~std::uint64_t{0}};  // united, common
    std::uint32_t length = join ? count - 1 : 0;
    const std::uint32_t *parentheses = PARENTHESES[join ? 1 : 0];
    const TermNode *all = nodes_.data();
    auto take = [&](std::uint32_t operand) {
        const TermNode &o = all[operand];
        const std::uint64_t own[2] = {o.ideal, o.filter};
        sets[0] |= own[unite];
        sets[1] &= own[1 - unite];
        length += o.length + parentheses[static_cast<unsigned>(o.kind)];
    };
    take(operands[0]);
    take(operands[1]);
    for (std::uint32_t i = 2; i < count; ++i) take(operands[i]);
    // Without a defined operation the closure is the union itself.
    if (join && defines_joins_) sets[0] = closure(sets[0], joinable_, presentation_.join, presentation_.below);
    if (!join && defines_meets_) sets[0] = closure(sets[0], meetable_, presentation_.meet, presentation_.above);
    int id = size();
    TermNode &n = nodes_.emplace_back();
    n.ideal = sets[unite];
    n.filter = sets[1 - unite];
    n.first = static_cast<std::uint32_t>(operand_ids_.size());
    n.count = count;
    n.length = length;
    n.kind = kind;
    // Two or three operands as a rule: no call to memmove.
    operand_ids_.push_back(operands[0]);
    operand_ids_.push_back(operands[1]);
    for (std::uint32_t i = 2; i < count; ++i) operand_ids_.push_back(operands[i]);
    index_[slot] = id;
    filled_.push_back(static_cast<std::uint32_t>(slot));
    if (++compounds_ * 2 > index_.size()) grow_index(compounds_);
    return id;
}
