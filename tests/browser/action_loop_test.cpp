// The action loop on the scripted console: prompts, echo, help, term list,
// whole tables and the scrolling window of large ones.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "browser/action_loop.h"
#include "browser_fixtures.h"
#include "console/console.h"
#include "data_files.h"
#include "scripted_console.h"

namespace {

namespace bf = browser_fixtures;

using browser_fixtures::PROMPT;

void chain_22() { bf::chain(22); }
void chain_23() { bf::chain(23); }
void chain_100() { bf::chain(100); }
void growing_terms_10() { bf::growing_terms(10); }

// Whole sessions ending with q, compared with their transcript.
struct SessionCase {
    const char *name;
    void (*fixture)();
    const char *keys;
    const char *data_file;
};

const SessionCase SESSION_CASES[] = {
    {"SmallTablesAndTerms", bf::two_incomparable, "ljmtq", "browser/session_two_incomparable.txt"},
    {"Help", bf::chain_a_b, "hq", "browser/session_help.txt"},
    {"UpperCaseKeysDoNothing", bf::two_incomparable, "HLJMTQq", "browser/session_upper_case.txt"},
    {"EmptyResult", bf::empty_result, "tlq", "browser/session_empty.txt"},
    {"WholeTableAt22", chain_22, "jq", "browser/session_whole_22.txt"},
    {"WindowAt23", chain_23, "j{0,80}xq", "browser/session_window_23.txt"},
    {"CornerAt23", chain_23, "m3333{0,81}{0,71}xq", "browser/session_corner_23.txt"},
    {"NonNavigationKeyDoesNotAct", chain_23, "l2jq", "browser/session_j_ends_navigation.txt"},
    {"QDuringNavigationDoesNotEnd", chain_23, "lqq", "browser/session_q_ends_navigation.txt"},
    {"CursorBlockUpDuringNavigation", chain_23, "l{224,72}q", "browser/session_cursor_block_up.txt"},
    {"CtrlRightDuringNavigation", chain_23, "l{224,116}q", "browser/session_ctrl_right.txt"},
    {"KeypadKeysAtPrompt", bf::two_incomparable, "{0,80}{0,116}q", "browser/session_keypad_at_prompt.txt"},
    {"LongTerms", growing_terms_10, "tq", "browser/session_long_terms.txt"},
    {"TwoPressedTenTimesAt100", chain_100, "j2222222222xq", "browser/session_two_ten_times.txt"},
};

void PrintTo(const SessionCase &session_case, std::ostream *out) { *out << session_case.name; }

class Session : public testing::TestWithParam<SessionCase> {};

TEST_P(Session, MatchesExpectedTranscript) {
    const SessionCase &c = GetParam();
    scripted::start(c.keys);
    c.fixture();
    int result = 0;
    ASSERT_TRUE(bf::run_action_loop(&result)) << "the loop did not end with the script's q";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    data_files::expect_equal(scripted::transcript(), c.data_file);
}

INSTANTIATE_TEST_SUITE_P(Browser, Session, testing::ValuesIn(SESSION_CASES),
                         [](const testing::TestParamInfo<SessionCase> &p) { return p.param.name; });

// Windows shown while navigating one table: read back from the console and
// checked cell by cell against the lattice.
struct NavigationCase {
    const char *name;
    int n;
    const char *keys;  // after the table key; ends navigation and then q
    std::vector<bf::Window> windows;
};

const std::vector<NavigationCase> NAVIGATION_CASES = {
    {"TopLeftEdgeClamps", 23, "{0,71}{0,72}{0,75}784x",
     {{0, 22, 0, 21}, {0, 22, 0, 21}, {0, 22, 0, 21}, {0, 22, 0, 21}, {0, 22, 0, 21}, {0, 22, 0, 21},
      {0, 22, 0, 21}}},
    {"RightEdgeClamps", 23, "666{0,77}x",
     {{0, 22, 0, 21}, {10, 22, 0, 21}, {20, 22, 0, 21}, {22, 22, 0, 21}, {22, 22, 0, 21}}},
    {"BottomEdgeClamps", 23, "222{0,80}x",
     {{0, 22, 0, 21}, {0, 22, 10, 22}, {0, 22, 20, 22}, {0, 22, 22, 22}, {0, 22, 22, 22}}},
    {"CornerToLastElementAndBack", 23, "3333{0,81}{0,71}777x",
     {{0, 22, 0, 21},
      {10, 22, 10, 22},
      {20, 22, 20, 22},
      {22, 22, 22, 22},
      {22, 22, 22, 22},
      {22, 22, 22, 22},
      {21, 22, 21, 22},
      {11, 22, 11, 22},
      {1, 22, 1, 22},
      {0, 22, 0, 21}}},
    {"DiagonalStepsClampOneAxis", 23, "{0,73}{0,79}91x",
     {{0, 22, 0, 21}, {1, 22, 0, 21}, {0, 22, 1, 22}, {10, 22, 0, 21}, {0, 22, 10, 22}}},
    {"CodesWithoutStepsRedraw", 23, "6{0,74}{0,76}{0,78}5x",
     {{0, 22, 0, 21}, {10, 22, 0, 21}, {10, 22, 0, 21}, {10, 22, 0, 21}, {10, 22, 0, 21}, {10, 22, 0, 21}}},
    {"WideTableColumnsTo99", 100, "666666666666{0,77}8x",
     {{0, 76, 0, 21},
      {10, 86, 0, 21},
      {20, 96, 0, 21},
      {30, 99, 0, 21},
      {40, 99, 0, 21},
      {50, 99, 0, 21},
      {60, 99, 0, 21},
      {70, 99, 0, 21},
      {80, 99, 0, 21},
      {90, 99, 0, 21},
      {99, 99, 0, 21},  // clamped
      {99, 99, 0, 21},
      {99, 99, 0, 21},
      {99, 99, 0, 21},  // keypad Right at the edge
      {99, 99, 0, 21}}},  // up at the top
    {"TwoPressedTenTimesAt100", 100, "2222222222x",
     {{0, 76, 0, 21},
      {0, 76, 10, 31},
      {0, 76, 20, 41},
      {0, 76, 30, 51},
      {0, 76, 40, 61},
      {0, 76, 50, 71},
      {0, 76, 60, 81},
      {0, 76, 70, 91},
      {0, 76, 80, 99},
      {0, 76, 90, 99},
      {0, 76, 99, 99}}},
    {"KeypadOneStepsAt100", 100, "3{0,81}{0,77}{0,80}{0,73}{0,79}{0,75}{0,72}{0,71}x",
     {{0, 76, 0, 21},
      {10, 86, 10, 31},
      {11, 87, 11, 32},
      {12, 88, 11, 32},
      {12, 88, 12, 33},
      {13, 89, 11, 32},
      {12, 88, 12, 33},
      {11, 87, 12, 33},
      {11, 87, 11, 32},
      {10, 86, 10, 31}}},
};

void PrintTo(const NavigationCase &navigation_case, std::ostream *out) { *out << navigation_case.name; }

class Navigation : public testing::TestWithParam<NavigationCase> {};

TEST_P(Navigation, ShowsTheExpectedWindows) {
    const NavigationCase &c = GetParam();
    for (char kind : {'l', 'j', 'm'}) {
        scripted::start(std::string(1, kind) + c.keys + "q");
        bf::chain(c.n);
        int result = 0;
        ASSERT_TRUE(bf::run_action_loop(&result));
        std::vector<bf::Window> shown = bf::windows_shown(kind);
        ASSERT_EQ(shown.size(), c.windows.size()) << kind;
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i], c.windows[i]) << kind << " display " << i << ": " << bf::to_string(shown[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Browser, Navigation, testing::ValuesIn(NAVIGATION_CASES),
                         [](const testing::TestParamInfo<NavigationCase> &p) { return p.param.name; });

// Every one of these keys ends navigation, is used up, and writes nothing:
// the prompt follows the first window directly and the q after it ends the
// loop. Typed capitals are lower-cased first, so they end it too.
TEST(NavigationEnd, KeysThatAreNoNavigationCodes) {
    const char *enders[] = {"x", "j", "q", "h", "H", "G", "P", "Q", "0", ":", "F", "R", "{0,70}", "{0,82}",
                            "{0,59}", "{0,48}", "{0,58}", "{0,145}", "{224,133}", "\r", "\x1b"};
    for (const char *ender : enders) {
        bool pending = std::string(ender).rfind("{224,", 0) == 0;
        // A lead 224 leaves its second code for the prompt, which takes it
        // unechoed as no action and prompts again.
        scripted::start(std::string("l") + ender + "q");
        bf::chain(23);
        int result = 0;
        ASSERT_TRUE(bf::run_action_loop(&result)) << ender;
        EXPECT_EQ(bf::windows_shown('l').size(), 1u) << ender;
        EXPECT_EQ(scripted::stdout_bytes(), "TABLE OF LESS RELATION\n") << ender;
        const std::string &out = scripted::console_bytes();
        std::string after_table = PROMPT + (pending ? "\n" + PROMPT : std::string()) + "q\n";
        ASSERT_GE(out.size(), after_table.size());
        EXPECT_EQ(out.substr(out.size() - after_table.size()), after_table) << ender;
        // The table's last row, row 21, stands just before the prompt.
        EXPECT_EQ(out[out.size() - after_table.size() - 23 - 2], static_cast<char>(scripted::lattice().name(21))) << ender;
    }
}

TEST(NavigationEnd, NoWindowForTheWholeTableAt22) {
    // The digit after the table is an action code at the prompt: no action.
    scripted::start("l2q");
    bf::chain(22);
    int result = 0;
    ASSERT_TRUE(bf::run_action_loop(&result));
    std::vector<bf::Window> shown = bf::windows_shown('l');
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (bf::Window{0, 21, 0, 21}));
    const std::string &out = scripted::console_bytes();
    const std::string tail = PROMPT + "2\n" + PROMPT + "q\n";
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
}

TEST(ActionLoop, QReturnsTheResultOfItsLineEnd) {
    scripted::start("q");
    int result = 0;
    ASSERT_TRUE(bf::run_action_loop(&result));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(scripted::console_bytes(), PROMPT + "q\n");
    EXPECT_EQ(scripted::stdout_bytes(), "");
}

TEST(ActionLoop, OnlyQEndsTheLoop) {
    // Without q the loop keeps prompting until no key is left.
    scripted::start("Qx{0,16}{224,16}");
    int result = 0;
    EXPECT_FALSE(bf::run_action_loop(&result));
    EXPECT_EQ(scripted::keys_left(), 0);
}

TEST(ActionLoop, KeyLostToAFailedEchoDoesNotAct) {
    // With the console unwritable the echo fails, the key is lost and read as
    // no action; the loop goes on reading keys rather than acting or ending.
    scripted::start("lhq");
    bf::two_incomparable();
    scripted::fail_console_output(true);
    int result = 0;
    EXPECT_FALSE(bf::run_action_loop(&result));
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_EQ(scripted::stdout_bytes(), "");
}

TEST(ActionLoop, TermListResetsTheLineCountBeforeEachTerm) {
    scripted::start("tq");
    bf::growing_terms(10);
    int result = 0;
    ASSERT_TRUE(bf::run_action_loop(&result));
    // Every break is followed by seven blanks and comes after 73 term
    // characters; terms 8 (119 characters) and 9 (194) break, the others not.
    EXPECT_EQ(scripted::stdout_bytes(), std::string("\n       ") + "\n       " + "\n       ");
}

TEST(ShowHelp, WritesTheHelpTextOnStandardOutput) {
    scripted::start("");
    show_help(scripted::console());
    EXPECT_EQ(scripted::console_bytes(), "");
    EXPECT_EQ(scripted::stdout_bytes(),
              "\nACTION KEYS:\nL ... table of less relation\nJ ... table of joins\nM ... table of meets\n"
              "T ... display terms\nQ ... quit\nIf a table exceeds the screen, use arrow keys to move "
              "around, or shifted\narrow keys to move ten times faster.\n");
}

struct NavKeyCase {
    const char *keys;
    std::vector<int> codes;  // successive read_nav_key results
    int left_pending;        // what console_read_key gives next, -1 for none
};

TEST(ReadNavKey, MapsKeysAsTabled) {
    const NavKeyCase cases[] = {
        {"H", {'h'}, -1},
        {"Q", {'q'}, -1},
        {"7", {'7'}, -1},
        {"{0,72}", {72}, -1},        // keypad Up: the second code, unchanged
        {"{0,81}{0,71}", {81, 71}, -1},
        {"{0,141}", {141}, -1},      // keypad Ctrl-Up
        {"{224,72}", {224}, 72},     // cursor-block Up: lead returned, 72 pending
        {"{224,116}", {224}, 116},
        {"{224,134}", {224}, 134},   // F12
        {"\r", {13}, -1},
    };
    for (const NavKeyCase &c : cases) {
        scripted::start(c.keys);
        for (int expected : c.codes) EXPECT_EQ(read_nav_key(scripted::console()), expected) << c.keys;
        if (c.left_pending != -1) {
            EXPECT_EQ(scripted::console().read_key(), c.left_pending) << c.keys;
        }
        EXPECT_EQ(scripted::keys_left(), 0) << c.keys;
        EXPECT_EQ(scripted::console_bytes(), "") << c.keys;  // never echoed
    }
}

TEST(ReadNavKey, LoneLeadZeroTakesTheNextKeyAsItsSecondCode) {
    // A one-code key 0 (Ctrl-@) has no second code: the next key stands in.
    scripted::start("{0,-1}2");
    EXPECT_EQ(read_nav_key(scripted::console()), '2');
    EXPECT_EQ(scripted::keys_left(), 0);
}

// The whole program: the earlier phases read an empty poset (Enter) and the
// law test offer is declined; q at the first prompt ends with status 1.
TEST(WholeRun, QEndsTheProgramWithStatusOne) {
    scripted::start("\rnq");
    EXPECT_EQ(scripted::run_program(), 1);
    EXPECT_EQ(scripted::keys_left(), 0);
    const std::string &out = scripted::console_bytes();
    EXPECT_EQ(out.substr(out.size() - (PROMPT.size() + 2)), PROMPT + "q\n");
}

TEST(WholeRun, ScriptRunningOutEndsWithStatusTwo) {
    scripted::start("\rn");
    EXPECT_EQ(scripted::run_program(), 2);
}

}  // namespace
