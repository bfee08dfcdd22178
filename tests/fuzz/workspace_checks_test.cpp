// The fuzz target's bit-row order checks give the verdict of their plain
// reference on lattices made by the real phases and then corrupted, and
// each corruption that a check exists for makes it fail.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lattice_probe.h"
#include "partial_lattice_setup.h"
#include "reference.h"
#include "scripted_console.h"
#include "workspace_checks.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

namespace bits = workspace_checks;
namespace plain = reference;

using reference::verdict;

using Pairs = std::vector<std::pair<int, int>>;

struct Poset {
    const char *names;
    Pairs less;
};

// Pentagon, crown (two minimal upper bounds), a V without a join, an
// antichain, a chain out of index order, and 62 generators (every bit of a row
// word): two chains of 30 (even, odd) between a least and a greatest
// element, then two chains of 31 (first, second half) without any bound.
std::vector<Poset> posets() {
    const char *all_names = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    Pairs parity_chains = {{0, 1}, {60, 61}};
    Pairs halves;
    for (int k = 0; k + 2 < 62; ++k) parity_chains.push_back({k, k + 2});
    for (int k = 0; k + 1 < 62; ++k)
        if (k != 30) halves.push_back({k, k + 1});
    return {{"abc12", {{0, 1}, {1, 2}, {0, 3}, {3, 4}, {4, 2}}},
            {"abcd", {{0, 2}, {0, 3}, {1, 2}, {1, 3}}},
            {"abc", {{0, 1}, {0, 2}}},
            {"abc", {}},
            {"abcd", {{0, 2}, {2, 1}, {1, 3}}},
            {all_names, parity_chains},
            {all_names, halves}};
}

// The relation as typed: a byte matrix with rows of length n.
std::vector<unsigned char> typed_matrix(const Poset &p, int n) {
    std::vector<unsigned char> typed(static_cast<std::size_t>(n * n), 0);
    for (auto [a, b] : p.less) typed[static_cast<std::size_t>(a * n + b)] = 1;
    return typed;
}

// Cells (a, b) of an n by n matrix: all of a small one, about `most` spread
// over a large one (the reference is cubic).
std::vector<std::pair<int, int>> cells(int n, int most = 150) {
    int step = n * n > 2 * most ? n * n / most + 1 : 1;
    std::vector<std::pair<int, int>> out;
    for (int k = 0; k < n * n; k += step) out.push_back({k / n, k % n});
    return out;
}

void flip(unsigned char &entry) { entry = entry != 0 ? 0 : 1; }

// A new scripted session, whose lattice the checks read.
void start() {
    scripted::start("");
    bits::watch(lattice());
}

void expect_same_order_verdicts(int n) {
    EXPECT_EQ(verdict(bits::partial_order_fault(n)), verdict(plain::partial_order_fault(lattice(), n)));
    // The bound checks presume a partial order, as where the target calls them.
    if (plain::partial_order_fault(lattice(), n) != nullptr) return;
    EXPECT_EQ(bits::poset_is_lattice(n), plain::poset_is_lattice(lattice(), n));
    EXPECT_EQ(bits::incomparable_pairs_with_bounds(n), plain::incomparable_pairs_with_bounds(lattice(), n));
    EXPECT_EQ(verdict(bits::operation_tables_fault(n)), verdict(plain::operation_tables_fault(lattice(), n)));
}

TEST(WorkspaceChecks, PosetsWithAnEntryFlippedGetTheReferenceVerdicts) {
    for (const Poset &p : posets()) {
        SCOPED_TRACE(p.names);
        start();
        ASSERT_TRUE(lattice_setup::set_up(p.names, p.less, {}));
        const int n = lattice().generators();
        std::vector<unsigned char> typed = typed_matrix(p, n);
        EXPECT_EQ(verdict(bits::closure_fault(typed.data(), n)), "holds");
        EXPECT_EQ(verdict(bits::partial_order_fault(n)), "holds");
        for (auto [a, b] : cells(n)) {
            SCOPED_TRACE(testing::Message() << a << ' ' << b);
            unsigned char &typed_entry = typed[static_cast<std::size_t>(a * n + b)];
            flip(typed_entry);
            EXPECT_EQ(bits::has_cycle(typed.data(), n), plain::has_cycle(typed.data(), n));
            EXPECT_EQ(verdict(bits::closure_fault(typed.data(), n)), verdict(plain::closure_fault(lattice(), typed.data(), n)));
            flip(typed_entry);
            // The closure is unique: any other order is not it.
            flip(LatticeProbe::order(lattice(), a, b));
            EXPECT_EQ(verdict(bits::closure_fault(typed.data(), n)), "order is not the closure of the typed pairs");
            expect_same_order_verdicts(n);
            flip(LatticeProbe::order(lattice(), a, b));
        }
    }
}

