// Terms over the generators of a partial lattice P, each distinct subterm
// stored once (hash-consed), with the generators below and above it in
// FL(P) computed when it is made.
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

    // The term of generator g (0 <= g < P's count).
    int generator(int g);

    // The join or meet of the given terms, in that order (count >= 2); an
    // operand of the same kind stays one operand, written in parentheses.
    int compound(TermKind kind, const std::uint32_t *operands, std::uint32_t count);

    const TermNode &node(int id) const { return nodes_[static_cast<std::size_t>(id)]; }
    std::uint32_t operand(int id, std::uint32_t i) const {
        return operand_ids_[node(id).first + i];
    }
    int size() const { return static_cast<int>(nodes_.size()); }
    unsigned char name(int generator) const { return presentation_.name[generator]; }

    // Appends the term as it reads back (meet as juxtaposition, parentheses
    // only where needed). A term longer than max_length characters (at least
    // 7) shows its first and last characters around " ... ", max_length in all.
    void append_text(int id, std::size_t max_length, std::string &out) const;

private:
    bool same(int id, TermKind kind, const std::uint32_t *operands, std::uint32_t count) const;
    void grow_index();
    void append_range(int id, std::size_t from, std::size_t to, std::string &out) const;

    Presentation presentation_{};
    // Bit q of joinable_[p]: p and q are incomparable and P defines p+q.
    std::uint64_t joinable_[PRESENTATION_MAX] = {};
    std::uint64_t meetable_[PRESENTATION_MAX] = {};
    int generator_ids_[PRESENTATION_MAX] = {};
    std::vector<TermNode> nodes_;
    std::vector<std::uint32_t> operand_ids_;
    std::vector<int> index_;  // open addressing over compound terms, -1 empty
};
