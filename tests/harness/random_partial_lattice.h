// Seeded random partial lattices for the checks of the free lattice's order,
// the same on every platform and standard library.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "partial_lattice_setup.h"

namespace random_lattice {

// splitmix64.
struct Random {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
};

struct RandomPartialLattice {
    std::string names;
    std::vector<std::pair<int, int>> less;
    std::vector<lattice_setup::DefinedOperation> defined;

    // "generators abc, relations a<b, defined b+c", for failure messages.
    std::string describe() const;
};

// Random relations over up to 6 generators (always along a random linear
// order, so never a cycle) and a random share of the poset's meets and joins
// of incomparable pairs declared defined. One case in four is a bow-tie
// instead: m = p+q = uv, both declared defined, with a sixth generator placed
// at random; only there does an element's generator filter gain from a
// defined meet a generator that a defined join put into another's ideal.
// Leaves the partial lattice set up in the scripted lattice (scripted::start
// done).
RandomPartialLattice make_random_partial_lattice(std::uint64_t seed);

// The partial lattice as --poset and --define state it.
std::string chains_of(const RandomPartialLattice &lattice);
std::string definitions_of(const RandomPartialLattice &lattice);

// A random term over the scripted lattice's generators, as a tree of joins and
// meets of two or three operands, nested at most depth deep.
struct TermTree {
    int generator = -1;
    bool join = false;
    std::vector<TermTree> operands;
};
TermTree random_term_tree(Random &random, int depth);

// The tree as text, its operands in a random order and grouped at random:
// two printings of one tree are equal by commutation and association alone.
std::string term_text(const TermTree &tree, Random &random);

}  // namespace random_lattice
