// The verdict on finiteness: on every ordered set of up to six elements with
// nothing defined, against Wille's criterion worked out by the reference;
// never "infinite" where the build closed, over random partial lattices.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "reference.h"
#include "scripted_console.h"
#include "terms/finiteness.h"

namespace {

Presentation from_workspace() {
    Presentation p;
    presentation_from_lattice(scripted::lattice(), p);
    return p;
}

TEST(Finiteness, EveryOrderedSetUpToSixElementsAsWilleSays) {
    int infinite = 0, finite = 0;
    for (int n = 1; n <= 6; ++n) {
        // Each order on n elements is some set of pairs i<j closed up,
        // numbered along a linear extension; duplicates come out once.
        std::vector<std::pair<int, int>> pairs;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) pairs.emplace_back(i, j);
        std::set<std::vector<unsigned char>> seen;
        for (unsigned subset = 0; subset < 1U << pairs.size(); ++subset) {
            std::vector<std::pair<int, int>> less;
            for (std::size_t k = 0; k < pairs.size(); ++k)
                if ((subset >> k & 1U) != 0) less.push_back(pairs[k]);
            scripted::start("");
            ASSERT_TRUE(lattice_setup::set_up(std::string("abcdef").substr(0, static_cast<std::size_t>(n)), less, {}));
            std::vector<unsigned char> order;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) order.push_back(scripted::lattice().leq(i, j) ? 1 : 0);
            if (!seen.insert(order).second) continue;
            bool wille_infinite = reference::has_wille_subset(scripted::lattice(), n);
            FinitenessVerdict verdict = finiteness_verdict(from_workspace(), false, 100);
            ASSERT_EQ(verdict.finiteness, wille_infinite ? Finiteness::INFINITE : Finiteness::FINITE) << verdict.text;
            ++(wille_infinite ? infinite : finite);
            // The build agrees where it closes, and when it stops the
            // lattice is infinite (none of these finite ones is that large).
            int elements = lattice_setup::build();
            ASSERT_EQ(!scripted::lattice().closed(), wille_infinite) << verdict.text << " with " << elements;
        }
    }
    // The 5,231 orders numbered along a linear extension, 290 of them finite.
    EXPECT_EQ(infinite + finite, 5231);
    EXPECT_EQ(finite, 290);
}

TEST(Finiteness, NeverInfiniteWhereTheBuildCloses) {
    int proved = 0;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        random_lattice::RandomPartialLattice lattice = random_lattice::make_random_partial_lattice(seed);
        FinitenessVerdict before = finiteness_verdict(from_workspace(), false, 100);
        lattice_setup::build();
        if (scripted::lattice().closed()) {
            EXPECT_NE(before.finiteness, Finiteness::INFINITE) << lattice.describe() << ": " << before.text;
            EXPECT_EQ(finiteness_verdict(from_workspace(), true, 100).text, "FL(P) is finite.");
        } else {
            proved += before.finiteness == Finiteness::INFINITE && !lattice.defined.empty();
        }
    }
    // Maps onto an infinite free lattice are found where operations are defined.
    EXPECT_GT(proved, 10);
}

}  // namespace
