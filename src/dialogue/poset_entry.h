// Start of a run: the workspace reset with the banner, and the poset typed
// key by key as chains of one-character names.
#pragma once

// Resets order, meets, joins and names, as at the start of an entry (which
// sets the generator count to 0 itself).
void reset_poset();

// Resets as reset_poset, then prints the banner on standard output.
void reset_and_show_banner();

// Reads chains of names until Enter with no chain open; registers new names
// and records each pair of neighbours in a chain, the earlier one below.
void read_poset();

// Whether code is a name: exactly the 62 ASCII letters and digits, by
// explicit ranges; the locale is never consulted, and codes of 128 and above
// are never names.
bool is_name(int code);

// One name of a chain, from the keyboard or elsewhere: registers it when new
// and, after previous (a name, or 0 at the start of a chain), records
// previous below it. Nothing is printed.
void enter_name(int previous, int name);