TEST(WorkspaceChecks, LatticeVerdictsOfKnownPosets) {
    const bool is_lattice[] = {true, false, false, false, true, true, false};
    const int pairs_with_bounds[] = {4, 0, 1, 0, 0, 30 * 30 * 2, 0};
    std::vector<Poset> all = posets();
    for (std::size_t k = 0; k < all.size(); ++k) {
        start();
        ASSERT_TRUE(lattice_setup::set_up(all[k].names, all[k].less, {}));
        EXPECT_EQ(bits::poset_is_lattice(lattice().generators()), is_lattice[k]) << k;
        EXPECT_EQ(bits::incomparable_pairs_with_bounds(lattice().generators()), pairs_with_bounds[k]) << k;
    }
    const unsigned char cycle[] = {0, 1, 0, 0, 0, 1, 1, 0, 0};  // 0 < 1 < 2 < 1
    EXPECT_TRUE(bits::has_cycle(cycle, 3));
}

// The pentagon built to its end with none and all of its bounds defined,
// and two 2-chains built to the element limit (rows of three words).
struct Built {
    const char *names;
    const char *chains;
    const char *defined;
    int elements;
};
const Built built_lattices[] = {
    {"abc12", "a<b<c a<1<2<c", "", 11},
    {"abc12", "a<b<c a<1<2<c", "b.1 b.2 b+1 b+2", 5},
    {"abcd", "a<b c<d", "", 101},
};

// Builds as the fuzz target does; returns the number of elements.
int build(const Built &b) {
    int elements = lattice_setup::build(b.names, b.chains, b.defined);
    bits::watch(lattice());
    EXPECT_EQ(elements, b.elements);
    return elements;
}

TEST(WorkspaceChecks, BuiltLatticesWithAnOrderEntryFlippedGetTheReferenceVerdict) {
    for (const Built &b : built_lattices) {
        SCOPED_TRACE(b.defined);
        const int n = build(b);
        EXPECT_EQ(verdict(bits::partial_order_fault(n)), "holds");
        EXPECT_EQ(verdict(bits::operation_tables_fault(n)), "holds");
        int faults = 0;
        for (auto [r, c] : cells(n)) {
            flip(LatticeProbe::order(lattice(), r, c));
            const char *fault = bits::partial_order_fault(n);
            EXPECT_EQ(verdict(fault), verdict(plain::partial_order_fault(lattice(), n))) << r << ' ' << c;
            faults += fault != nullptr;
            flip(LatticeProbe::order(lattice(), r, c));
        }
        EXPECT_GT(faults, 0);
    }
}

TEST(WorkspaceChecks, BuiltLatticesWithABoundChangedGetTheReferenceVerdict) {
    for (const Built &b : built_lattices) {
        SCOPED_TRACE(b.defined);
        const int n = build(b);
        int faults = 0;
        for (auto [r, c] : cells(n, n > 64 ? 16 : 150)) {
            // Elements that are bounds of the pair, or not: swapping the meet
            // and join gives each a wrong bound.
            const int values[] = {NO_ELEMENT, 0, n - 1, n, r, c, lattice().meet(r, c), lattice().join(r, c)};
            for (auto *entry : {&LatticeProbe::meet, &LatticeProbe::join}) {
                Element kept = entry(lattice(), r, c);
                for (int value : values) {
                    auto v = static_cast<Element>(value);
                    entry(lattice(), r, c) = entry(lattice(), c, r) = v;
                    const char *fault = bits::operation_tables_fault(n);
                    EXPECT_EQ(verdict(fault), verdict(plain::operation_tables_fault(lattice(), n))) << r << ' ' << c << ' ' << +v;
                    faults += fault != nullptr;
                }
                entry(lattice(), r, c) = entry(lattice(), c, r) = kept;
            }
        }
        EXPECT_GT(faults, 0);
    }
}

