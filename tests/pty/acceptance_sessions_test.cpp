// Whole sessions of the real program on an 80 x 25 pseudo-terminal, from the
// banner to q, each compared with the full text the terminal shows (every
// line ever written, scrolled-off lines included).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "data_files.h"
#include "pty_driver.h"
#include "screen_model.h"
#include "session_screens.h"

namespace {

// xterm sequences of the movement keys, plain and with Shift.
const std::string UP = "\x1b[A", DOWN = "\x1b[B", RIGHT = "\x1b[C", LEFT = "\x1b[D";
const std::string HOME = "\x1b[H", END = "\x1b[F", PGUP = "\x1b[5~", PGDN = "\x1b[6~";
const std::string S_UP = "\x1b[1;2A", S_DOWN = "\x1b[1;2B", S_RIGHT = "\x1b[1;2C",
                  S_LEFT = "\x1b[1;2D";
const std::string S_HOME = "\x1b[1;2H", S_END = "\x1b[1;2F", S_PGUP = "\x1b[5;2~",
                  S_PGDN = "\x1b[6;2~";

std::string times(int count, const std::string &key) {
    std::string keys;
    for (int i = 0; i < count; ++i) keys += key;
    return keys;
}

// Every name a user can give: one chain of the digits and capitals, one of the
// small letters.
const std::string ALL_NAMES_TWO_CHAINS =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz\r\r";

struct AcceptanceSession {
    const char *name;
    const char *what;   // the comment at the head of the data file
    std::string keys;   // typed ahead at once: no key is ever lost
    const char *data;   // expected screen, under tests/data/acceptance/
};

// The pentagon session's keys, in the pieces between which
// TerminalRepliesChangeNothing puts terminal replies.
const std::string PENTAGON_POSET_START = "a<b<c", PENTAGON_POSET_END = " a<1<2<c\r\r",
                  PENTAGON_ANSWERS = "y" "ynYx", PENTAGON_ACTIONS = "t" "j" "m" "l" "h" "q";

const AcceptanceSession PENTAGON = {
    "PentagonMixedAnswers",
    "a<b<c a<1<2<c typed with the < keys; law tests y (not modular);\n"
    "# b.1=a y, b.2=a n, b+1=c Y, b+2=c x; terms, joins, meets, order, help, q.",
    PENTAGON_POSET_START + PENTAGON_POSET_END + PENTAGON_ANSWERS + PENTAGON_ACTIONS,
    "acceptance/pentagon.txt"};

// With 100 elements shown a window is 77 x 22; its first column and row run
// 0..99, and the right (bottom) edge of the table is in view from first
// column 23 (first row 78) on.
const std::vector<AcceptanceSession> SESSIONS = {
    {"EmptyPoset",
     "Enter at once; law tests y; term list, order table, q.",
     "\ry" "t" "l" "q", "acceptance/empty_poset.txt"},
    {"CyclicPosetsThenAChain",
     "a<b b<a (cycle) rejected; a<a rejected; then b<a accepted, law tests y;\n"
     "# order table, term list, q.",
     "ab ba\r\r" "aa\r\r" "ba\r\r" "y" "l" "t" "q", "acceptance/cyclic_then_chain.txt"},
    PENTAGON,
    {"DiamondModularNotDistributive",
     "a<b<c a<d<c a<e<c; law tests y (modular, not distributive); all six\n"
     "# meets and joins defined; terms, joins, q.",
     "abc adc aec\r\r" "y" "yyyyyy" "t" "j" "q", "acceptance/diamond.txt"},
    {"SquareModularAndDistributive",
     "a<b<d a<c<d; law tests y (modular and distributive); b.c=a n, b+c=d n;\n"
     "# terms, order, joins, meets, q.",
     "abd acd\r\r" "y" "nn" "t" "l" "j" "m" "q", "acceptance/square.txt"},
    {"TwoPlusTwoToTheLimit",
     "a<b c<d: no lattice, no questions, built to the limit. Order table:\n"
     "# Home at the edge, Shift+Right x3 (top right), Right, Shift+Down x8\n"
     "# (bottom right), Down, Shift+Left x4 (bottom left), Left at the edge,\n"
     "# Shift+Up x8, Up (top left); j ends navigation.\n"
     "# Join table: Shift+PgDn x3, PgDn, Shift+Down x5 (bottom right),\n"
     "# Shift+End x3, End (bottom left, one row), Shift+PgUp x3, Shift+Up x7\n"
     "# (top right), PgUp, Shift+Home x4 (top left); m ends navigation.\n"
     "# Meet table: Shift+Down x8 (bottom left), End, Shift+Right x3 (bottom\n"
     "# right), Shift+Up x8, Up (top right), Shift+Left x3 (top left); q ends\n"
     "# navigation only. Term list, q.",
     "ab cd\r\r"
     "l" + HOME + times(3, S_RIGHT) + RIGHT + times(8, S_DOWN) + DOWN + times(4, S_LEFT) +
         LEFT + times(8, S_UP) + UP + "j" +
         "j" + times(3, S_PGDN) + PGDN + times(5, S_DOWN) + times(3, S_END) + END +
         times(3, S_PGUP) + times(7, S_UP) + PGUP + times(4, S_HOME) + "m" +
         "m" + times(8, S_DOWN) + END + times(3, S_RIGHT) + times(8, S_UP) + UP +
         times(3, S_LEFT) + "q" +
         "t" "q",
     "acceptance/two_plus_two.txt"},
    {"AllSixtyTwoNames",
     "The 62 names as two chains (0..9A..Z and a..z): no lattice, no questions,\n"
     "# built to the limit; generated elements from slot 62 on are named by the\n"
     "# codes 128 and up. Term list; join table, Shift+Right x3 (top right),\n"
     "# Shift+Down x8 (bottom right); x ends navigation; q.",
     ALL_NAMES_TWO_CHAINS + "t" "j" + times(3, S_RIGHT) + times(8, S_DOWN) + "x" "q",
     "acceptance/all_names.txt"},
};

// Names the session in a failure report instead of dumping its bytes.
void PrintTo(const AcceptanceSession &session, std::ostream *out) { *out << session.name; }

// Generous: the builds to the limit are the slowest part, and this only
// guards against a hang.
constexpr int SESSION_GUARD_MS = 60000;

void expect_session(const AcceptanceSession &expected) {
    pty::Session session;
    ASSERT_TRUE(session.started());
    ASSERT_TRUE(session.wait_until_raw()) << "the program never read a key";
    ASSERT_TRUE(session.write(expected.keys));
    // q is echoed only at the prompt, and the program's last output is that
    // echo and its line end: once it is there the screen is complete.
    ASSERT_TRUE(session.read_until("for help q\r\n", SESSION_GUARD_MS))
        << "no q at the prompt; shown:\n" << session.output();
    ASSERT_NO_FATAL_FAILURE(session_screens::expect_exit(session, 1, SESSION_GUARD_MS));
    // Console text goes out in batches, not a write per byte: the heaviest
    // session shows about 170 KB.
    EXPECT_LE(session.write_calls(), 600);
    EXPECT_GT(session.write_calls(), 0);

    data_files::expect_body_equal(session_screens::screen_of(session.output()), expected.data,
                                  std::string("# ") + expected.what + "\n");
}

class Acceptance : public testing::TestWithParam<AcceptanceSession> {};

TEST_P(Acceptance, WholeSessionShowsTheExpectedScreen) { expect_session(GetParam()); }

// Replies and reports the terminal sends unasked are no keys: the pentagon
// session with an OSC 11 colour reply amid the poset, and an OSC string, an
// X10 mouse click and a DCS reply at the action prompt, shows the same screen.
TEST(AcceptanceWithReplies, TerminalRepliesChangeNothing) {
    AcceptanceSession pentagon = PENTAGON;
    pentagon.keys = PENTAGON_POSET_START + "\x1b]11;rgb:0000/0000/0000\x1b\\" +
                    PENTAGON_POSET_END + PENTAGON_ANSWERS +
                    "\x1b]lq\x1b\\" "\x1b[M q!" "\x1bP1$r0m\x1b\\" + PENTAGON_ACTIONS;
    expect_session(pentagon);
}

// The same keys as a batch script: its transcript is the same screen, and it
// has plain line ends (the banner comes first, byte for byte).
TEST_P(Acceptance, BatchTranscriptIsTheSameScreen) {
    const AcceptanceSession &expected = GetParam();
    pty::DetachedRun run = pty::run_without_terminal(pty::freelattice_path(), {"--batch"},
                                                     SESSION_GUARD_MS, expected.keys);
    ASSERT_TRUE(run.ending.ended);
    EXPECT_TRUE(run.ending.exited);
    EXPECT_EQ(run.ending.status, 1);
    EXPECT_EQ(run.standard_error, "");
    EXPECT_EQ(run.standard_output.rfind(session_screens::expected("banner.txt"), 0), 0U);
    data_files::expect_body_equal(session_screens::screen_of(session_screens::as_a_terminal_shows(run.standard_output)),
                                  expected.data, std::string("# ") + expected.what + "\n");
}

INSTANTIATE_TEST_SUITE_P(Sessions, Acceptance, testing::ValuesIn(SESSIONS),
                         [](const testing::TestParamInfo<AcceptanceSession> &param) {
                             return std::string(param.param.name);
                         });

}  // namespace
