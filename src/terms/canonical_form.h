// Canonical forms in FL(P): one term for each element, so that two terms
// are equal in FL(P) exactly when their canonical forms are the same term of
// the graph (the same text).
//
// A canonical join w = w1+...+wn (n >= 2) has joinands that are canonical,
// each a generator or a meet, and:
//   (1) no joinand is below another;
//   (2) no meetand of a joinand is below w;
//   (3) every generator below w is below some joinand, before (4);
//   (4) then, in the order the joinands stand, a generator joinand below
//       the join of the other joinands still there is left out.
// (1)-(3) determine the joinands as elements (Whitman's argument, with
// Dean's conditions for FL(P)); (4) only shortens what is written, the same
// way for the same element. A canonical meet is the dual. For an antichain
// with nothing defined, (3) and (4) never apply and this is Whitman's
// canonical form.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "terms/order_decision.h"
#include "terms/term_graph.h"

// One step of putting a join (meet) in canonical form; "below" reads
// "above" for a meet.
enum class CanonicalStepKind : unsigned char {
    DROPPED,      // operand dropped: below the operand `other`
    REFINED,      // operand replaced by its meetand `other`: that meetand is below the whole
    GENERATOR,    // generator `operand` added: below the whole, below no operand
    LEFT_OUT,     // generator `operand` left out: below the rest, `other`
};

struct CanonicalStep {
    CanonicalStepKind kind;
    TermKind whole_kind;  // JOIN or MEET
    int whole;            // the join (meet) of the operands before the step (-1 for LEFT_OUT)
    int operand;          // a term of the graph (a generator's term for GENERATOR)
    int other;
};

class CanonicalForms {
public:
    CanonicalForms(TermGraph &terms, OrderDecision &decision) : terms_(terms), decision_(decision) {}

    // The canonical form of term id, a term of the same graph. Bounded
    // memory per distinct subterm; no recursion.
    int of(int id);

    // The same, noting each step that changed an operand list, in order.
    int of(int id, std::vector<CanonicalStep> &steps);

    // The fixed order of operands in a canonical join or meet: generators
    // first, in P's order; then shorter terms first; then by the first
    // operand that differs. (For operands of one canonical term.)
    bool precedes(int x, int y) const;

    // Forgets every canonical form found (for a graph that was cleared).
    void clear() { canonical_.clear(); }

private:
    int known(int id) const;
    int form(TermKind kind, std::vector<int> &operands);
    void add_flattened(TermKind kind, int canonical, std::vector<int> &operands) const;
    int whole(TermKind kind, const std::vector<int> &operands);
    std::uint64_t generators_of(TermKind kind, const std::vector<int> &operands, int skipped) const;
    bool missing_generators(TermKind kind, std::vector<int> &operands);
    bool drop_covered(TermKind kind, std::vector<int> &operands);
    bool refine(TermKind kind, std::vector<int> &operands);
    void leave_out_generators(TermKind kind, std::vector<int> &operands);
    // x below y for a join; x above y for a meet.
    bool under(TermKind kind, int x, int y) {
        return kind == TermKind::JOIN ? decision_.below(x, y) : decision_.below(y, x);
    }
    void note(CanonicalStepKind kind, TermKind whole_kind, int whole, int operand, int other) {
        if (steps_ != nullptr) steps_->push_back({kind, whole_kind, whole, operand, other});
    }

    TermGraph &terms_;
    OrderDecision &decision_;
    std::vector<int> canonical_;  // per term: its canonical form, or -1
    std::vector<CanonicalStep> *steps_ = nullptr;
    // Working space, kept between terms so that finding a form allocates
    // nothing once it has grown.
    std::vector<std::pair<int, bool>> pending_;
    std::vector<int> operands_;
    std::vector<int> kept_;
    std::vector<std::uint32_t> scratch_;
};
