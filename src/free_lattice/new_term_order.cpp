// The order of a trial element x = a + b or x = ab, worked out incrementally:
// every existing element's place is final, so x only has to be compared with
// them. Against the generators x is placed by an ideal (join) or filter
// (meet) closure in the partial lattice; against generated elements by the
// rules for comparing lattice terms, where a generator lying between the two
// is the last resort.
#include "free_lattice/new_term_order.h"

#include "lattice/lattice.h"

namespace {

bool below(int p, int q) { return OrderMatrix[p][q] != 0; }

void mark_below(int p, int q) { OrderMatrix[p][q] = 1; }

// Some generator g with p <= g <= q.
bool generator_between(int p, int q) {
    bool found = false;
    for (int g = 0; g < generator_count; ++g)
        if (below(p, g) && below(g, q)) found = true;
    return found;
}

// Sets p <= q and tells whether that entry was 0 before.
bool mark_new(int p, int q) {
    if (below(p, q)) return false;
    mark_below(p, q);
    return true;
}

// Column pass of a join: which generated elements k lie below x = a + b.
// Ascending k, so a generated operand's entry is already final when read.
void join_column_pass(int x, int a, int b) {
    for (int k = generator_count; k < x; ++k) {
        const TermRecord &term = TermTable[k];
        int l = term.left;
        int r = term.right;
        if ((term.operation == OP_MEET && (below(l, x) || below(r, x))) ||
            (term.operation == OP_JOIN && below(l, x) && below(r, x)) ||
            below(k, a) || below(k, b))
            mark_below(k, x);
        if (!below(k, x) && generator_between(k, x)) mark_below(k, x);
    }
}

// Row pass of a join: which generated elements k lie above x = a + b.
void join_row_pass(int x, int a, int b) {
    for (int k = generator_count; k < x; ++k) {
        const TermRecord &term = TermTable[k];
        int l = term.left;
        int r = term.right;
        if ((below(a, k) && below(b, k)) ||
            (term.operation == OP_MEET && below(x, l) && below(x, r)) ||
            (term.operation == OP_JOIN && (below(x, l) || below(x, r))))
            mark_below(x, k);
        if (!below(x, k) && generator_between(x, k)) mark_below(x, k);
    }
}

// Row pass of a meet: which generated elements k lie above x = ab.
void meet_row_pass(int x, int a, int b) {
    for (int k = generator_count; k < x; ++k) {
        const TermRecord &term = TermTable[k];
        int l = term.left;
        int r = term.right;
        if ((term.operation == OP_JOIN && (below(x, l) || below(x, r))) ||
            (term.operation == OP_MEET && below(x, l) && below(x, r)) ||
            below(a, k) || below(b, k))
            mark_below(x, k);
        if (!below(x, k) && generator_between(x, k)) mark_below(x, k);
    }
}

// Column pass of a meet: which generated elements k lie below x = ab.
void meet_column_pass(int x, int a, int b) {
    for (int k = generator_count; k < x; ++k) {
        const TermRecord &term = TermTable[k];
        int l = term.left;
        int r = term.right;
        if ((below(k, a) && below(k, b)) ||
            (term.operation == OP_JOIN && below(l, x) && below(r, x)) ||
            (term.operation == OP_MEET && (below(l, x) || below(r, x))))
            mark_below(k, x);
        if (!below(k, x) && generator_between(k, x)) mark_below(k, x);
    }
}

// Marks every generator below a + b in column x, closed under defined joins
// and downward; also any element recorded as the join of two such generators.
void join_ideal(int x, int a, int b) {
    const int n = generator_count;
    for (int g = 0; g < n; ++g)
        if (below(g, a)) mark_below(g, x);
    for (int g = 0; g < n; ++g)
        if (below(g, b)) mark_below(g, x);
    bool changed = true;
    while (changed) {
        changed = false;
        // A recorded join of two generators below x lies below x, whether it
        // is a generator (a defined join) or a generated element.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (!below(i, x) || !below(j, x)) continue;
                unsigned char e = JoinTable[i][j];
                if (e != UNDEFINED && mark_new(e, x)) changed = true;
            }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (below(i, x) && below(j, i) && mark_new(j, x)) changed = true;
    }
}

// Marks every generator above both a and b in row x.
void join_upper_bounds(int x, int a, int b) {
    for (int g = 0; g < generator_count; ++g)
        if (below(a, g) && below(b, g)) mark_below(x, g);
}

// Marks every generator below both a and b in column x.
void meet_lower_bounds(int x, int a, int b) {
    for (int g = 0; g < generator_count; ++g)
        if (below(g, a) && below(g, b)) mark_below(g, x);
}

// Marks every generator above ab in row x, closed under defined meets and
// upward; also any element recorded as the meet of two such generators.
void meet_filter(int x, int a, int b) {
    const int n = generator_count;
    for (int g = 0; g < n; ++g)
        if (below(a, g)) mark_below(x, g);
    for (int g = 0; g < n; ++g)
        if (below(b, g)) mark_below(x, g);
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (!below(x, i) || !below(x, j)) continue;
                unsigned char e = MeetTable[i][j];
                if (e != UNDEFINED && mark_new(x, e)) changed = true;
            }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (below(x, i) && below(i, j) && mark_new(x, j)) changed = true;
    }
}

}  // namespace

void order_new_join(int x, int a, int b) {
    join_ideal(x, a, b);
    join_upper_bounds(x, a, b);
    mark_below(x, x);
    join_column_pass(x, a, b);
    join_row_pass(x, a, b);
}

void order_new_meet(int x, int a, int b) {
    meet_lower_bounds(x, a, b);
    meet_filter(x, a, b);
    mark_below(x, x);
    meet_row_pass(x, a, b);
    meet_column_pass(x, a, b);
}
