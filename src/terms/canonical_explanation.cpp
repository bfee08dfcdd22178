// Each step of a canonical form as a line of the proof, citing the
// sub-relation it rests on; the proof's paragraphs then justify each one by
// Dean's conditions, as --decide --explain does.
#include "terms/canonical_explanation.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

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

// A piece of a step's line: prose, or a term (its text or its label).
struct Piece {
    std::string prose;
    int term = -1;
};

void step_line(Proof &proof, const CanonicalStep &step) {
    Words w = words_of(step.whole_kind);
    std::string whole = std::string(w.whole) + " ";
    std::string operand = std::string(w.operand) + " ";
    std::string under = std::string(w.under) + " ";
    int number = 0;
    std::vector<Piece> pieces;
    switch (step.kind) {
    case CanonicalStepKind::DROPPED:
        number = cite_under(proof, step.whole_kind, step.operand, step.other);
        pieces = {{"in the " + whole}, {"", step.whole}, {", the " + operand}, {"", step.operand},
                  {" is dropped: it is " + under + "the " + operand}, {"", step.other}};
        break;
    case CanonicalStepKind::REFINED:
        number = cite_under(proof, step.whole_kind, step.other, step.whole);
        pieces = {{"in the " + whole}, {"", step.whole}, {", the " + operand}, {"", step.operand},
                  {" gives way to its " + std::string(w.inner) + " "}, {"", step.other},
                  {", which is " + under + "the whole"}};
        break;
    case CanonicalStepKind::GENERATOR:
        number = cite_under(proof, step.whole_kind, step.operand, step.whole);
        pieces = {{"the generator "}, {"", step.operand}, {" is " + under + "the " + whole}, {"", step.whole}};
        break;
    case CanonicalStepKind::LEFT_OUT:
        number = cite_under(proof, step.whole_kind, step.operand, step.other);
        pieces = {{"the generator "}, {"", step.operand},
                  {" is left out: it is " + under + "the " + whole + "of the others, "}, {"", step.other}};
        break;
    }
    proof.line("  - ");
    for (const Piece &piece : pieces) {
        if (piece.term >= 0) proof.term(piece.term);
        else proof.prose(piece.prose);
    }
    reference(proof, number);
    if (step.kind == CanonicalStepKind::GENERATOR)
        proof.prose(" but " + under + "none of its " + std::string(w.operand) + "s: it is added as a " + w.operand);
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
