#include "poset/poset_bounds.h"

namespace {

bool is_lower_bound(const Lattice &lattice, int i, int a, int b) { return lattice.leq(i, a) && lattice.leq(i, b); }

bool is_upper_bound(const Lattice &lattice, int i, int a, int b) { return lattice.leq(a, i) && lattice.leq(b, i); }

}  // namespace

int poset_meet(const Lattice &lattice, int a, int b) {
    if (lattice.leq(a, b)) return a;
    if (lattice.leq(b, a)) return b;
    int n = lattice.generators();
    int c = -1;
    for (int i = 0; i < n; ++i) {
        if (is_lower_bound(lattice, i, a, b)) c = i;
    }
    if (c == -1) return -1;
    // Climb to the greatest common lower bound, if there is one.
    for (int i = 0; i < n; ++i) {
        if (is_lower_bound(lattice, i, a, b) && lattice.leq(c, i)) c = i;
    }
    // Accept it only if every common lower bound lies below it.
    for (int j = 0; j < n; ++j) {
        if (j != c && is_lower_bound(lattice, j, a, b) && !lattice.leq(j, c)) return -1;
    }
    return c;
}

int poset_join(const Lattice &lattice, int a, int b) {
    if (lattice.leq(a, b)) return b;
    if (lattice.leq(b, a)) return a;
    int n = lattice.generators();
    int c = -1;
    for (int i = 0; i < n; ++i) {
        if (is_upper_bound(lattice, i, a, b)) c = i;
    }
    if (c == -1) return -1;
    // Descend to the least common upper bound, if there is one.
    for (int i = 0; i < n; ++i) {
        if (is_upper_bound(lattice, i, a, b) && lattice.leq(i, c)) c = i;
    }
    // Accept it only if every common upper bound lies above it.
    for (int j = 0; j < n; ++j) {
        if (j != c && is_upper_bound(lattice, j, a, b) && !lattice.leq(c, j)) return -1;
    }
    return c;
}
