// show_table on hand-filled lattices: titles on standard output, the rest on
// the console, byte for byte.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "browser/table_renderer.h"
#include "browser_fixtures.h"
#include "data_files.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

namespace bf = browser_fixtures;

struct TableCase {
    const char *name;
    void (*fixture)();
    char kind;
    int first_column, first_row, last_column, last_row;
    const char *data_file;
};

void one_element() {
    lattice_setup::name_slots(scripted::lattice(), "a");
    bf::make_less_or_equal(0, 0);
}

void chain_30() { bf::chain(30); }

const TableCase TABLE_CASES[] = {
    {"ChainABOrder", bf::chain_a_b, 'l', 0, 0, 1, 1, "browser/chain_a_b_order.txt"},
    {"ChainABJoins", bf::chain_a_b, 'j', 0, 0, 1, 1, "browser/chain_a_b_joins.txt"},
    {"ChainABMeets", bf::chain_a_b, 'm', 0, 0, 1, 1, "browser/chain_a_b_meets.txt"},
    {"TwoIncomparableOrder", bf::two_incomparable, 'l', 0, 0, 3, 3, "browser/two_incomparable_order.txt"},
    {"TwoIncomparableJoins", bf::two_incomparable, 'j', 0, 0, 3, 3, "browser/two_incomparable_joins.txt"},
    {"TwoIncomparableMeets", bf::two_incomparable, 'm', 0, 0, 3, 3, "browser/two_incomparable_meets.txt"},
    {"EmptyResult", bf::empty_result, 'j', 0, 0, -1, -1, "browser/empty_table.txt"},
    {"OneByOne", one_element, 'm', 0, 0, 0, 0, "browser/one_by_one.txt"},
    {"StoppedEarlyJoins", bf::stopped_early, 'j', 0, 0, 4, 4, "browser/stopped_early_joins.txt"},
    {"StoppedEarlyMeets", bf::stopped_early, 'm', 0, 0, 4, 4, "browser/stopped_early_meets.txt"},
    {"InnerWindow", chain_30, 'l', 25, 3, 29, 5, "browser/inner_window.txt"},
};

void PrintTo(const TableCase &table_case, std::ostream *out) { *out << table_case.name; }

class ShowTable : public testing::TestWithParam<TableCase> {};

