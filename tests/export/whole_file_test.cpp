// Files written whole or not at all: a new file, an old one replaced, one
// reached through a link, and the failures: a folder, a missing folder, and
// a write cut short (a file size limit stands in for a full disk).
#include "export/whole_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include "data_files.h"

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

}  // namespace
