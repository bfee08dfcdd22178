// The poset of --poset CHAINS, written as it is typed in the dialogue.
#pragma once

#include "lattice/lattice.h"

// Enters chains (names; '<' only between two names; chains separated by
// spaces or line ends, LF or CR LF) into a new lattice as the keyboard
// entry would, closes the order and names the elements. Anything else, or a
// cycle, is reported on standard error, naming the character or showing the
// cycle; false then.
bool enter_chains(const char *chains, Lattice &lattice);
