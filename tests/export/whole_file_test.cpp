// Files written whole or not at all: a new file, an old one replaced, one
// reached through a link, the longest name, and the failures: a folder, a
// missing folder, and a write cut short (a file size limit stands in for a
// full disk). Then the temporary file against terminating signals, with the
// program's handlers.
#include "export/whole_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "data_files.h"
#include "export/temporary_file.h"
#include "signals/signals.h"
#include "signals/write_all.h"

namespace {

namespace fs = std::filesystem;

class WholeFile : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/freelattice-export-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const char *name) const { return (folder / name).string(); }

    // The names in the folder, sorted, space separated.
    std::string entries() const {
        std::set<std::string> names;
        for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        std::string text;
        for (const std::string &name : names) text += (text.empty() ? "" : " ") + name;
        return text;
    }

    fs::path folder;
};

TEST_F(WholeFile, NewFileThenReplacedThroughALinkThatStays) {
    const std::string file = path("lattice.json");
    EXPECT_EQ(check_whole_file(file.c_str()), 0);
    EXPECT_EQ(entries(), "") << "the check leaves nothing behind";
    ASSERT_EQ(write_whole_file(file.c_str(), "first\n"), 0);
    EXPECT_EQ(data_files::contents(file), "first\n");
    // As a new file made by open(2): 0666 less the umask, not mkstemp's 0600.
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0666 & ~mask));

    fs::create_symlink("lattice.json", path("link"));
    EXPECT_EQ(check_whole_file(path("link").c_str()), 0);
    ASSERT_EQ(write_whole_file(path("link").c_str(), "second\n"), 0);
    EXPECT_TRUE(fs::is_symlink(path("link")));
    EXPECT_EQ(data_files::contents(file), "second\n");
    EXPECT_EQ(entries(), "lattice.json link");
}

// A dangling link creates the file it names; a hard link is broken, its
// other name keeping the old text; a name of 255 bytes, the longest there
// is, still gets a temporary name that fits.
TEST_F(WholeFile, DanglingLinkHardLinkAndTheLongestName) {
    fs::create_symlink("made.dot", path("dangling"));
    ASSERT_EQ(check_whole_file(path("dangling").c_str()), 0);
    ASSERT_EQ(write_whole_file(path("dangling").c_str(), "made\n"), 0);
    EXPECT_TRUE(fs::is_symlink(path("dangling")));
    EXPECT_EQ(data_files::contents(path("made.dot")), "made\n");

    fs::create_hard_link(path("made.dot"), path("other"));
    ASSERT_EQ(write_whole_file(path("made.dot").c_str(), "new\n"), 0);
    EXPECT_EQ(data_files::contents(path("other")), "made\n");
    EXPECT_EQ(data_files::contents(path("made.dot")), "new\n");

    const std::string longest(255, 'n');
    EXPECT_EQ(temporary_name_for(path(longest.c_str())).size() - folder.string().size() - 1, 255U);
    ASSERT_EQ(check_whole_file(path(longest.c_str()).c_str()), 0);
    ASSERT_EQ(write_whole_file(path(longest.c_str()).c_str(), "long\n"), 0);
    EXPECT_EQ(data_files::contents(path(longest.c_str())), "long\n");
    EXPECT_EQ(entries(), "dangling made.dot " + longest + " other");
}

// The program's own descriptors by any of their names, a device, a FIFO
// with and without a reader, a loop of links and a file taken for a folder.
TEST_F(WholeFile, DescriptorsDevicesFifosAndLoops) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string own = "/proc/self/fd/" + std::to_string(ends[1]);
    const std::string task = "/proc/thread-self/fd/" + std::to_string(ends[1]);
    EXPECT_EQ(check_whole_file(own.c_str()), 0);
    EXPECT_EQ(write_whole_file(own.c_str(), "to the pipe\n"), 0);
    EXPECT_EQ(write_whole_file(task.c_str(), "and again\n"), 0);
    char got[64] = {};
    EXPECT_EQ(read(ends[0], got, sizeof got - 1), 22);
    EXPECT_STREQ(got, "to the pipe\nand again\n");
    const std::string read_end = "/dev/fd/" + std::to_string(ends[0]);
    EXPECT_EQ(check_whole_file(read_end.c_str()), EBADF);
    EXPECT_EQ(write_whole_file(read_end.c_str(), "x"), EBADF);
    EXPECT_EQ(write_whole_file("/dev/fd/999", "x"), EBADF);
    close(ends[0]);
    close(ends[1]);
    // Open both ways: written where it stands.
    int both = open(path("both").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(both, 0);
    ASSERT_EQ(write(both, "old ", 4), 4);
    EXPECT_EQ(write_whole_file(("/dev/fd/" + std::to_string(both)).c_str(), "new\n"), 0);
    close(both);
    EXPECT_EQ(data_files::contents(path("both")), "old new\n");
    fs::remove(path("both"));
    // Names in the descriptor lists that are no descriptor number, and
    // folders beside them, are paths like any other: nothing there is made.
    for (const char *other : {"/dev/fd/1234567890", "/proc/self/fd/x1", "/proc/thread-self/fdinfo/x",
                              "/proc/thread-self/x", "/dev/fd/"}) {
        EXPECT_NE(check_whole_file(other), 0) << other;
    }

    EXPECT_EQ(check_whole_file("/dev/null"), 0);
    EXPECT_EQ(write_whole_file("/dev/null", "x"), 0);

    const std::string fifo = path("f");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(check_whole_file(fifo.c_str()), 0) << "a reader may come later";
    EXPECT_EQ(write_whole_file(fifo.c_str(), "x"), WHOLE_FILE_NO_READER);
    EXPECT_STREQ(whole_file_error_text(WHOLE_FILE_NO_READER), "no reader");
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(write_whole_file(fifo.c_str(), "read\n"), 0);
    EXPECT_EQ(read(reader, got, sizeof got), 5);
    close(reader);

    fs::create_symlink("b", path("a"));
    fs::create_symlink("a", path("b"));
    EXPECT_EQ(check_whole_file(path("a").c_str()), ELOOP);
    EXPECT_EQ(write_whole_file(path("a").c_str(), "x"), ELOOP);
    ASSERT_EQ(write_whole_file(path("plain").c_str(), "x"), 0);
    EXPECT_EQ(write_whole_file(path("plain/x").c_str(), "x"), ENOTDIR);
    EXPECT_EQ(entries(), "a b f plain");
}

