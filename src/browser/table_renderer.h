// One window of the order, join or meet table, rows and columns labelled with
// the elements' names.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"

// kind is 'l', 'j' or 'm'. The window runs from the first to the last column
// and row, inclusive; first 0 and last -1 on both axes for an empty result.
// The last row ends without a line end.
void show_table(Console &console, const Lattice &lattice, int kind, int first_column, int first_row,
                int last_column, int last_row);
