// Turns the typed relation into a partial order, or rejects it and asks again.
#pragma once

// Closes the order on the generators; on a cycle prints the rejection and
// reads a new poset, as often as needed. Then reports the element count and
// names every slot still unnamed.
void close_and_validate_poset();

// Closes the typed relation transitively and sets the diagonal; false when
// it holds a cycle (the relation is then no order). Prints nothing.
bool close_poset();

// Gives every unnamed slot the first character of the naming sequence that
// names nothing yet, so generated elements can be printed like generators.
void name_free_slots();

// The character after c in the naming sequence 0-9, A-Z, a-z, 128, 129, ...
int next_name_char(int c);
