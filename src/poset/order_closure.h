// Turns the typed relation on the generators into a partial order.
#pragma once

#include "lattice/lattice.h"

// Closes the typed relation transitively and sets the diagonal; false when
// it holds a cycle (the relation is then no order). On success the
// generators are the lattice's elements so far.
bool close_poset(Lattice &lattice);
