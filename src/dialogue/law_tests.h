// The modular and distributive law tests, offered when the poset is a lattice.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"
#include "poset/answer_source.h"

// Silent for a poset that is not a lattice. Otherwise offers the tests, and
// when answers want them prints the first counterexample or the
// confirmation.
void offer_law_tests(Console &console, const Lattice &lattice, AnswerSource &answers);
