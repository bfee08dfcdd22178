// s <= t in FL(P) for the subterms s of one term and t of another, by
// Dean's conditions: s <= t exactly when
//   (1) a generator p has s <= p <= t, that is F(s) and I(t) meet;
//   (2) s = s1+...+sk with every si <= t;
//   (3) s = s1...sk with some si <= t;
//   (4) t = t1+...+tk with s <= some tj;
//   (5) t = t1...tk with s <= every tj.
// (2) and (5) are also necessary, so they are the only ones tried when they
// apply; so are I(s) <= I(t) and F(t) <= F(s), which cut most failures short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "terms/term_graph.h"

// What settles s <= t without looking at operands, in the order tried.
enum class Shortcut : unsigned char {
    NONE,
    SAME_TERM,          // s and t are the same term: holds
    GENERATOR_BETWEEN,  // (1): holds
    GENERATOR_BELOW,    // a generator below s is not below t: fails
    GENERATOR_ABOVE,    // a generator above t is not above s: fails
};

// The generator that shows it (for the last three), or -1.
struct ShortcutWitness {
    Shortcut shortcut;
    int generator;
};
ShortcutWitness shortcut_of(const TermGraph &terms, int s, int t);

// Which operands the decision goes through when no shortcut applies.
enum class OperandRule : unsigned char {
    EVERY_LOWER,  // (2)
    EVERY_UPPER,  // (5)
    SOME,         // (3) over s's meetands, then (4) over t's joinands
};
OperandRule operand_rule_of(const TermGraph &terms, int s, int t);

// Decides s <= t for any two terms of one graph, remembering each pair it
// settles beyond the shortcuts, without recursion: memory in proportion to
// the pairs visited, never to the product of the subterm counts. Terms added
// to the graph after construction may be asked about too; when the graph is
// cleared or reset, the pairs remembered are forgotten at the next question.
class OrderDecision {
public:
    explicit OrderDecision(const TermGraph &terms) : terms_(terms), generation_(terms.generation()) {}
    bool below(int s, int t);
    const TermGraph &terms() const { return terms_; }

    // Forgets every pair remembered, in time proportional to their number,
    // keeping the memory for the next ones.
    void clear();

    // The pairs remembered about the graph's terms: the sub-relations
    // settled by their operands.
    std::size_t remembered() const { return generation_ == terms_.generation() ? filled_.size() : 0; }

private:
    struct Frame {
        int s;
        int t;
        OperandRule rule;
        bool upper_operands;  // going through t's operands now
        std::uint32_t next;   // the next operand to try
        std::uint32_t count;  // of the side gone through
        const std::uint32_t *operands;
    };
    // 0 unknown, 1 fails, 2 holds.
    int known(int s, int t) const;
    void remember(int s, int t, bool holds);
    void place(std::uint64_t entry);

    const TermGraph &terms_;
    // Open addressing, at most half full: s in the high half of an entry, t
    // in the low one and whether s <= t in bit 31 (term ids are below
    // 2^31), every bit set when empty.
    std::vector<std::uint64_t> memo_;
    std::vector<std::uint32_t> filled_;  // the entries filled, for clear()
    std::uint64_t generation_;  // the graph's, when the pairs were remembered
    std::vector<Frame> stack_;
};
