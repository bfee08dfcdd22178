// Shared by the end-to-end tests of whole runs: what the terminal showed, the
// expected screens kept in tests/data/pty, and the checks every run ends with.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data_files.h"
#include "pty_driver.h"
#include "screen_model.h"

namespace session_screens {

// The screen text of a run's output; every byte other than BS, LF and CR
// below 32, and DEL, is a fault of the program and fails the test.
inline std::string screen_of(const std::string &output) {
    ScreenModel screen;
    screen.feed(output);
    EXPECT_EQ(screen.stray_controls(), 0) << "raw control bytes reached the terminal";
    return screen.text();
}

// A batch transcript (plain line ends) as a terminal shows it: its output
// processing starts each new line at its first column.
inline std::string as_a_terminal_shows(const std::string &transcript) {
    std::string shown;
    for (char c : transcript) {
        if (c == '\n') shown += '\r';
        shown += c;
    }
    return shown;
}

// An expected screen: tests/data/pty/<name> without its leading comment
// lines, which say what the run is.
inline std::string expected(const std::string &name) { return data_files::read_body("pty/" + name); }

// Compares a screen with tests/data/pty/<name>; FREELATTICE_UPDATE_DATA=1
// rewrites the file under its comment lines instead: review every change.
inline void expect_screen(const std::string &actual, const std::string &name) {
    data_files::expect_body_equal(actual, "pty/" + name);
}

// The screen text from the first line that contains marker on.
inline std::string from_line_with(const std::string &text, const std::string &marker) {
    std::size_t at = text.find(marker);
    if (at == std::string::npos) return "";
    std::size_t line_start = text.rfind('\n', at);
    return text.substr(line_start == std::string::npos ? 0 : line_start + 1);
}

inline bool terminal_as_it_began(const pty::Session &session) {
    return pty::Session::same_attributes(session.attributes(), session.initial_attributes());
}

// The end of a run killed by sig: not an exit, that signal.
inline void expect_ended_by(pty::Session &session, int sig) {
    pty::Ending ending = session.wait_exit();
    ASSERT_TRUE(ending.ended) << "the program did not end";
    EXPECT_FALSE(ending.exited) << "exit status " << ending.status;
    EXPECT_EQ(ending.signal, sig);
}

// Keys one by one: each string is one key press (a sequence for a special key).
inline std::vector<std::string> keys_of(const std::string &typed) {
    std::vector<std::string> keys;
    for (char c : typed) keys.emplace_back(1, c);
    return keys;
}

// The end of a run that exits with status, the terminal as it began (a
// normal run of the program ends with q and status 1).
inline void expect_exit(pty::Session &session, int status, int timeout_ms = pty::HANG_GUARD_MS) {
    pty::Ending ending = session.wait_exit(timeout_ms);
    ASSERT_TRUE(ending.ended) << "the program did not end";
    EXPECT_TRUE(ending.exited);
    EXPECT_EQ(ending.status, status);
    EXPECT_TRUE(terminal_as_it_began(session)) << "the terminal attributes did not end as they began";
}

// The key probe in mode (read, echo, ...), with a count of keys if above 0.
inline pty::Session::Options key_probe(const std::string &mode, int count = 0) {
    pty::Session::Options options;
    options.program = KEY_PROBE_BINARY;
    options.args = {mode};
    if (count > 0) options.args.push_back(std::to_string(count));
    return options;
}

// xterm's sequences for the keys the browser scrolls with.
inline const std::string UP = "\x1b[A";
inline const std::string DOWN = "\x1b[B";
inline const std::string RIGHT = "\x1b[C";
inline const std::string LEFT = "\x1b[D";
inline const std::string SHIFT_UP = "\x1b[1;2A";
inline const std::string SHIFT_DOWN = "\x1b[1;2B";
inline const std::string SHIFT_RIGHT = "\x1b[1;2C";
inline const std::string SHIFT_LEFT = "\x1b[1;2D";
inline const std::string F11 = "\x1b[23~";

// The pentagon of the banner, typed in one go, then the two Enters.
inline const std::string PENTAGON = "a<b<c a<1<2<c\r\r";

}  // namespace session_screens
