// The export files of the real program: written once the build has ended,
// before the action prompt; a file that fails then is reported on standard
// error (here the terminal, in its place in the session), the session goes
// on, and q then ends it with status 2. Then batch runs through the shell,
// one per target that once lost text, hung, died or leaked: each checks the
// status, both output streams and what is left in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

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
    ASSERT_NO_FATAL_FAILURE(expect_exit(session, 2)) << "a failed export must not pass for success";
    EXPECT_TRUE(is_character_device("/dev/full"));
    std::filesystem::remove_all(folder);
}

struct ShellCase {
    const char *name;
    const char *keys;
    // Run by sh in a fresh folder, the program as "$0".
    const char *script;
    int status;
    // What the shell prints: what the script echoes first, then the
    // transcript of the same keys without export (A whole; T up to and with
    // the count line, then T the rest) and the DOT text (D) in that order.
    const char *before;
    const char *order;
    const char *standard_error;
    const char *entries;  // what the folder holds at the end
};

const char *PENTAGON_KEYS = "abc a12c\n\nynnnn\ntq";
const char *THREE_TO_THE_LIMIT = "a b c\r\rq";

const std::vector<ShellCase> SHELL_CASES = {
    // The file standard output appends to keeps its text and gets the
    // diagram in its place in the transcript.
    {"DevStdoutAppendedToAFile", PENTAGON_KEYS,
     "echo OLD > log; \"$0\" --batch --dot /dev/stdout >> log; echo \"status $?\" >&2; cat log", 0, "OLD\n",
     "TDT", "status 1\n", "log"},
    {"DashIsStandardOutputAPipe", PENTAGON_KEYS, "exec \"$0\" --batch -d -", 1, "", "TDT", "", ""},
    {"DevFdOfAPipe", PENTAGON_KEYS, "exec \"$0\" --batch -d /dev/fd/1", 1, "", "TDT", "", ""},
    // No reader: refused at once, the session goes on, status 2.
    {"FifoWithoutReader", PENTAGON_KEYS, "mkfifo f; exec \"$0\" --batch --json f", 2, "", "A",
     "freelattice: cannot write f: no reader\n", "f"},
    // The limit (160 blocks of 512 bytes, below the file's 106 KB and above
    // what a coverage build writes at exit) is a write error: reported, the
    // temporary file gone, the session goes on.
    {"FileSizeLimit", THREE_TO_THE_LIMIT, "ulimit -f 160; exec \"$0\" --batch --json out.json", 2, "", "A",
     "freelattice: cannot write out.json: File too large\n", ""},
    // Standard output past the limit, in batch and --poset: told, status 2,
    // no death by SIGXFSZ. (Files nearly full, so that the limit leaves room
    // for a coverage build's counts.)
    {"StandardOutputPastTheSizeLimit", THREE_TO_THE_LIMIT,
     "head -c 81800 /dev/zero > t; cp t p; ulimit -f 160; \"$0\" --batch >> t; echo \"status $?\" >&2;"
     " \"$0\" -p 'a b c' >> p; echo \"status $?\" >&2; rm t p", 0,
     "", "", "freelattice: cannot write standard output: File too large\nstatus 2\n"
     "freelattice: cannot write standard output: File too large\nstatus 2\n", ""},
    // An export to a pipe whose reader quits fails and is told; the session
    // goes on, and the program is not ended by SIGPIPE.
    {"ExportToAPipeWhoseReaderQuits", "",
     "bash -c '\"$0\" -p \"a b c\" -e a=a --json >(head -c 100 > /dev/null) > /dev/null; echo \"status $?\" >&2' \"$0\"",
     0, "", "", "freelattice: cannot write /dev/fd/63: Broken pipe\nstatus 2\n", ""},
    // A private file stays private; a new one gets 0666 less the umask.
    {"ReplacedFileKeepsItsMode", PENTAGON_KEYS,
     "umask 022; echo x > old.json; chmod 600 old.json; \"$0\" --batch --json old.json -d new.dot >/dev/null;"
     " echo \"status $?\"; stat -c '%a %n' old.json new.dot",
     0, "status 1\n600 old.json\n644 new.dot\n", "", "", "new.dot old.json"},
    // The same file by a second name (a link, "./", standard output sent
    // there) would lose one export: refused before anything is written.
    {"SameFileThroughALink", "", "ln -s out link; exec \"$0\" -p 'a<b' --dot out --json link", 2, "", "",
     "freelattice: --dot 'out' and --json 'link' name the same file\nTry 'freelattice --help'.\n", "link"},
    {"SameNewFileByAPath", "", "mkdir d; exec \"$0\" -p 'a<b' --dot d/../out --json ./out", 2, "", "",
     "freelattice: --dot 'd/../out' and --json './out' name the same file\nTry 'freelattice --help'.\n", "d"},
    {"SameFileAsStandardOutput", "", "exec \"$0\" -p 'a<b' --json /dev/stdout -d out > out", 2, "", "",
     "freelattice: --dot 'out' and --json '/dev/stdout' name the same file\nTry 'freelattice --help'.\n", "out"},
    // A file of someone else's in a sticky folder cannot be replaced: said
    // before the dialogue (run as nobody; skipped when not run as root).
    {"OthersFileInAStickyFolder", PENTAGON_KEYS,
     "mkdir -m 1777 sticky; echo x > sticky/x.json; chmod 666 sticky/x.json;"
     " exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$0\" --batch --json sticky/x.json",
     2, "", "", "freelattice: cannot write sticky/x.json: Operation not permitted\n", "sticky"},
};

