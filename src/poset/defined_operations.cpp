#include "poset/defined_operations.h"

#include "poset/poset_bounds.h"
#include "lattice/lattice.h"

namespace {

// One question for every pair not yet defined whose bound exists in the
// poset, each unordered pair once, smaller index first; symbol is the
// operation as the question writes it.
void ask_about_bounds(const AnswerSource &answers, unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS],
                      int (*bound)(int, int), char symbol) {
    int n = generator_count;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (table[i][j] != UNDEFINED) continue;
            int m = bound(i, j);
            if (m == -1) continue;
            if (answers.bound_defined(i, symbol, j, m)) store_symmetric(table, i, j, m);
        }
    }
}

}  // namespace

void define_partial_lattice() { define_partial_lattice(KEYBOARD_ANSWERS); }

void define_partial_lattice(const AnswerSource &answers) {
    int n = generator_count;
    // Comparable pairs are always defined: the lower is the meet, the upper
    // the join; the diagonal included.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (OrderMatrix[i][j] == 1) {
                store_symmetric(MeetTable, i, j, i);
                store_symmetric(JoinTable, i, j, j);
            }
        }
    }
    // All meet questions come before all join questions.
    ask_about_bounds(answers, MeetTable, poset_meet, '.');
    ask_about_bounds(answers, JoinTable, poset_join, '+');
    INVARIANT(tables_symmetric(n));
    answers.questions_done();
}
