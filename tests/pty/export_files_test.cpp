// The export files of the real program: written once the build has ended,
// before the action prompt; a file that fails then is reported on standard
// error (here the terminal, in its place in the session) and the session
// goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "data_files.h"
#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

bool is_character_device(const char *path) {
    struct stat status {};
    return stat(path, &status) == 0 && S_ISCHR(status.st_mode);
}

// /dev/full takes no byte: a device is written in place, and the write fails
// as on a full disk.
TEST(ExportFiles, WrittenBeforeThePromptAndAFailureLetsTheSessionGoOn) {
    ASSERT_TRUE(is_character_device("/dev/full"));
    char name[] = "/tmp/freelattice-pty-export-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const std::filesystem::path folder = name;
    pty::Session::Options options;
    options.args = {"--dot", (folder / "pentagon.dot").string(), "--json=/dev/full"};
    pty::Session session(options);
    ASSERT_TRUE(session.wait_until_raw());
    ASSERT_TRUE(session.type(keys_of(PENTAGON + "nnnnn")));
    ASSERT_TRUE(session.read_until("Press an action key or H for help "));

    data_files::expect_equal(data_files::contents(folder / "pentagon.dot"), "export/pentagon.dot");
    int files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) files += entry.exists() ? 1 : 0;
    EXPECT_EQ(files, 1) << "a temporary file was left";
    EXPECT_NE(screen_of(session.output())
                  .find("The number of elements is 11.\n"
                        "freelattice: cannot write /dev/full: No space left on device\n"
                        "\nPress an action key or H for help"),
              std::string::npos)
        << screen_of(session.output());

    ASSERT_TRUE(session.type(keys_of("q")));
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 1));
    EXPECT_TRUE(is_character_device("/dev/full"));
    std::filesystem::remove_all(folder);
}

}  // namespace
