// The phases in order, end to end on the scripted console: what the browser
// covers after a build that closes and after one stopped at the limit.
#include <gtest/gtest.h>

#include <string>

#include "browser_fixtures.h"
#include "poset_setup.h"
#include "scripted_console.h"
#include "lattice/lattice.h"

namespace {

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
    ASSERT_EQ(scripted::run_program(), 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_EQ(closure_complete, 1);
    EXPECT_EQ(element_limit, 100);
    EXPECT_EQ(shown_count, 11);
    EXPECT_NE(scripted::console_bytes().find("The number of elements is 11.\n"), std::string::npos);
    EXPECT_EQ(listed_names(), poset_setup::names(11));
}

TEST(MainSequence, BuildStoppedAtTheLimitShowsTheFirstHundred) {
    // Three unrelated generators span an infinite free lattice; no question
    // is asked and the law test is silent (no lattice).
    scripted::start("a b c\r\rtq");
    ASSERT_EQ(scripted::run_program(), 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_EQ(closure_complete, 0);
    EXPECT_EQ(shown_count, 100);
    EXPECT_EQ(scripted::console_bytes().find("The number of elements is"), std::string::npos);
    // The last element line of the build is numbered 101 and names index 100,
    // which the browser leaves out.
    const std::string last_line = "101 ... ";
    EXPECT_NE(scripted::console_bytes().find("\n" + last_line), std::string::npos);
    EXPECT_EQ(scripted::console_bytes().find("\n102 ... "), std::string::npos);
    std::string names = listed_names();
    EXPECT_EQ(names.size(), 100u);
    EXPECT_EQ(names, poset_setup::names(100));
}

TEST(MainSequence, LimitIsSetAfterTheDialogueWhateverTheWorkspaceHeld) {
    // A value left over in the limit would change the build: the sequence
    // sets it itself before building.
    scripted::start("a b c\r\rq");
    element_limit = 5;
    shown_count = 7;
    ASSERT_EQ(scripted::run_program(), 1);
    EXPECT_EQ(element_limit, 100);
    EXPECT_EQ(shown_count, 100);
}

#ifdef FREELATTICE_CHECKS
// A checked build stops at a broken invariant instead of passing on a wrong
// table: here a meet that names no element.
TEST(InvariantDeathTest, ABrokenInvariantAbortsAndNamesItself) {
    EXPECT_DEATH(store_symmetric(MeetTable, 0, 1, MAX_ELEMENTS), "invariant broken in .*workspace\\.h");
}
#endif

}  // namespace