TEST_F(WholeFile, AFolderOrAMissingFolderIsRefused) {
    EXPECT_EQ(check_whole_file(folder.c_str()), EISDIR);
    EXPECT_EQ(write_whole_file(folder.c_str(), "x"), EISDIR);
    const std::string lost = path("missing/lattice.dot");
    EXPECT_EQ(check_whole_file(lost.c_str()), ENOENT);
    EXPECT_EQ(write_whole_file(lost.c_str(), "x"), ENOENT);
    EXPECT_EQ(entries(), "");
}

// A file size limit makes the write fail part way, as a full disk would:
// the temporary file goes and the old file stays as it was.
TEST_F(WholeFile, AWriteCutShortLeavesTheOldFile) {
    const std::string file = path("lattice.dot");
    ASSERT_EQ(write_whole_file(file.c_str(), "old\n"), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    void (*saved_handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int error = write_whole_file(file.c_str(), std::string(1000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, saved_handler);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(data_files::contents(file), "old\n");
    EXPECT_EQ(entries(), "lattice.dot");
}

// How a child that holds a temporary file ended when sig came: by the
// signal, or, where the signal was ignored when the handlers were installed,
// not at all (and then it let the file go itself).
struct SignalCase {
    int sig;
    bool ignored;
    int step;  // 0 before creation, 1 while held, 2 after the rename
};

// In a child: installs the program's handlers as the program does at its
// start, holds a temporary file for target up to step, then raises sig.
[[noreturn]] void hold_and_raise(const std::string &target, const SignalCase &c) {
    rlimit no_core = {0, 0};
    setrlimit(RLIMIT_CORE, &no_core);  // SIGQUIT's default would dump one
    // Ignored with it: the stop and the file size limit, which stay ignored
    // as well.
    if (c.ignored) {
        for (int sig : {c.sig, SIGTSTP, SIGXFSZ}) std::signal(sig, SIG_IGN);
    }
    signals_install();
    if (c.step >= 1 && temporary_file_create(target, 0644) < 0) _exit(20);
    if (c.step >= 2 && temporary_file_commit(target) != 0) _exit(21);
    raise(c.sig);
    // exit() rather than _exit(): a coverage build then records what the
    // child ran.
    if (c.step == 1) temporary_file_discard();
    std::exit(0);
}

TEST_F(WholeFile, ATerminatingSignalRemovesTheTemporaryFileThenEndsTheProgram) {
    const std::string target = path("lattice.json");
    int cases = 0;
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE}) {
        for (bool ignored : {false, true}) {
            for (int step = 0; step <= 2; ++step) {
                SignalCase c = {sig, ignored, step};
                pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) hold_and_raise(target, c);
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                std::string what = "signal " + std::to_string(sig) + (ignored ? ", ignored" : "") + ", step " +
                                   std::to_string(step);
                if (ignored) {
                    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << what;
                } else {
                    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << what;
                }
                EXPECT_EQ(entries(), step == 2 ? "lattice.json" : "") << what;
                fs::remove(target);
                ++cases;
            }
        }
    }
    EXPECT_EQ(cases, 30);
}

// A size limit is a write error, told like a full disk, whether a temporary
// file is held or not (standard output past the limit, say). Holding a file
// changes no signal's handler: they are installed once. In children, each
// writing 1000 bytes under a limit of 100 (status 0 when the write failed
// with EFBIG and the handler stayed as it was): one into a file held, one
// into a plain file.
TEST_F(WholeFile, ASizeLimitIsAWriteErrorWithOrWithoutAFileHeld) {
    for (bool held : {true, false}) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            signals_install();
            struct sigaction before = {};
            sigaction(SIGXFSZ, nullptr, &before);
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit small = {100, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &small);
            const std::string large(1000, 'x');
            int fd = held ? temporary_file_create(path("held"), 0644)
                          : open(path("plain").c_str(), O_WRONLY | O_CREAT, 0644);
            struct sigaction during = {};
            sigaction(SIGXFSZ, nullptr, &during);
            int error = write_all(fd, large.data(), large.size());
            temporary_file_discard();
            // A coverage build writes its counts on the way out.
            setrlimit(RLIMIT_FSIZE, &saved);
            std::exit(error == EFBIG && during.sa_handler == before.sa_handler ? 0 : 20);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << (held ? "held" : "plain");
    }
    EXPECT_EQ(entries(), "plain");
}

#ifdef FREELATTICE_CHECKS
using WholeFileDeathTest = WholeFile;

// One temporary file at a time: a second one would take the first one's name
// from the signal handlers, and the first would be left behind.
TEST_F(WholeFileDeathTest, ASecondTemporaryFileWhileOneIsHeldIsABrokenInvariant) {
    const std::string first = path("first");
    const std::string second = path("second");
    EXPECT_DEATH(
        {
            (void)temporary_file_create(first, 0644);
            (void)temporary_file_create(second, 0644);
        },
        "invariant broken in .*signals");
}
#endif

}  // namespace
