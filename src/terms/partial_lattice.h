// The partial lattice P as the word problem sees it: the generators, their
// order, and which meets and joins among them are defined.
#pragma once

#include <cstdint>

#include "lattice/lattice.h"

// One generator per letter or digit, so at most 62: every set of generators
// fits in 64 bits.
constexpr int PRESENTATION_MAX = GENERATORS_MAX;

// Marks a meet or join of generators that P does not define.
constexpr unsigned char UNDEFINED = 255;

// A plain table; p <= q for generators means bit q of above[p] and bit p of
// below[q]. meet[p][q] and join[p][q] hold the generator that is their meet
// or join when P defines it (always for comparable p and q), else UNDEFINED.
struct Presentation {
    int count;
    unsigned char name[PRESENTATION_MAX];
    std::uint64_t above[PRESENTATION_MAX];
    std::uint64_t below[PRESENTATION_MAX];
    unsigned char meet[PRESENTATION_MAX][PRESENTATION_MAX];
    unsigned char join[PRESENTATION_MAX][PRESENTATION_MAX];
};

// Reads P from the lattice as the partial lattice's definition leaves it:
// the generators, their names and order, and the meets and joins among them.
// After the build, a meet or join that it resolved to a generator reads as
// defined: it holds in FL(P) all the same, so every decision stays as it
// was; one resolved to an element of its own does not.
void presentation_from_lattice(const Lattice &lattice, Presentation &p);
