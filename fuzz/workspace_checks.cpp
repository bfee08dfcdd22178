#include "workspace_checks.h"

#include <bit>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reference.h"

namespace workspace_checks {
namespace {

const Lattice *watched = nullptr;

const Lattice &lattice() { return *watched; }

bool is_user_name(int c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool le(int a, int b) { return lattice().leq(a, b); }

// The order on 0..n-1 as rows of bits: up[a] holds every b with a <= b,
// down[b] every a with a <= b. The dialogue's builds have at most 101
// elements.
constexpr int ROWS = 128;
using Row = std::bitset<ROWS>;
Row up[ROWS];
Row down[ROWS];

[[noreturn]] void too_many(int n);

void load_rows(int n) {
    if (n > ROWS) too_many(n);
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
bool is_greatest(int m, const Row &set, const Row (&below)[ROWS]) {
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

void watch(const Lattice &lattice) { watched = &lattice; }

namespace {

void too_many(int n) {
    std::fprintf(stderr, "workspace: %d elements, more than the checks hold\n", n);
    std::abort();
}

}  // namespace

void fail(const char *what) {
    std::fprintf(stderr, "workspace: %s (%d generators)\n", what, lattice().generators());
    std::abort();
}

void check_reset() {
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) {
            if (lattice().leq(r, c)) fail("order left after the reset");
            if (lattice().meet(r, c) != NO_ELEMENT || lattice().join(r, c) != NO_ELEMENT)
                fail("meet or join left after the reset");
        }
        if (lattice().name(r) != 0) fail("name left after the reset");
    }
    for (int c = 0; c < 256; ++c) {
        if (lattice().named(static_cast<unsigned char>(c)) != -1) fail("name index left after the reset");
    }
}

void check_names(int named) {
    for (int k = 0; k < lattice().capacity(); ++k) {
        unsigned char name = lattice().name(k);
        if (k >= named) {
            if (name != 0) fail("an element is named too early");
            continue;
        }
        if (name == 0) fail("an element has no name");
        if (lattice().named(name) != k) fail("the name index does not lead back to the element of a name");
    }
    for (int c = 0; c < 256; ++c) {
        int k = lattice().named(static_cast<unsigned char>(c));
        if (k == -1) continue;
        if (k >= named) fail("the name index names an element without a name");
        if (lattice().name(k) != c) fail("the names do not lead back to the character of the name index");
    }
    for (int k = 0; k < lattice().generators() && k < named; ++k) {
        if (!is_user_name(lattice().name(k))) fail("a generator's name is no letter or digit");
    }
}

void check_generated_names() {
    std::string generators;
    for (int k = 0; k < lattice().generators(); ++k) generators += static_cast<char>(lattice().name(k));
    std::string expected = reference::slot_names(generators);
    for (int k = lattice().generators(); k < lattice().capacity(); ++k) {
        unsigned char name = k < static_cast<int>(expected.size()) ? static_cast<unsigned char>(expected[k]) : 0;
        if (lattice().name(k) != name) fail("a generated element is not named by the next free name");
    }
}

const char *partial_order_fault(int n) {
    load_rows(n);
    for (int a = 0; a < n; ++a) {
        if (!le(a, a)) return "order not reflexive";
        for (int b = 0; b < n; ++b) {
            if (lattice().order_row(a)[b] > 1) return "order entry other than 0 and 1";
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
    for (int r = 0; r < lattice().capacity(); ++r)
        for (int c = 0; c < lattice().capacity(); ++c)
            if (lattice().meet(r, c) != NO_ELEMENT || lattice().join(r, c) != NO_ELEMENT)
                fail("meet or join table not empty");
}

const char *operation_tables_fault(int n) {
    load_rows(n);
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) {
            if (const char *fault = reference::table_entry_fault(lattice(), r, c, n)) return fault;
            if (r >= n || c >= n || c < r) continue;  // the bounds of [c][r] are those of [r][c]
            Element meet = lattice().meet(r, c);
            Element join = lattice().join(r, c);
            if (meet != NO_ELEMENT && !is_greatest(meet, down[r] & down[c], down))
                return "a meet is not the greatest lower bound";
            if (join != NO_ELEMENT && !is_greatest(join, up[r] & up[c], up))
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
    for (int k = lattice().generators(); k < n; ++k) {
        const TermRecord &t = lattice().term(k);
        if (t.operation != OP_MEET && t.operation != OP_JOIN) fail("a term with an unknown operation");
        if (t.left >= k || t.right >= k) fail("a term's operand does not lie below it");
        Element value = t.operation == OP_JOIN ? lattice().join(t.left, t.right) : lattice().meet(t.left, t.right);
        if (value != k) fail("a term's operation does not give its element");
    }
}

bool same_lattice(const Lattice &a, const Lattice &b) {
    if (a.capacity() != b.capacity() || a.generators() != b.generators() || a.elements() != b.elements() ||
        a.closed() != b.closed())
        return false;
    for (int r = 0; r < a.capacity(); ++r) {
        const TermRecord &s = a.term(r), &t = b.term(r);
        if (a.name(r) != b.name(r) || s.operation != t.operation || s.left != t.left || s.right != t.right) return false;
        for (int c = 0; c < a.capacity(); ++c)
            if (a.leq(r, c) != b.leq(r, c) || a.join(r, c) != b.join(r, c) || a.meet(r, c) != b.meet(r, c)) return false;
    }
    return true;
}

void check_closed(int n) {
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (lattice().meet(r, c) == NO_ELEMENT || lattice().join(r, c) == NO_ELEMENT)
                fail("closed, but a meet or join is unknown");
}

}  // namespace workspace_checks
