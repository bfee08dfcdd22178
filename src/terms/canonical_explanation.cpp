// Each step of a canonical form as a line of the proof, citing the
// sub-relation it rests on; the proof's paragraphs then justify each one by
// Dean's conditions, as --decide --explain does.
#include "terms/canonical_explanation.h"

#include <set>
#include <string>
#include <tuple>

#include "terms/proof.h"

namespace {

// "join" or "meet", "joinand" or "meetand", "below" or "above".
struct Words {
    const char *whole;
    const char *operand;
    const char *inner;
    const char *under;
};

Words words_of(TermKind kind) {
    return kind == TermKind::JOIN ? Words{"join", "joinand", "meetand", "below"}
                                  : Words{"meet", "meetand", "joinand", "above"};
}

// The relation that says x lies under y in a join (over it, in a meet).
int cite_under(Proof &proof, TermKind kind, int x, int y) {
    return kind == TermKind::JOIN ? proof.cite(x, y) : proof.cite(y, x);
}

void reference(Proof &proof, int number) { proof.prose(" (" + std::to_string(number) + ")"); }

void step_line(Proof &proof, const CanonicalStep &step) {
    Words w = words_of(step.whole_kind);
    proof.line("  - ");
    switch (step.kind) {
    case CanonicalStepKind::DROPPED: {
        int number = cite_under(proof, step.whole_kind, step.operand, step.other);
        proof.prose(std::string("in the ") + w.whole + " ");
        proof.term(step.whole);
        proof.prose(std::string(", the ") + w.operand + " ");
        proof.term(step.operand);
        proof.prose(std::string(" is dropped: it is ") + w.under + " the " + w.operand + " ");
        proof.term(step.other);
        reference(proof, number);
        break;
    }
    case CanonicalStepKind::REFINED: {
        int number = cite_under(proof, step.whole_kind, step.other, step.whole);
        proof.prose(std::string("in the ") + w.whole + " ");
        proof.term(step.whole);
        proof.prose(std::string(", the ") + w.operand + " ");
        proof.term(step.operand);
        proof.prose(std::string(" gives way to its ") + w.inner + " ");
        proof.term(step.other);
        proof.prose(std::string(", which is ") + w.under + " the whole");
        reference(proof, number);
        break;
    }
    case CanonicalStepKind::GENERATOR: {
        int number = cite_under(proof, step.whole_kind, step.operand, step.whole);
        proof.prose("the generator ");
        proof.term(step.operand);
        proof.prose(std::string(" is ") + w.under + " the " + w.whole + " ");
        proof.term(step.whole);
        reference(proof, number);
        proof.prose(std::string(" but ") + w.under + " none of its " + w.operand + "s: it is added as a " +
                    w.operand);
        break;
    }
    case CanonicalStepKind::LEFT_OUT: {
        int number = cite_under(proof, step.whole_kind, step.operand, step.other);
        proof.prose("the generator ");
        proof.term(step.operand);
        proof.prose(std::string(" is left out: it is ") + w.under + " the " + w.whole + " of the others, ");
        proof.term(step.other);
        reference(proof, number);
        break;
    }
    }
    proof.end_block();
}

}  // namespace

void explain_canonical(OrderDecision &decision, const std::vector<CanonicalStep> &steps, bool reordered,
                       std::string &text) {
    Proof proof(decision, text);
    // Subterms written differently may come to the same join or meet of the
    // same operands: its steps are said once.
    std::set<std::tuple<CanonicalStepKind, int, int, int>> said;
    for (const CanonicalStep &step : steps)
        if (said.emplace(step.kind, step.whole, step.operand, step.other).second) step_line(proof, step);
    if (steps.empty()) {
        proof.line("  - ");
        proof.prose(reordered ? "nothing is dropped, replaced or added: only the grouping and the order of the "
                                "operands change"
                              : "the term is in canonical form");
        proof.end_block();
    }
    proof.write_paragraphs();
}
