// Greatest lower and least upper bounds of two generators in the poset.
// Pure: they read OrderMatrix and generator_count only.
#pragma once

// Index of the greatest common lower bound of generators a and b, or -1.
int poset_meet(int a, int b);

// Index of the least common upper bound of generators a and b, or -1.
int poset_join(int a, int b);
