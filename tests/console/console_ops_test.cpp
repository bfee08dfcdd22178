// The console operations over the scripted device: pending second codes,
// echo, formatting and the two channels.
#include <gtest/gtest.h>
#include <unistd.h>

#include "devices/batch_device.h"
#include "console/console.h"
#include "scripted_console.h"

namespace {

TEST(ConsoleOps, PendingSecondCodeIsTakenByEitherReadAndNeverEchoed) {
    scripted::start("{0,72}{224,133}x");
    EXPECT_EQ(scripted::console().read_key_echo(), 0);
    EXPECT_EQ(scripted::console().read_key(), 72);
    EXPECT_EQ(scripted::console().read_key(), 224);
    EXPECT_EQ(scripted::console().read_key_echo(), 133);
    EXPECT_EQ(scripted::console().read_key_echo(), 'x');
    // Only the lead 0 and the one-code key were read from the keyboard.
    EXPECT_EQ(scripted::console_bytes(), std::string("\0x", 2));
}

TEST(ConsoleOps, EchoOfLead224IsThatByte) {
    scripted::start("{224,72}");
    EXPECT_EQ(scripted::console().read_key_echo(), 224);
    EXPECT_EQ(scripted::console_bytes(), "\xE0");
    EXPECT_EQ(scripted::console().read_key_echo(), 72);
    EXPECT_EQ(scripted::console_bytes(), "\xE0");
}

TEST(ConsoleOps, FailedEchoLosesTheKey) {
    scripted::start("ab");
    scripted::fail_console_output(true);
    EXPECT_EQ(scripted::console().read_key_echo(), -1);
    EXPECT_EQ(scripted::console().print("x"), -1);
    scripted::fail_console_output(false);
    EXPECT_EQ(scripted::console().read_key_echo(), 'b');
}

TEST(ConsoleOps, PrintFormatsByteByByteIncludingZero) {
    scripted::start("");
    EXPECT_EQ(scripted::console().print("%2d ... ", 7), 7);
    EXPECT_EQ(scripted::console().print("%c%c", 0, 196), 2);
    EXPECT_EQ(scripted::console().print("\n"), 1);
    EXPECT_EQ(scripted::console_bytes(), std::string(" 7 ... \0\xC4\n", 10));
    EXPECT_EQ(scripted::console().stdout_print("TABLE OF JOINS\n"), 15);
    EXPECT_EQ(scripted::stdout_bytes(), "TABLE OF JOINS\n");
    EXPECT_EQ(scripted::transcript(), " 7 ... \\x00\\xC4\n\u00ABTABLE OF JOINS\n\u00BB");
}

TEST(ConsoleOps, ToLowerMapsOnlyCapitals) {
    const int unchanged[] = {0, 224, -1, '0', '9', 'a', 'z', '@', '[', 196};
    for (int code : unchanged) EXPECT_EQ(to_lower(code), code) << code;
    EXPECT_EQ(to_lower('Q'), 'q');
    EXPECT_EQ(to_lower('A'), 'a');
    EXPECT_EQ(to_lower('Z'), 'z');
}

TEST(ConsoleOps, RunEndsWhenTheScriptRunsOut) {
    scripted::start("a");
    EXPECT_FALSE(scripted::run([] {
        scripted::console().read_key();
        scripted::console().read_key();
    }));
    EXPECT_EQ(scripted::keys_left(), 0);
}

// A presentation's device has no keys: a read gives -1 at once and leaves
// standard input alone (here a pipe nobody writes, which a read would wait
// on for ever).
TEST(PresentationDevices, HaveNoKeysAndLeaveStandardInputAlone) {
    int never_written[2];
    ASSERT_EQ(pipe(never_written), 0);
    int standard_input = dup(0);
    ASSERT_EQ(dup2(never_written[0], 0), 0);
    ExitStatus exit_status;
    BatchDevice transcript(exit_status, false);
    Console console(transcript);
    EXPECT_EQ(console.read_key_echo(), -1);
    EXPECT_EQ(console.read_key(), -1);
    console.close();
    (void)dup2(standard_input, 0);
    (void)close(standard_input);
    (void)close(never_written[0]);
    (void)close(never_written[1]);
}

}  // namespace
