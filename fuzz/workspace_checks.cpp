#include "workspace_checks.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "workspace/workspace.h"

namespace workspace_checks {
namespace {

bool is_user_name(int c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

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

}  // namespace

void fail(const char *what) {
    std::fprintf(stderr, "workspace: %s (generator_count %d)\n", what, static_cast<int>(generator_count));
    std::abort();
}

void check_reset() {
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            if (OrderMatrix[r][c] != 0) fail("order left after the reset");
            if (MeetTable[r][c] != UNDEFINED || JoinTable[r][c] != UNDEFINED) fail("meet or join left after the reset");
        }
        if (NameTable[r] != 0) fail("name left after the reset");
    }
    for (int c = 0; c < 256; ++c) {
        if (NameIndex[c] != UNDEFINED) fail("name index left after the reset");
    }
}

void check_names(int named) {
    for (int k = 0; k < MAX_ELEMENTS; ++k) {
        unsigned char name = NameTable[k];
        if (k >= named) {
            if (name != 0) fail("a slot is named too early");
            continue;
        }
        if (name == 0) fail("a slot has no name");
        if (NameIndex[name] != k) fail("NameIndex does not lead back to the slot of a name");
    }
    for (int c = 0; c < 256; ++c) {
        unsigned char k = NameIndex[c];
        if (k == UNDEFINED) continue;
        if (k >= named) fail("NameIndex names a slot without a name");
        if (NameTable[k] != c) fail("NameTable does not lead back to the character of NameIndex");
    }
    for (int k = 0; k < generator_count && k < named; ++k) {
        if (!is_user_name(NameTable[k])) fail("a generator's name is no letter or digit");
    }
}

void check_generated_names() {
    int next = generator_count;
    for (int c = 0; c < 256 && next < MAX_ELEMENTS; ++c) {
        // The naming sequence: 0-9, A-Z, a-z, then 128 upward.
        int code = c < 10 ? '0' + c : c < 36 ? 'A' + c - 10 : c < 62 ? 'a' + c - 36 : 128 + c - 62;
        if (code > 255) break;
        unsigned char owner = NameIndex[code];
        if (owner != UNDEFINED && owner < generator_count) continue;
        if (NameTable[next] != code) fail("a generated slot is not named by the next free name");
        ++next;
    }
    if (next != MAX_ELEMENTS) fail("the naming sequence ran out");
}

void check_partial_order(int n) {
    for (int a = 0; a < n; ++a) {
        if (!le(a, a)) fail("order not reflexive");
        for (int b = 0; b < n; ++b) {
            if (OrderMatrix[a][b] > 1) fail("order entry other than 0 and 1");
            if (a != b && le(a, b) && le(b, a)) fail("order not antisymmetric");
            if (!le(a, b)) continue;
            for (int c = 0; c < n; ++c) {
                if (le(b, c) && !le(a, c)) fail("order not transitive");
            }
        }
    }
}

namespace {

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

bool has_cycle(const unsigned char *typed, int n) {
    if (n > 62) fail("more than 62 generators");
    unsigned char r[62][62];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        if (r[a][a]) return true;
    return false;
}

void check_closure_of(const unsigned char *typed, int n) {
    if (n > 62) fail("more than 62 generators");
    unsigned char r[62][62];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b) != (a == b || r[a][b] != 0)) fail("order is not the closure of the typed pairs");
}

bool poset_is_lattice(int n) {
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (lower_bound(a, b, n) < 0 || upper_bound(a, b, n) < 0) return false;
    return true;
}

void check_tables_empty() {
    for (int r = 0; r < MAX_ELEMENTS; ++r)
        for (int c = 0; c < MAX_ELEMENTS; ++c)
            if (MeetTable[r][c] != UNDEFINED || JoinTable[r][c] != UNDEFINED) fail("meet or join table not empty");
}

void check_operation_tables(int n) {
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            unsigned char meet = MeetTable[r][c];
            unsigned char join = JoinTable[r][c];
            if (r >= n || c >= n) {
                if (meet != UNDEFINED || join != UNDEFINED) fail("meet or join defined outside the elements");
                continue;
            }
            if (meet != MeetTable[c][r]) fail("MeetTable not symmetric");
            if (join != JoinTable[c][r]) fail("JoinTable not symmetric");
            if (meet != UNDEFINED && meet >= n) fail("a meet names no existing element");
            if (join != UNDEFINED && join >= n) fail("a join names no existing element");
            if (le(r, c)) {
                if (meet != r) fail("meet of comparable elements is not the lower one");
                if (join != c) fail("join of comparable elements is not the upper one");
            }
            if (c < r) continue;  // the bounds are those of [c][r]
            if (meet != UNDEFINED && lower_bound(r, c, n) != meet) fail("a meet is not the greatest lower bound");
            if (join != UNDEFINED && upper_bound(r, c, n) != join) fail("a join is not the least upper bound");
        }
    }
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

void check_terms(int n) {
    for (int k = generator_count; k < n; ++k) {
        const TermRecord &t = TermTable[k];
        if (t.operation != OP_MEET && t.operation != OP_JOIN) fail("a term with an unknown operation");
        if (t.left >= k || t.right >= k) fail("a term's operand does not lie below it");
        unsigned char value = t.operation == OP_JOIN ? JoinTable[t.left][t.right] : MeetTable[t.left][t.right];
        if (value != k) fail("a term's operation does not give its element");
    }
}

bool same_workspace(const LatticeWorkspace &a, const LatticeWorkspace &b) {
    const unsigned char *x = reinterpret_cast<const unsigned char *>(&a);
    const unsigned char *y = reinterpret_cast<const unsigned char *>(&b);
    for (std::size_t i = 0; i < sizeof a; ++i) {
        if (x[i] != y[i]) return false;
    }
    return true;
}

void check_closed(int n) {
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (MeetTable[r][c] == UNDEFINED || JoinTable[r][c] == UNDEFINED) fail("closed, but a meet or join is unknown");
}

}  // namespace workspace_checks
