// Poset meets and joins: the named edge cases, and every pair of random
// posets against the reference's search for greatest and least bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "partial_lattice_setup.h"
#include "poset/poset_bounds.h"
#include "poset_setup.h"
#include "reference.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

struct BoundCase {
    const char *label;
    const char *keys;
    char a, b;
    char meet, join;  // '-' when the poset has none
};

const BoundCase bound_cases[] = {
    {"same element", "abc a12c\r\r", 'b', 'b', 'b', 'b'},
    {"single element", "a\r\r", 'a', 'a', 'a', 'a'},
    {"comparable, bottom and top", "abc a12c\r\r", 'a', 'c', 'a', 'c'},
    {"comparable through the closure", "abc a12c\r\r", '1', 'c', '1', 'c'},
    {"pentagon b and 1", "abc a12c\r\r", 'b', '1', 'a', 'c'},
    {"pentagon b and 2", "abc a12c\r\r", 'b', '2', 'a', 'c'},
    {"two minimal elements", "ac bc\r\r", 'a', 'b', '-', 'c'},
    {"two maximal elements", "ca cb\r\r", 'a', 'b', 'c', '-'},
    {"two incomparable upper bounds", "ac ad bc bd\r\r", 'a', 'b', '-', '-'},
    {"two incomparable lower bounds", "ac ad bc bd\r\r", 'c', 'd', '-', '-'},
    {"unrelated elements", "a b\r\r", 'a', 'b', '-', '-'},
    // The largest-index common bound is not the answer: the scan climbs.
    {"meet found below the last candidate", "ab ac db dc da\r\r", 'b', 'c', 'a', '-'},
    {"join found above the last candidate", "ba ca bd cd ad\r\r", 'b', 'c', '-', 'a'},
};

void PrintTo(const BoundCase &bound_case, std::ostream *out) { *out << bound_case.label; }

class Bounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(Bounds, InBothArgumentOrders) {
    const BoundCase &t = GetParam();
    ASSERT_TRUE(poset_setup::enter_poset(t.keys, ""));
    int a = lattice().named(static_cast<unsigned char>(t.a));
    int b = lattice().named(static_cast<unsigned char>(t.b));
    int meet = t.meet == '-' ? -1 : lattice().named(static_cast<unsigned char>(t.meet));
    int join = t.join == '-' ? -1 : lattice().named(static_cast<unsigned char>(t.join));
    EXPECT_EQ(poset_meet(lattice(), a, b), meet);
    EXPECT_EQ(poset_meet(lattice(), b, a), meet);
    EXPECT_EQ(poset_join(lattice(), a, b), join);
    EXPECT_EQ(poset_join(lattice(), b, a), join);
    // Pure searches: nothing is written.
    EXPECT_EQ(scripted::console_bytes(), "");
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_MEET, lattice().capacity()), 0);
}

INSTANTIATE_TEST_SUITE_P(Posets, Bounds, ::testing::ValuesIn(bound_cases), poset_setup::LabelName());

TEST(BoundsAgainstSearch, EveryPairOfRandomPosets) {
    std::mt19937 random(7321u);
    int found = 0, missing = 0;
    for (int trial = 0; trial < 400; ++trial) {
        int n = 1 + static_cast<int>(random() % 9);
        int density = 10 + static_cast<int>(random() % 50);
        // A random order of the elements; pairs go only upward in it, so the
        // relation has no cycle.
        std::vector<int> rank(n);
        for (int i = 0; i < n; ++i) rank[i] = i;
        std::shuffle(rank.begin(), rank.end(), random);
        std::vector<std::pair<int, int>> less;
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y) {
                if (rank[x] < rank[y] && static_cast<int>(random() % 100) < density) less.push_back({x, y});
            }
        }
        scripted::start("");
        ASSERT_TRUE(lattice_setup::set_up(std::string("abcdefghi").substr(0, n), less, {}));
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                int meet = reference::meet(lattice(), a, b, n);
                int join = reference::join(lattice(), a, b, n);
                ASSERT_EQ(poset_meet(lattice(), a, b), meet) << "trial " << trial << " pair " << a << "," << b;
                ASSERT_EQ(poset_join(lattice(), a, b), join) << "trial " << trial << " pair " << a << "," << b;
                (meet == -1 ? missing : found) += 1;
                (join == -1 ? missing : found) += 1;
            }
        }
    }
    EXPECT_GT(found, 1000);
    EXPECT_GT(missing, 1000);
}

}  // namespace
