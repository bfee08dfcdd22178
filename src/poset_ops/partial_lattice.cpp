#include "poset_ops/partial_lattice.h"

#include "console/console.h"
#include "poset_ops/poset_bounds.h"
#include "workspace/workspace.h"

namespace {

constexpr int KEY_YES = 'y';

// One question; only y or Y declares the bound defined. The key is not echoed.
bool answered_yes() {
    if (to_lower(console_read_key()) == KEY_YES) {
        console_print("  YES, defined");
        return true;
    }
    console_print("  NO, undefined");
    return false;
}

void set_both(unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], int r, int c, int value) {
    table[r][c] = static_cast<unsigned char>(value);
    table[c][r] = static_cast<unsigned char>(value);
}

}  // namespace

void define_partial_lattice() {
    int n = generator_count;
    // Comparable pairs are always defined: the lower is the meet, the upper
    // the join; the diagonal included.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (OrderMatrix[i][j] == 1) {
                set_both(MeetTable, i, j, i);
                set_both(JoinTable, i, j, j);
            }
        }
    }
    // All meet questions come before all join questions, each unordered pair
    // once, smaller index first.
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (MeetTable[i][j] != UNDEFINED) continue;
            int m = poset_meet(i, j);
            if (m == -1) continue;
            console_print("\n Is %c.%c=%c defined? (Y/N) ", NameTable[i], NameTable[j], NameTable[m]);
            if (answered_yes()) set_both(MeetTable, i, j, m);
        }
    }
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (JoinTable[i][j] != UNDEFINED) continue;
            int m = poset_join(i, j);
            if (m == -1) continue;
            console_print("\n Is %c+%c=%c defined? (Y/N) ", NameTable[i], NameTable[j], NameTable[m]);
            if (answered_yes()) set_both(JoinTable, i, j, m);
        }
    }
    console_print("\nWE HAVE DEFINED A PARTIAL LATTICE\n");
}
