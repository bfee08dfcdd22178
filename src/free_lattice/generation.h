// Grows the free lattice one element at a time.
#pragma once

// Resolves the first pair of elements below count whose join or meet is
// unknown: records an equal existing element, or creates element count.
// Sets closure_complete when no unknown join or meet is left.
void add_next_element(int count);

// Builds until the lattice closes (count line) or element_limit is reached,
// printing each new element as a numbered term.
void build_free_lattice();
