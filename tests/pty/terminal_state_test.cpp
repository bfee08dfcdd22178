// The terminal around a key read: attributes restored on every way out,
// stops and continues, hang-ups, and a run with no terminal at all.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "pty_driver.h"
#include "session_screens.h"

namespace {

using session_screens::expect_ended_by;
using session_screens::expect_exit;
using session_screens::key_probe;
using session_screens::terminal_as_it_began;

TEST(PtyTerminal, RawOnlyWhileTheDialogueLasts) {
    pty::Session session(key_probe("read", 1));
    ASSERT_TRUE(session.wait_until_raw());
    termios raw = session.attributes();
    EXPECT_EQ(raw.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(raw.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR), 0u);
    EXPECT_EQ(raw.c_cc[VMIN], 1);
    EXPECT_EQ(raw.c_cc[VTIME], 0);
    // Output processing stays as it was.
    EXPECT_EQ(raw.c_oflag, session.initial_attributes().c_oflag);
    ASSERT_TRUE(session.write("k"));
    expect_exit(session, 0);
}

TEST(PtyTerminal, SigtermDuringAReadRestoresAndEndsBySigterm) {
    pty::Session session(key_probe("read", 1));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.send_signal(SIGTERM));
    ASSERT_NO_FATAL_FAILURE(expect_ended_by(session, SIGTERM));
    EXPECT_TRUE(terminal_as_it_began(session));
}

TEST(PtyTerminal, EveryTerminatingSignalRestores) {
    for (int sig : {SIGHUP, SIGINT, SIGQUIT}) {
        pty::Session session(key_probe("read", 1));
        ASSERT_TRUE(session.wait_until_raw());
        ASSERT_TRUE(session.send_signal(sig));
        ASSERT_NO_FATAL_FAILURE(expect_ended_by(session, sig));
        EXPECT_TRUE(terminal_as_it_began(session)) << sig;
    }
}

// The probe's process group has no shell in its session, so the kernel does
// not actually stop it; the handler must leave the input raw all the same.
TEST(PtyTerminal, StopAndContinueDuringAReadGoOnReading) {
    pty::Session session(key_probe("read", 2));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.send_signal(SIGTSTP));
    ASSERT_TRUE(session.send_signal(SIGCONT));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write("a"));
    ASSERT_TRUE(session.read_until("97\r\n"));
    ASSERT_TRUE(session.write("b"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(session.output(), "97\r\n98\r\n");
}

TEST(PtyTerminal, HangUpDuringAReadEndsTheRun) {
    pty::Session session(key_probe("read", 1));
    ASSERT_TRUE(session.wait_until_raw());
    session.close_master();
    expect_ended_by(session, SIGHUP);
}

TEST(PtyTerminal, HangUpWithSighupIgnoredIsNoKeyboard) {
    pty::Session::Options options = key_probe("read", 1);
    options.ignore_sighup = true;
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    session.close_master();
    pty::Ending ending = session.wait_exit();
    ASSERT_TRUE(ending.ended);
    EXPECT_TRUE(ending.exited);
    EXPECT_EQ(ending.status, 2);
}

TEST(PtyTerminal, NoControllingTerminalEndsWithStatus2AndTheMessage) {
    pty::DetachedRun run = pty::run_without_terminal(KEY_PROBE_BINARY, {"read", "1"});
    ASSERT_TRUE(run.ending.ended);
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, 2);
    EXPECT_EQ(run.standard_output, "");
    EXPECT_EQ(run.standard_error,
              "freelattice: no keyboard: cannot open /dev/tty: No such device or address\n");
}

}  // namespace
