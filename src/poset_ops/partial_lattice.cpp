#include "poset_ops/partial_lattice.h"

void define_partial_lattice() {}
