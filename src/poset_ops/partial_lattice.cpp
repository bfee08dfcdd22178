#include "poset_ops/partial_lattice.h"

#include "console/console.h"
#include "poset_ops/poset_bounds.h"
#include "poset_ops/yes_no.h"
#include "workspace/workspace.h"

namespace {

// One question; only y or Y declares the bound defined. The key is not echoed.
bool answered_yes() {
    if (read_yes()) {
        console_print("  YES, defined");
        return true;
    }
    console_print("  NO, undefined");
    return false;
}

// One question for every pair not yet defined whose bound exists in the
// poset, each unordered pair once, smaller index first; symbol is the
// operation as the question writes it.
void ask_about_bounds(unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], int (*bound)(int, int),
                      char symbol) {
    int n = generator_count;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (table[i][j] != UNDEFINED) continue;
            int m = bound(i, j);
            if (m == -1) continue;
            console_print("\n Is %c%c%c=%c defined? (Y/N) ", NameTable[i], symbol, NameTable[j], NameTable[m]);
            if (answered_yes()) store_symmetric(table, i, j, m);
        }
    }
}

}  // namespace

void define_partial_lattice() {
    int n = generator_count;
    // Comparable pairs are always defined: the lower is the meet, the upper
    // the join; the diagonal included.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (OrderMatrix[i][j] == 1) {
                store_symmetric(MeetTable, i, j, i);
                store_symmetric(JoinTable, i, j, j);
            }
        }
    }
    // All meet questions come before all join questions.
    ask_about_bounds(MeetTable, poset_meet, '.');
    ask_about_bounds(JoinTable, poset_join, '+');
    console_print("\nWE HAVE DEFINED A PARTIAL LATTICE\n");
}
