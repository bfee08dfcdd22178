#include "poset_ops/lattice_laws.h"

void test_lattice_laws() {}
