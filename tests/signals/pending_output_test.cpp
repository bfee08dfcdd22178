// The console's output buffer on a pipe: text goes out whole and in order,
// once, whether the program or a signal handler writes it out; a failed write
// ends the output for good, and on the terminal makes the exit status 2.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "signals/pending_output.h"
#include "devices/terminal_device.h"
#include "ending/exit_status.h"

namespace {

std::string read_available(int fd) {
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(got));
    return text;
}

TEST(OutputBuffer, HandlerFlushBetweenAddsNeitherRepeatsNorLosesText) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_NONBLOCK), 0);
    pending_output_reset();
    pending_output_attach(ends[1]);
    ASSERT_TRUE(pending_output_add("abc", 3));
    EXPECT_EQ(read_available(ends[0]), "") << "written before a flush";
    pending_output_flush_from_handler();
    ASSERT_TRUE(pending_output_add("def", 3));
    pending_output_flush_from_handler();
    pending_output_flush_from_handler();
    ASSERT_TRUE(pending_output_add("g", 1));
    ASSERT_TRUE(pending_output_flush());
    EXPECT_EQ(read_available(ends[0]), "abcdefg");
    // More than the buffer holds, a byte at a time: all of it, in order.
    std::string many;
    for (int i = 0; i < 20000; ++i) many += static_cast<char>('a' + i % 26);
    std::string seen;
    for (char c : many) {
        ASSERT_TRUE(pending_output_add(&c, 1));
        seen += read_available(ends[0]);
    }
    ASSERT_TRUE(pending_output_flush());
    EXPECT_EQ(seen + read_available(ends[0]), many);
    close(ends[0]);
    close(ends[1]);
    pending_output_reset();
}

