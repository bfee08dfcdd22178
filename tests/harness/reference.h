// The fuzz target's order checks written plainly, straight from their
// definitions (cubic): the reference that the bit-row checks must agree with.
// Each returns what workspace_checks' function of the same name returns.
#pragma once

namespace reference {

const char *partial_order_fault(int n);
bool has_cycle(const unsigned char *typed, int n);
const char *closure_fault(const unsigned char *typed, int n);
bool poset_is_lattice(int n);
const char *operation_tables_fault(int n);
int incomparable_pairs_with_bounds(int n);

}  // namespace reference
