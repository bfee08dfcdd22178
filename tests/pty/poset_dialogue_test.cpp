// The poset dialogue of the real program, typed key by key as a person would:
// the banner, the pentagon with its "<" keys, the law test and the four
// questions with mixed answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

TEST(PtyPosetDialogue, PentagonTypedKeyByKeyThroughTheLawTestAndTheQuestions) {
    pty::Session session;
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.read_until("pressing CR two times.\r\n\r\n"));
    // Every "<" typed too; the program ignores it and echoes its own.
    ASSERT_TRUE(session.type(keys_of("a<b<c a<1<2<c\r\r")));
    ASSERT_TRUE(session.read_until("or distributive?\r\n"));
    // y: the modular test, which the pentagon fails.
    ASSERT_TRUE(session.type({"y"}));
    ASSERT_TRUE(session.read_until("Is b.1=a defined? (Y/N) "));
    // b.1=a yes, b.2=a no (N), b+1=c yes (Y, upper case), b+2=c no (Enter).
    ASSERT_TRUE(session.type({"y", "N", "Y", "\r"}));
    ASSERT_TRUE(session.read_until("Press an action key or H for help "));
    ASSERT_TRUE(session.type({"q"}));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    expect_screen(screen_of(session.output()), "pentagon_typed_mixed_answers.txt");
}

}  // namespace
