#include "poset/defined_operations.h"

#include "poset/poset_bounds.h"

namespace {

// One question for every pair not yet defined whose bound exists in the
// poset, each unordered pair once, smaller index first; symbol is the
// operation as the question writes it.
void ask_about_bounds(Lattice &lattice, AnswerSource &answers, unsigned char operation) {
    bool join = operation == OP_JOIN;
    int n = lattice.generators();
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if ((join ? lattice.join(i, j) : lattice.meet(i, j)) != NO_ELEMENT) continue;
            int m = join ? poset_join(lattice, i, j) : poset_meet(lattice, i, j);
            if (m == -1) continue;
            if (answers.bound_defined(i, join ? '+' : '.', j, m)) lattice.store(operation, i, j, m);
        }
    }
}

}  // namespace

void define_partial_lattice(Lattice &lattice, AnswerSource &answers) {
    int n = lattice.generators();
    // Comparable pairs are always defined: the lower is the meet, the upper
    // the join; the diagonal included.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (lattice.leq(i, j)) {
                lattice.store_meet(i, j, i);
                lattice.store_join(i, j, j);
            }
        }
    }
    // All meet questions come before all join questions.
    ask_about_bounds(lattice, answers, OP_MEET);
    ask_about_bounds(lattice, answers, OP_JOIN);
    INVARIANT(lattice.tables_symmetric(n));
    answers.questions_done();
}
