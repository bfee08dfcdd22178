// The reference the tests, the fuzz target and the benchmarks check against:
// closure, bounds and names worked out plainly from their definitions, sharing
// no code with the program. Order functions read the lattice's order on
// elements 0..n-1; typed relations are byte matrices, row-major with row
// length n.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lattice/lattice.h"

namespace reference {

// Entry a * n + b is 1 when b is reached from a in one or more steps of typed.
std::vector<unsigned char> reachability(const unsigned char *typed, int n);

// The greatest common lower bound of a and b (the least common upper bound),
// or -1 when there is none. The order on 0..n-1 must be a partial order.
int meet(const Lattice &lattice, int a, int b, int n);
int join(const Lattice &lattice, int a, int b, int n);

// The names of all elements that have one, as the naming rule gives them:
// the generators' own, then the characters 0-9, A-Z, a-z, 128, 129, ..., 255
// that no generator uses.
std::string slot_names(std::string_view generator_names);

// The fuzz target's order checks, cubic: each returns what workspace_checks'
// function of the same name returns (a fault's text, nullptr when it holds).
const char *partial_order_fault(const Lattice &lattice, int n);
bool has_cycle(const unsigned char *typed, int n);
const char *closure_fault(const Lattice &lattice, const unsigned char *typed, int n);
bool poset_is_lattice(const Lattice &lattice, int n);
const char *operation_tables_fault(const Lattice &lattice, int n);
int incomparable_pairs_with_bounds(const Lattice &lattice, int n);

// The part of operation_tables_fault that needs no bounds, on the entries
// for r and c; the fuzz target's check shares it. Inline: called per entry.
inline const char *table_entry_fault(const Lattice &lattice, int r, int c, int n) {
    Element meet = lattice.meet(r, c);
    Element join = lattice.join(r, c);
    if (r >= n || c >= n)
        return meet != NO_ELEMENT || join != NO_ELEMENT ? "meet or join defined outside the elements" : nullptr;
    if (meet != lattice.meet(c, r)) return "MeetTable not symmetric";
    if (join != lattice.join(c, r)) return "JoinTable not symmetric";
    if (meet != NO_ELEMENT && meet >= n) return "a meet names no existing element";
    if (join != NO_ELEMENT && join >= n) return "a join names no existing element";
    if (lattice.leq(r, c) && meet != r) return "meet of comparable elements is not the lower one";
    if (lattice.leq(r, c) && join != c) return "join of comparable elements is not the upper one";
    return nullptr;
}

// Whether the lattice's order on 0..n-1 has an ordered subset shaped as
// 1+1+1, 2+2 or 1+4: by Wille's theorem, whether the free lattice over it
// is infinite. Tries every set of three, four and five elements in every
// arrangement against the shapes' orders.
bool has_wille_subset(const Lattice &lattice, int n);

// A fault's text, or "holds" for nullptr: for comparing and printing.
inline std::string verdict(const char *fault) { return fault != nullptr ? fault : "holds"; }

}  // namespace reference
