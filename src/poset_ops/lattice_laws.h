// The modular and distributive law tests, offered when the poset is a lattice.
#pragma once

// Silent for a poset that is not a lattice. Otherwise offers the tests and on
// y prints the first counterexample or the confirmation. Leaves MeetTable and
// JoinTable entirely UNDEFINED on every path.
void test_lattice_laws();