void PrintTo(const ShellCase &shell_case, std::ostream *out) { *out << shell_case.name; }

class ExportThroughTheShell : public testing::TestWithParam<ShellCase> {};

TEST_P(ExportThroughTheShell, StatusStreamsAndFolder) {
    const ShellCase &expected = GetParam();
    if (std::string(expected.name) == "OthersFileInAStickyFolder" && geteuid() != 0) GTEST_SKIP() << "needs root";
    char name[] = "/tmp/freelattice-shell-export-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const std::filesystem::path folder = name;
    // Open to the unprivileged user of the sticky case.
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    const std::string alone =
        pty::run_without_terminal(pty::freelattice_path(), {"--batch"}, pty::HANG_GUARD_MS, expected.keys)
            .standard_output;
    const std::string count_line = "The number of elements is 11.\n";
    std::size_t cut = alone.find(count_line);
    cut = cut == std::string::npos ? 0 : cut + count_line.size();
    std::string wanted = expected.before;
    bool first_part = true;
    for (const char *part = expected.order; *part != '\0'; ++part) {
        if (*part == 'D') {
            wanted += data_files::contents(std::string(FREELATTICE_TEST_DATA_DIR) + "/export/pentagon.dot");
        } else if (*part == 'A') {
            wanted += alone;
        } else {
            ASSERT_NE(cut, 0U) << "no count line to cut at";
            wanted += first_part ? alone.substr(0, cut) : alone.substr(cut);
            first_part = false;
        }
    }
    pty::DetachedRun run = pty::run_without_terminal(
        "/bin/sh", {"-c", std::string("cd '") + name + "' && " + expected.script, pty::freelattice_path()},
        pty::HANG_GUARD_MS, expected.keys);
    ASSERT_TRUE(run.ending.ended) << "the program hung";
    EXPECT_EQ(run.ending.status, expected.status);
    EXPECT_EQ(run.standard_output, wanted);
    // A coverage build's runtime complains where the limit or the other user
    // keeps it from its data files; those lines are not the program's.
    std::string told;
    for (std::size_t at = 0, end = 0; at < run.standard_error.size(); at = end + 1) {
        end = run.standard_error.find('\n', at);
        if (end == std::string::npos) end = run.standard_error.size();
        if (run.standard_error.compare(at, 10, "profiling:") != 0) told += run.standard_error.substr(at, end - at + 1);
    }
    EXPECT_EQ(told, expected.standard_error);
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    std::string entries;
    for (const std::string &entry : names) entries += (entries.empty() ? "" : " ") + entry;
    EXPECT_EQ(entries, expected.entries) << "a temporary file was left";
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(ExportFiles, ExportThroughTheShell, testing::ValuesIn(SHELL_CASES),
                         [](const testing::TestParamInfo<ShellCase> &param) {
                             return std::string(param.param.name);
                         });

}  // namespace
