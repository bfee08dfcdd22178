// The command line of the real program: options that answer at once, and
// usage errors. None of them may open the terminal, so each runs without one.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "pty_driver.h"

namespace {

struct OptionCase {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::string standard_output;  // a prefix of it where the text is long
    std::string standard_error;
};

const std::string TRY_HELP = "Try 'freelattice --help'.\n";

const std::vector<OptionCase> OPTION_CASES = {
    {"Help", {"--help"}, 0, "Usage: freelattice [OPTION]...\n", ""},
    {"HelpShort", {"-h"}, 0, "Usage: freelattice [OPTION]...\n", ""},
    {"Version", {"--version"}, 0, "freelattice " FREELATTICE_VERSION "\n", ""},
    {"VersionShortAfterHelp", {"-hV"}, 0, "Usage: freelattice [OPTION]...\n", ""},
    {"UnknownLong", {"--frobnicate"}, 2, "", "freelattice: unknown option '--frobnicate'\n" + TRY_HELP},
    {"UnknownLongWithValue", {"--frobnicate=3"}, 2, "", "freelattice: unknown option '--frobnicate'\n" + TRY_HELP},
    {"UnknownShortInACluster", {"-bx"}, 2, "", "freelattice: unknown option '-x'\n" + TRY_HELP},
    {"ValueNotTaken", {"--help=yes"}, 2, "", "freelattice: option '--help' takes no value\n" + TRY_HELP},
    {"UnexpectedArgument", {"--batch", "a<b<c"}, 2, "", "freelattice: unexpected argument 'a<b<c'\n" + TRY_HELP},
    {"ErrorWinsOverHelp", {"--help", "--frobnicate"}, 2, "", "freelattice: unknown option '--frobnicate'\n" + TRY_HELP},
    {"DotWithoutValue", {"--dot"}, 2, "", "freelattice: option '--dot' needs a value\n" + TRY_HELP},
    {"JsonShortWithoutValue", {"-j"}, 2, "", "freelattice: option '-j' needs a value\n" + TRY_HELP},
    // Export files are checked before the dialogue; every one that cannot be
    // written is reported.
    {"DotInAMissingFolder", {"--dot", "/nonexistent/lattice.dot"}, 2, "",
     "freelattice: cannot write /nonexistent/lattice.dot: No such file or directory\n"},
    {"JsonAFolderAndDotInAMissingFolder", {"--json=/tmp", "-d", "/nonexistent/lattice.dot"}, 2, "",
     "freelattice: cannot write /nonexistent/lattice.dot: No such file or directory\n"
     "freelattice: cannot write /tmp: Is a directory\n"},
};

void PrintTo(const OptionCase &option_case, std::ostream *out) { *out << option_case.name; }

class Options : public testing::TestWithParam<OptionCase> {};

TEST_P(Options, AnswerOnTheirChannelsWithoutTouchingATerminal) {
    const OptionCase &expected = GetParam();
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), expected.args);
    ASSERT_TRUE(run.ending.ended);
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, expected.status);
    if (expected.standard_output.empty()) {
        EXPECT_EQ(run.standard_output, "");
    } else {
        EXPECT_EQ(run.standard_output.substr(0, expected.standard_output.size()), expected.standard_output);
    }
    EXPECT_EQ(run.standard_error, expected.standard_error);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Options, testing::ValuesIn(OPTION_CASES),
                         [](const testing::TestParamInfo<OptionCase> &param) {
                             return std::string(param.param.name);
                         });

TEST(CommandLine, HelpNamesEveryOptionAndTheManualPage) {
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), {"--help"});
    for (const char *text : {"--batch", "--dot FILE", "--help", "--json FILE", "--version", "man freelattice"}) {
        EXPECT_NE(run.standard_output.find(text), std::string::npos) << text;
    }
}

}  // namespace
