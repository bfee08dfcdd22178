// Poset meets and joins: the named edge cases, and every pair of random
// posets against a direct search for greatest and least bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "poset_setup.h"
#include "poset_ops/poset_bounds.h"
#include "scripted_console.h"
#include "workspace/workspace.h"

namespace {

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

class Bounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(Bounds, InBothArgumentOrders) {
    const BoundCase &t = GetParam();
    ASSERT_TRUE(poset_setup::enter_poset(t.keys, ""));
    int a = NameIndex[static_cast<unsigned char>(t.a)];
    int b = NameIndex[static_cast<unsigned char>(t.b)];
    int meet = t.meet == '-' ? -1 : NameIndex[static_cast<unsigned char>(t.meet)];
    int join = t.join == '-' ? -1 : NameIndex[static_cast<unsigned char>(t.join)];
    EXPECT_EQ(poset_meet(a, b), meet);
    EXPECT_EQ(poset_meet(b, a), meet);
    EXPECT_EQ(poset_join(a, b), join);
    EXPECT_EQ(poset_join(b, a), join);
    // Pure searches: nothing is written.
    EXPECT_EQ(scripted::console_bytes(), "");
    EXPECT_EQ(poset_setup::defined_entries(MeetTable), 0);
}

INSTANTIATE_TEST_SUITE_P(Posets, Bounds, ::testing::ValuesIn(bound_cases),
                         [](const ::testing::TestParamInfo<BoundCase> &param_info) {
                             return poset_setup::test_name(param_info.param.label);
                         });

// The bound among candidates that every other candidate lies below
// (above_all false) or above (true), or -1.
int extreme(const std::vector<int> &candidates, const std::vector<std::vector<bool>> &le, bool least) {
    for (int g : candidates) {
        bool fits = true;
        for (int other : candidates) fits = fits && (least ? le[g][other] : le[other][g]);
        if (fits) return g;
    }
    return -1;
}

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
        std::vector<std::vector<bool>> le(n, std::vector<bool>(n, false));
        for (int x = 0; x < n; ++x) {
            le[x][x] = true;
            for (int y = 0; y < n; ++y) {
                if (rank[x] < rank[y] && static_cast<int>(random() % 100) < density) le[x][y] = true;
            }
        }
        for (int k = 0; k < n; ++k) {
            for (int x = 0; x < n; ++x) {
                for (int y = 0; y < n; ++y) le[x][y] = le[x][y] || (le[x][k] && le[k][y]);
            }
        }
        scripted::start("");
        generator_count = n;
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y) OrderMatrix[x][y] = le[x][y] ? 1 : 0;
        }
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                std::vector<int> lower, upper;
                for (int i = 0; i < n; ++i) {
                    if (le[i][a] && le[i][b]) lower.push_back(i);
                    if (le[a][i] && le[b][i]) upper.push_back(i);
                }
                int meet = extreme(lower, le, false);
                int join = extreme(upper, le, true);
                ASSERT_EQ(poset_meet(a, b), meet) << "trial " << trial << " pair " << a << "," << b;
                ASSERT_EQ(poset_join(a, b), join) << "trial " << trial << " pair " << a << "," << b;
                (meet == -1 ? missing : found) += 1;
                (join == -1 ? missing : found) += 1;
            }
        }
    }
    EXPECT_GT(found, 1000);
    EXPECT_GT(missing, 1000);
}

}  // namespace
