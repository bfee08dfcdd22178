// The phases in order, end to end on the scripted console: what the browser
// covers after a build that closes and after one stopped at the limit.
#include <gtest/gtest.h>

#include <string>

#include "browser_fixtures.h"
#include "partial_lattice_setup.h"
#include "poset_setup.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

// The number of elements the sequence passed on as shown, -1 before.
int shown = -1;
void note_shown(void * /*context*/, const Lattice & /*lattice*/, int count) { shown = count; }
const SequenceHooks NOTE_SHOWN = {nullptr, note_shown, nullptr};

// The names of the elements in the term list the key t printed.
std::string listed_names() {
    std::string names;
    for (const auto &line : browser_fixtures::printed_terms()) names += line.first;
    return names;
}

TEST(MainSequence, BuildThatClosesShowsEveryElementAndNoMore) {
    // The pentagon, law test declined, no incomparable meet or join defined:
    // eleven elements.
    scripted::start("abc a12c\r\rnnnnntq");
    ASSERT_EQ(scripted::run_program(NOTE_SHOWN), 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_TRUE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 11);
    EXPECT_EQ(shown, 11);
    EXPECT_NE(scripted::console_bytes().find("The number of elements is 11.\n"), std::string::npos);
    EXPECT_EQ(listed_names(), poset_setup::names(lattice(), 11));
}

TEST(MainSequence, BuildStoppedAtTheLimitShowsTheFirstHundred) {
    // Three unrelated generators span an infinite free lattice; no question
    // is asked and the law test is silent (no lattice).
    scripted::start("a b c\r\rtq");
    ASSERT_EQ(scripted::run_program(NOTE_SHOWN), 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_FALSE(lattice().closed());
    EXPECT_EQ(lattice().elements(), 101);
    EXPECT_EQ(shown, 100);
    EXPECT_EQ(scripted::console_bytes().find("The number of elements is"), std::string::npos);
    // The last element line of the build is numbered 101 and names index 100,
    // which the browser leaves out.
    const std::string last_line = "101 ... ";
    EXPECT_NE(scripted::console_bytes().find("\n" + last_line), std::string::npos);
    EXPECT_EQ(scripted::console_bytes().find("\n102 ... "), std::string::npos);
    std::string names = listed_names();
    EXPECT_EQ(names.size(), 100u);
    EXPECT_EQ(names, poset_setup::names(lattice(), 100));
}

TEST(MainSequence, TheLatticeStartsNewWhateverItHeld) {
    // What an earlier session left in the lattice changes nothing: the
    // banner makes it new.
    scripted::start("a b c\r\rq");
    ASSERT_TRUE(lattice_setup::set_up("abcd", "a<b a<c c<d", "b.c"));
    ASSERT_EQ(scripted::run_program(NOTE_SHOWN), 1);
    EXPECT_EQ(lattice().generators(), 3);
    EXPECT_EQ(lattice().elements(), 101);
    EXPECT_EQ(shown, 100);
}

#ifdef FREELATTICE_CHECKS
// A checked build stops at a broken invariant instead of passing on a wrong
// table: here a meet that names no element.
TEST(InvariantDeathTest, ABrokenInvariantAbortsAndNamesItself) {
    scripted::start("");
    EXPECT_DEATH(lattice().store_meet(0, 1, lattice().capacity()), "invariant broken in .*lattice\\.h");
}
#endif

}  // namespace
