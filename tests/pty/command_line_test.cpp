// The command line of the real program: options that answer at once, usage
// errors, and batch sessions. None of them may open the terminal, so each
// runs without one.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "pty_driver.h"
#include "session_screens.h"

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
    // Names from the user reach a terminal only as printable text.
    {"ArgumentShownSafely", {"a\x1b[2J\xC3\xA9"}, 2, "",
     "freelattice: unexpected argument 'a\\x1B[2J\\xC3\\xA9'\n" + TRY_HELP},
    {"FileNameShownSafely", {"--json", "/nonexistent/\x1b]0;T\a"}, 2, "",
     "freelattice: cannot write /nonexistent/\\x1B]0;T\\x07: No such file or directory\n"},
    {"ErrorWinsOverHelp", {"--help", "--frobnicate"}, 2, "", "freelattice: unknown option '--frobnicate'\n" + TRY_HELP},
    {"DotWithoutValue", {"--dot"}, 2, "", "freelattice: option '--dot' needs a value\n" + TRY_HELP},
    {"JsonShortWithoutValue", {"-j"}, 2, "", "freelattice: option '-j' needs a value\n" + TRY_HELP},
    {"EmptyFileName", {"--batch", "--json="}, 2, "", "freelattice: empty file name for '--json'\n" + TRY_HELP},
    {"EmptyDotFileName", {"-d", ""}, 2, "", "freelattice: empty file name for '--dot'\n" + TRY_HELP},
    {"SameFileForBoth", {"-d", "x.out", "--json", "x.out"}, 2, "",
     "freelattice: --dot and --json name the same file 'x.out'\n" + TRY_HELP},
    // Export files are checked before the dialogue; every one that cannot be
    // written is reported.
    {"DotInAMissingFolder", {"--dot", "/nonexistent/lattice.dot"}, 2, "",
     "freelattice: cannot write /nonexistent/lattice.dot: No such file or directory\n"},
    {"JsonAFolderAndDotInAMissingFolder", {"--json=/tmp", "-d", "/nonexistent/lattice.dot"}, 2, "",
     "freelattice: cannot write /nonexistent/lattice.dot: No such file or directory\n"
     "freelattice: cannot write /tmp: Is a directory\n"},
    // Presentations: options that need another, and values that are wrong.
    {"PosetWithBatch", {"-b", "--poset=ab"}, 2, "",
     "freelattice: options '--poset' and '--batch' cannot be used together\n" + TRY_HELP},
    {"DefineWithoutPoset", {"-D", "a.b"}, 2, "", "freelattice: option '--define' needs '--poset'\n" + TRY_HELP},
    {"DecideWithoutPoset", {"--decide", "a<=a"}, 2, "", "freelattice: option '--decide' needs '--poset'\n" + TRY_HELP},
    {"LimitWithoutPoset", {"--batch", "-l", "5"}, 2, "", "freelattice: option '--limit' needs '--poset'\n" + TRY_HELP},
    // The limit: a whole number from 1 to the most the program holds, told
    // when refused; the stop line names it.
    {"LimitNotANumber", {"-p", "a b c", "--limit", "1e3"}, 2, "",
     "freelattice: --limit '1e3': not a whole number from 1 to 65533\n"},
    {"LimitZero", {"-p", "a b c", "-l", "0"}, 2, "", "freelattice: --limit '0': not a whole number from 1 to 65533\n"},
    {"LimitPastWhatTheProgramHolds", {"-p", "a b c", "-l", "65534"}, 2, "",
     "freelattice: --limit '65534': the largest limit this program can hold is 65533\n"},
    {"LimitFarPastIt", {"-p", "a b c", "-l", "99999999999999999999999"}, 2, "",
     "freelattice: --limit '99999999999999999999999': the largest limit this program can hold is 65533\n"},
    {"LimitNamedInTheStopLine", {"-p", "a b c", "-l", "4"}, 0,
     " 4 ... a+b\n 5 ... ab\nStopped at the limit: only the first 5 elements are listed; FL(P) has more.\n", ""},
    {"LimitBelowTheGeneratorsStillMakesOne", {"-p", "a b c", "-l", "1"}, 0,
     " 4 ... a+b\nStopped at the limit: only the first 4 elements are listed; FL(P) has more.\n", ""},
    // A lattice with exactly one element more than the limit is all there:
    // it closes, and says so.
    {"LimitReachedByTheLastElement", {"-p", "a b", "-l", "3"}, 0,
     " 3 ... a+b\n 4 ... ab\nThe number of elements is 4.\n", ""},
    {"ExplainWithoutDecide", {"-p", "a", "--explain"}, 2, "",
     "freelattice: option '--explain' needs '--decide', '--canonical' or '--questions'\n" + TRY_HELP},
    {"PosetStrayCharacter", {"-p", "a<b, c"}, 2, "",
     "freelattice: --poset 'a<b, c': character 4: ',' is not a name, '<' or a space\n"},
    {"PosetControlByteShownSafely", {"-p", "a\tb"}, 2, "",
     "freelattice: --poset 'a\\x09b': character 2: byte 0x09 is not a name, '<' or a space\n"},
    {"PosetDanglingLess", {"-p", "a<b< c"}, 2, "",
     "freelattice: --poset 'a<b< c': character 4: '<' must stand between two names\n"},
    {"PosetLessFirst", {"-p", "<ab"}, 2, "", "freelattice: --poset '<ab': character 1: '<' must stand between two names\n"},
    {"PosetLessLast", {"-p", "ab<"}, 2, "", "freelattice: --poset 'ab<': character 3: '<' must stand between two names\n"},
    {"PosetPastTheLetters", {"-p", "a~"}, 2, "", "freelattice: --poset 'a~': character 2: '~' is not a name, '<' or a space\n"},
    {"PosetLessAfterABlank", {"-p", "a <b"}, 2, "", "freelattice: --poset 'a <b': character 3: '<' must stand between two names\n"},
    // A letter outside ASCII is no name: its bytes are shown, never sent raw.
    {"PosetNonAsciiLetter", {"-p", "a\xC3\xA9"}, 2, "",
     "freelattice: --poset 'a\\xC3\\xA9': character 2: byte 0xC3 is not a name, '<' or a space\n"},
    {"PosetDigitsAndCapitals", {"-p", "9<Z z<9", "-e", "z<=Z"}, 0, "z<=Z: true\n", ""},
    {"PosetCycle", {"-p", "abc d cb"}, 2, "", "freelattice: --poset 'abc d cb': the order has a cycle: b<c<b\n"},
    {"PosetCycleAcrossLines", {"-p", "A<B\nB<A"}, 2, "", "freelattice: --poset 'A<B\\x0AB<A': the order has a cycle: A<B<A\n"},
    // Line ends as files have them: LF or CR LF; a lone CR is no line end.
    {"PosetCrLfBetweenChains", {"-p", "a<b\r\nb<c\r\n", "-e", "a<=c"}, 0, "a<=c: true\n", ""},
    {"PosetLoneCarriageReturn", {"-p", "a\rb"}, 2, "",
     "freelattice: --poset 'a\\x0Db': character 2: byte 0x0D is not a name, '<' or a space\n"},
    {"PosetNameTwiceInARow", {"-p", "a<b<b"}, 2, "", "freelattice: --poset 'a<b<b': the order has a cycle: b<b\n"},
    {"DefineMalformed", {"-p", "abc a12c", "-D", "b.1 b-2"}, 2, "",
     "freelattice: --define 'b-2': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineTooShortAfterSeparators", {"-p", "abc a12c", "-D", " ,b."}, 2, "",
     "freelattice: --define 'b.': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineFirstNoName", {"-p", "abc a12c", "-D", "*.b"}, 2, "",
     "freelattice: --define '*.b': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineSecondNoName", {"-p", "abc a12c", "-D", "b._"}, 2, "",
     "freelattice: --define 'b._': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineValueNoName", {"-p", "abc a12c", "-D", "b.1=_"}, 2, "",
     "freelattice: --define 'b.1=_': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineValueMissing", {"-p", "abc a12c", "-D", "b.1="}, 2, "",
     "freelattice: --define 'b.1=': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineValueWithoutEquals", {"-p", "abc a12c", "-D", "b.1:a"}, 2, "",
     "freelattice: --define 'b.1:a': not a meet x.y or a join x+y (either may end in =v), nor all\n"},
    {"DefineLooseSeparators", {"-p", "abc a12c", "-D", " ,b.1 , ", "-e", "b1<=a"}, 0, "b1<=a: true\n", ""},
    {"DefineFirstNameUnknown", {"-p", "abc a12c", "-D", "Z.1"}, 2, "",
     "freelattice: --define 'Z.1': no element named 'Z' in the poset\n"},
    {"DefineUnknownName", {"-p", "abc a12c", "-D", "b.1=z"}, 2, "",
     "freelattice: --define 'b.1=z': no element named 'z' in the poset\n"},
    {"DefineGeneratedSlotIsNoName", {"-p", "abc a12c", "-D", "b.0"}, 2, "",
     "freelattice: --define 'b.0': no element named '0' in the poset\n"},
    {"DefineComparable", {"-p", "abc a12c", "-D", "a+c"}, 2, "",
     "freelattice: --define 'a+c': a and c are comparable, so their join is always defined\n"},
    {"DefineComparableUpperFirst", {"-p", "abc a12c", "-D", "c.a"}, 2, "",
     "freelattice: --define 'c.a': c and a are comparable, so their meet is always defined\n"},
    {"DefineNoSuchBound", {"-p", "abc a12c d", "-D", "all,b.d"}, 2, "",
     "freelattice: --define 'b.d': b and d have no meet in the poset\n"},
    {"DefineWrongValue", {"-p", "abc a12c", "--define=b+1=a"}, 2, "",
     "freelattice: --define 'b+1=a': the join of b and 1 in the poset is c, not a\n"},
    // Every relation is read before any is decided: nothing on standard
    // output when the second cannot be read.
    {"DecideSecondRelationUnreadable", {"-p", "a b c", "-e", "a<=a", "-e", "a(b+c<=a"}, 2, "",
     "freelattice: --decide 'a(b+c<=a': character 6: ')' expected\n"},
    {"CanonicalWithoutPoset", {"-c", "a"}, 2, "", "freelattice: option '--canonical' needs '--poset'\n" + TRY_HELP},
    {"QuestionsWithoutPoset", {"-f", "-"}, 2, "", "freelattice: option '--questions' needs '--poset'\n" + TRY_HELP},
    {"QuestionsEmptyFileName", {"-p", "a", "--questions="}, 2, "",
     "freelattice: empty file name for '--questions'\n" + TRY_HELP},
    {"QuestionsTwice", {"-p", "a", "-f", "-", "-f", "-"}, 2, "",
     "freelattice: option '--questions' may be given once\n" + TRY_HELP},
    {"CanonicalElementPastTheBuild", {"-p", "a<b", "-e", "a<=b", "-c", "#3"}, 2, "",
     "freelattice: --canonical '#3': character 2: no element #3 in the build (it lists 2)\n"},
    {"DecideElementWithoutNumber", {"-p", "a b", "-e", "#<=a"}, 2, "",
     "freelattice: --decide '#<=a': character 2: element number expected after '#'\n"},
    {"CanonicalBlankInTerm", {"-p", "a b", "-c", "a +b"}, 2, "",
     "freelattice: --canonical 'a +b': character 2: blanks are not allowed in a term\n"},
    {"DecideNameOutsideThePoset", {"-p", "a b c", "-e", "a<=d"}, 2, "",
     "freelattice: --decide 'a<=d': character 4: no element named 'd' in the poset\n"},
    {"DecideEmptyTerm", {"-p", "a b c", "-e", "a+b<="}, 2, "", "freelattice: --decide 'a+b<=': character 6: empty term\n"},
    {"DecideUnbalanced", {"-p", "a b c", "-e", "a)<=a"}, 2, "",
     "freelattice: --decide 'a)<=a': character 2: ')' without '('\n"},
    {"DecideTooDeep", {"-p", "a", "-e", std::string(1001, '(') + "a" + std::string(1001, ')') + "=a"}, 2, "",
     "freelattice: --decide '" + std::string(57, '(') + "...': character 1001: term nested deeper than 1000\n"},
    {"DecideTooLong", {"-p", "a", "-e", "a<=" + std::string(20000, 'a')}, 2, "",
     "freelattice: --decide 'a<=" + std::string(54, 'a') + "...': character 20001: relation longer than 20000 "
     "characters\n"},
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
    for (const char *text : {"--batch", "--dot FILE", "--help", "--json FILE", "--version", "--poset CHAINS",
                             "--define LIST", "--limit N", "--decide RELATION", "--explain", "man freelattice"}) {
        EXPECT_NE(run.standard_output.find(text), std::string::npos) << text;
    }
}

