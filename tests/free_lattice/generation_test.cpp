// The build's element lines and count lines, byte for byte, the order it
// leaves in the workspace, and the element limit.
#include <gtest/gtest.h>

#include <string>

#include "data_files.h"
#include "free_lattice/generation.h"
#include "free_lattice/element_terms.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"
#include "lattice/lattice.h"

namespace {

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

TEST(Build, ClosingSetsShownCountAndLeavesEveryPairKnown) {
    ASSERT_GE(lattice_setup::build("abc12", "a<b<c a<1<2<c", ""), 0);
    EXPECT_EQ(closure_complete, 1);
    EXPECT_EQ(shown_count, 11);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 11; ++c) {
            EXPECT_NE(JoinTable[r][c], UNDEFINED) << r << ' ' << c;
            EXPECT_NE(MeetTable[r][c], UNDEFINED) << r << ' ' << c;
        }
    // Left operand below right operand, both earlier elements.
    for (int k = 5; k < 11; ++k) {
        EXPECT_LT(TermTable[k].left, TermTable[k].right);
        EXPECT_LT(TermTable[k].right, k);
    }
}

TEST(Build, NoGeneratorsClosesAtOnceWithShownCountZero) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("", "", ""));
    shown_count = 7;
    EXPECT_EQ(lattice_setup::build(), 0);
    EXPECT_EQ(closure_complete, 1);
}

// The term of element e as print_term writes it.
std::string term_of(int e) {
    std::size_t before = scripted::console_bytes().size();
    wrap_column = 0;
    print_term(e);
    return scripted::console_bytes().substr(before);
}

TEST(Build, OrderOfTheWorkedExampleAWithABelowB) {
    ASSERT_GE(lattice_setup::build("abc", "a<b", ""), 0);
    ASSERT_EQ(shown_count, 9);
    std::string rows;
    for (int i = 0; i < 9; ++i) {
        rows += term_of(i) + ":";
        const char *separator = " ";
        for (int j = 0; j < 9; ++j)
            if (OrderMatrix[i][j]) {
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
    closure_complete = 0;
    add_next_element(5);
    EXPECT_EQ(closure_complete, 0);
    EXPECT_EQ(TermTable[5].operation, OP_MEET);
    EXPECT_EQ(TermTable[5].left, 1);
    EXPECT_EQ(TermTable[5].right, 3);
    EXPECT_EQ(MeetTable[1][3], 5);
    EXPECT_EQ(MeetTable[3][1], 5);
    // b1 lies below b and 1, above a: its joins and meets with those are known.
    EXPECT_EQ(JoinTable[5][1], 1);
    EXPECT_EQ(MeetTable[0][5], 0);
    EXPECT_EQ(JoinTable[0][5], 5);
    EXPECT_EQ(JoinTable[5][5], 5);
    EXPECT_EQ(MeetTable[5][5], 5);
    // b1 and 2 are comparable (b1 <= 1 <= 2).
    EXPECT_EQ(JoinTable[5][4], 4);
}

TEST(Build, AJoinTrialEqualToAnElementIsRecordedAndTheMeetTriedInTheSameCall) {
    // a, b, c with b < c: elements 3 a+b, 4 ab, 5 a+c, 6 ac, 7 b+(ac). The
    // next call meets the pair (c, a+b) first: its join trial equals a+c and
    // is recorded, then its meet c(a+b) is made in that same call.
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abc", "b<c", ""));
    element_limit = 7;
    ASSERT_TRUE(scripted::run(build_free_lattice));
    ASSERT_EQ(closure_complete, 0);
    ASSERT_EQ(JoinTable[2][3], UNDEFINED);
    ASSERT_EQ(MeetTable[2][3], UNDEFINED);
    add_next_element(8);
    EXPECT_EQ(closure_complete, 0);
    EXPECT_EQ(JoinTable[2][3], 5);
    EXPECT_EQ(JoinTable[3][2], 5);
    EXPECT_EQ(TermTable[8].operation, OP_MEET);
    EXPECT_EQ(TermTable[8].left, 2);
    EXPECT_EQ(TermTable[8].right, 3);
    EXPECT_EQ(MeetTable[2][3], 8);
    EXPECT_EQ(MeetTable[3][2], 8);
}

TEST(Build, AJoinEqualToAnExistingElementIsRecordedNotCreated) {
    // Generators a, c, b, d with a+b = c defined and d apart: a+(b+d) has
    // c below it through the defined join, so it is c+d, made earlier.
    ASSERT_GE(lattice_setup::build("acbd", "a<c b<c", "a+b"), 0);
    int b_plus_d = -1, c_plus_d = -1;
    for (int k = 4; k <= 100; ++k) {
        const TermRecord &t = TermTable[k];
        if (t.operation == OP_JOIN && t.left == 2 && t.right == 3) b_plus_d = k;
        if (t.operation == OP_JOIN && t.left == 1 && t.right == 3) c_plus_d = k;
    }
    ASSERT_GE(b_plus_d, 0);
    ASSERT_GE(c_plus_d, 0);
    EXPECT_EQ(JoinTable[0][b_plus_d], c_plus_d);
    EXPECT_EQ(JoinTable[b_plus_d][0], c_plus_d);
    for (int k = 4; k <= 100; ++k)
        EXPECT_FALSE(TermTable[k].operation == OP_JOIN && TermTable[k].left == 0 && TermTable[k].right == b_plus_d);
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
    EXPECT_EQ(closure_complete, 1);
    EXPECT_EQ(shown_count, 100);
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
    EXPECT_EQ(closure_complete, 0);
    EXPECT_EQ(shown_count, 0);  // left to the caller
    const std::string &out = scripted::console_bytes();
    EXPECT_EQ(out.find("The number of elements"), std::string::npos);
    std::size_t last_line = out.rfind("\n", out.size() - 2) + 1;
    EXPECT_EQ(out.substr(last_line, 8), "101 ... ");
    EXPECT_EQ(out.back(), '\n');
    // With a higher limit the same partial lattice closes at 101.
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up(names, chains, ""));
    element_limit = 101;
    ASSERT_TRUE(scripted::run(build_free_lattice));
    EXPECT_EQ(closure_complete, 1);
    EXPECT_EQ(shown_count, 101);
}

TEST(Build, InfiniteLatticeStopsAfterElement101) {
    ASSERT_GE(lattice_setup::build("abc", "", ""), 0);
    EXPECT_EQ(closure_complete, 0);
    // The last element made is index 100, and its relation stays in place.
    EXPECT_EQ(OrderMatrix[100][100], 1);
    // A record that was made has its smaller operand on the left; the zeroed
    // record of an element never made has not.
    EXPECT_LT(TermTable[100].left, TermTable[100].right);
    const std::string &out = scripted::console_bytes();
    EXPECT_NE(out.find("\n101 ... "), std::string::npos);
    EXPECT_EQ(out.find("102 ... "), std::string::npos);
}

}  // namespace
