// Lattices filled by hand for the browser tests, as the build would leave
// them (elements named by lattice_setup::name_slots), in the scripted
// session's lattice, and readers that take the console output of tables and
// of the term list apart again.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace browser_fixtures {

// The action loop's prompt on the console.
inline const std::string PROMPT = "\nPress an action key or H for help ";

// Makes r <= c, and as for every comparable pair the join r+c = c and the
// meet r.c = r in both orders.
void make_less_or_equal(int r, int c);

// No generators, nothing shown.
void empty_result();

// The poset a<b: two elements.
void chain_a_b();

// Two incomparable generators a and b, nothing declared defined: the four
// elements a, b, 0 = a+b, 1 = ab.
void two_incomparable();

// Three incomparable generators a, b, c with the build stopped after 0 = a+b
// and 1 = ab: every join and meet with c other than c+c and cc is still
// unknown. Five elements shown.
void stopped_early();

// A chain of n elements 0 < 1 < ... < n-1, named by slot; only for looking at
// windows of large tables (terms are not shown from it).
void chain(int n);

// Generators a and b and generated elements whose terms grow fast: 2 = a+b,
// then meets and joins of the two elements before; 119 characters for
// element 8, 194 for element 9. Only the terms are meaningful. n elements
// shown, 2 <= n <= 10.
void growing_terms(int n);

// The number of elements the fixture set up shows.
int shown();

// One window of a table as read back from the console output.
struct Window {
    int first_column;
    int last_column;
    int first_row;
    int last_row;
    bool operator==(const Window &) const = default;
};
std::string to_string(const Window &w);

// Takes every table display in the console output apart, in order. Each
// display must have consecutive columns and rows, and every cell must hold
// what the lattice gives for kind ('l', 'j' or 'm'); a deviation fails the
// current test.
std::vector<Window> windows_shown(char kind);

// The last term list that the key t printed on the console, as the (name,
// term) of each line "<name> ... <term>" up to q at the next prompt; empty
// when there is none, or a line has no " ... ".
std::vector<std::pair<std::string, std::string>> printed_terms();

// Runs action_loop on the scripted console as it stands (call
// scripted::start, then a fixture), over the elements the fixture shows.
// Returns false when the loop asked for a key after the script ran out;
// otherwise stores its result.
bool run_action_loop(int *result);

}  // namespace browser_fixtures
