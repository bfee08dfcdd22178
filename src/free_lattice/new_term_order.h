// Where a trial join or meet x of two existing elements a and b lies against
// every existing element (indices below x). Results go to row x and column x
// of OrderMatrix, which the caller has cleared; entries are only ever set.
#pragma once

// x = a + b: its order against all existing elements, and x <= x.
void order_new_join(int x, int a, int b);

// x = ab: its order against all existing elements, and x <= x.
void order_new_meet(int x, int a, int b);
