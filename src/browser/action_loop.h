// The result browser: action keys at a prompt, tables scrolled through a
// window of 77 columns by 22 rows.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"

// Runs until q over the first shown elements of the lattice; returns the
// result of the console write of the line end that follows the echo of q
// (1 when the console works).
int action_loop(Console &console, const Lattice &lattice, int shown);

// Writes the help text on standard output.
void show_help(Console &console);

// Reads the next scrolling key: a lead 0 is replaced by its second code; a
// lead 224 is returned as it is, its second code left pending.
int read_nav_key(Console &console);
