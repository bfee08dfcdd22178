#include "poset/order_closure.h"

namespace {

// Transitive closure on the generators: whole passes until one changes
// nothing. Entries set within a pass already count later in that pass.
void close_order(Lattice &lattice, int n) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k) {
                    if (lattice.leq(i, j) && lattice.leq(j, k) && !lattice.leq(i, k)) {
                        lattice.set_leq(i, k);
                        changed = true;
                    }
                }
            }
        }
    }
}

// Sets the whole diagonal; true when any entry was already set, which after
// the closure means some element lies on a cycle.
bool make_reflexive(Lattice &lattice, int n) {
    bool cycle = false;
    for (int x = 0; x < n; ++x) {
        if (lattice.leq(x, x)) cycle = true;
        lattice.set_leq(x, x);
    }
    return cycle;
}

}  // namespace

bool close_poset(Lattice &lattice) {
    int n = lattice.generators();
    close_order(lattice, n);
    lattice.set_elements(n);
    return !make_reflexive(lattice, n);
}
