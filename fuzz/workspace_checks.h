// What must hold in the lattice between the phases of a run, checked from
// first principles. A check_ function aborts with a message when it fails;
// the order checks also come as a _fault function that returns that message,
// or nullptr when the property holds, so that they can be tested. The order
// checks work on rows of bits, which keeps them quadratic.
#pragma once

#include "lattice/lattice.h"

namespace workspace_checks {

// The lattice every check reads from now on.
void watch(const Lattice &lattice);

// The state right after the reset of poset entry.
void check_reset();

// Names: elements 0..named-1 are named, the rest not, and the name index is
// the exact inverse of the names on the named elements.
void check_names(int named);

// The generated elements carry the free names of the naming sequence, as far
// as they go.
void check_generated_names();

// The order restricted to 0..n-1 is reflexive, antisymmetric, transitive,
// and holds only 0 and 1.
const char *partial_order_fault(int n);
void check_partial_order(int n);

// True when the relation typed on n elements (a byte matrix, row-major with
// row length n) returns to some element.
bool has_cycle(const unsigned char *typed, int n);

// The order on 0..n-1 is the reflexive and transitive closure of typed.
const char *closure_fault(const unsigned char *typed, int n);
void check_closure_of(const unsigned char *typed, int n);

// The poset on the generators is a lattice (every pair has both bounds).
// Needs a partial order on 0..n-1, as do the two checks after it.
bool poset_is_lattice(int n);

// Every meet and join is unknown.
void check_tables_empty();

// The meet and join tables on 0..n-1: symmetric, values name elements below
// n, comparable pairs hold their lower and upper element, and every defined
// entry is the greatest lower (least upper) bound among elements 0..n-1.
// Nothing outside 0..n-1 is defined.
const char *operation_tables_fault(int n);
void check_operation_tables(int n);

// Number of incomparable pairs of generators whose bound exists in the
// poset: meets and joins, each unordered pair once.
int incomparable_pairs_with_bounds(int n);

// Terms of the generated elements below n: their operands lie below them
// and the table holds the element as their join or meet.
void check_terms(int n);

// Every meet and join of elements 0..n-1 is known.
void check_closed(int n);

// The two lattices hold the same, entry for entry.
bool same_lattice(const Lattice &a, const Lattice &b);

[[noreturn]] void fail(const char *what);

}  // namespace workspace_checks
