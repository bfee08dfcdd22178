// The build's element lines and count lines, byte for byte, the order it
// leaves in the lattice, and the element limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_files.h"
#include "free_lattice/generation.h"
#include "browser/term_lines.h"
#include "dialogue/build_lines.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

struct BuildCase {
    const char *names;
    const char *chains;
    const char *defined;
    const char *expected;  // data file under tests/data/free_lattice/
};

const BuildCase build_cases[] = {
    {"", "", "", "build_no_generators.txt"},
    {"a", "", "", "build_one_generator.txt"},
    {"abcd", "c<a<d<b", "", "build_chain_of_four.txt"},
    {"ab", "", "", "build_two_incomparable.txt"},
    {"abc", "b<c", "", "build_one_plus_two.txt"},
    {"abcd", "b<c<d", "", "build_one_plus_three.txt"},
    {"abc12", "a<b<c a<1<2<c", "", "build_pentagon.txt"},
    {"abc12", "a<b<c a<1<2<c", "b.1 b.2 b+1 b+2", "build_pentagon_all_defined.txt"},
    {"acb", "a<c b<c", "a+b", "build_two_below_one_join_defined.txt"},
    {"acb", "a<c b<c", "", "build_two_below_one.txt"},
    {"abc", "a<b a<c", "b.c", "build_two_above_one_meet_defined.txt"},
    {"abc", "a<b a<c", "", "build_two_above_one.txt"},
    {"abc", "", "", "build_three_incomparable.txt"},
    // Element 100's term is longer than a line: a break after the wider prefix.
    {"abcd", "a<b c<d", "", "build_two_plus_two.txt"},
};

TEST(Build, ElementAndCountLinesOfEachEdgeCase) {
    for (const BuildCase &c : build_cases) {
        SCOPED_TRACE(c.expected);
        ASSERT_GE(lattice_setup::build(c.names, c.chains, c.defined), 0);
        data_files::expect_equal(scripted::transcript(), std::string("free_lattice/") + c.expected);
    }
}

TEST(Build, ClosingCountsTheElementsAndLeavesEveryPairKnown) {
    ASSERT_GE(lattice_setup::build("abc12", "a<b<c a<1<2<c", ""), 0);
    EXPECT_TRUE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 11);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 11; ++c) {
            EXPECT_NE(lattice().join(r, c), NO_ELEMENT) << r << ' ' << c;
            EXPECT_NE(lattice().meet(r, c), NO_ELEMENT) << r << ' ' << c;
        }
    // Left operand below right operand, both earlier elements.
    for (int k = 5; k < 11; ++k) {
        EXPECT_LT(lattice().term(k).left, lattice().term(k).right);
        EXPECT_LT(lattice().term(k).right, k);
    }
}

TEST(Build, NoGeneratorsClosesAtOnceWithNoElements) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("", "", ""));
    EXPECT_EQ(lattice_setup::build(), 0);
    EXPECT_TRUE(lattice().closed());
}

// The term of element e as the term lines write it.
std::string term_of(int e) {
    std::size_t before = scripted::console_bytes().size();
    TermLine(scripted::console()).print_term(lattice(), e);
    return scripted::console_bytes().substr(before);
}

TEST(Build, OrderOfTheWorkedExampleAWithABelowB) {
    ASSERT_GE(lattice_setup::build("abc", "a<b", ""), 0);
    ASSERT_EQ(lattice().elements(), 9);
    std::string rows;
    for (int i = 0; i < 9; ++i) {
        rows += term_of(i) + ":";
        const char *separator = " ";
        for (int j = 0; j < 9; ++j)
            if (lattice().leq(i, j)) {
                rows += separator + term_of(j);
                separator = ", ";
            }
        rows += "\n";
    }
    data_files::expect_equal(rows, "free_lattice/order_a_below_b.txt");
}

TEST(Build, JoinResolvedToAnExistingElementStillHasItsMeetTriedInTheSameCall) {
    // In the pentagon with its joins defined, the pair (b, 1) has its join c
    // known and its meet unknown: one call creates b1 as element 5.
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abc12", "a<b<c a<1<2<c", "b+1 b+2"));
    FreeLatticeBuilder builder(lattice());
    EXPECT_TRUE(builder.add_next_element());
    EXPECT_FALSE(lattice().closed());
    EXPECT_EQ(lattice().term(5).operation, OP_MEET);
    EXPECT_EQ(lattice().term(5).left, 1);
    EXPECT_EQ(lattice().term(5).right, 3);
    EXPECT_EQ(lattice().meet(1, 3), 5);
    EXPECT_EQ(lattice().meet(3, 1), 5);
    // b1 lies below b and 1, above a: its joins and meets with those are known.
    EXPECT_EQ(lattice().join(5, 1), 1);
    EXPECT_EQ(lattice().meet(0, 5), 0);
    EXPECT_EQ(lattice().join(0, 5), 5);
    EXPECT_EQ(lattice().join(5, 5), 5);
    EXPECT_EQ(lattice().meet(5, 5), 5);
    // b1 and 2 are comparable (b1 <= 1 <= 2).
    EXPECT_EQ(lattice().join(5, 4), 4);
}

