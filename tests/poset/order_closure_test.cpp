// Closure, cycle rejection with a fresh entry, and the naming of the
// elements after the generators.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "data_files.h"
#include "dialogue/poset_entry.h"
#include "poset/names.h"
#include "poset_setup.h"
#include "reference.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

void close_and_validate() { close_and_validate_poset(scripted::console(), lattice()); }

TEST(NamingSequence, NextCharacterAtEveryBoundary) {
    const int cases[][2] = {{0, 1},     {47, 48},   {48, 49},   {56, 57},   {57, 65},   {60, 65},
                            {64, 65},   {65, 66},   {89, 90},   {90, 97},   {93, 97},   {96, 97},
                            {97, 98},   {121, 122}, {122, 128}, {125, 128}, {127, 128}, {128, 129},
                            {194, 195}, {200, 201}, {254, 255}, {255, 0}};
    for (const auto &c : cases) EXPECT_EQ(next_name_char(c[0]), c[1]) << c[0];
}

TEST(NamingSequence, StartsWithTheSixtyTwoNameCharactersThenCode128) {
    std::string walked;
    int c = '0';
    for (int i = 0; i < 64; ++i, c = next_name_char(c)) walked += static_cast<char>(c);
    EXPECT_EQ(walked,
              "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\x80\x81");
}

// The main sequence's first three phases; the first attempt's lattice is
// dirtied beyond what entry writes, so that a retry must start from nothing.
void define_with_leftovers() {
    reset_and_show_banner(scripted::console(), lattice());
    read_poset(scripted::console(), lattice());
    lattice().store_meet(0, 1, 0);
    lattice().store_join(5, 5, 3);
    lattice().set_leq(2, 3);
    lattice().set_leq(40, 41);
    close_and_validate();
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
    ASSERT_EQ(lattice().generators(), 2);
    EXPECT_EQ(poset_setup::names(lattice(), 2), "xy");
    EXPECT_EQ(poset_setup::order_text(lattice(), 2), "11\n01\n");
    int ones = 0;
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) ones += lattice().leq(r, c) ? 1 : 0;
    }
    EXPECT_EQ(ones, 3);
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_MEET, lattice().capacity()), 0);
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_JOIN, lattice().capacity()), 0);
    // The names of the rejected attempts now name generated elements.
    EXPECT_GE(lattice().named(static_cast<unsigned char>('a')), 2);
    EXPECT_GE(lattice().named(static_cast<unsigned char>('b')), 2);
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
// the first 130 elements; every one of the 190 names is given, and no more.
TEST_P(Acceptance, ReportsTheCountClosesTheOrderAndNamesEveryElementTheNamesReach) {
    const AcceptCase &t = GetParam();
    ASSERT_TRUE(poset_setup::type_poset(t.keys, ""));
    int n = lattice().generators();
    Lattice typed = lattice();
    ASSERT_TRUE(scripted::run(close_and_validate));
    EXPECT_EQ(scripted::stdout_bytes(), "");

    std::string report = scripted::transcript() + "--- order\n" + poset_setup::order_text(lattice(), n) +
                         "--- names of slots 0..129\n" + scripted::render(poset_setup::names(lattice(), 130)) + "\n";
    data_files::expect_equal(report, std::string("poset/") + t.report_file);

    EXPECT_EQ(lattice().generators(), n);
    EXPECT_EQ(lattice().elements(), n);
    for (int k = 0; k < n; ++k) EXPECT_EQ(lattice().name(k), typed.name(k)) << k;
    for (int k = 0; k < NAMES_MAX; ++k) {
        ASSERT_NE(lattice().name(k), 0) << k;
        EXPECT_EQ(lattice().named(lattice().name(k)), k) << k;
        if (k >= 62) {
            EXPECT_EQ(lattice().name(k), k + 66) << k;
        }
    }
    EXPECT_EQ(lattice().name(NAMES_MAX), 0);
    int named = 0;
    for (int c = 0; c < 256; ++c) named += lattice().named(static_cast<unsigned char>(c)) >= 0 ? 1 : 0;
    EXPECT_EQ(named, NAMES_MAX);
    // Rows and columns beyond the generators are left alone.
    for (int r = 0; r < lattice().capacity(); ++r) {
        for (int c = 0; c < lattice().capacity(); ++c) {
            if (r >= n || c >= n) {
                ASSERT_FALSE(lattice().leq(r, c)) << r << "," << c;
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
        reset_and_show_banner(scripted::console(), lattice());
        lattice().set_generators(n);
        for (int x = 0; x < n; ++x) {
            lattice().set_name(x, static_cast<unsigned char>('a' + x));
            for (int y = 0; y < n; ++y) {
                // Mostly upward pairs, so that both outcomes are common.
                int chance = y > x ? density : (x == y ? 2 : density / 3);
                if (static_cast<int>(random() % 100) < chance) {
                    typed[x * n + y] = 1;
                    lattice().set_leq(x, y);
                }
            }
        }
        bool cycle = reference::has_cycle(typed.data(), n);

        ASSERT_TRUE(scripted::run(close_and_validate)) << trial;
        std::string console = scripted::console_bytes();
        if (cycle) {
            ++rejected;
            EXPECT_EQ(console.rfind("\nTHIS IS NO POSET!   TRY ONCE MORE\n", 0), 0u) << trial;
            EXPECT_EQ(lattice().generators(), 0) << trial;
            continue;
        }
        ++accepted;
        char expected[64];
        std::snprintf(expected, sizeof expected, "\nPOSET WITH %d ELEMENTS DEFINED\n", n);
        EXPECT_EQ(console, expected) << trial;
        EXPECT_EQ(reference::verdict(reference::closure_fault(lattice(), typed.data(), n)), "holds") << trial;
    }
    EXPECT_GT(accepted, 80);
    EXPECT_GT(rejected, 80);
}

}  // namespace
