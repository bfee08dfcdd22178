// The banner with the workspace reset, and key-by-key poset entry: what is
// echoed on the console and what the typed keys leave in the workspace.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "data_files.h"
#include "dialogue/poset_entry.h"
#include "poset_setup.h"
#include "scripted_console.h"
#include "lattice/lattice.h"

namespace {

TEST(Banner, ResetsNamesOrderMeetsAndJoinsAndPrintsOnStandardOutput) {
    scripted::start("");
    std::memset(OrderMatrix, 1, sizeof OrderMatrix);
    std::memset(MeetTable, 7, sizeof MeetTable);
    std::memset(JoinTable, 8, sizeof JoinTable);
    std::memset(NameTable, 'x', sizeof NameTable);
    std::memset(NameIndex, 3, sizeof NameIndex);
    std::memset(TermTable, 9, sizeof TermTable);
    generator_count = 5;
    closure_complete = 1;
    element_limit = 100;
    wrap_column = 3;
    shown_count = 4;

    ASSERT_TRUE(scripted::run(reset_and_show_banner));

    EXPECT_EQ(scripted::console_bytes(), "");
    data_files::expect_equal(scripted::transcript(), "poset/banner.txt");
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            ASSERT_EQ(OrderMatrix[r][c], 0) << r << "," << c;
            ASSERT_EQ(MeetTable[r][c], UNDEFINED) << r << "," << c;
            ASSERT_EQ(JoinTable[r][c], UNDEFINED) << r << "," << c;
        }
        ASSERT_EQ(NameTable[r], 0) << r;
    }
    for (int ch = 0; ch < 256; ++ch) ASSERT_EQ(NameIndex[ch], UNDEFINED) << ch;
    // Everything else keeps what it held; the count is reset by entry itself.
    EXPECT_EQ(TermTable[129].right, 9);
    EXPECT_EQ(generator_count, 5);
    EXPECT_EQ(closure_complete, 1);
    EXPECT_EQ(element_limit, 100);
    EXPECT_EQ(wrap_column, 3);
    EXPECT_EQ(shown_count, 4);
}

struct EntryCase {
    const char *label;
    const char *keys;
    const char *echo_file;  // under tests/data/poset/
    const char *names;      // generators in index order
    const char *pairs;      // typed pairs "pc", p below c, space separated
    int keys_left;
};

const EntryCase entry_cases[] = {
    {"worked example", "abc a12c\r\r", "entry_pentagon.txt", "abc12", "ab bc a1 12 2c", 0},
    {"worked example with < keys", "a<b<c a<1<2<c\r\r", "entry_pentagon.txt", "abc12",
     "ab bc a1 12 2c", 0},
    {"CR first", "\r", "entry_empty.txt", "", "", 0},
    {"spaces first", "   \r", "entry_empty.txt", "", "", 0},
    {"CR after a space ends at once", "ab \rcd\r\r", "entry_space_then_cr.txt", "ab", "ab", 4},
    {"chains closed by CR", "ab\rbc\r\r", "entry_chains_by_cr.txt", "abc", "ab bc", 0},
    {"non-names ignored inside a chain", "a\b<-!\x7f\x1b\t.\xe9\xc4\x80\xff" "b\r\r",
     "entry_ignored_keys.txt", "ab", "ab", 0},
    {"non-ASCII keys are never names", "\xe0\xe9 \xb5\xc4\r", "entry_empty.txt", "", "", 0},
    {"second codes of two-code keys", "a{224,75}{0,72}\r\r", "entry_two_code_keys.txt", "aKH",
     "aK KH", 0},
    {"case matters", "aA\r\r", "entry_case.txt", "aA", "aA", 0},
    {"name typed twice in a row", "aa\r\r", "entry_twice.txt", "a", "aa", 0},
    {"two-name cycle", "ab ba\r\r", "entry_two_cycle.txt", "ab", "ab ba", 0},
};

void PrintTo(const EntryCase &entry_case, std::ostream *out) { *out << entry_case.label; }

class Entry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(Entry, EchoesOnTheConsoleAndRecordsNamesAndTypedPairs) {
    const EntryCase &t = GetParam();
    scripted::start(t.keys);
    ASSERT_TRUE(scripted::run(read_poset));
    EXPECT_EQ(scripted::keys_left(), t.keys_left);
    EXPECT_EQ(scripted::stdout_bytes(), "");
    data_files::expect_equal(scripted::transcript(), std::string("poset/") + t.echo_file);

    std::string names(t.names);
    ASSERT_EQ(generator_count, static_cast<int>(names.size()));
    for (std::size_t k = 0; k < names.size(); ++k) {
        EXPECT_EQ(NameTable[k], static_cast<unsigned char>(names[k])) << k;
        EXPECT_EQ(NameIndex[static_cast<unsigned char>(names[k])], k) << names[k];
    }
    // Exactly the typed pairs, nothing closed, nothing elsewhere.
    int expected_ones = 0;
    std::string pairs(t.pairs);
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 3) {
        int p = static_cast<int>(names.find(pairs[i]));
        int c = static_cast<int>(names.find(pairs[i + 1]));
        EXPECT_EQ(OrderMatrix[p][c], 1) << pairs.substr(i, 2);
        ++expected_ones;
    }
    int ones = 0;
    for (const auto &row : OrderMatrix) {
        for (unsigned char e : row) ones += e;
    }
    EXPECT_EQ(ones, expected_ones);
}

INSTANTIATE_TEST_SUITE_P(Keys, Entry, ::testing::ValuesIn(entry_cases), poset_setup::LabelName());

TEST(EntryLimits, AllSixtyTwoNamesAndThenOnlyLongerChains) {
    const std::string all = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    scripted::start(all + " 0z Az\r\r");
    ASSERT_TRUE(scripted::run(read_poset));
    ASSERT_EQ(generator_count, 62);
    for (int k = 0; k < 62; ++k) {
        EXPECT_EQ(NameTable[k], static_cast<unsigned char>(all[k]));
        EXPECT_EQ(NameIndex[static_cast<unsigned char>(all[k])], k);
        if (k + 1 < 62) {
            EXPECT_EQ(OrderMatrix[k][k + 1], 1) << k;
        }
    }
    EXPECT_EQ(OrderMatrix[0][61], 1);
    EXPECT_EQ(OrderMatrix[10][61], 1);
    EXPECT_EQ(NameTable[62], 0);
    data_files::expect_equal(scripted::transcript(), "poset/entry_all_names.txt");
}

TEST(EntryLimits, NoKeyboardLeftEndsTheEntry) {
    // Outside scripted::run an exhausted script reads as -1, as a console
    // whose input cannot be read.
    scripted::start("ab");
    read_poset();
    EXPECT_EQ(generator_count, 2);
    EXPECT_EQ(OrderMatrix[0][1], 1);
    EXPECT_EQ(scripted::console_bytes(), "a<b<\b \n");
}

}  // namespace
