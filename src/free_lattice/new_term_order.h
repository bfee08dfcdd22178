// Where a trial join or meet x of two existing elements a and b lies against
// every existing element (indices below x). Results go to row x and column x
// of OrderMatrix, which the caller has cleared; entries are only ever set.
#pragma once

// x = a + b: its order against all existing elements, and x <= x.
void order_new_join(int x, int a, int b);

// x = ab: its order against all existing elements, and x <= x.
void order_new_meet(int x, int a, int b);

// Marks every generator below a + b in column x, closed under defined joins
// and downward; also any element recorded as the join of two such generators.
void join_ideal(int x, int a, int b);

// Marks every generator above both a and b in row x.
void join_upper_bounds(int x, int a, int b);

// Marks every generator below both a and b in column x.
void meet_lower_bounds(int x, int a, int b);

// Marks every generator above ab in row x, closed under defined meets and
// upward; also any element recorded as the meet of two such generators.
void meet_filter(int x, int a, int b);
