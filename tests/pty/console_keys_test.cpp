// Keys and console output end to end: the console operations on the real
// terminal device (the key probe), driven through a pseudo-terminal.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "data_files.h"
#include "pty_driver.h"
#include "screen_model.h"
#include "session_screens.h"

namespace {

using session_screens::expect_exit;
using session_screens::key_probe;
using session_screens::screen_of;

std::string expected(const std::string &name) { return data_files::read_body(name); }

TEST(PtyKeys, PastedPosetArrivesUnchangedAndUnechoed) {
    pty::Session session(key_probe("read", 15));
    ASSERT_TRUE(session.started());
    ASSERT_TRUE(session.wait_until_raw());
    // All at once, as a paste: the two Enters stay CR and nothing is echoed.
    ASSERT_TRUE(session.write("a<b<c a<1<2<c\r\r"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(screen_of(session.output()), expected("console/pty_pasted_poset.txt"));
}

// A paste is taken a block at a time, not a byte per poll and read: 3,000
// keys in a few dozen reads at most, the program's start included.
TEST(PtyKeys, APasteIsReadInBlocks) {
    constexpr int KEYS = 3000;
    pty::Session session(key_probe("read", KEYS));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write(std::string(KEYS - 1, 'x') + "y"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    const std::string shown = screen_of(session.output());
    EXPECT_EQ(shown.size(), (KEYS - 1) * 4 + 4U);
    EXPECT_EQ(shown.substr(shown.size() - 8), "120\n121\n");
    EXPECT_LE(session.read_calls(), 100) << "for " << KEYS << " keys";
    EXPECT_GT(session.read_calls(), 0);
}

TEST(PtyKeys, MovementFunctionAndControlKeysGiveTheirCodes) {
    pty::Session session(key_probe("read", 19));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write("\x1b[A"         // Up
                              "\x1bOB"         // Down, SS3 form
                              "\x1b[1;2A"      // Shift+Up
                              "\x1b[1;5C"      // Ctrl+Right
                              "\x1b[1;3D"      // Alt+Left
                              "\x1b\x1b[B"     // Alt+Down, ESC prefix
                              "\x1b[23~"       // F11
                              "\x1bOP"         // F1
                              "\x03"           // Ctrl+C: a key, not a signal
                              "\x7f"           // Backspace
                              "\xc3\xa9"       // e acute
                              "\x1b[25~"       // a key the console does not know
                              "z"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(screen_of(session.output()), expected("console/pty_movement_keys.txt"));
}

TEST(PtyKeys, LoneEscapeAfterAPauseIs27) {
    pty::Session session(key_probe("read", 3));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write_lone_escape());
    ASSERT_TRUE(session.write("["));  // after the pause: a key of its own
    ASSERT_TRUE(session.write("x"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(screen_of(session.output()), "27\n91\n120\n");
}

TEST(PtyKeys, EchoShowsTheLeadByteOnly) {
    pty::Session session(key_probe("echo", 5));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.write("x\x1b[A\x1b[24~"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(screen_of(session.output()), expected("console/pty_echo.txt"));
}

TEST(PtyOutput, EveryConsoleByteShowsAsItsCharacter) {
    pty::Session session(key_probe("show"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 0));
    EXPECT_EQ(screen_of(session.output()), expected("console/cp437_glyphs.txt"));
}

}  // namespace