// The manual page's footer names the version the program reports.
TEST(CommandLine, ManualPageCarriesTheVersion) {
    std::ifstream page(FREELATTICE_TEST_DATA_DIR "/../../doc/freelattice.1");
    std::string title;
    ASSERT_TRUE(std::getline(page, title));
    EXPECT_NE(title.find("\"freelattice " FREELATTICE_VERSION "\""), std::string::npos) << title;
}

// Batch sessions: the keys of the typical run (the pentagon, nothing
// declared, the join table, the term list, q) with each form of Enter, and
// inputs that end before q.
struct BatchCase {
    const char *name;
    std::string keys;
    int status;
    const char *screen;      // expected screen in tests/data/pty, or null
    std::string ends_with;   // else: how the transcript must end
};

std::string with_enter(const std::string &enter) {
    std::string keys;
    for (char c : session_screens::PENTAGON + "nnnnnjtq") {
        if (c == '\r') keys += enter; else keys += c;
    }
    return keys;
}

const std::vector<BatchCase> BATCH_CASES = {
    {"LineFeedIsEnter", with_enter("\n"), 1, "typical_run_declined.txt", ""},
    {"CarriageReturnIsEnter", with_enter("\r"), 1, "typical_run_declined.txt", ""},
    {"CrLfIsOneEnter", with_enter("\r\n"), 1, "typical_run_declined.txt", ""},
    // A lone ESC at the end is Esc, once the input has run out: echoed at
    // the prompt as its glyph.
    {"EscapeCutOffAtTheEnd", session_screens::PENTAGON + "nnnnn\x1b", 2, nullptr,
     "for help \xe2\x86\x90\n\nPress an action key or H for help "},
    {"SequenceCutOffAtTheEnd", session_screens::PENTAGON + "nnnnn\x1b[1;", 2, nullptr,
     "The number of elements is 11.\n\nPress an action key or H for help "},
    {"EndsInTheQuestions", session_screens::PENTAGON + "ynn", 2, nullptr,
     "NO, undefined\n Is b+1=c defined? (Y/N) "},
};

