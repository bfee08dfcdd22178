// The modular and distributive law tests, offered when the poset is a lattice.
#pragma once

#include "poset/answer_source.h"

// Silent for a poset that is not a lattice. Otherwise offers the tests, and
// when answers want them prints the first counterexample or the
// confirmation. Leaves MeetTable and JoinTable entirely UNDEFINED on every
// path.
void test_lattice_laws(const AnswerSource &answers);

// The same, offered at the keyboard.
void test_lattice_laws();
