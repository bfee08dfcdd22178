#include "poset/names.h"

void enter_name(Lattice &lattice, int previous, int name) {
    int element = lattice.named(static_cast<unsigned char>(name));
    if (element < 0) {
        element = lattice.generators();
        lattice.set_generators(element + 1);
        lattice.set_name(element, static_cast<unsigned char>(name));
    }
    if (previous != 0) lattice.set_leq(lattice.named(static_cast<unsigned char>(previous)), element);
}

void name_free_slots(Lattice &lattice) {
    int c = '0';
    for (int k = lattice.generators(); k < NAMES_MAX; ++k) {
        while (lattice.named(static_cast<unsigned char>(c)) >= 0) c = next_name_char(c);
        lattice.set_name(k, static_cast<unsigned char>(c));
    }
}

int next_name_char(int c) {
    if (c >= 57 && c <= 64) return 'A';
    if (c >= 90 && c <= 96) return 'a';
    if (c >= 122 && c <= 127) return 128;
    return c == 255 ? 0 : c + 1;
}
