// The system calls the fault-injection build wraps (FAULT_WRAPPED_CALLS in
// tests/CMakeLists.txt; the others, such as lstat, readlink, fstat, fcntl and
// unlink, are not), failing at each of their uses in whole sessions: that
// build (harness/system_faults.cpp) runs each session once to count its
// calls, then once per use with that use failing.
// Each run must end by exit with no sanitizer report, the terminal as it
// began, no temporary file, every export target whole or untouched, and, on
// standard error, only the messages the manual page gives for that failure:
// with none, the run is the clean run to the byte and status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "data_files.h"
#include "pty_driver.h"
#include "session_screens.h"

namespace {

using namespace session_screens;

enum class Mode { TERMINAL, DETACHED };

// An export target: its name in the run's folder, and what it holds before
// the run (nullptr: it does not exist); or a device's absolute path, written
// in place and with nothing kept to compare.
struct Target {
    const char *name;
    const char *before;
    bool device() const { return name[0] == '/'; }
};

struct SweepSession {
    const char *name;
    Mode mode;
    std::vector<std::string> args;  // "@" stands for the run's folder
    std::string keys;               // typed one by one, or standard input
    std::vector<Target> targets;
};

const std::vector<SweepSession> SESSIONS = {
    {"pentagon_tables", Mode::TERMINAL, {}, "abc a12c\r\rynnnnljmtq", {}},
    {"limit_with_files",
     Mode::TERMINAL,
     {"--json", "@/out.json", "--dot", "@/out.dot"},
     "a b c\r\rq",
     {{"out.json", "OLD\n"}, {"out.dot", nullptr}}},
    {"batch_limit_tables", Mode::DETACHED, {"--batch"}, "a b c\n\nljmtq", {}},
    {"poset_decide",
     Mode::DETACHED,
     {"--poset", "abc a12c", "--define", "b.1", "--decide", "b(1+2)<=b1+b2", "--decide", "a<=1", "--explain",
      "--json", "@/decided.json", "--dot", "/dev/null"},
     "",
     {{"decided.json", nullptr}, {"/dev/null", nullptr}}},
    // Questions from standard input, answered as they come.
    {"poset_questions",
     Mode::DETACHED,
     {"--poset", "a b c", "--canonical", "ab+a", "--questions", "-", "--explain"},
     "a<=a+b\nab+ac\n#5+c\n",
     {}},
};

// The messages the manual page gives, "%e" standing for the error's text and
// "%f" for an export target's path. No message at all is always allowed
// when the run is then the clean one; a row with none must be the clean run.
struct Row {
    const char *kind;
    const char *session;
    const char *error;
    std::vector<const char *> messages;
};

const char *const FILE_FAILED = "freelattice: cannot write %f: %e";
const char *const TERMINAL_FAILED = "freelattice: cannot write the terminal: %e";
const char *const STDOUT_FAILED = "freelattice: cannot write standard output: %e";
const char *const NO_KEYBOARD = "freelattice: no keyboard: %e";
const char *const NO_TTY = "freelattice: no keyboard: cannot open /dev/tty: %e";
const char *const NO_RAW = "freelattice: no keyboard: cannot set raw input: %e";
const char *const NOT_RESTORED = "freelattice: cannot restore the terminal: %e";
const char *const QUESTIONS_UNREAD = "freelattice: cannot read -: %e";

const std::vector<Row> ROWS = {
    {"read", "pentagon_tables", "EIO", {NO_KEYBOARD}},
    {"read", "pentagon_tables", "EINTR", {}},
    {"read", "pentagon_tables", "EAGAIN", {}},
    {"read", "batch_limit_tables", "EIO", {"freelattice: cannot read standard input: %e"}},
    {"read", "batch_limit_tables", "EINTR", {}},
    {"write", "pentagon_tables", "EIO", {TERMINAL_FAILED}},
    {"write", "pentagon_tables", "EINTR", {}},
    {"write", "limit_with_files", "ENOSPC", {TERMINAL_FAILED, FILE_FAILED}},
    {"write", "limit_with_files", "EINTR", {}},
    {"write", "limit_with_files", "EAGAIN", {}},
    {"write", "batch_limit_tables", "EIO", {STDOUT_FAILED}},
    {"write", "batch_limit_tables", "EAGAIN", {}},
    {"write", "poset_decide", "ENOSPC", {STDOUT_FAILED, FILE_FAILED}},
    {"write", "poset_decide", "EAGAIN", {}},
    {"poll", "pentagon_tables", "EINTR", {}},
    {"poll", "pentagon_tables", "ENOMEM", {NO_KEYBOARD}},
    {"read", "poset_questions", "EIO", {QUESTIONS_UNREAD}},
    {"read", "poset_questions", "EINTR", {}},
    {"read", "poset_questions", "EAGAIN", {}},
    {"write", "poset_questions", "EIO", {STDOUT_FAILED}},
    {"write", "poset_questions", "EAGAIN", {}},
    {"open", "pentagon_tables", "EACCES", {NO_TTY, TERMINAL_FAILED}},
    {"open", "pentagon_tables", "EINTR", {}},
    {"open", "limit_with_files", "EACCES", {NO_TTY, TERMINAL_FAILED, FILE_FAILED}},
    {"open", "poset_decide", "EACCES", {FILE_FAILED}},
    {"mkostemp", "limit_with_files", "EROFS", {FILE_FAILED}},
    {"mkostemp", "poset_decide", "ENOSPC", {FILE_FAILED}},
    {"fchmod", "limit_with_files", "EIO", {FILE_FAILED}},
    {"fsync", "limit_with_files", "EIO", {FILE_FAILED}},
    {"fsync", "poset_decide", "EIO", {FILE_FAILED}},
    {"rename", "limit_with_files", "EXDEV", {FILE_FAILED}},
    {"rename", "poset_decide", "EXDEV", {FILE_FAILED}},
    {"close", "pentagon_tables", "EIO", {}},
    {"close", "limit_with_files", "EIO", {FILE_FAILED}},
    {"close", "poset_decide", "EIO", {FILE_FAILED}},
    {"tcgetattr", "pentagon_tables", "EIO", {NO_RAW}},
    {"tcsetattr", "pentagon_tables", "EIO", {NO_RAW, NOT_RESTORED}},
    {"tcsetattr", "pentagon_tables", "EINTR", {}},
    {"sigaction", "pentagon_tables", "EINVAL", {}},
    {"sigaction", "limit_with_files", "EINVAL", {}},
};

// Uses of a call beyond this many are not all tried: the first ones and the
// last one are (the sweep runs three times in CI, in the test command, the
// sanitizer build and coverage, and must stay short).
constexpr long USES_TRIED = 12;

void PrintTo(const Row &row, std::ostream *out) { *out << row.kind << "/" << row.session << "/" << row.error; }

const SweepSession &session_named(const std::string &name) {
    for (const SweepSession &session : SESSIONS) {
        if (name == session.name) return session;
    }
    ADD_FAILURE() << "no session " << name;
    return SESSIONS.front();
}

int errno_value(const std::string &name) {
    const std::map<std::string, int> known = {{"EIO", EIO},       {"EINTR", EINTR},   {"EAGAIN", EAGAIN},
                                              {"ENOSPC", ENOSPC}, {"EXDEV", EXDEV},   {"ENOMEM", ENOMEM},
                                              {"EACCES", EACCES}, {"EROFS", EROFS},   {"EINVAL", EINVAL}};
    return known.at(name);
}

// What one run left.
struct Outcome {
    pty::Ending ending;
    std::string shown;  // the screen, or standard output
    std::string standard_error;
    bool terminal_restored = true;
    std::map<std::string, std::string> files;  // every name in the folder
    std::map<std::string, long> counts;         // with counting only
    std::string folder;                         // where it ran (gone now)
};

class Folder {
public:
    Folder() {
        char name[] = "/tmp/freelattice-sweep-XXXXXX";
        path_ = mkdtemp(name) != nullptr ? name : "";
    }
    ~Folder() {
        if (!path_.empty()) std::filesystem::remove_all(path_);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

std::vector<std::string> args_in(const SweepSession &session, const std::string &folder) {
    std::vector<std::string> args;
    for (std::string arg : session.args) {
        if (arg[0] == '@') arg = folder + arg.substr(1);
        args.push_back(arg);
    }
    return args;
}

void write_file(const std::string &path, const std::string &text) {
    std::FILE *file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr) << path;
    std::fputs(text.c_str(), file);
    std::fclose(file);
}

// Runs session with faults ("" for none) in a fresh folder; counts the calls
// when asked.
Outcome run(const SweepSession &session, const std::string &faults, bool counting) {
    Outcome outcome;
    Folder folder;
    Folder side;  // what the program writes besides its files
    if (folder.path().empty() || side.path().empty()) {
        ADD_FAILURE() << "no folder";
        return outcome;
    }
    outcome.folder = folder.path();
    for (const Target &target : session.targets) {
        if (target.before != nullptr) write_file(folder.path() + "/" + target.name, target.before);
    }
    const std::string counts = side.path() + "/counts";
    const std::string errors = side.path() + "/stderr";
    setenv("FREELATTICE_FAULTS", faults.c_str(), 1);
    if (counting) setenv("FREELATTICE_FAULT_COUNTS", counts.c_str(), 1);
    if (session.mode == Mode::TERMINAL) {
        pty::Session::Options options;
        options.program = FREELATTICE_FAULTS_BINARY;
        options.args = args_in(session, folder.path());
        options.stderr_path = errors;
        pty::Session terminal(options);
        // Each key once the program waits for it, so that every run makes
        // the same calls; a run that ends early (no keyboard, say) takes no
        // more keys.
        for (char key : session.keys) {
            if (!terminal.wait_until_waiting_without_limit() || !terminal.write(std::string(1, key))) break;
        }
        outcome.ending = terminal.wait_exit();
        outcome.shown = terminal.output();
        outcome.standard_error = data_files::contents(errors);
        outcome.terminal_restored = terminal_as_it_began(terminal);
    } else {
        pty::DetachedRun detached = pty::run_without_terminal(FREELATTICE_FAULTS_BINARY, args_in(session, folder.path()),
                                                              pty::HANG_GUARD_MS, session.keys);
        outcome.ending = detached.ending;
        outcome.shown = detached.standard_output;
        outcome.standard_error = detached.standard_error;
    }
    unsetenv("FREELATTICE_FAULTS");
    unsetenv("FREELATTICE_FAULT_COUNTS");
    for (const auto &entry : std::filesystem::directory_iterator(folder.path())) {
        outcome.files[entry.path().filename()] = data_files::contents(entry.path());
    }
    std::istringstream listed(data_files::contents(counts));
    std::string kind;
    long count = 0;
    while (listed >> kind >> count) outcome.counts[kind] = count;
    return outcome;
}

std::string filled_in(std::string message, const std::string &path, const std::string &error) {
    for (std::size_t at = message.find("%f"); at != std::string::npos; at = message.find("%f"))
        message.replace(at, 2, path);
    for (std::size_t at = message.find("%e"); at != std::string::npos; at = message.find("%e"))
        message.replace(at, 2, error);
    return message;
}

// The clean run of each session, with its counts: made once.
const Outcome &clean_run(const SweepSession &session) {
    static std::map<std::string, Outcome> made;
    auto found = made.find(session.name);
    if (found == made.end()) found = made.emplace(session.name, run(session, "", true)).first;
    return found->second;
}

class FaultSweep : public testing::TestWithParam<Row> {};

TEST_P(FaultSweep, EveryUseOfTheCallFailsInTurn) {
    const Row &row = GetParam();
    const SweepSession &session = session_named(row.session);
    const Outcome &clean = clean_run(session);
    ASSERT_TRUE(clean.ending.exited) << "the clean run did not exit";
    ASSERT_EQ(clean.standard_error, "");
    // The program assumes 80 x 25 and never asks for the window's size; a
    // row belongs in the table once it does.
    EXPECT_EQ(clean.counts.at("ioctl"), 0);
    const long uses = clean.counts.at(row.kind);
    ASSERT_GT(uses, 0) << "the session makes no " << row.kind << ": the row tests nothing";
    const std::string reason = std::strerror(errno_value(row.error));

    for (long use = 1; use <= uses; use = use == USES_TRIED && uses > USES_TRIED + 1 ? uses : use + 1) {
        const std::string faults = std::string(row.kind) + ":" + std::to_string(use) + ":" + row.error;
        SCOPED_TRACE(faults + " of " + std::to_string(uses));
        Outcome outcome = run(session, faults, false);
        ASSERT_TRUE(outcome.ending.ended) << "the program hung";
        ASSERT_TRUE(outcome.ending.exited) << "ended by signal " << outcome.ending.signal;
        for (const char *report : {"Sanitizer", "runtime error"}) {
            EXPECT_EQ(outcome.standard_error.find(report), std::string::npos) << outcome.standard_error;
        }
        // Every line told must be one the row allows; a file a line names
        // is left as it was, and one nobody failed to write is whole.
        std::istringstream told(outcome.standard_error);
        std::vector<std::string> failed_files;
        int lines = 0;
        for (std::string line; std::getline(told, line); ++lines) {
            bool documented = false;
            for (const char *message : row.messages) {
                if (std::strstr(message, "%f") == nullptr) {
                    documented = documented || line == filled_in(message, "", reason);
                    continue;
                }
                for (const Target &target : session.targets) {
                    std::string path = target.device() ? target.name : outcome.folder + "/" + target.name;
                    if (line != filled_in(message, path, reason)) continue;
                    documented = true;
                    failed_files.emplace_back(target.name);
                }
            }
            EXPECT_TRUE(documented) << "undocumented message: " << line;
        }
        if (outcome.standard_error.empty()) {
            EXPECT_EQ(outcome.ending.status, clean.ending.status);
            EXPECT_EQ(outcome.shown, clean.shown) << "a failure nobody was told of changed the run";
        } else {
            // A file that cannot be written ends the run before it starts,
            // or, once the build is made, changes nothing else.
            if (static_cast<std::size_t>(lines) == failed_files.size()) {
                EXPECT_TRUE(outcome.shown.empty() || outcome.shown == clean.shown) << outcome.standard_error;
            }
            EXPECT_EQ(outcome.ending.status, 2) << outcome.standard_error;
        }
        if (outcome.standard_error.find(filled_in(NOT_RESTORED, "", reason)) == std::string::npos) {
            EXPECT_TRUE(outcome.terminal_restored) << "the terminal was left as the program had it";
        }
        for (const auto &[name, text] : outcome.files) {
            EXPECT_EQ(name.find(".freelattice-"), std::string::npos) << "temporary file left: " << name;
        }
        for (const Target &target : session.targets) {
            if (target.device()) continue;
            auto now = outcome.files.find(target.name);
            bool failed = false;
            for (const std::string &file : failed_files) failed = failed || file == target.name;
            std::string untouched = target.before != nullptr ? target.before : "(none)";
            std::string left = now != outcome.files.end() ? now->second : "(none)";
            auto whole = clean.files.find(target.name);
            ASSERT_NE(whole, clean.files.end());
            if (failed) {
                EXPECT_EQ(left, untouched) << target.name << " was told failed but changed";
            } else if (left != untouched) {
                EXPECT_EQ(left, whole->second) << target.name << " is neither whole nor untouched";
            } else {
                EXPECT_NE(outcome.standard_error, "") << target.name << " was not written and nobody was told";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SystemCalls, FaultSweep, testing::ValuesIn(ROWS), [](const testing::TestParamInfo<Row> &row) {
    return std::string(row.param.kind) + "_" + row.param.session + "_" + row.param.error;
});

}  // namespace