void PrintTo(const BatchCase &batch_case, std::ostream *out) { *out << batch_case.name; }

class Batch : public testing::TestWithParam<BatchCase> {};

TEST_P(Batch, TranscriptStatusAndMessage) {
    const BatchCase &expected = GetParam();
    pty::DetachedRun run =
        pty::run_without_terminal(pty::freelattice_path(), {"--batch"}, pty::HANG_GUARD_MS, expected.keys);
    ASSERT_TRUE(run.ending.ended);
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, expected.status);
    EXPECT_EQ(run.standard_error, expected.status == 1 ? "" : "freelattice: input ended before q\n");
    if (expected.screen != nullptr) {
        EXPECT_EQ(session_screens::screen_of(session_screens::as_a_terminal_shows(run.standard_output)),
                  session_screens::expected(expected.screen));
    } else {
        ASSERT_GE(run.standard_output.size(), expected.ends_with.size());
        EXPECT_EQ(run.standard_output.substr(run.standard_output.size() - expected.ends_with.size()),
                  expected.ends_with);
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Batch, testing::ValuesIn(BATCH_CASES),
                         [](const testing::TestParamInfo<BatchCase> &param) {
                             return std::string(param.param.name);
                         });

// Input that runs out while a large table is scrolled: the window shown last
// is complete (a name, the vertical line and 77 cells, no line end) and
// nothing follows it.
TEST(CommandLine, BatchInputEndsInNavigation) {
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), {"--batch"}, pty::HANG_GUARD_MS,
                                                     "ab cd\r\rl" + session_screens::DOWN);
    EXPECT_EQ(run.ending.status, 2);
    EXPECT_EQ(run.standard_error, "freelattice: input ended before q\n");
    const std::string &out = run.standard_output;
    std::size_t title = out.rfind("TABLE OF LESS RELATION\n");
    ASSERT_NE(title, std::string::npos);
    EXPECT_NE(out.rfind("TABLE OF LESS RELATION\n", title - 1), std::string::npos) << "not scrolled";
    std::string last_row = out.substr(out.rfind('\n') + 1);
    EXPECT_EQ(last_row.size(), 1 + 3 + 77U) << last_row;  // the vertical line is 3 bytes of UTF-8
}