// Every fill level, from empty to full, followed by each short run of
// operations a signal can interleave with the program's: a handler's flush
// (H), the program's flush (F) and additions that fit, just fit, just
// overflow or exceed the buffer. What reaches the file must equal what was
// added, once and in order; an out-of-bounds copy stops the sanitizer build
// or the checked copy.
TEST(OutputBuffer, InterleavedFlushesAtEveryFillLevelLoseAndRepeatNothing) {
    constexpr int FULL = PENDING_OUTPUT_CAPACITY;
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const int fd = fileno(file);
    // Operations: 'H', 'F', or an addition of a length that depends on the
    // free room: '1' one byte, '2' two, 'r' the room exactly, 'o' one past
    // the room, 'c' a whole buffer, 'x' more than a buffer.
    const std::vector<std::string> runs = {"H1", "H2", "Hr", "Ho", "Hc", "Hx", "HH2", "FH2",
                                           "HFo", "H1Ho", "o", "r1", "2H"};
    std::string added;
    int mismatches = 0;
    for (int level = 0; level <= FULL; ++level) {
        for (const std::string &run : runs) {
            ASSERT_EQ(ftruncate(fd, 0), 0);
            ASSERT_EQ(lseek(fd, 0, SEEK_SET), 0);
            pending_output_reset();
            pending_output_attach(fd);
            added.clear();
            int held = 0;  // bytes in the buffer since the program's last flush
            auto add = [&](int length) {
                std::string bytes;
                for (int i = 0; i < length; ++i) bytes += static_cast<char>('a' + (added.size() + i) % 26);
                added += bytes;
                held = held + length > FULL ? (length > FULL ? 0 : length) : held + length;
                return pending_output_add(bytes.data(), length);
            };
            ASSERT_TRUE(add(level));
            for (char op : run) {
                if (op == 'H') {
                    pending_output_flush_from_handler();  // the room stays as it was
                } else if (op == 'F') {
                    ASSERT_TRUE(pending_output_flush());
                    held = 0;
                } else {
                    int room = FULL - held;
                    int length = op == '1' ? 1 : op == '2' ? 2 : op == 'r' ? room : op == 'o' ? room + 1
                                 : op == 'c' ? FULL : FULL + 3;
                    ASSERT_TRUE(add(length)) << "level " << level << " run " << run;
                }
            }
            ASSERT_TRUE(pending_output_flush());
            std::string out(added.size() + 1, '\0');
            ssize_t got = pread(fd, out.data(), out.size(), 0);
            out.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
            if (out != added && ++mismatches <= 3) {
                ADD_FAILURE() << "level " << level << " run " << run << ": " << out.size() << " bytes out of "
                              << added.size();
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    pending_output_reset();
    std::fclose(file);
}

volatile std::sig_atomic_t handler_runs = 0;

void flush_on_alarm(int /*sig*/) {
    int saved_errno = errno;
    pending_output_flush_from_handler();
    handler_runs = handler_runs + 1;
    errno = saved_errno;
}

// Real signals, every few microseconds, land inside additions and flushes
// as well as between them; the text still arrives once and in order. Runs
// until the handler has run often enough, however fast the machine is.
TEST(OutputBuffer, SignalsAtRandomMomentsLoseAndRepeatNothing) {
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    pending_output_reset();
    pending_output_attach(fileno(file));
    struct sigaction action = {};
    action.sa_handler = flush_on_alarm;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    struct sigaction saved = {};
    ASSERT_EQ(sigaction(SIGALRM, &action, &saved), 0);
    itimerval every = {{0, 20}, {0, 20}};
    ASSERT_EQ(setitimer(ITIMER_REAL, &every, nullptr), 0);
    handler_runs = 0;
    std::string added;
    unsigned seed = 1;
    for (long step = 0; (handler_runs < 2000 || step < 20000) && step < 100000000; ++step) {
        seed = seed * 1103515245U + 12345U;
        int length = static_cast<int>(seed >> 16) % 700 + 1;
        if (length > 690) length = PENDING_OUTPUT_CAPACITY + length - 690;  // past the buffer now and then
        std::string bytes(static_cast<std::size_t>(length), static_cast<char>('a' + step % 26));
        added += bytes;
        ASSERT_TRUE(pending_output_add(bytes.data(), length));
        if (seed % 7 == 0) {
            ASSERT_TRUE(pending_output_flush());
        }
        if (added.size() > (1U << 22)) {  // keep the file small: start afresh
            ASSERT_TRUE(pending_output_flush());
            itimerval off = {};
            setitimer(ITIMER_REAL, &off, nullptr);
            std::string out(added.size() + 1, '\0');
            out.resize(static_cast<std::size_t>(pread(fileno(file), out.data(), out.size(), 0)));
            ASSERT_EQ(out.size(), added.size());
            ASSERT_TRUE(out == added);
            ASSERT_EQ(ftruncate(fileno(file), 0), 0);
            ASSERT_EQ(lseek(fileno(file), 0, SEEK_SET), 0);
            added.clear();
            setitimer(ITIMER_REAL, &every, nullptr);
        }
    }
    itimerval off = {};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &saved, nullptr);
    ASSERT_TRUE(pending_output_flush());
    EXPECT_GE(handler_runs, 2000);
    std::string out(added.size() + 1, '\0');
    out.resize(static_cast<std::size_t>(pread(fileno(file), out.data(), out.size(), 0)));
    EXPECT_EQ(out.size(), added.size());
    EXPECT_TRUE(out == added);
    pending_output_reset();
    std::fclose(file);
}

TEST(OutputBuffer, FailedWriteEndsTheOutputForGood) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    pending_output_reset();
    pending_output_attach(ends[0]);  // the read end: every write fails
    EXPECT_TRUE(pending_output_add("x", 1));
    EXPECT_FALSE(pending_output_flush());
    EXPECT_EQ(pending_output_error(), EBADF);
    EXPECT_FALSE(pending_output_add("y", 1));
    EXPECT_FALSE(pending_output_flush());
    close(ends[0]);
    close(ends[1]);
    pending_output_reset();
    EXPECT_EQ(pending_output_error(), 0);
    // No descriptor yet: held text has nowhere to go, nor has text larger
    // than the buffer, and a handler writes nothing.
    EXPECT_TRUE(pending_output_add("z", 1));
    pending_output_flush_from_handler();
    EXPECT_FALSE(pending_output_flush());
    EXPECT_EQ(pending_output_error(), EBADF);
    pending_output_reset();
    const std::string large(PENDING_OUTPUT_CAPACITY + 1, 'l');
    EXPECT_FALSE(pending_output_add(large.c_str(), static_cast<int>(large.size())));
    EXPECT_EQ(pending_output_error(), EBADF);
    pending_output_reset();
}

// The terminal device closing on a console write that failed: the failure is
// told and the status is 2, where q alone gives 1. In a child, since the
// exit status is decided once per run.
TEST(OutputBuffer, AFailedTerminalWriteMakesTheExitStatus2) {
    int ends[2];
    int messages[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(pipe(messages), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(messages[1], 2);
        pending_output_reset();
        pending_output_attach(ends[0]);  // the read end: the write fails
        (void)pending_output_add("x", 1);
        ExitStatus exit_status;
        TerminalDevice terminal(exit_status);
        terminal.close();
        _exit(exit_status.final_status(1));
    }
    close(messages[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(read_available(messages[0]), "freelattice: cannot write the terminal: Bad file descriptor\n");
    close(messages[0]);
    close(ends[0]);
    close(ends[1]);
}

}  // namespace
