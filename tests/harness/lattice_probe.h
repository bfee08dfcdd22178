// Any single entry of a lattice, for tests that break its tables on purpose:
// the checks of the fuzz target must catch what no writer of the program
// would leave.
#pragma once

#include "lattice/lattice.h"

struct LatticeProbe {
    static unsigned char &order(Lattice &lattice, int r, int c) { return lattice.order_.row(r)[c]; }
    static Element &join(Lattice &lattice, int r, int c) { return lattice.joins_.row(r)[c]; }
    static Element &meet(Lattice &lattice, int r, int c) { return lattice.meets_.row(r)[c]; }
    // More generators than names allow, for fixtures whose every element
    // is to show as its own name.
    static int &generators(Lattice &lattice) { return lattice.generators_; }
};
