// The edges of the Hasse diagram: which element covers which.
#pragma once

#include <vector>

#include "lattice/lattice.h"

struct CoveringPair {
    int lower;
    int upper;
};

// Every pair lower < upper among the elements 0..count-1 with no element of
// them strictly between; ordered by lower, then upper.
std::vector<CoveringPair> covering_pairs(const Lattice &lattice, int count);
