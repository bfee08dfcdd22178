// Closure, cycle rejection with a fresh entry, and the naming of free slots.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "data_files.h"
#include "poset/order_closure.h"
#include "dialogue/poset_entry.h"
#include "poset_setup.h"
#include "reference.h"
#include "scripted_console.h"
#include "lattice/lattice.h"

namespace {

TEST(NamingSequence, NextCharacterAtEveryBoundary) {
    const int cases[][2] = {{0, 1},     {47, 48},   {48, 49},   {56, 57},   {57, 65},   {60, 65},
                            {64, 65},   {65, 66},   {89, 90},   {90, 97},   {93, 97},   {96, 97},
                            {97, 98},   {121, 122}, {122, 128}, {125, 128}, {127, 128}, {128, 129},
                            {194, 195}, {200, 201}};
    for (const auto &c : cases) EXPECT_EQ(next_name_char(c[0]), c[1]) << c[0];
}

TEST(NamingSequence, StartsWithTheSixtyTwoNameCharactersThenCode128) {
    std::string walked;
    int c = '0';
    for (int i = 0; i < 64; ++i, c = next_name_char(c)) walked += static_cast<char>(c);
    EXPECT_EQ(walked,
              "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\x80\x81");
}

// The main sequence's first three phases; the first attempt's workspace is
// dirtied beyond what entry writes, so that a retry must reset all of it.
void define_with_leftovers() {
    reset_and_show_banner();
    read_poset();
    MeetTable[0][1] = 0;
    JoinTable[5][5] = 3;
    OrderMatrix[2][3] = 1;
    OrderMatrix[40][41] = 1;
    close_and_validate_poset();
}

struct RejectCase {
    const char *label;
    const char *keys;
    const char *transcript_file;
};

const RejectCase reject_cases[] = {
    {"name twice in a row", "aa\r\rxy\r\r", "reject_twice.txt"},
    {"two-name cycle", "ab ba\r\rxy\r\r", "reject_two_cycle.txt"},
    {"chain back to its start", "abca\r\rxy\r\r", "reject_chain_cycle.txt"},
    {"cycle through four chains, rejected twice", "ab bc cd da\r\rabc\rca\r\rxy\r\r",
     "reject_twice_over.txt"},
};

void PrintTo(const RejectCase &reject_case, std::ostream *out) { *out << reject_case.label; }

class Rejection : public ::testing::TestWithParam<RejectCase> {};

TEST_P(Rejection, PrintsTheMessageShowsTheBannerAndStartsFromNothing) {
    const RejectCase &t = GetParam();
    scripted::start(t.keys);
    ASSERT_TRUE(scripted::run(define_with_leftovers));
    EXPECT_EQ(scripted::keys_left(), 0);
    data_files::expect_equal(scripted::transcript(), std::string("poset/") + t.transcript_file);

    // Only the accepted poset x<y is left.
    ASSERT_EQ(generator_count, 2);
    EXPECT_EQ(poset_setup::names(2), "xy");
    EXPECT_EQ(poset_setup::order_text(2), "11\n01\n");
    int ones = 0;
    for (const auto &row : OrderMatrix) {
        for (unsigned char e : row) ones += e;
    }
    EXPECT_EQ(ones, 3);
    EXPECT_EQ(poset_setup::defined_entries(MeetTable), 0);
    EXPECT_EQ(poset_setup::defined_entries(JoinTable), 0);
    // The names of the rejected attempts now name generated slots.
    EXPECT_GE(NameIndex[static_cast<unsigned char>('a')], 2);
    EXPECT_GE(NameIndex[static_cast<unsigned char>('b')], 2);
}

INSTANTIATE_TEST_SUITE_P(Cycles, Rejection, ::testing::ValuesIn(reject_cases), poset_setup::LabelName());

struct AcceptCase {
    const char *label;
    const char *keys;
    const char *report_file;
};

const AcceptCase accept_cases[] = {
    {"pentagon", "abc a12c\r\r", "accept_pentagon.txt"},
    {"empty", "\r", "accept_empty.txt"},
    {"chain with repeated pairs", "abc ab ac\rbc\r\r", "accept_chain.txt"},
    {"all sixty-two names",
     "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0a\r\r",
     "accept_all_names.txt"},
};

void PrintTo(const AcceptCase &accept_case, std::ostream *out) { *out << accept_case.label; }

class Acceptance : public ::testing::TestWithParam<AcceptCase> {};

// What the closure phase alone writes, then the closed order and the names of
// all 130 slots.
TEST_P(Acceptance, ReportsTheCountClosesTheOrderAndNamesEverySlot) {
    const AcceptCase &t = GetParam();
    ASSERT_TRUE(poset_setup::type_poset(t.keys, ""));
    int n = generator_count;
    LatticeWorkspace typed = lattice_workspace;
    ASSERT_TRUE(scripted::run(close_and_validate_poset));
    EXPECT_EQ(scripted::stdout_bytes(), "");

    std::string report = scripted::transcript() + "--- order\n" + poset_setup::order_text(n) +
                         "--- names of slots 0..129\n" + scripted::render(poset_setup::names(130)) + "\n";
    data_files::expect_equal(report, std::string("poset/") + t.report_file);

    EXPECT_EQ(generator_count, n);
    EXPECT_EQ(std::memcmp(NameTable, typed.NameTable, static_cast<std::size_t>(n)), 0);
    for (int k = 0; k < MAX_ELEMENTS; ++k) {
        ASSERT_NE(NameTable[k], 0) << k;
        EXPECT_EQ(NameIndex[NameTable[k]], k) << k;
        if (k >= 62) {
            EXPECT_EQ(NameTable[k], k + 66) << k;
        }
    }
    int named = 0;
    for (unsigned char e : NameIndex) named += e != UNDEFINED ? 1 : 0;
    EXPECT_EQ(named, MAX_ELEMENTS);
    // Rows and columns beyond the generators are left alone.
    for (int r = 0; r < MAX_ELEMENTS; ++r) {
        for (int c = 0; c < MAX_ELEMENTS; ++c) {
            if (r >= n || c >= n) {
                ASSERT_EQ(OrderMatrix[r][c], 0) << r << "," << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Posets, Acceptance, ::testing::ValuesIn(accept_cases), poset_setup::LabelName());

TEST(ClosureAgainstSearch, RandomRelationsAreClosedOrRejectedAsReachabilitySays) {
    std::mt19937 random(20240611u);
    int accepted = 0, rejected = 0;
    for (int trial = 0; trial < 600; ++trial) {
        int n = static_cast<int>(random() % 8);
        int density = static_cast<int>(random() % 40);
        std::vector<unsigned char> typed(static_cast<std::size_t>(n * n), 0);
        // An empty poset is typed if the relation is rejected.
        scripted::start("\r");
        reset_and_show_banner();
        generator_count = n;
        for (int x = 0; x < n; ++x) {
            NameTable[x] = static_cast<unsigned char>('a' + x);
            NameIndex['a' + x] = static_cast<unsigned char>(x);
            for (int y = 0; y < n; ++y) {
                // Mostly upward pairs, so that both outcomes are common.
                int chance = y > x ? density : (x == y ? 2 : density / 3);
                if (static_cast<int>(random() % 100) < chance) typed[x * n + y] = OrderMatrix[x][y] = 1;
            }
        }
        bool cycle = reference::has_cycle(typed.data(), n);

        ASSERT_TRUE(scripted::run(close_and_validate_poset)) << trial;
        std::string console = scripted::console_bytes();
        if (cycle) {
            ++rejected;
            EXPECT_EQ(console.rfind("\nTHIS IS NO POSET!   TRY ONCE MORE\n", 0), 0u) << trial;
            EXPECT_EQ(generator_count, 0) << trial;
            continue;
        }
        ++accepted;
        char expected[64];
        std::snprintf(expected, sizeof expected, "\nPOSET WITH %d ELEMENTS DEFINED\n", n);
        EXPECT_EQ(console, expected) << trial;
        EXPECT_EQ(reference::verdict(reference::closure_fault(typed.data(), n)), "holds") << trial;
    }
    EXPECT_GT(accepted, 80);
    EXPECT_GT(rejected, 80);
}

}  // namespace
