#include "reference.h"

#include "workspace/workspace.h"

namespace reference {
namespace {

bool le(int a, int b) { return OrderMatrix[a][b] != 0; }

// Greatest lower bound of a and b among elements 0..n-1, or -1.
int lower_bound(int a, int b, int n) {
    int best = -1;
    for (int z = 0; z < n; ++z) {
        if (!le(z, a) || !le(z, b)) continue;
        if (best < 0 || le(best, z)) best = z;
    }
    if (best < 0) return -1;
    for (int z = 0; z < n; ++z) {
        if (le(z, a) && le(z, b) && !le(z, best)) return -1;
    }
    return best;
}

int upper_bound(int a, int b, int n) {
    int best = -1;
    for (int z = 0; z < n; ++z) {
        if (!le(a, z) || !le(b, z)) continue;
        if (best < 0 || le(z, best)) best = z;
    }
    if (best < 0) return -1;
    for (int z = 0; z < n; ++z) {
        if (le(a, z) && le(b, z) && !le(best, z)) return -1;
    }
    return best;
}

// Reachability by one or more steps of the typed relation.
void reach(const unsigned char *typed, int n, unsigned char (&out)[62][62]) {
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) out[a][b] = typed[a * n + b] != 0;
    for (int k = 0; k < n; ++k)
        for (int a = 0; a < n; ++a)
            if (out[a][k])
                for (int b = 0; b < n; ++b)
                    if (out[k][b]) out[a][b] = 1;
}

}  // namespace

const char *partial_order_fault(int n) {
    for (int a = 0; a < n; ++a) {
        if (!le(a, a)) return "order not reflexive";
        for (int b = 0; b < n; ++b) {
            if (OrderMatrix[a][b] > 1) return "order entry other than 0 and 1";
            if (a != b && le(a, b) && le(b, a)) return "order not antisymmetric";
            if (!le(a, b)) continue;
            for (int c = 0; c < n; ++c) {
                if (le(b, c) && !le(a, c)) return "order not transitive";
            }
        }
    }
    return nullptr;
}

bool has_cycle(const unsigned char *typed, int n) {
    unsigned char r[62][62];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        if (r[a][a]) return true;
    return false;
}

const char *closure_fault(const unsigned char *typed, int n) {
    if (n > 62) return "more than 62 generators";
    unsigned char r[62][62];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b) != (a == b || r[a][b] != 0)) return "order is not the closure of the typed pairs";
    return nullptr;
}

bool poset_is_lattice(int n) {
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (lower_bound(a, b, n) < 0 || upper_bound(a, b, n) < 0) return false;
    return true;
}

const char *operation_tables_fault(int n) {
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            unsigned char meet = MeetTable[r][c];
            unsigned char join = JoinTable[r][c];
            if (r >= n || c >= n) {
                if (meet != UNDEFINED || join != UNDEFINED) return "meet or join defined outside the elements";
                continue;
            }
            if (meet != MeetTable[c][r]) return "MeetTable not symmetric";
            if (join != JoinTable[c][r]) return "JoinTable not symmetric";
            if (meet != UNDEFINED && meet >= n) return "a meet names no existing element";
            if (join != UNDEFINED && join >= n) return "a join names no existing element";
            if (le(r, c)) {
                if (meet != r) return "meet of comparable elements is not the lower one";
                if (join != c) return "join of comparable elements is not the upper one";
            }
            if (c < r) continue;  // the bounds are those of [c][r]
            if (meet != UNDEFINED && lower_bound(r, c, n) != meet) return "a meet is not the greatest lower bound";
            if (join != UNDEFINED && upper_bound(r, c, n) != join) return "a join is not the least upper bound";
        }
    }
    return nullptr;
}

int incomparable_pairs_with_bounds(int n) {
    int count = 0;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (le(a, b) || le(b, a)) continue;
            if (lower_bound(a, b, n) >= 0) ++count;
            if (upper_bound(a, b, n) >= 0) ++count;
        }
    }
    return count;
}

}  // namespace reference
