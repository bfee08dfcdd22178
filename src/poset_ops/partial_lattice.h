// Fixes which meets and joins of generators the partial lattice defines.
#pragma once

// Enters the comparable pairs, then asks about every incomparable pair whose
// poset meet (then join) exists; only y or Y declares it defined.
void define_partial_lattice();