TEST_P(ShowTable, MatchesExpectedTranscript) {
    const TableCase &c = GetParam();
    scripted::start("");
    c.fixture();
    show_table(scripted::console(), scripted::lattice(), c.kind, c.first_column, c.first_row, c.last_column, c.last_row);
    data_files::expect_equal(scripted::transcript(), c.data_file);
    // Read back independently: the window asked for, every cell as the tables say.
    std::vector<bf::Window> shown = bf::windows_shown(c.kind);
    ASSERT_EQ(shown.size(), 1u);
    if (c.last_row >= 0) {
        EXPECT_EQ(shown[0], (bf::Window{c.first_column, c.last_column, c.first_row, c.last_row}))
            << bf::to_string(shown[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, ShowTable, testing::ValuesIn(TABLE_CASES),
                         [](const testing::TestParamInfo<TableCase> &p) { return p.param.name; });

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

TEST(ShowTableLayout, ChainABOrderLineByLine) {
    scripted::start("");
    bf::chain_a_b();
    show_table(scripted::console(), scripted::lattice(), 'l', 0, 0, 1, 1);
    EXPECT_EQ(scripted::stdout_bytes(), "TABLE OF LESS RELATION\n");
    EXPECT_EQ(scripted::console_bytes(),
              bytes({' ', 179, 'a', 'b', '\n', 196, 197, 196, 196, '\n', 'a', 179, 'X', 'X', '\n', 'b',
                     179, '.', 'X'}));
}

TEST(ShowTableLayout, TwoIncomparableJoinRows) {
    scripted::start("");
    bf::two_incomparable();
    show_table(scripted::console(), scripted::lattice(), 'j', 0, 0, 3, 3);
    EXPECT_EQ(scripted::stdout_bytes(), "TABLE OF JOINS\n");
    const std::string v = bytes({179});
    EXPECT_EQ(scripted::console_bytes(), " " + v + "ab01\n" + bytes({196, 197, 196, 196, 196, 196}) +
                                             "\na" + v + "a00a\nb" + v + "0b0b\n0" + v + "0000\n1" + v +
                                             "ab01");
}

TEST(ShowTableLayout, EmptyResultHasNoNamesNoRuleBytesNoRows) {
    scripted::start("");
    show_table(scripted::console(), scripted::lattice(), 'l', 0, 0, -1, -1);
    EXPECT_EQ(scripted::stdout_bytes(), "TABLE OF LESS RELATION\n");
    EXPECT_EQ(scripted::console_bytes(), bytes({' ', 179, '\n', 196, 197, '\n'}));
}

TEST(ShowTableLayout, UndefinedCellIsOneQuestionMark) {
    scripted::start("");
    bf::stopped_early();
    show_table(scripted::console(), scripted::lattice(), 'j', 2, 2, 2, 4);  // column c against c, a+b and ab
    EXPECT_EQ(scripted::console_bytes(),
              bytes({' ', 179, 'c', '\n', 196, 197, 196, '\n', 'c', 179, 'c', '\n', '0', 179, '?', '\n',
                     '1', 179, '?'}));
}

TEST(ShowTableLayout, CellMayNameAnElementBeyondTheShownOnes) {
    // A build stopped at the limit creates element 100, which heads no row
    // or column but can be a join.
    scripted::start("");
    bf::chain(100);
    scripted::lattice().store_join(98, 99, 100);
    show_table(scripted::console(), scripted::lattice(), 'j', 98, 98, 99, 99);
    const int n98 = scripted::lattice().name(98), n99 = scripted::lattice().name(99), n100 = scripted::lattice().name(100);
    EXPECT_EQ(scripted::console_bytes(), bytes({' ', 179, n98, n99, '\n', 196, 197, 196, 196, '\n', n98,
                                                179, n98, n100, '\n', n99, 179, n100, n99}));
}

TEST(ShowTableLayout, DiagonalOfTheOrderIsAllX) {
    scripted::start("");
    bf::chain(23);
    show_table(scripted::console(), scripted::lattice(), 'l', 0, 0, 22, 22);
    // The read-back checks every cell against the order, the diagonal included.
    std::vector<bf::Window> shown = bf::windows_shown('l');
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (bf::Window{0, 22, 0, 22}));
    // And on the screen: row r (after the header and the rule) has its X
    // under its own name.
    std::vector<std::string> lines;
    std::string line;
    for (char c : scripted::console_bytes()) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u + 23u);
    for (int r = 0; r < 23; ++r) EXPECT_EQ(lines[2 + r][2 + r], 'X') << "row " << r;
}

TEST(ShowTableLayout, KindIsMatchedOnItsLowByteAndNoOtherKindWritesAnything) {
    const int no_table[] = {'t', 'h', 'q', 'L', 'J', 'M', 0, 224, -1, 0x100 | 'x'};
    for (int kind : no_table) {
        scripted::start("");
        bf::chain_a_b();
        show_table(scripted::console(), scripted::lattice(), kind, 0, 0, 1, 1);
        EXPECT_EQ(scripted::transcript(), "") << kind;
    }
    scripted::start("");
    bf::chain_a_b();
    show_table(scripted::console(), scripted::lattice(), 0x100 | 'j', 0, 0, 1, 1);
    std::string high_bits = scripted::transcript();
    scripted::start("");
    bf::chain_a_b();
    show_table(scripted::console(), scripted::lattice(), 'j', 0, 0, 1, 1);
    EXPECT_EQ(high_bits, scripted::transcript());
}

}  // namespace