TEST(Build, AJoinTrialEqualToAnElementIsRecordedAndTheMeetTriedInTheSameCall) {
    // a, b, c with b < c: elements 3 a+b, 4 ab, 5 a+c, 6 ac, 7 b+(ac). The
    // next call meets the pair (c, a+b) first: its join trial equals a+c and
    // is recorded, then its meet c(a+b) is made in that same call.
    ASSERT_EQ(lattice_setup::build("abc", "b<c", "", 7), 8);
    ASSERT_FALSE(lattice().closed());
    ASSERT_EQ(lattice().join(2, 3), NO_ELEMENT);
    ASSERT_EQ(lattice().meet(2, 3), NO_ELEMENT);
    FreeLatticeBuilder builder(lattice());
    EXPECT_TRUE(builder.add_next_element());
    EXPECT_FALSE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 9);
    EXPECT_EQ(lattice().join(2, 3), 5);
    EXPECT_EQ(lattice().join(3, 2), 5);
    EXPECT_EQ(lattice().term(8).operation, OP_MEET);
    EXPECT_EQ(lattice().term(8).left, 2);
    EXPECT_EQ(lattice().term(8).right, 3);
    EXPECT_EQ(lattice().meet(2, 3), 8);
    EXPECT_EQ(lattice().meet(3, 2), 8);
}

TEST(Build, AJoinEqualToAnExistingElementIsRecordedNotCreated) {
    // Generators a, c, b, d with a+b = c defined and d apart: a+(b+d) has
    // c below it through the defined join, so it is c+d, made earlier.
    ASSERT_GE(lattice_setup::build("acbd", "a<c b<c", "a+b"), 0);
    int b_plus_d = -1, c_plus_d = -1;
    for (int k = 4; k <= 100; ++k) {
        const TermRecord &t = lattice().term(k);
        if (t.operation == OP_JOIN && t.left == 2 && t.right == 3) b_plus_d = k;
        if (t.operation == OP_JOIN && t.left == 1 && t.right == 3) c_plus_d = k;
    }
    ASSERT_GE(b_plus_d, 0);
    ASSERT_GE(c_plus_d, 0);
    EXPECT_EQ(lattice().join(0, b_plus_d), c_plus_d);
    EXPECT_EQ(lattice().join(b_plus_d, 0), c_plus_d);
    for (int k = 4; k <= 100; ++k)
        EXPECT_FALSE(lattice().term(k).operation == OP_JOIN && lattice().term(k).left == 0 && lattice().term(k).right == b_plus_d);
}

// Five copies of the poset 1+3 (a chain of three and one element apart),
// each copy wholly above the one before: the free lattice is the same stack
// of five free lattices of 1+3, 20 elements each, so 100 in all. One more
// generator above everything makes it 101.
std::string stacked_one_plus_three(bool with_top, std::string &names) {
    names = "abcdefghijklmnopqrst";
    std::string chains;
    for (int copy = 0; copy < 5; ++copy) {
        const char *g = names.c_str() + 4 * copy;  // g[0] apart, g[1] < g[2] < g[3]
        chains += std::string{g[1], '<', g[2], '<', g[3], ' '};
        if (copy < 4)
            for (char low : {g[0], g[3]})
                for (char high : {g[4], g[5]}) chains += std::string{low, '<', high, ' '};
    }
    if (with_top) {
        names += "u";
        chains += "q<u t<u";
    }
    return chains;
}

TEST(Build, ALatticeOfExactly100ElementsGetsItsCountLine) {
    std::string names;
    std::string chains = stacked_one_plus_three(false, names);
    ASSERT_GE(lattice_setup::build(names, chains, ""), 0);
    EXPECT_TRUE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 100);
    const std::string &out = scripted::console_bytes();
    std::string tail = "The number of elements is 100.\n";
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
    EXPECT_EQ(out.substr(0, 7), "21 ... ");  // the first generated element
    EXPECT_NE(out.find("\n100 ... "), std::string::npos);
}

TEST(Build, ALatticeOfExactly101ElementsStopsAtTheLimitWithoutCountLine) {
    std::string names;
    std::string chains = stacked_one_plus_three(true, names);
    ASSERT_GE(lattice_setup::build(names, chains, ""), 0);
    EXPECT_FALSE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 101);
    const std::string &out = scripted::console_bytes();
    EXPECT_EQ(out.find("The number of elements"), std::string::npos);
    std::size_t last_line = out.rfind("\n", out.size() - 2) + 1;
    EXPECT_EQ(out.substr(last_line, 8), "101 ... ");
    EXPECT_EQ(out.back(), '\n');
    // With a higher limit the same partial lattice closes at 101.
    ASSERT_EQ(lattice_setup::build(names, chains, "", 101), 101);
    EXPECT_TRUE(lattice().closed());
}

