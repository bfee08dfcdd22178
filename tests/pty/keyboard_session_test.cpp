// The real program's keyboard on a terminal: a whole session pasted at once
// arrives unchanged and unechoed, the terminal is given back after q and after
// SIGTERM in a read, and a run without a terminal ends at once.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>
#include <vector>

#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

// The typical run: the pentagon, the law test declined, nothing declared
// defined, then the join table, the term list and q.
const std::string TYPICAL_RUN_KEYS = PENTAGON + "n" + "nnnn" + "jtq";

TEST(PtyKeyboard, WholeSessionPastedAtOnceArrivesUnchangedAndUnechoed) {
    pty::Session session;
    ASSERT_TRUE(session.started());
    // From the first key read on the input is raw; every key, both Enters
    // included, is then in the terminal before the program takes the first.
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write(TYPICAL_RUN_KEYS));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    expect_screen(screen_of(session.output()), "typical_run_declined.txt");
}

TEST(PtyKeyboard, SigtermDuringTheFirstReadGivesTheTerminalBack) {
    pty::Session session;
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.read_until("pressing CR two times.\r\n\r\n"));
    ASSERT_TRUE(session.write("a<b"));
    ASSERT_TRUE(session.read_until("\r\n\r\na<b<"));
    ASSERT_TRUE(session.wait_until_taken());
    ASSERT_TRUE(session.send_signal(SIGTERM));
    ASSERT_NO_FATAL_FAILURE(expect_ended_by(session, SIGTERM));
    EXPECT_TRUE(terminal_as_it_began(session));
    EXPECT_EQ(screen_of(session.output()), expected("banner.txt") + "a<b<\n");
}

TEST(PtyKeyboard, NoControllingTerminalEndsWithStatus2AndTheMessage) {
    // The guard only keeps a faulty program from hanging the suite.
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), {});
    ASSERT_TRUE(run.ending.ended) << "still running: it must end at its first key read";
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, 2);
    EXPECT_EQ(run.standard_error,
              "freelattice: no keyboard: cannot open /dev/tty: No such device or address\n");
    // The banner, written before the first read, is not lost.
    EXPECT_EQ(run.standard_output, expected("banner.txt"));
}

}  // namespace
