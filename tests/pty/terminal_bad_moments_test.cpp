// The real program's terminal in bad moments: stopped and continued during a
// key read, hung up during a read, terminated during the build's output and
// during reads, and run with standard output sent to a file. The terminal's
// attributes are compared with those it had before the program started.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "data_files.h"
#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

// True once process pid waits in write(2) on file descriptor fd (on any
// descriptor when fd is -1), as /proc/<pid>/syscall shows it ("1 0x<fd>
// ..."); false after the hang guard.
bool blocked_in_write_to(pid_t pid, int fd) {
    char expected[32];
    if (fd < 0) {
        std::snprintf(expected, sizeof expected, "1 ");
    } else {
        std::snprintf(expected, sizeof expected, "1 0x%x ", fd);
    }
    for (int waited = 0; waited < pty::HANG_GUARD_MS; waited += 10) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
        std::string line;
        if (std::getline(in, line) && line.rfind(expected, 0) == 0) return true;
        pty::Session::pause(10);
    }
    return false;
}

std::string read_to_end(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            return text;
        }
    }
}

const std::string BANNER_END = "pressing CR two times.\r\n\r\n";

// A file for a redirected stream, removed when the test ends.
class TemporaryFile {
public:
    TemporaryFile() {
        char name[] = "/tmp/freelattice-pty-XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        path_ = name;
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    const std::string &path() const { return path_; }
    std::string contents() const { return data_files::contents(path_); }

private:
    std::string path_;
};

// Started by a job-control shell, so that SIGTSTP really stops it: while it
// is stopped the terminal is as it began, SIGCONT makes the input raw again,
// and the read it was in goes on as if nothing had happened.
TEST(PtyBadMoments, StopAndContinueDuringAKeyRead) {
    pty::Session::Options options;
    options.job_control = true;
    pty::Session session(options);
    ASSERT_TRUE(session.started());
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.read_until(BANNER_END));
    ASSERT_TRUE(session.type(keys_of("a<b")));
    ASSERT_TRUE(session.read_until(BANNER_END + "a<b<"));
    ASSERT_TRUE(session.send_signal(SIGTSTP));
    ASSERT_TRUE(session.wait_until_stopped());
    EXPECT_TRUE(terminal_as_it_began(session)) << "stopped with the input still raw";
    ASSERT_TRUE(session.send_signal(SIGCONT));
    ASSERT_TRUE(session.wait_until_running());
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of("<c a<1<2<c\r\rnnnnnjtq")));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    EXPECT_EQ(screen_of(session.output()), expected("typical_run_declined.txt"));
}

// Without a job-control shell the kernel refuses the stop (the program's
// process group is orphaned); the program must then go on reading raw keys.
TEST(PtyBadMoments, RefusedStopDuringAKeyReadLeavesTheReadGoingOn) {
    pty::Session session;
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.read_until(BANNER_END));
    ASSERT_TRUE(session.send_signal(SIGTSTP));
    ASSERT_TRUE(session.send_signal(SIGCONT));
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of(PENTAGON + "nnnnnjtq")));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    EXPECT_EQ(screen_of(session.output()), expected("typical_run_declined.txt"));
}

// Closing the terminal's master side hangs the terminal up; the program in a
// key read ends at once by SIGHUP. (The terminal is gone: no attributes are
// left to compare.)
TEST(PtyBadMoments, HangUpDuringAKeyReadEndsBySighup) {
    pty::Session session;
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of(PENTAGON)));
    ASSERT_TRUE(session.read_until("or distributive?\r\n"));
    ASSERT_TRUE(session.wait_until_taken());
    session.close_master();
    expect_ended_by(session, SIGHUP);
}

// With SIGHUP ignored, as under nohup, the read finds no keyboard: status 2
// and the message, never a spin.
TEST(PtyBadMoments, HangUpWithSighupIgnoredEndsWithStatus2AndTheMessage) {
    TemporaryFile errors;
    pty::Session::Options options;
    options.ignore_sighup = true;
    options.stderr_path = errors.path();
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.read_until(BANNER_END));
    session.close_master();
    pty::Ending ending = session.wait_exit();
    ASSERT_TRUE(ending.ended) << "the program did not end";
    EXPECT_TRUE(ending.exited);
    EXPECT_EQ(ending.status, 2);
    EXPECT_EQ(errors.contents(), "freelattice: no keyboard: end of input\n");
}

