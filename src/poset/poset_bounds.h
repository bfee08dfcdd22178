// Greatest lower and least upper bounds of two generators in the poset.
// Pure: they read the order of the generators only.
#pragma once

#include "lattice/lattice.h"

// Index of the greatest common lower bound of generators a and b, or -1.
int poset_meet(const Lattice &lattice, int a, int b);

// Index of the least common upper bound of generators a and b, or -1.
int poset_join(const Lattice &lattice, int a, int b);
