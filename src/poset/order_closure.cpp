#include "poset/order_closure.h"

#include "console/console.h"
#include "dialogue/poset_entry.h"
#include "lattice/lattice.h"

namespace {

// Transitive closure on the generators: whole passes until one changes
// nothing. Entries set within a pass already count later in that pass.
void close_order(int n) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k) {
                    if (OrderMatrix[i][j] == 1 && OrderMatrix[j][k] == 1 && OrderMatrix[i][k] == 0) {
                        OrderMatrix[i][k] = 1;
                        changed = true;
                    }
                }
            }
        }
    }
}

// Sets the whole diagonal; true when any entry was already set, which after
// the closure means some element lies on a cycle.
bool make_reflexive(int n) {
    bool cycle = false;
    for (int x = 0; x < n; ++x) {
        if (OrderMatrix[x][x] == 1) cycle = true;
        OrderMatrix[x][x] = 1;
    }
    return cycle;
}

}  // namespace

bool close_poset() {
    int n = generator_count;
    close_order(n);
    return !make_reflexive(n);
}

void name_free_slots() {
    for (int k = 0; k < MAX_ELEMENTS; ++k) {
        if (NameTable[k] != 0) continue;
        int c = '0';
        while (NameIndex[c] != UNDEFINED) c = next_name_char(c);
        NameTable[k] = static_cast<unsigned char>(c);
        NameIndex[c] = static_cast<unsigned char>(k);
    }
}

void close_and_validate_poset() {
    for (;;) {
        if (close_poset()) break;
        console_print("\nTHIS IS NO POSET!   TRY ONCE MORE\n");
        reset_and_show_banner();
        read_poset();
    }
    console_print("\nPOSET WITH %d ELEMENTS DEFINED\n", generator_count);
    name_free_slots();
}

int next_name_char(int c) {
    if (c >= 57 && c <= 64) return 'A';
    if (c >= 90 && c <= 96) return 'a';
    if (c >= 122 && c <= 127) return 128;
    return c + 1;
}