// A corruption of the built pentagon (generators a b c 1 2 are 0..4, a is
// its least element, a < b < c) and the fault it must be reported as.
struct Corruption {
    void (*apply)(int n);
    const char *fault;
};

// Some element m below both r and c other than their meet (or above both,
// other than their join), for an incomparable pair; -1 when there is none.
int other_bound(int r, int c, int n, bool lower) {
    Element bound = lower ? lattice().meet(r, c) : lattice().join(r, c);
    for (int m = 0; m < n; ++m) {
        bool is_bound = lower ? lattice().leq(m, r) && lattice().leq(m, c) : lattice().leq(r, m) && lattice().leq(c, m);
        if (is_bound && m != bound) return m;
    }
    return -1;
}

// Puts a wrong bound into the first incomparable pair that has another one.
void replace_bound(int n, bool lower) {
    for (int r = 0; r < n; ++r)
        for (int c = r + 1; c < n; ++c) {
            int m = other_bound(r, c, n, lower);
            if (lattice().leq(r, c) || lattice().leq(c, r) || m < 0) continue;
            auto *entry = lower ? &LatticeProbe::meet : &LatticeProbe::join;
            entry(lattice(), r, c) = entry(lattice(), c, r) = static_cast<Element>(m);
            return;
        }
    ADD_FAILURE() << "no pair with another bound";
}

const Corruption corruptions[] = {
    {[](int) { LatticeProbe::order(lattice(), 3, 3) = 0; }, "order not reflexive"},
    {[](int) { LatticeProbe::order(lattice(), 0, 1) = 2; }, "order entry other than 0 and 1"},
    {[](int) { LatticeProbe::order(lattice(), 2, 1) = 1; }, "order not antisymmetric"},
    {[](int) { LatticeProbe::order(lattice(), 0, 2) = 0; }, "order not transitive"},
    {[](int n) { LatticeProbe::join(lattice(), n, 0) = 0; }, "meet or join defined outside the elements"},
    {[](int) { LatticeProbe::meet(lattice(), 1, 3) = 0; }, "MeetTable not symmetric"},
    {[](int) { LatticeProbe::join(lattice(), 3, 1) = 0; }, "JoinTable not symmetric"},
    {[](int n) { LatticeProbe::meet(lattice(), 1, 3) = LatticeProbe::meet(lattice(), 3, 1) = static_cast<Element>(n); }, "a meet names no existing element"},
    {[](int n) { LatticeProbe::join(lattice(), 1, 3) = LatticeProbe::join(lattice(), 3, 1) = static_cast<Element>(n); }, "a join names no existing element"},
    {[](int) { LatticeProbe::meet(lattice(), 0, 1) = LatticeProbe::meet(lattice(), 1, 0) = 1; }, "meet of comparable elements is not the lower one"},
    {[](int) { LatticeProbe::join(lattice(), 0, 1) = LatticeProbe::join(lattice(), 1, 0) = 0; }, "join of comparable elements is not the upper one"},
    {[](int n) { replace_bound(n, true); }, "a meet is not the greatest lower bound"},
    {[](int n) { replace_bound(n, false); }, "a join is not the least upper bound"},
};

TEST(WorkspaceChecks, EachCorruptionIsReportedByBothForms) {
    for (const Corruption &corruption : corruptions) {
        SCOPED_TRACE(corruption.fault);
        const int n = build(built_lattices[0]);
        corruption.apply(n);
        const char *fault = bits::partial_order_fault(n);
        if (fault == nullptr) fault = bits::operation_tables_fault(n);
        EXPECT_EQ(verdict(fault), corruption.fault);
        const char *reference = plain::partial_order_fault(lattice(), n);
        if (reference == nullptr) reference = plain::operation_tables_fault(lattice(), n);
        EXPECT_EQ(verdict(reference), corruption.fault);
    }
}

TEST(WorkspaceChecksDeathTest, TheAbortingFormStopsTheRunWithTheFault) {
    const int n = build(built_lattices[0]);
    LatticeProbe::order(lattice(), 0, 2) = 0;
    EXPECT_DEATH(bits::check_partial_order(n), "workspace: order not transitive");
}

}  // namespace
