// The phases in order, end to end on the scripted console: what the browser
// covers after a build that closes and after one stopped at the limit.
#include <gtest/gtest.h>

#include <string>

#include "scripted_console.h"
#include "workspace/workspace.h"

namespace {

const std::string PROMPT = "\nPress an action key or H for help ";

// The console bytes of the term list the key t wrote: from its echo to the
// next prompt.
std::string term_list(const std::string &console) {
    std::string::size_type start = console.rfind(PROMPT + "t");
    std::string::size_type end = console.rfind(PROMPT + "q\n");
    if (start == std::string::npos || end == std::string::npos || end < start) return "";
    start += PROMPT.size() + 1;
    return console.substr(start, end - start);
}

// The name before " ... " on each line of a term list (after its empty line).
std::string listed_names(const std::string &list) {
    std::string names;
    std::string::size_type at = 0;
    if (list.rfind("\n", 0) == 0) at = 1;
    while (at < list.size()) {
        std::string::size_type eol = list.find('\n', at);
        if (eol == std::string::npos) eol = list.size();
        if (list.compare(at + 1, 5, " ... ") == 0) names += list[at];
        at = eol + 1;
    }
    return names;
}

std::string names_of_slots(int first, int end) {
    std::string names;
    for (int i = first; i < end; ++i) names += static_cast<char>(NameTable[i]);
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
    EXPECT_EQ(listed_names(term_list(scripted::console_bytes())), names_of_slots(0, 11));
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
    std::string names = listed_names(term_list(scripted::console_bytes()));
    EXPECT_EQ(names.size(), 100u);
    EXPECT_EQ(names, names_of_slots(0, 100));
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

}  // namespace
