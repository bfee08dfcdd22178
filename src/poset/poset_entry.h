// Start of a run: the workspace reset with the banner, and the poset typed
// key by key as chains of one-character names.
#pragma once

// Resets order, meets, joins and names, then prints the banner on standard
// output.
void reset_and_show_banner();

// Reads chains of names until Enter with no chain open; registers new names
// and records each pair of neighbours in a chain, the earlier one below.
void read_poset();