// The output is held back (as by XOFF) before the build starts. The build's
// text goes out in one write at its first line break, which then waits for
// the terminal; SIGTERM finds the program there, in the middle of the
// build's output. Text still in that write may be lost, but the terminal
// comes back as it began, and nothing after the signal is shown.
TEST(PtyBadMoments, SigtermDuringTheBuildsOutput) {
    pty::Session session;
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of("a b c\r")));
    ASSERT_TRUE(session.read_until("c<\b \r\n"));
    ASSERT_TRUE(session.suspend_output());
    ASSERT_TRUE(session.write("\r"));
    ASSERT_TRUE(blocked_in_write_to(session.pid(), -1)) << "the build's output never waited";
    ASSERT_TRUE(session.send_signal(SIGTERM));
    ASSERT_NO_FATAL_FAILURE(expect_ended_by(session, SIGTERM));
    ASSERT_TRUE(session.resume_output());
    EXPECT_TRUE(terminal_as_it_began(session));
    EXPECT_EQ(screen_of(session.output()).find("Press an action key"), std::string::npos);
}

struct ReadMoment {
    const char *name;
    std::string keys;       // typed before the signal
    std::string shown;      // what the read waits behind
};

TEST(PtyBadMoments, SigtermDuringAReadGivesTheTerminalBack) {
    const ReadMoment moments[] = {
        {"poset entry", "a<b<c a", "a<b<c a<"},
        {"law test offer", PENTAGON, "or distributive?\r\n"},
        {"a question", PENTAGON + "y", "Is b.1=a defined? (Y/N) "},
        {"action prompt", PENTAGON + "nnnnn", "Press an action key or H for help "},
        {"navigation", "a b c\r\rl" + DOWN, "TABLE OF LESS RELATION\r\n"},
    };
    for (const ReadMoment &moment : moments) {
        pty::Session session;
        ASSERT_TRUE(session.wait_until_raw()) << moment.name;
        ASSERT_TRUE(session.read_until(BANNER_END)) << moment.name;
        ASSERT_TRUE(session.type(keys_of(moment.keys))) << moment.name;
        ASSERT_TRUE(session.read_until(moment.shown)) << moment.name;
        ASSERT_TRUE(session.wait_until_taken()) << moment.name;
        ASSERT_TRUE(session.send_signal(SIGTERM));
        ASSERT_NO_FATAL_FAILURE(expect_ended_by(session, SIGTERM));
        EXPECT_TRUE(terminal_as_it_began(session)) << moment.name;
        screen_of(session.output());
    }
}

// Standard output to a file: the fixed texts (banner, offer, law
// confirmations, help, table titles) land there complete, and the terminal
// shows the dialogue without them.
TEST(PtyBadMoments, StandardOutputToAFile) {
    TemporaryFile standard_output;
    pty::Session::Options options;
    options.stdout_path = standard_output.path();
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    // The square: a lattice, modular and distributive. The meet of b and c
    // declared defined, the join not. Then every action key and q.
    ASSERT_TRUE(session.type(keys_of("a<b<d a<c<d\r\r" "y" "yn" "hljmtq")));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    expect_screen(screen_of(session.output()), "square_stdout_to_file_terminal.txt");
    EXPECT_EQ(standard_output.contents(), expected("square_stdout_to_file_stdout.txt"));
}

