// The modular and distributive laws, tested when the poset is a lattice.
#pragma once

#include "lattice/lattice.h"

// Whether every two generators have a meet and a join in the poset.
bool poset_is_lattice(const Lattice &lattice);

// A triple of generators, named as the law's text uses them.
struct LawTriple {
    int x;
    int y;
    int z;
};

// For a poset that is a lattice: whether it is modular, and when it is,
// whether it is distributive. Each law that fails gives its first failing
// triple in the order the search meets it: (x+z)y != x+(zy) with x <= y for
// modularity, x(y+z) != (xy)+(xz) for distributivity.
struct LawVerdict {
    bool modular;
    LawTriple not_modular;
    bool distributive;  // tested only when modular
    LawTriple not_distributive;
};
LawVerdict test_lattice_laws(const Lattice &lattice);
