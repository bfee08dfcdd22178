#include "poset/poset_bounds.h"

#include "lattice/lattice.h"

namespace {

bool is_lower_bound(int i, int a, int b) { return OrderMatrix[i][a] == 1 && OrderMatrix[i][b] == 1; }

bool is_upper_bound(int i, int a, int b) { return OrderMatrix[a][i] == 1 && OrderMatrix[b][i] == 1; }

}  // namespace

int poset_meet(int a, int b) {
    if (OrderMatrix[a][b] == 1) return a;
    if (OrderMatrix[b][a] == 1) return b;
    int n = generator_count;
    int c = -1;
    for (int i = 0; i < n; ++i) {
        if (is_lower_bound(i, a, b)) c = i;
    }
    if (c == -1) return -1;
    // Climb to the greatest common lower bound, if there is one.
    for (int i = 0; i < n; ++i) {
        if (is_lower_bound(i, a, b) && OrderMatrix[c][i] == 1) c = i;
    }
    // Accept it only if every common lower bound lies below it.
    for (int j = 0; j < n; ++j) {
        if (j != c && is_lower_bound(j, a, b) && OrderMatrix[j][c] == 0) return -1;
    }
    return c;
}

int poset_join(int a, int b) {
    if (OrderMatrix[a][b] == 1) return b;
    if (OrderMatrix[b][a] == 1) return a;
    int n = generator_count;
    int c = -1;
    for (int i = 0; i < n; ++i) {
        if (is_upper_bound(i, a, b)) c = i;
    }
    if (c == -1) return -1;
    // Descend to the least common upper bound, if there is one.
    for (int i = 0; i < n; ++i) {
        if (is_upper_bound(i, a, b) && OrderMatrix[i][c] == 1) c = i;
    }
    // Accept it only if every common upper bound lies above it.
    for (int j = 0; j < n; ++j) {
        if (j != c && is_upper_bound(j, a, b) && OrderMatrix[c][j] == 0) return -1;
    }
    return c;
}
