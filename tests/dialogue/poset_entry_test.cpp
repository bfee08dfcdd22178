// The banner with a new lattice, and key-by-key poset entry: what is echoed
// on the console and what the typed keys leave in the lattice.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "data_files.h"
#include "dialogue/poset_entry.h"
#include "partial_lattice_setup.h"
#include "poset_setup.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

void read_keys() { read_poset(scripted::console(), lattice()); }

TEST(Banner, MakesTheLatticeNewAndPrintsOnStandardOutput) {
    scripted::start("");
    lattice_setup::set_up("abc", "a<b", "a.c");
    ASSERT_GT(lattice().generators(), 0);

    ASSERT_TRUE(scripted::run([] { reset_and_show_banner(scripted::console(), lattice()); }));

    EXPECT_EQ(scripted::console_bytes(), "");
    data_files::expect_equal(scripted::transcript(), "poset/banner.txt");
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) {
            ASSERT_FALSE(lattice().leq(r, c)) << r << "," << c;
            ASSERT_EQ(lattice().meet(r, c), NO_ELEMENT) << r << "," << c;
            ASSERT_EQ(lattice().join(r, c), NO_ELEMENT) << r << "," << c;
        }
        ASSERT_EQ(lattice().name(r), 0) << r;
    }
    for (int ch = 0; ch < 256; ++ch) ASSERT_EQ(lattice().named(static_cast<unsigned char>(ch)), -1) << ch;
    EXPECT_EQ(lattice().generators(), 0);
    EXPECT_EQ(lattice().elements(), 0);
    EXPECT_FALSE(lattice().closed());
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
    ASSERT_TRUE(scripted::run(read_keys));
    EXPECT_EQ(scripted::keys_left(), t.keys_left);
    EXPECT_EQ(scripted::stdout_bytes(), "");
    data_files::expect_equal(scripted::transcript(), std::string("poset/") + t.echo_file);

    std::string names(t.names);
    ASSERT_EQ(lattice().generators(), static_cast<int>(names.size()));
    for (std::size_t k = 0; k < names.size(); ++k) {
        EXPECT_EQ(lattice().name(k), static_cast<unsigned char>(names[k])) << k;
        EXPECT_EQ(lattice().named(static_cast<unsigned char>(names[k])), static_cast<int>(k)) << names[k];
    }
    // Exactly the typed pairs, nothing closed, nothing elsewhere.
    int expected_ones = 0;
    std::string pairs(t.pairs);
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 3) {
        int p = static_cast<int>(names.find(pairs[i]));
        int c = static_cast<int>(names.find(pairs[i + 1]));
        EXPECT_TRUE(lattice().leq(p, c)) << pairs.substr(i, 2);
        ++expected_ones;
    }
    int ones = 0;
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) ones += lattice().leq(r, c) ? 1 : 0;
    }
    EXPECT_EQ(ones, expected_ones);
}

INSTANTIATE_TEST_SUITE_P(Keys, Entry, ::testing::ValuesIn(entry_cases), poset_setup::LabelName());

TEST(EntryLimits, AllSixtyTwoNamesAndThenOnlyLongerChains) {
    const std::string all = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    scripted::start(all + " 0z Az\r\r");
    ASSERT_TRUE(scripted::run(read_keys));
    ASSERT_EQ(lattice().generators(), 62);
    for (int k = 0; k < 62; ++k) {
        EXPECT_EQ(lattice().name(k), static_cast<unsigned char>(all[k]));
        EXPECT_EQ(lattice().named(static_cast<unsigned char>(all[k])), k);
        if (k + 1 < 62) {
            EXPECT_TRUE(lattice().leq(k, k + 1)) << k;
        }
    }
    EXPECT_TRUE(lattice().leq(0, 61));
    EXPECT_TRUE(lattice().leq(10, 61));
    EXPECT_EQ(lattice().name(62), 0);
    data_files::expect_equal(scripted::transcript(), "poset/entry_all_names.txt");
}

TEST(EntryLimits, NoKeyboardLeftEndsTheEntry) {
    // Outside scripted::run an exhausted script reads as -1, as a console
    // whose input cannot be read.
    scripted::start("ab");
    read_keys();
    EXPECT_EQ(lattice().generators(), 2);
    EXPECT_TRUE(lattice().leq(0, 1));
    EXPECT_EQ(scripted::console_bytes(), "a<b<\b \n");
}

}  // namespace
