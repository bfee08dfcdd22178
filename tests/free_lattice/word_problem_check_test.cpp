// The build against an independent decision of the free lattice's order, over
// several hundred seeded random partial lattices and over the whole build,
// up to the limit where the free lattice is infinite.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "reference.h"
#include "scripted_console.h"
#include "word_problem.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

using random_lattice::RandomPartialLattice;
using random_lattice::make_random_partial_lattice;

// Compares the finished build with the independent order; returns the first
// disagreement, or an empty text.
std::string first_disagreement(word_problem::FreeLatticeOrder &order, int elements) {
    std::ostringstream text;
    for (int s = 0; s < elements; ++s)
        for (int t = 0; t < elements; ++t) {
            bool expected = order.below(s, t);
            if ((lattice().leq(s, t) != 0) != expected) {
                text << "order of " << s << " and " << t << ": built " << int(lattice().leq(s, t));
                return text.str();
            }
            if (s != t && expected && order.below(t, s)) {
                text << "elements " << s << " and " << t << " are equal";
                return text.str();
            }
        }
    for (int r = 0; r < elements; ++r)
        for (int c = 0; c < elements; ++c)
            for (unsigned char op : {OP_JOIN, OP_MEET}) {
                auto entry = [op](int x, int y) { return op == OP_JOIN ? lattice().join(x, y) : lattice().meet(x, y); };
                int e = entry(r, c);
                const char *what = op == OP_JOIN ? "join" : "meet";
                if (entry(c, r) != e) {
                    text << what << " of " << r << " and " << c << " is not symmetric";
                    return text.str();
                }
                if (e == NO_ELEMENT) {
                    if (lattice().closed) {
                        text << what << " of " << r << " and " << c << " left unknown in a closed lattice";
                        return text.str();
                    }
                    continue;
                }
                if (e >= elements || !order.equals_term(e, op, r, c)) {
                    text << what << " of " << r << " and " << c << " recorded as " << e;
                    return text.str();
                }
            }
    return "";
}

struct BuildOutcome {
    int elements;
    bool closed;
    std::string disagreement;
};

// Builds the free lattice over what stands in the lattice and checks it.
BuildOutcome build_and_check() {
    word_problem::FreeLatticeOrder order(lattice());
    BuildOutcome outcome;
    outcome.elements = lattice_setup::build();
    EXPECT_GE(outcome.elements, 0);
    outcome.closed = lattice().closed;
    outcome.disagreement = first_disagreement(order, outcome.elements);
    return outcome;
}

constexpr int RANDOM_PARTIAL_LATTICES = 600;

TEST(WordProblemCheck, RandomPartialLatticesAgreeWithTheIndependentOrder) {
    int closed = 0, at_limit = 0;
    for (int seed = 1; seed <= RANDOM_PARTIAL_LATTICES; ++seed) {
        RandomPartialLattice p = make_random_partial_lattice(static_cast<std::uint64_t>(seed));
        BuildOutcome outcome = build_and_check();
        ASSERT_EQ(outcome.disagreement, "") << "seed " << seed << ": " << p.describe();
        (outcome.closed ? closed : at_limit) += 1;
    }
    RecordProperty("closed", closed);
    RecordProperty("stopped_at_limit", at_limit);
    // Both kinds of build must be among the cases, or the check says little.
    EXPECT_GT(closed, RANDOM_PARTIAL_LATTICES / 10);
    EXPECT_GT(at_limit, RANDOM_PARTIAL_LATTICES / 10);
}

struct KnownFreeLattice {
    const char *what;
    const char *names;
    const char *chains;
    const char *defined;
    int elements;  // 0: infinite, the build stops at the limit
};

const KnownFreeLattice known_free_lattices[] = {
    {"two incomparable generators", "ab", "", "", 4},
    {"1+2", "abc", "b<c", "", 9},
    {"1+3", "abcd", "b<c<d", "", 20},
    {"2+2", "abcd", "a<b c<d", "", 0},
    {"1+4", "abcde", "b<c<d<e", "", 0},
    {"three incomparable generators", "abc", "", "", 0},
};

TEST(WordProblemCheck, KnownFreeLatticesHaveTheirSizes) {
    for (const KnownFreeLattice &known : known_free_lattices) {
        scripted::start("");
        ASSERT_TRUE(lattice_setup::set_up(known.names, known.chains, known.defined)) << known.what;
        BuildOutcome outcome = build_and_check();
        EXPECT_EQ(outcome.disagreement, "") << known.what;
        if (known.elements > 0) {
            EXPECT_TRUE(outcome.closed) << known.what;
            EXPECT_EQ(outcome.elements, known.elements) << known.what;
        } else {
            EXPECT_FALSE(outcome.closed) << known.what;
            EXPECT_EQ(outcome.elements, 101) << known.what;
        }
    }
}

}  // namespace
