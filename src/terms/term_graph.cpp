#include "terms/term_graph.h"

#include <bit>

namespace {

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

std::uint64_t hash_of(TermKind kind, const std::uint32_t *operands, std::uint32_t count) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(kind);
    for (std::uint32_t i = 0; i < count; ++i) {
        h ^= operands[i];
        h *= 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 29;
    }
    return h;
}

// Characters an operand takes in its parent's printed form: meets take
// compound operands in parentheses, joins only joins.
std::uint32_t printed_operand_length(const TermNode &parent, const TermNode &operand) {
    bool parenthesised = parent.kind == TermKind::MEET ? operand.kind != TermKind::GENERATOR
                                                       : operand.kind == TermKind::JOIN;
    return operand.length + (parenthesised ? 2U : 0U);
}

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
    for (int i = 0; i < p.count; ++i) {
        joinable_[i] = 0;
        meetable_[i] = 0;
        generator_ids_[i] = -1;
        std::uint64_t comparable = p.above[i] | p.below[i];
        for (int j = 0; j < p.count; ++j) {
            if ((comparable & bit(j)) != 0) continue;
            if (p.join[i][j] != UNDEFINED) joinable_[i] |= bit(j);
            if (p.meet[i][j] != UNDEFINED) meetable_[i] |= bit(j);
        }
    }
    nodes_.clear();
    operand_ids_.clear();
    index_.assign(64, -1);
}

int TermGraph::generator(int g) {
    if (generator_ids_[g] < 0) {
        TermNode n{};
        n.ideal = presentation_.below[g];
        n.filter = presentation_.above[g];
        n.length = 1;
        n.kind = TermKind::GENERATOR;
        n.generator = static_cast<unsigned char>(g);
        generator_ids_[g] = size();
        nodes_.push_back(n);
    }
    return generator_ids_[g];
}

bool TermGraph::same(int id, TermKind kind, const std::uint32_t *operands, std::uint32_t count) const {
    const TermNode &n = node(id);
    if (n.kind != kind || n.count != count) return false;
    for (std::uint32_t i = 0; i < count; ++i)
        if (operand_ids_[n.first + i] != operands[i]) return false;
    return true;
}

void TermGraph::grow_index() {
    index_.assign(index_.size() * 2, -1);
    std::size_t mask = index_.size() - 1;
    for (int id = 0; id < size(); ++id) {
        const TermNode &n = node(id);
        if (n.kind == TermKind::GENERATOR) continue;
        std::size_t slot = hash_of(n.kind, &operand_ids_[n.first], n.count) & mask;
        while (index_[slot] >= 0) slot = (slot + 1) & mask;
        index_[slot] = id;
    }
}

int TermGraph::compound(TermKind kind, const std::uint32_t *operands, std::uint32_t count) {
    std::size_t mask = index_.size() - 1;
    std::size_t slot = hash_of(kind, operands, count) & mask;
    for (; index_[slot] >= 0; slot = (slot + 1) & mask)
        if (same(index_[slot], kind, operands, count)) return index_[slot];

    TermNode n{};
    n.kind = kind;
    n.first = static_cast<std::uint32_t>(operand_ids_.size());
    n.count = count;
    bool join = kind == TermKind::JOIN;
    std::uint64_t united = 0;
    std::uint64_t common = ~std::uint64_t{0};
    n.length = join ? count - 1 : 0;  // the '+' signs
    for (std::uint32_t i = 0; i < count; ++i) {
        const TermNode &o = node(static_cast<int>(operands[i]));
        united |= join ? o.ideal : o.filter;
        common &= join ? o.filter : o.ideal;
        n.length += printed_operand_length(n, o);
        operand_ids_.push_back(operands[i]);
    }
    n.ideal = join ? closure(united, joinable_, presentation_.join, presentation_.below) : common;
    n.filter = join ? common : closure(united, meetable_, presentation_.meet, presentation_.above);
    int id = size();
    nodes_.push_back(n);
    index_[slot] = id;
    if (static_cast<std::size_t>(size()) * 2 > index_.size()) grow_index();
    return id;
}
