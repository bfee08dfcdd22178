// The build against an independent decision of the free lattice's order, over
// several hundred seeded random partial lattices and over the whole build,
// up to the limit where the free lattice is infinite.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "partial_lattice_setup.h"
#include "reference.h"
#include "scripted_console.h"
#include "word_problem.h"
#include "workspace/workspace.h"

namespace {

using lattice_setup::DefinedOperation;

// splitmix64: the same numbers on every platform and standard library.
struct Random {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
};

struct RandomPartialLattice {
    std::string names;
    std::vector<std::pair<int, int>> less;
    std::vector<DefinedOperation> defined;

    std::string describe() const {
        std::ostringstream text;
        text << "generators " << names << ", relations";
        for (auto [p, q] : less) text << ' ' << names[p] << '<' << names[q];
        text << ", defined";
        for (const DefinedOperation &d : defined) text << ' ' << names[d.left] << d.operation << names[d.right];
        return text.str();
    }
};

// Random relations over up to 6 generators (always along a random linear
// order, so never a cycle) and a random share of the poset's meets and joins
// of incomparable pairs declared defined. One case in four is a bow-tie
// instead: m = p+q = uv, both declared defined, with a sixth generator placed
// at random; only there does an element's generator filter gain from a
// defined meet a generator that a defined join put into another's ideal.
// Leaves the partial lattice set up in the workspace.
RandomPartialLattice make_random_partial_lattice(std::uint64_t seed) {
    Random random{seed};
    RandomPartialLattice p;
    bool bow_tie = random.below(4) == 0;
    // Mostly four to six generators, where the rarer rules come into play.
    int n = bow_tie ? 6 : random.below(4) == 0 ? 1 + random.below(3) : 4 + random.below(3);
    p.names = std::string("abcdef").substr(0, static_cast<std::size_t>(n));
    int line[6] = {0, 1, 2, 3, 4, 5};
    for (int i = n - 1; i > 0; --i) std::swap(line[i], line[random.below(i + 1)]);
    int density = random.below(70);
    if (bow_tie) {
        // line[0], line[1] < line[2] < line[3], line[4]; line[5] anywhere.
        p.less = {{line[0], line[2]}, {line[1], line[2]}, {line[2], line[3]}, {line[2], line[4]}};
        int rank = random.below(6);
        for (int i = 0; i < 5; ++i)
            if (random.below(100) < density)
                p.less.push_back(i < rank ? std::pair{line[i], line[5]} : std::pair{line[5], line[i]});
    } else {
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (random.below(100) < density) p.less.push_back({line[i], line[j]});
    }

    int defined_share = random.below(101);
    auto is_pair = [](int i, int j, int x, int y) { return (i == x && j == y) || (i == y && j == x); };
    scripted::start("");
    lattice_setup::set_up(p.names, p.less, {});
    for (char operation : {'.', '+'})
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (OrderMatrix[i][j] || OrderMatrix[j][i]) continue;
                int bound = operation == '.' ? reference::meet(i, j, n) : reference::join(i, j, n);
                bool forced = bow_tie && (operation == '+' ? is_pair(i, j, line[0], line[1])
                                                           : is_pair(i, j, line[3], line[4]));
                if (bound >= 0 && (forced || random.below(100) < defined_share))
                    p.defined.push_back({operation, i, j});
            }
    lattice_setup::set_up(p.names, p.less, p.defined);
    return p;
}

// Compares the finished build with the independent order; returns the first
// disagreement, or an empty text.
std::string first_disagreement(word_problem::FreeLatticeOrder &order, int elements) {
    std::ostringstream text;
    for (int s = 0; s < elements; ++s)
        for (int t = 0; t < elements; ++t) {
            bool expected = order.below(s, t);
            if ((OrderMatrix[s][t] != 0) != expected) {
                text << "order of " << s << " and " << t << ": built " << int(OrderMatrix[s][t]);
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
                const auto &table = op == OP_JOIN ? JoinTable : MeetTable;
                int e = table[r][c];
                const char *what = op == OP_JOIN ? "join" : "meet";
                if (table[c][r] != e) {
                    text << what << " of " << r << " and " << c << " is not symmetric";
                    return text.str();
                }
                if (e == UNDEFINED) {
                    if (closure_complete) {
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

// Builds the free lattice over what stands in the workspace and checks it.
BuildOutcome build_and_check() {
    word_problem::FreeLatticeOrder order;
    BuildOutcome outcome;
    outcome.elements = lattice_setup::build();
    EXPECT_GE(outcome.elements, 0);
    outcome.closed = closure_complete != 0;
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
