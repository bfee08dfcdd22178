// Elements written as terms over the generators' names: join as "+", meet as
// juxtaposition, generated operands in parentheses.
#pragma once

#include "lattice/lattice.h"

// Hands the characters of the term of element e to put, in order, each with
// context: the one walk behind the console's terms and the exported ones.
void walk_term(const Lattice &lattice, int e, void (*put)(int ch, void *context), void *context);