// A batch transcript or the help that standard output does not take: the
// failure is reported, status 2.
TEST(CommandLine, StandardOutputThatCannotBeWrittenIsReported) {
    for (const char *shell : {"exec \"$0\" --batch >/dev/full", "exec \"$0\" --help >/dev/full"}) {
        pty::DetachedRun run = pty::run_without_terminal("/bin/sh", {"-c", shell, pty::freelattice_path()},
                                                         pty::HANG_GUARD_MS, "\rnq");
        EXPECT_EQ(run.ending.status, 2) << shell;
        EXPECT_EQ(run.standard_error, "freelattice: cannot write standard output: No space left on device\n");
    }
}

// A key script of a megabyte: the chain a<b typed over and over, about two
// megabytes of echo. It finishes, and the transcript goes out in blocks.
TEST(CommandLine, BatchMegabyteScriptFinishesWithOutputInBlocks) {
    std::string keys;
    while (keys.size() < (1U << 20)) keys += "ab ";
    keys += "\r\rnq";
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), {"--batch"}, 60000, keys);
    ASSERT_TRUE(run.ending.ended);
    EXPECT_EQ(run.ending.status, 1);
    EXPECT_NE(run.standard_output.find("The number of elements is 2.\n"), std::string::npos);
    EXPECT_GT(run.standard_output.size(), 2U << 20);
    EXPECT_LE(run.write_calls, 1000) << "for " << run.standard_output.size() << " bytes";
}

}  // namespace
