// Whole runs of the real program through the result browser: the typical run
// typed key by key, and three incomparable generators built to the limit with
// the join table scrolled by arrow and Shift+arrow keys to the far corner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

void type_pentagon(pty::Session &session) {
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of(PENTAGON)));
    ASSERT_TRUE(session.read_until("or distributive?\r\n"));
}

struct TypicalRun {
    const char *law_test_answer;
    const char *screen;
};

TEST(PtyBrowser, TypicalRunTypedKeyByKey) {
    const TypicalRun runs[] = {
        {"n", "typical_run_declined.txt"},
        {"y", "typical_run_accepted.txt"},
    };
    for (const TypicalRun &run : runs) {
        pty::Session session;
        ASSERT_NO_FATAL_FAILURE(type_pentagon(session));
        ASSERT_TRUE(session.type({run.law_test_answer}));
        // Nothing declared defined, then the join table, the terms and q.
        ASSERT_TRUE(session.type(keys_of("nnnnjtq")));
        ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
        expect_screen(screen_of(session.output()), run.screen);
    }
}

// "a b c": no lattice, no question, and a free lattice that is infinite.
void build_three_incomparable(pty::Session &session) {
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of("a b c\r\r")));
    ASSERT_TRUE(session.read_until("Press an action key or H for help "));
}

TEST(PtyBrowser, ThreeIncomparableToTheLimitScrolledToTheFarCorner) {
    pty::Session session;
    ASSERT_NO_FATAL_FAILURE(build_three_incomparable(session));
    std::vector<std::string> keys = {"j"};
    // Down by ten to the last row (90, then 99 clamped), right by ten to the
    // last column, then single steps at the corner and back by ten.
    for (int i = 0; i < 10; ++i) keys.push_back(SHIFT_DOWN);
    for (int i = 0; i < 10; ++i) keys.push_back(SHIFT_RIGHT);
    for (const std::string &key : {DOWN, RIGHT, UP, LEFT, SHIFT_UP, SHIFT_LEFT}) keys.push_back(key);
    // x ends the navigation without acting; q at the prompt ends the run.
    keys.push_back("x");
    keys.push_back("q");
    ASSERT_TRUE(session.type(keys));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    expect_screen(screen_of(session.output()), "three_incomparable_far_corner.txt");
}

TEST(PtyBrowser, F11EndsNavigationAndItsSecondCodeGoesToThePromptUnechoed) {
    pty::Session session;
    ASSERT_NO_FATAL_FAILURE(build_three_incomparable(session));
    // F11 is 224 then 133: 224 ends the navigation, 133 is read at the next
    // prompt without echo and is no action, so the prompt comes again.
    ASSERT_TRUE(session.type({"m", SHIFT_DOWN, F11, "q"}));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    std::string screen = screen_of(session.output());
    expect_screen(from_line_with(screen, "Press an action key"), "three_incomparable_f11.txt");
}

}  // namespace