TEST(Build, InfiniteLatticeStopsAfterElement101) {
    ASSERT_GE(lattice_setup::build("abc", "", ""), 0);
    EXPECT_EQ(lattice().closed(), 0);
    // The last element made is index 100, and its relation stays in place.
    EXPECT_TRUE(lattice().leq(100, 100));
    // A record that was made has its smaller operand on the left; the zeroed
    // record of an element never made has not.
    EXPECT_LT(lattice().term(100).left, lattice().term(100).right);
    const std::string &out = scripted::console_bytes();
    EXPECT_NE(out.find("\n101 ... "), std::string::npos);
    EXPECT_EQ(out.find("102 ... "), std::string::npos);
}

// Past the dialogue's limit the build goes on by the same rule: whatever the
// limit, its first 101 elements are the default build's, with the same
// lines, terms and order, and every join and meet the default build knows.
TEST(BuildPastTheLimit, TheFirst101ElementsAreTheDefaultBuildsWhateverTheLimit) {
    struct Stated {
        std::string names, chains, defined;
    };
    std::vector<Stated> lattices = {{"abc", "", ""}, {"abcd", "a<b c<d", ""}, {"abcde", "b<c<d<e", ""},
                                    {"abcd", "a<b a<c", "b.c"}};
    int limits[] = {101, 250, 400};
    for (std::size_t k = 0; k < lattices.size(); ++k) {
        const Stated &p = lattices[k];
        SCOPED_TRACE(p.names + " " + p.chains);
        ASSERT_EQ(lattice_setup::build(p.names, p.chains, p.defined), 101);
        const std::string lines = scripted::transcript();
        const Lattice shown = lattice();
        const int limit = limits[k % 3];
        ASSERT_EQ(lattice_setup::build(p.names, p.chains, p.defined, limit), limit + 1);
        EXPECT_EQ(scripted::transcript().substr(0, lines.size()), lines);
        for (int r = 0; r <= 100; ++r) {
            ASSERT_EQ(lattice().name(r), shown.name(r)) << r;
            if (r >= lattice().generators()) {
                ASSERT_EQ(lattice().term(r).operation, shown.term(r).operation) << r;
                ASSERT_EQ(lattice().term(r).left, shown.term(r).left) << r;
                ASSERT_EQ(lattice().term(r).right, shown.term(r).right) << r;
            }
            for (int c = 0; c <= 100; ++c) {
                ASSERT_EQ(lattice().leq(r, c), shown.leq(r, c)) << r << "," << c;
                if (shown.join(r, c) != NO_ELEMENT) {
                    ASSERT_EQ(lattice().join(r, c), shown.join(r, c)) << r << "," << c;
                }
                if (shown.meet(r, c) != NO_ELEMENT) {
                    ASSERT_EQ(lattice().meet(r, c), shown.meet(r, c)) << r << "," << c;
                }
            }
        }
    }
}

// Settled at the limit, a lattice with exactly one element past it closes
// with every pair known; one with more stops as it would have, its tables
// untouched by the look.
TEST(BuildPastTheLimit, SettlingTellsAClosedLatticeFromOneWithMore) {
    std::string names;
    std::string chains = stacked_one_plus_three(true, names);
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up(names, chains, ""));
    BuildLines lines(scripted::console());
    EXPECT_EQ(build_free_lattice(lattice(), 100, &lines, true), BuildEnd::CLOSED);
    EXPECT_TRUE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 101);
    const std::string &out = scripted::console_bytes();
    EXPECT_EQ(out.substr(out.size() - 31), "The number of elements is 101.\n");
    for (int r = 0; r < 101; ++r)
        for (int c = 0; c < 101; ++c) ASSERT_NE(lattice().join(r, c), NO_ELEMENT) << r << "," << c;

    ASSERT_EQ(lattice_setup::build("abcd", "a<b c<d", ""), 101);
    const Lattice unsettled = lattice();
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abcd", "a<b c<d", ""));
    EXPECT_EQ(build_free_lattice(lattice(), 100, nullptr, true), BuildEnd::LIMIT);
    EXPECT_FALSE(lattice().closed());
    for (int r = 0; r < 101; ++r)
        for (int c = 0; c < 101; ++c) {
            ASSERT_EQ(lattice().join(r, c), unsettled.join(r, c)) << r << "," << c;
            ASSERT_EQ(lattice().meet(r, c), unsettled.meet(r, c)) << r << "," << c;
        }
}

}  // namespace
