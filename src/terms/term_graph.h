// Terms over the generators of a partial lattice P, each distinct subterm
// stored once (hash-consed), with the generators below and above it in
// FL(P) computed when it is made.
//
// Hash-consing stays, though a graph without it reads a little faster.
// Measured on the benchmarks' relations of 6,000 characters over a b c:
// without it, reading took about 24 us instead of 26.5 and made 1.8 times
// the nodes, the hard pair took as long to decide, and S<=S, answered at
// once when both sides are one term, visited 400 to 700 pairs and took
// 37 us instead of 22. Equal subterms being one term is also what the
// explanations mean by "the same term".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "terms/partial_lattice.h"

enum class TermKind : unsigned char { GENERATOR, JOIN, MEET };

// ideal is I(w), the generators below w; filter is F(w), those above it
// (Dean): for a generator, its down-set and up-set in P; I(s+t) is the least
// down-set holding I(s) and I(t) closed under the joins P defines, I(st) is
// I(s) & I(t); F is the dual.
struct TermNode {
    std::uint64_t ideal;
    std::uint64_t filter;
    std::uint32_t first;   // operands: operand_ids[first .. first + count)
    std::uint32_t count;   // 0 for a generator, else at least 2
    std::uint32_t length;  // characters of the printed form
    TermKind kind;
    unsigned char generator;  // a generator's index in P
};

class TermGraph {
public:
    // Forgets every term and takes P's order and defined operations.
    void reset(const Presentation &p);

    // Forgets every term but P's generators, in time proportional to the
    // terms forgotten (the memory is kept for the terms to come): for
    // callers that read relation after relation into one graph.
    void clear();

    // Changes whenever the graph forgets its terms (reset, clear), so that
    // what was remembered about them can be forgotten too.
    std::uint64_t generation() const { return generation_; }

    // The term of generator g (0 <= g < P's count): g itself, as the graph
    // holds P's generators first, so that reading a name looks nothing up.
    static int generator(int g) { return g; }

    // The join or meet of the given terms, in that order (count >= 2); an
    // operand of the same kind stays one operand, written in parentheses.
    // Defined here so that the reader's calls may be inlined.
    int compound(TermKind kind, const std::uint32_t *operands, std::uint32_t count) {
        std::uint64_t hash = hash_of(kind, operands, count);
        std::size_t mask = index_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            int found = index_[slot];
            if (found < 0) return add_compound(kind, operands, count, slot);
            if (same(found, kind, operands, count)) return found;
        }
    }

    const TermNode &node(int id) const { return nodes_[static_cast<std::size_t>(id)]; }
    std::uint32_t operand(int id, std::uint32_t i) const {
        return operand_ids_[node(id).first + i];
    }
    // The operands of a compound term, node(id).count of them.
    const std::uint32_t *operand_list(int id) const { return operand_ids_.data() + node(id).first; }
    int size() const { return static_cast<int>(nodes_.size()); }
    unsigned char name(int generator) const { return presentation_.name[generator]; }
    const Presentation &presentation() const { return presentation_; }

    // The generators below a join whose operands have the given generators
    // below them, all together (kind JOIN: I of the join); dually, those
    // above a meet (kind MEET: F of the meet).
    std::uint64_t closed(TermKind kind, std::uint64_t united) const;

    // Appends the term as it reads back (meet as juxtaposition, parentheses
    // only where needed), whole.
    void append_text(int id, std::string &out) const;

private:
    // Terms are random as far as the processor can tell, so the loops over
    // operands (two as a rule, never fewer) take the first two before they
    // test anything: a loop whose length varies costs a misprediction.
    //
    // Each operand is mixed with its place on its own and the results
    // added: no chain of multiplications from one operand to the next.
    static std::uint64_t mixed(std::uint32_t place, std::uint32_t operand) {
        std::uint64_t x = (static_cast<std::uint64_t>(place) << 32 | operand) * 0x9E3779B97F4A7C15ULL;
        return x ^ x >> 29;
    }
    static std::uint64_t hash_of(TermKind kind, const std::uint32_t *operands, std::uint32_t count) {
        std::uint64_t h = (static_cast<std::uint64_t>(kind) << 32 | count) + mixed(0, operands[0]) +
                          mixed(1, operands[1]);
        for (std::uint32_t i = 2; i < count; ++i) h += mixed(i, operands[i]);
        h *= 0xBF58476D1CE4E5B9ULL;
        return h ^ h >> 32;
    }
    bool same(int id, TermKind kind, const std::uint32_t *operands, std::uint32_t count) const {
        const TermNode &n = node(id);
        const std::uint32_t *own = operand_ids_.data() + n.first;
        if (n.kind != kind || n.count != count || ((own[0] ^ operands[0]) | (own[1] ^ operands[1])) != 0)
            return false;
        for (std::uint32_t i = 2; i < count; ++i)
            if (own[i] != operands[i]) return false;
        return true;
    }
    // Makes the term, new to the graph, and places it at the empty slot.
    int add_compound(TermKind kind, const std::uint32_t *operands, std::uint32_t count, std::size_t slot);
    void grow_index(std::size_t compounds);

    Presentation presentation_{};
    // Bit q of joinable_[p]: p and q are incomparable and P defines p+q.
    std::uint64_t joinable_[PRESENTATION_MAX] = {};
    std::uint64_t meetable_[PRESENTATION_MAX] = {};
    bool defines_joins_ = false;  // some joinable_ is not empty
    bool defines_meets_ = false;
    std::vector<TermNode> nodes_;
    std::vector<std::uint32_t> operand_ids_;
    std::vector<int> index_;             // open addressing over compound terms, -1 empty
    std::vector<std::uint32_t> filled_;  // the slots filled, for clear()
    std::size_t compounds_ = 0;  // compound terms in the index
    std::uint64_t generation_ = 0;
};
