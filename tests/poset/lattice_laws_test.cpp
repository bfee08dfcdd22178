// The lattice test, the offer, and the modular and distributive law tests
// with their first counterexample; the lattice is left as it was found.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "poset_setup.h"
#include "console/console.h"
#include "data_files.h"
#include "dialogue/keyboard_answers.h"
#include "dialogue/law_tests.h"
#include "poset/defined_operations.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

void test_laws() {
    KeyboardAnswers answers(scripted::console(), lattice());
    offer_law_tests(scripted::console(), lattice(), answers);
}

void define_at_keyboard() {
    KeyboardAnswers answers(scripted::console(), lattice());
    define_partial_lattice(lattice(), answers);
}

struct LawCase {
    const char *label;
    const char *keys;
    const char *answer;
    const char *file;
    int keys_left;
};

const LawCase law_cases[] = {
    {"empty poset", "\r", "y", "empty.txt", 0},
    {"chain", "abc\r\r", "y", "chain.txt", 0},
    {"square", "abd acd\r\r", "Y", "square.txt", 0},
    {"pentagon", "abc a12c\r\r", "y", "pentagon.txt", 0},
    {"diamond", "abc adc aec\r\r", "y", "diamond.txt", 0},
    {"pentagon declined", "abc a12c\r\r", "n", "declined.txt", 0},
    {"pentagon declined by Enter", "abc a12c\r\r", "\r", "declined.txt", 0},
    {"two minimal elements", "ac bc\r\r", "y", "silent.txt", 1},
    // Every meet exists here; only a join is missing.
    {"two maximal elements", "ab ac\r\r", "y", "silent.txt", 1},
    {"two incomparable upper bounds", "ac ad bc bd\r\r", "y", "silent.txt", 1},
    {"unrelated elements", "a b\r\r", "y", "silent.txt", 1},
};

void PrintTo(const LawCase &law_case, std::ostream *out) { *out << law_case.label; }

class Laws : public ::testing::TestWithParam<LawCase> {};

TEST_P(Laws, PrintOnTheNamedChannelsAndLeaveTheLatticeAsFound) {
    const LawCase &t = GetParam();
    ASSERT_TRUE(poset_setup::enter_poset(t.keys, t.answer));
    Lattice before = lattice();
    ASSERT_TRUE(scripted::run(test_laws));
    EXPECT_EQ(scripted::keys_left(), t.keys_left);
    data_files::expect_equal(scripted::transcript(), std::string("poset/laws_") + t.file);

    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_MEET, lattice().capacity()), 0);
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_JOIN, lattice().capacity()), 0);
    // Nothing else changed either, so the dialogue asks what it would have.
    EXPECT_TRUE(poset_setup::same_lattice(before, lattice()));
}

INSTANTIATE_TEST_SUITE_P(Posets, Laws, ::testing::ValuesIn(law_cases), poset_setup::LabelName());

void laws_then_dialogue() {
    test_laws();
    define_at_keyboard();
}

TEST(LawsThenDialogue, SecondCodeOfTheDecliningKeyAnswersTheFirstQuestion) {
    ASSERT_TRUE(poset_setup::enter_poset("abc a12c\r\r", "{0,89}nnn"));
    ASSERT_TRUE(scripted::run(laws_then_dialogue));
    EXPECT_EQ(scripted::keys_left(), 0);
    data_files::expect_equal(scripted::transcript(), "poset/laws_then_dialogue_two_code_key.txt");
    EXPECT_EQ(lattice().meet(1, 3), 0);
}

TEST(LawsThenDialogue, SameQuestionsAndTablesAsWithoutTheTests) {
    const char *posets[] = {"abc a12c\r\r", "abc adc aec\r\r", "abd acd\r\r", "\r"};
    for (const char *keys : posets) {
        ASSERT_TRUE(poset_setup::enter_poset(keys, "ynynyn"));
        ASSERT_TRUE(scripted::run(define_at_keyboard));
        std::string alone = scripted::console_bytes();
        Lattice alone_tables = lattice();

        ASSERT_TRUE(poset_setup::enter_poset(keys, "yynynyn"));
        ASSERT_TRUE(scripted::run(test_laws));
        std::string::size_type law_bytes = scripted::console_bytes().size();
        ASSERT_TRUE(scripted::run(define_at_keyboard));
        EXPECT_EQ(scripted::console_bytes().substr(law_bytes), alone) << keys;
        EXPECT_TRUE(poset_setup::same_lattice(alone_tables, lattice())) << keys;
    }
}

}  // namespace
