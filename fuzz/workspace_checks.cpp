#include "workspace_checks.h"

#include <bit>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reference.h"
#include "lattice/lattice.h"

namespace workspace_checks {
namespace {

bool is_user_name(int c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool le(int a, int b) { return OrderMatrix[a][b] != 0; }

// The order on 0..n-1 as rows of bits: up[a] holds every b with a <= b,
// down[b] every a with a <= b.
using Row = std::bitset<MAX_ELEMENTS>;
Row up[MAX_ELEMENTS];
Row down[MAX_ELEMENTS];

void load_rows(int n) {
    for (int a = 0; a < n; ++a) {
        up[a].reset();
        down[a].reset();
    }
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b)) {
                up[a].set(static_cast<std::size_t>(b));
                down[b].set(static_cast<std::size_t>(a));
            }
}

// m is the greatest element of the set (the least, given up-rows).
// Same verdict as finding the bound and comparing: in a partial order a set
// has at most one greatest element.
bool is_greatest(int m, const Row &set, const Row (&below)[MAX_ELEMENTS]) {
    return set.test(static_cast<std::size_t>(m)) && (set & ~below[m]).none();
}

// The same over the generators, which fit in one word and are searched for
// their bound rather than checked against a given one.
using Mask = std::uint64_t;
constexpr int MASK_BITS = 62;

bool has_bit(Mask m, int b) { return ((m >> b) & 1U) != 0; }

// The greatest element of the set (the least, given up-masks), or -1.
int greatest_of(Mask set, const Mask (&below)[MASK_BITS]) {
    for (Mask rest = set; rest != 0; rest &= rest - 1) {
        int m = std::countr_zero(rest);
        if ((set & ~below[m]) == 0) return m;
    }
    return -1;
}

Mask up_mask[MASK_BITS];
Mask down_mask[MASK_BITS];

void load_masks(int n) {
    if (n > MASK_BITS) fail("more than 62 generators");
    for (int a = 0; a < n; ++a) up_mask[a] = down_mask[a] = 0;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b)) {
                up_mask[a] |= Mask{1} << b;
                down_mask[b] |= Mask{1} << a;
            }
}

bool has_lower_bound(int a, int b) { return greatest_of(down_mask[a] & down_mask[b], down_mask) >= 0; }
bool has_upper_bound(int a, int b) { return greatest_of(up_mask[a] & up_mask[b], up_mask) >= 0; }

// Reachability by one or more steps of the typed relation, row a as bits.
void reach(const unsigned char *typed, int n, Mask (&out)[MASK_BITS]) {
    for (int a = 0; a < n; ++a) {
        out[a] = 0;
        for (int b = 0; b < n; ++b)
            if (typed[a * n + b] != 0) out[a] |= Mask{1} << b;
    }
    for (int k = 0; k < n; ++k)
        for (int a = 0; a < n; ++a)
            if (has_bit(out[a], k)) out[a] |= out[k];
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
    const char *generators = reinterpret_cast<const char *>(NameTable);
    std::string expected = reference::slot_names({generators, static_cast<std::size_t>(generator_count)});
    if (expected.size() != MAX_ELEMENTS) fail("the naming sequence ran out");
    for (int k = generator_count; k < MAX_ELEMENTS; ++k)
        if (NameTable[k] != static_cast<unsigned char>(expected[k]))
            fail("a generated slot is not named by the next free name");
}

const char *partial_order_fault(int n) {
    load_rows(n);
    for (int a = 0; a < n; ++a) {
        if (!le(a, a)) return "order not reflexive";
        for (int b = 0; b < n; ++b) {
            if (OrderMatrix[a][b] > 1) return "order entry other than 0 and 1";
            if (a != b && le(a, b) && le(b, a)) return "order not antisymmetric";
            if (le(a, b) && (up[b] & ~up[a]).any()) return "order not transitive";
        }
    }
    return nullptr;
}

void check_partial_order(int n) {
    if (const char *fault = partial_order_fault(n)) fail(fault);
}

bool has_cycle(const unsigned char *typed, int n) {
    if (n > MASK_BITS) fail("more than 62 generators");
    Mask r[MASK_BITS];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        if (has_bit(r[a], a)) return true;
    return false;
}

const char *closure_fault(const unsigned char *typed, int n) {
    if (n > MASK_BITS) return "more than 62 generators";
    Mask r[MASK_BITS];
    reach(typed, n, r);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (le(a, b) != (a == b || has_bit(r[a], b))) return "order is not the closure of the typed pairs";
    return nullptr;
}

void check_closure_of(const unsigned char *typed, int n) {
    if (const char *fault = closure_fault(typed, n)) fail(fault);
}

bool poset_is_lattice(int n) {
    load_masks(n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (!has_lower_bound(a, b) || !has_upper_bound(a, b)) return false;
    return true;
}

void check_tables_empty() {
    for (int r = 0; r < MAX_ELEMENTS; ++r)
        for (int c = 0; c < MAX_ELEMENTS; ++c)
            if (MeetTable[r][c] != UNDEFINED || JoinTable[r][c] != UNDEFINED) fail("meet or join table not empty");
}

const char *operation_tables_fault(int n) {
    load_rows(n);
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            if (const char *fault = reference::table_entry_fault(r, c, n)) return fault;
            if (r >= n || c >= n || c < r) continue;  // the bounds of [c][r] are those of [r][c]
            if (MeetTable[r][c] != UNDEFINED && !is_greatest(MeetTable[r][c], down[r] & down[c], down))
                return "a meet is not the greatest lower bound";
            if (JoinTable[r][c] != UNDEFINED && !is_greatest(JoinTable[r][c], up[r] & up[c], up))
                return "a join is not the least upper bound";
        }
    }
    return nullptr;
}

void check_operation_tables(int n) {
    if (const char *fault = operation_tables_fault(n)) fail(fault);
}

int incomparable_pairs_with_bounds(int n) {
    load_masks(n);
    int count = 0;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (le(a, b) || le(b, a)) continue;
            if (has_lower_bound(a, b)) ++count;
            if (has_upper_bound(a, b)) ++count;
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