// Standard output that cannot be written (a full device, a closed
// descriptor, a pipe without reader, a file past the size limit): the
// dialogue on the terminal is as with a file, and the failure is reported at
// the end with status 2, not passed for success, and not a signal's death.
TEST(PtyBadMoments, StandardOutputThatCannotBeWrittenIsReported) {
    struct Case {
        const char *shell;  // runs the program as "$0"
        pty::Session::Options::Pipe pipe;
        const char *reason;
    };
    const Case cases[] = {
        {"exec \"$0\" >/dev/full", pty::Session::Options::Pipe::NONE, "No space left on device"},
        {"exec \"$0\" >&-", pty::Session::Options::Pipe::NONE, "Bad file descriptor"},
        // Standard input closed as well: the dialogue reads the terminal.
        {"exec \"$0\" >&- <&-", pty::Session::Options::Pipe::NONE, "Bad file descriptor"},
        {"trap '' PIPE; exec \"$0\"", pty::Session::Options::Pipe::WITHOUT_READER, "Broken pipe"},
        {"exec \"$0\"", pty::Session::Options::Pipe::WITHOUT_READER, "Broken pipe"},
        // A file nearly at the limit, which leaves room for a coverage
        // build's counts.
        {"f=$(mktemp); head -c 81500 /dev/zero > \"$f\"; ulimit -f 160; \"$0\" >> \"$f\"; s=$?; rm -f \"$f\"; exit $s",
         pty::Session::Options::Pipe::NONE, "File too large"},
    };
    for (const Case &c : cases) {
        TemporaryFile errors;
        pty::Session::Options options;
        options.program = "/bin/sh";
        options.args = {"-c", c.shell, pty::freelattice_path()};
        options.stdout_pipe = c.pipe;
        options.stderr_path = errors.path();
        pty::Session session(options);
        ASSERT_TRUE(session.wait_until_raw()) << c.shell;
        ASSERT_TRUE(session.type(keys_of("a<b<d a<c<d\r\r" "y" "yn" "hljmtq"))) << c.shell;
        pty::Ending ending = session.wait_exit();
        EXPECT_TRUE(ending.exited) << c.shell;
        EXPECT_EQ(ending.status, 2) << c.shell;
        EXPECT_EQ(errors.contents(), std::string("freelattice: cannot write standard output: ") + c.reason + "\n");
        EXPECT_EQ(screen_of(session.output()), expected("square_stdout_to_file_terminal.txt")) << c.shell;
    }
}

// Standard output a pipe whose reader has gone, in the middle of the
// dialogue: the write fails rather than end the program by SIGPIPE, the
// session goes on to q, and the failure is told with the terminal as it
// began.
TEST(PtyBadMoments, StandardOutputToAPipeWithoutReader) {
    TemporaryFile errors;
    pty::Session::Options options;
    options.stdout_pipe = pty::Session::Options::Pipe::WITHOUT_READER;
    options.stderr_path = errors.path();
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    // The empty poset, the law tests declined, then help after help: each
    // writes its text on standard output until the buffer must go out.
    ASSERT_TRUE(session.write("\rn" + std::string(200, 'h') + "q"));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 2));
    EXPECT_TRUE(terminal_as_it_began(session));
    EXPECT_EQ(errors.contents(), "freelattice: cannot write standard output: Broken pipe\n");
}

// A stop or continue that arrives while standard output is blocked in a
// write (a pipe nobody reads yet) must not cost any of its text: the write
// goes on after the handler.
TEST(PtyBadMoments, SignalsDuringABlockedStandardOutputWriteLoseNoText) {
    pty::Session::Options options;
    options.stdout_pipe = pty::Session::Options::Pipe::READ_BY_TEST;
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    // Enough help texts to fill the pipe long before the last one.
    constexpr int HELPS = 400;
    ASSERT_TRUE(session.write("\rn" + std::string(HELPS, 'h') + "q"));
    ASSERT_TRUE(blocked_in_write_to(session.pid(), 1)) << "standard output never blocked";
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(session.send_signal(SIGTSTP));  // refused: no job control here
        ASSERT_TRUE(session.send_signal(SIGCONT));
    }
    std::string text;
    std::thread reader([&] { text = read_to_end(session.stdout_pipe()); });
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    reader.join();
    std::size_t helps = 0;
    for (std::size_t at = text.find("ACTION KEYS:"); at != std::string::npos;
         at = text.find("ACTION KEYS:", at + 1))
        ++helps;
    EXPECT_EQ(helps, static_cast<std::size_t>(HELPS));
}

}  // namespace
