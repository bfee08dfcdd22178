#include "poset/lattice_laws.h"

#include <cstring>

#include "console/console.h"
#include "poset/poset_bounds.h"
#include "lattice/lattice.h"

namespace {

bool poset_is_lattice(int n) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (poset_meet(i, j) == -1) return false;
            if (poset_join(i, j) == -1) return false;
        }
    }
    return true;
}

// Borrows the operation tables as complete meet and join tables; each
// ordered pair is computed by its own search.
void fill_tables(int n) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            MeetTable[i][j] = static_cast<unsigned char>(poset_meet(i, j));
            JoinTable[i][j] = static_cast<unsigned char>(poset_join(i, j));
        }
    }
}

// For x <= y: (x+z)y = x+(zy). Prints the first failing triple in loop order.
bool modular(int n) {
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (OrderMatrix[x][y] != 1) continue;
            for (int z = 0; z < n; ++z) {
                if (MeetTable[JoinTable[x][z]][y] != JoinTable[x][MeetTable[z][y]]) {
                    console_print("The lattice is not modular. (%c+%c)%c!=%c+(%c%c)\n", NameTable[x],
                                  NameTable[z], NameTable[y], NameTable[x], NameTable[z], NameTable[y]);
                    return false;
                }
            }
        }
    }
    return true;
}

// x(y+z) = (xy)+(xz) for all triples; prints the first failing one.
bool distributive(int n) {
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            for (int z = 0; z < n; ++z) {
                if (MeetTable[x][JoinTable[y][z]] != JoinTable[MeetTable[x][y]][MeetTable[x][z]]) {
                    console_print("The lattice is not distributive. %c(%c+%c)!=(%c%c)+(%c%c)\n",
                                  NameTable[x], NameTable[y], NameTable[z], NameTable[x], NameTable[y],
                                  NameTable[x], NameTable[z]);
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

void test_lattice_laws() { test_lattice_laws(KEYBOARD_ANSWERS); }

void test_lattice_laws(const AnswerSource &answers) {
    int n = generator_count;
    if (!poset_is_lattice(n)) return;
    if (!answers.law_tests_wanted()) return;
    fill_tables(n);
    if (modular(n)) {
        stdout_print("The lattice is modular.\n");
        if (distributive(n)) stdout_print("The lattice is distributive.\n");
    }
    // The dialogue that follows starts from empty tables.
    std::memset(MeetTable, UNDEFINED, sizeof MeetTable);
    std::memset(JoinTable, UNDEFINED, sizeof JoinTable);
}
