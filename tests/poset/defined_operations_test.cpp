// The partial lattice dialogue: which questions are asked, in which order,
// how keys answer them, and the meet and join tables it leaves.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "poset_setup.h"
#include "data_files.h"
#include "dialogue/keyboard_answers.h"
#include "poset/defined_operations.h"
#include "scripted_console.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

void define_at_keyboard() {
    KeyboardAnswers answers(scripted::console(), lattice());
    define_partial_lattice(lattice(), answers);
}

struct DialogueCase {
    const char *label;
    const char *keys;
    const char *answers;
    const char *file;  // dialogue transcript and both tables
};

const DialogueCase dialogue_cases[] = {
    {"pentagon mixed answers", "abc a12c\r\r", "yN\rY", "pentagon_mixed.txt"},
    // Lead 0 answers no, its second code Y the next question; lead 224 no,
    // and its H the last one.
    {"pentagon two-code keys", "abc a12c\r\r", "{0,89}{224,72}", "pentagon_two_code_keys.txt"},
    {"chain", "abc\r\r", "", "chain.txt"},
    {"empty poset", "\r", "", "empty.txt"},
    {"one element", "a\r\r", "", "one_element.txt"},
    {"no meet, asked only the join", "ac bc\r\r", "y", "join_only.txt"},
    {"no join, asked only the meet", "ca cb\r\r", "n", "meet_only.txt"},
    {"neither bound, never asked", "a b\r\r", "", "neither.txt"},
    {"incomparable bounds, never asked", "ac ad bc bd\r\r", "", "two_by_two.txt"},
};

void PrintTo(const DialogueCase &dialogue_case, std::ostream *out) { *out << dialogue_case.label; }

class Dialogue : public ::testing::TestWithParam<DialogueCase> {};

TEST_P(Dialogue, AsksInOrderAndLeavesTheTables) {
    const DialogueCase &t = GetParam();
    ASSERT_TRUE(poset_setup::enter_poset(t.keys, t.answers));
    ASSERT_TRUE(scripted::run(define_at_keyboard));
    EXPECT_EQ(scripted::keys_left(), 0);
    EXPECT_EQ(scripted::stdout_bytes(), "");
    int n = lattice().generators();
    std::string report = scripted::transcript() + "--- meets\n" + poset_setup::table_text(lattice(), OP_MEET, n) +
                         "--- joins\n" + poset_setup::table_text(lattice(), OP_JOIN, n);
    data_files::expect_equal(report, std::string("poset/dialogue_") + t.file);

    // Symmetric, and nothing outside the generators.
    int inside_meets = 0, inside_joins = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            EXPECT_EQ(lattice().meet(r, c), lattice().meet(c, r)) << r << "," << c;
            EXPECT_EQ(lattice().join(r, c), lattice().join(c, r)) << r << "," << c;
            inside_meets += lattice().meet(r, c) != NO_ELEMENT ? 1 : 0;
            inside_joins += lattice().join(r, c) != NO_ELEMENT ? 1 : 0;
        }
    }
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_MEET, lattice().capacity()), inside_meets);
    EXPECT_EQ(poset_setup::defined_entries(lattice(), OP_JOIN, lattice().capacity()), inside_joins);
}

INSTANTIATE_TEST_SUITE_P(Posets, Dialogue, ::testing::ValuesIn(dialogue_cases), poset_setup::LabelName());

TEST(DialogueAnswers, OnlyYesEntersThePentagonMeetOfBAnd1) {
    const struct {
        const char *answers;
        Element entry;
    } cases[] = {{"ynnn", 0}, {"Ynnn", 0}, {"nnnn", NO_ELEMENT}, {"\x1b" "nnn", NO_ELEMENT},
                 {"\rnnn", NO_ELEMENT}, {"\xf9nnn", NO_ELEMENT}};
    for (const auto &c : cases) {
        ASSERT_TRUE(poset_setup::enter_poset("abc a12c\r\r", c.answers));
        ASSERT_TRUE(scripted::run(define_at_keyboard));
        // b is element 1, the name 1 element 3, a element 0.
        EXPECT_EQ(lattice().meet(1, 3), c.entry) << c.answers;
        EXPECT_EQ(lattice().meet(3, 1), c.entry) << c.answers;
    }
}

}  // namespace
