// Terms: parentheses around generated operands only, and the line breaks of
// long terms, which go to standard output while the term goes to the console.
#include <gtest/gtest.h>

#include <string>

#include "browser/term_lines.h"
#include "console/console.h"
#include "data_files.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

const std::string BREAK = "\n       ";

// Generators a and b, then element 2 = ab and a chain of elements above it,
// each a(previous) (3 characters more) or b+(previous) (4 more), so that the
// last one's term has exactly the given length. Returns its index.
int element_with_term_length(int length) {
    scripted::start("");
    lattice_setup::set_up("ab", "", "");
    int joins = 0;
    while ((length - 2 - 4 * joins) % 3 != 0) ++joins;
    int meets = (length - 2 - 4 * joins) / 3;
    lattice().set_term(2, {OP_MEET, 0, 1});
    int e = 2;
    for (int i = 0; i < joins + meets; ++i, ++e)
        lattice().set_term(e + 1, i < joins ? TermRecord{OP_JOIN, 1, static_cast<Element>(e)}
                                            : TermRecord{OP_MEET, 0, static_cast<Element>(e)});
    return e;
}

// Prints a numbered term line the way the build does.
void print_numbered(int number, int e) {
    scripted::console().print("%2d ... ", number);
    print_term_line(scripted::console(), lattice(), e);
}

struct WrapCase {
    int length;
    int breaks;
    const char *expected;
};

const WrapCase wrap_cases[] = {
    {73, 0, "term_73_characters.txt"},
    {74, 1, "term_74_characters.txt"},
    {146, 1, "term_146_characters.txt"},
    {147, 2, "term_147_characters.txt"},
};

TEST(TermPrinting, LongTermsBreakAfterEvery73Characters) {
    for (const WrapCase &c : wrap_cases) {
        SCOPED_TRACE(c.expected);
        int e = element_with_term_length(c.length);
        print_numbered(7, e);
        // The console holds the whole term unbroken, standard output only
        // the breaks; the transcript shows where they fell.
        const std::string &console = scripted::console_bytes();
        EXPECT_EQ(console.size(), 7u + static_cast<unsigned>(c.length) + 1u);
        EXPECT_EQ(console.find('\n'), console.size() - 1);
        std::string breaks;
        for (int i = 0; i < c.breaks; ++i) breaks += BREAK;
        EXPECT_EQ(scripted::stdout_bytes(), breaks);
        data_files::expect_equal(scripted::transcript(), std::string("free_lattice/") + c.expected);
    }
}

TEST(TermPrinting, FromNumber100ThePrefixIsEightCharactersAndTheIndentStaysSeven) {
    int e = element_with_term_length(74);
    print_numbered(100, e);
    std::string text = scripted::transcript();
    std::string first_line = text.substr(0, text.find('\n'));
    // 8 prefix characters, 73 term characters, then the opening of the break.
    EXPECT_EQ(first_line.size(), 8u + 73u + std::string("\u00AB").size());
    EXPECT_EQ(first_line.substr(0, 8), "100 ... ");
    EXPECT_EQ(text.substr(text.find('\n')), "\n       \u00BB)\n");
}

TEST(TermPrinting, BreakPositionDoesNotDependOnWhatWasPrintedBefore) {
    int e = element_with_term_length(74);
    print_numbered(7, e);
    std::string once = scripted::transcript();
    print_numbered(7, e);
    EXPECT_EQ(scripted::transcript(), once + once);
}

TEST(TermPrinting, GeneratedOperandsAreParenthesizedWhereverTheyStand) {
    scripted::start("");
    lattice_setup::set_up("abc", "", "");
    lattice().set_term(3, {OP_JOIN, 0, 1});  // a+b
    lattice().set_term(4, {OP_MEET, 2, 3});  // c(a+b)
    lattice().set_term(5, {OP_MEET, 0, 2});  // ac
    lattice().set_term(6, {OP_JOIN, 5, 4});  // (ac)+(c(a+b))
    lattice().set_term(7, {OP_MEET, 3, 1});  // (a+b)b
    const char *expected[] = {"a", "b", "c", "a+b", "c(a+b)", "ac", "(ac)+(c(a+b))", "(a+b)b"};
    for (int e = 0; e < 8; ++e) {
        std::size_t before = scripted::console_bytes().size();
        TermLine(scripted::console()).print_term(lattice(), e);
        EXPECT_EQ(scripted::console_bytes().substr(before), expected[e]) << e;
    }
    EXPECT_EQ(scripted::stdout_bytes(), "");
}

TEST(TermPrinting, GeneratedElementsOwnNamesAreNeverUsed) {
    // Slot 3 is named '0' by the naming rule; its term is printed instead.
    scripted::start("");
    lattice_setup::set_up("abc", "", "");
    ASSERT_EQ(lattice().name(3), '0');
    lattice().set_term(3, {OP_JOIN, 0, 1});
    TermLine(scripted::console()).print_term(lattice(), 3);
    EXPECT_EQ(scripted::console_bytes(), "a+b");
}

TEST(TermPrinting, PutTermCharCountsAndBreaksAtTheColumn) {
    scripted::start("");
    TermLine line(scripted::console());
    for (int i = 0; i < 72; ++i) line.add_character('x');
    EXPECT_EQ(line.column(), 72);
    line.add_character('x');
    EXPECT_EQ(line.column(), 73);
    EXPECT_EQ(scripted::stdout_bytes(), "");
    line.add_character('y');
    EXPECT_EQ(line.column(), 1);
    EXPECT_EQ(scripted::stdout_bytes(), BREAK);
    EXPECT_EQ(scripted::transcript(), std::string(73, 'x') + "\u00AB\n       \u00BBy");
}

}  // namespace
