// Fixes which meets and joins of generators the partial lattice defines.
#pragma once

#include "lattice/lattice.h"
#include "poset/answer_source.h"

// Enters the comparable pairs, then asks answers about every incomparable
// pair whose poset meet (then join) exists, each once, all meets first.
void define_partial_lattice(Lattice &lattice, AnswerSource &answers);
