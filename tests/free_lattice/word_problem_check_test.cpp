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
                    if (lattice().closed()) {
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
    outcome.closed = lattice().closed();
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

// Past the dialogue's limit, a sample of elements against the independent
// order: each sampled element's order with every element, and its joins and
// meets with a second sample where the build knows them; and no sampled
// element equals any other element. Seeded, so the same every run.
TEST(WordProblemCheck, PastTheLimitASampleAgreesWithTheIndependentOrder) {
    const KnownFreeLattice infinite[] = {known_free_lattices[3], known_free_lattices[4], known_free_lattices[5]};
    random_lattice::Random random{2026};
    for (const KnownFreeLattice &known : infinite) {
        SCOPED_TRACE(known.what);
        scripted::start("");
        ASSERT_TRUE(lattice_setup::set_up(known.names, known.chains, known.defined));
        word_problem::FreeLatticeOrder order(lattice());
        const int limit = 1200;
        ASSERT_EQ(build_free_lattice(lattice(), limit, nullptr), BuildEnd::LIMIT);
        const int n = lattice().elements();
        ASSERT_EQ(n, limit + 1);
        int operations_checked = 0;
        for (int sample = 0; sample < 12; ++sample) {
            // Mostly past 100, where the dialogue's checks never reach.
            const int s = sample < 2 ? random.below(101) : 101 + random.below(n - 101);
            for (int t = 0; t < n; ++t) {
                const bool below = order.below(s, t);
                ASSERT_EQ(lattice().leq(s, t), below) << s << " <= " << t;
                ASSERT_FALSE(t != s && below && order.below(t, s)) << "elements " << s << " and " << t << " are equal";
            }
            for (int other = 0; other < 25; ++other) {
                const int t = random.below(n);
                for (unsigned char op : {OP_JOIN, OP_MEET}) {
                    const Element e = op == OP_JOIN ? lattice().join(s, t) : lattice().meet(s, t);
                    if (e == NO_ELEMENT) continue;
                    ASSERT_LT(e, n);
                    ASSERT_TRUE(order.equals_term(e, op, s, t)) << s << (op == OP_JOIN ? " + " : " . ") << t;
                    ++operations_checked;
                }
            }
        }
        // Comparable pairs have both known at least: a sample checks some.
        EXPECT_GT(operations_checked, 60);
    }
}

}  // namespace
