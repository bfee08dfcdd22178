// Why a generator is in I(w) or F(w) (term_graph.h): the order relations of
// P and the operations P defines that the computation of the set goes
// through to reach it, for a proof to cite.
#pragma once

#include <vector>

#include "terms/term_graph.h"

enum class FactKind : unsigned char {
    BELOW,  // x<y in P
    JOIN,   // x+y=z is defined in P
    MEET,   // x.y=z is defined in P
};

// Generators by their index in P; z only for JOIN and MEET, with x < y.
struct PosetFact {
    FactKind kind;
    unsigned char x;
    unsigned char y;
    unsigned char z;
};

// Appends to facts those that put generator g into I(w) (ideal) or F(w),
// each once (skipping those facts holds already), in the order a derivation
// uses them: a defined operation after the facts that bring its operands in.
// For a generator w that is g<w in P (w<g for F); for a meet (a join for F)
// the facts of every operand; for a join (a meet) those of the first operand
// holding g, or else the chain of defined joins (meets) that takes the union
// of the operands' sets up to g. g must be in the set. No recursion: w may
// be nested as deep as the parser allows.
void membership_facts(const TermGraph &terms, int g, int w, bool ideal, std::vector<PosetFact> &facts);
