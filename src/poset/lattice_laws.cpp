#include "poset/lattice_laws.h"

#include "poset/poset_bounds.h"

namespace {

// The complete meet and join tables of a lattice on the generators; each
// ordered pair is computed by its own search.
struct Operations {
    unsigned char meet[GENERATORS_MAX][GENERATORS_MAX];
    unsigned char join[GENERATORS_MAX][GENERATORS_MAX];
};

void fill_tables(const Lattice &lattice, int n, Operations &ops) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            ops.meet[i][j] = static_cast<unsigned char>(poset_meet(lattice, i, j));
            ops.join[i][j] = static_cast<unsigned char>(poset_join(lattice, i, j));
        }
    }
}

// For x <= y: (x+z)y = x+(zy).
bool modular(const Lattice &lattice, int n, const Operations &ops, LawTriple &failure) {
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (!lattice.leq(x, y)) continue;
            for (int z = 0; z < n; ++z) {
                if (ops.meet[ops.join[x][z]][y] != ops.join[x][ops.meet[z][y]]) {
                    failure = {x, y, z};
                    return false;
                }
            }
        }
    }
    return true;
}

// x(y+z) = (xy)+(xz) for all triples.
bool distributive(int n, const Operations &ops, LawTriple &failure) {
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            for (int z = 0; z < n; ++z) {
                if (ops.meet[x][ops.join[y][z]] != ops.join[ops.meet[x][y]][ops.meet[x][z]]) {
                    failure = {x, y, z};
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

bool poset_is_lattice(const Lattice &lattice) {
    int n = lattice.generators();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (poset_meet(lattice, i, j) == -1) return false;
            if (poset_join(lattice, i, j) == -1) return false;
        }
    }
    return true;
}

LawVerdict test_lattice_laws(const Lattice &lattice) {
    int n = lattice.generators();
    Operations ops;
    fill_tables(lattice, n, ops);
    LawVerdict verdict{};
    verdict.modular = modular(lattice, n, ops, verdict.not_modular);
    verdict.distributive = verdict.modular && distributive(n, ops, verdict.not_distributive);
    return verdict;
}
