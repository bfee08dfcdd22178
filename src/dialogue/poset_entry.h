// Start of a run: a new lattice with the banner, the poset typed key by key
// as chains of one-character names, and its acceptance as an order.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"

// Makes lattice a new one (nothing named, no order, every join and meet
// unknown), then prints the banner on standard output.
void reset_and_show_banner(Console &console, Lattice &lattice);

// Reads chains of names until Enter with no chain open; registers new names
// and records each pair of neighbours in a chain, the earlier one below.
void read_poset(Console &console, Lattice &lattice);

// Closes the order on the generators; on a cycle prints the rejection and
// reads a new poset, as often as needed. Then reports the element count and
// names every element the names reach.
void close_and_validate_poset(Console &console, Lattice &lattice);
