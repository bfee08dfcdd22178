// The order of a trial element x = a + b or x = ab, worked out incrementally:
// every existing element's place is final, so x only has to be compared with
// them. Against the generators x is placed by an ideal (join) or filter
// (meet) closure in the partial lattice; against generated elements by the
// rules for comparing lattice terms, where a generator lying between the two
// is the last resort. The passes go through the elements in ascending order,
// so that a generated operand's entry is already final when read; each reads
// rows only (the trial's, a's and b's, and the generators above and below
// an element as one word), so that a build of thousands of elements stays
// within the caches.
#include "free_lattice/new_term_order.h"

#include <algorithm>

TrialOrder::TrialOrder(const Lattice &lattice) : lattice_(lattice), generators_(lattice.generators()) {
    // Too little memory for the lattice's own elements leaves no build.
    bool grown = grow_to(lattice.capacity());
    INVARIANT(grown);
    (void)grown;
    for (int q = 0; q < lattice.elements(); ++q) {
        for (int p = 0; p < lattice.elements(); ++p) columns_.row(q)[p] = lattice.leq(p, q) ? 1 : 0;
        generators_above_[q] = generators_in(lattice.order_row(q));
        generators_below_[q] = generators_in(columns_.row(q));
    }
}

bool TrialOrder::grow_to(int count) {
    // The tables of the order are what can run short; the rows of one
    // element are small beside them.
    if (!columns_.grow(count, 0)) return false;
    const auto size = static_cast<std::size_t>(count);
    generators_above_.resize(size, 0);
    generators_below_.resize(size, 0);
    up_.resize(size, 0);
    down_.resize(size, 0);
    return true;
}

std::uint64_t TrialOrder::generators_in(const unsigned char *entries) const {
    std::uint64_t set = 0;
    for (int g = 0; g < generators_; ++g)
        if (entries[g] != 0) set |= std::uint64_t{1} << g;
    return set;
}

void TrialOrder::start_trial(int x) {
    INVARIANT(x >= generators_ && x < room());
    std::fill(up_.begin(), up_.begin() + x + 1, 0);
    std::fill(down_.begin(), down_.begin() + x + 1, 0);
}

// Marks every generator below a + b in column x, closed under defined joins
// and downward; also any element recorded as the join of two such generators.
void TrialOrder::join_ideal([[maybe_unused]] int x, int a, int b) {
    const int n = generators_;
    for (int g = 0; g < n; ++g)
        if (below(g, a)) down_[g] = 1;
    for (int g = 0; g < n; ++g)
        if (below(g, b)) down_[g] = 1;
    bool changed = true;
    while (changed) {
        changed = false;
        // A recorded join of two generators below x lies below x, whether it
        // is a generator (a defined join) or a generated element.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (down_[i] == 0 || down_[j] == 0) continue;
                Element e = lattice_.join(i, j);
                if (e != NO_ELEMENT && down_[e] == 0) {
                    INVARIANT(e < x);
                    down_[e] = 1;
                    changed = true;
                }
            }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (down_[i] != 0 && below(j, i) && down_[j] == 0) {
                    down_[j] = 1;
                    changed = true;
                }
    }
}

// Marks every generator above ab in row x, closed under defined meets and
// upward; also any element recorded as the meet of two such generators.
void TrialOrder::meet_filter([[maybe_unused]] int x, int a, int b) {
    const int n = generators_;
    for (int g = 0; g < n; ++g)
        if (below(a, g)) up_[g] = 1;
    for (int g = 0; g < n; ++g)
        if (below(b, g)) up_[g] = 1;
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (up_[i] == 0 || up_[j] == 0) continue;
                Element e = lattice_.meet(i, j);
                if (e != NO_ELEMENT && up_[e] == 0) {
                    INVARIANT(e < x);
                    up_[e] = 1;
                    changed = true;
                }
            }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (up_[i] != 0 && below(i, j) && up_[j] == 0) {
                    up_[j] = 1;
                    changed = true;
                }
    }
}

// Column pass of a join: which generated elements k lie below x = a + b.
void TrialOrder::join_column_pass(int x, int a, int b) {
    const unsigned char *below_a = columns_.row(a);
    const unsigned char *below_b = columns_.row(b);
    // No pass sets the generators' entries: the set is fixed by now.
    const std::uint64_t generators_below_x = generators_in(down_.data());
    for (int k = generators_; k < x; ++k) {
        const TermRecord &term = lattice_.term(k);
        if ((term.operation == OP_MEET && (down_[term.left] != 0 || down_[term.right] != 0)) ||
            (term.operation == OP_JOIN && down_[term.left] != 0 && down_[term.right] != 0) || below_a[k] != 0 ||
            below_b[k] != 0)
            down_[k] = 1;
        // Some generator g with k <= g <= x.
        if (down_[k] == 0 && (generators_above_[k] & generators_below_x) != 0) down_[k] = 1;
    }
}

// Row pass of a join: which generated elements k lie above x = a + b.
void TrialOrder::join_row_pass(int x, int a, int b) {
    const unsigned char *above_a = lattice_.order_row(a);
    const unsigned char *above_b = lattice_.order_row(b);
    const std::uint64_t generators_above_x = generators_in(up_.data());
    for (int k = generators_; k < x; ++k) {
        const TermRecord &term = lattice_.term(k);
        if ((above_a[k] != 0 && above_b[k] != 0) ||
            (term.operation == OP_MEET && up_[term.left] != 0 && up_[term.right] != 0) ||
            (term.operation == OP_JOIN && (up_[term.left] != 0 || up_[term.right] != 0)))
            up_[k] = 1;
        if (up_[k] == 0 && (generators_above_x & generators_below_[k]) != 0) up_[k] = 1;
    }
}

// Row pass of a meet: which generated elements k lie above x = ab.
void TrialOrder::meet_row_pass(int x, int a, int b) {
    const unsigned char *above_a = lattice_.order_row(a);
    const unsigned char *above_b = lattice_.order_row(b);
    const std::uint64_t generators_above_x = generators_in(up_.data());
    for (int k = generators_; k < x; ++k) {
        const TermRecord &term = lattice_.term(k);
        if ((term.operation == OP_JOIN && (up_[term.left] != 0 || up_[term.right] != 0)) ||
            (term.operation == OP_MEET && up_[term.left] != 0 && up_[term.right] != 0) || above_a[k] != 0 ||
            above_b[k] != 0)
            up_[k] = 1;
        if (up_[k] == 0 && (generators_above_x & generators_below_[k]) != 0) up_[k] = 1;
    }
}

// Column pass of a meet: which generated elements k lie below x = ab.
void TrialOrder::meet_column_pass(int x, int a, int b) {
    const unsigned char *below_a = columns_.row(a);
    const unsigned char *below_b = columns_.row(b);
    const std::uint64_t generators_below_x = generators_in(down_.data());
    for (int k = generators_; k < x; ++k) {
        const TermRecord &term = lattice_.term(k);
        if ((below_a[k] != 0 && below_b[k] != 0) ||
            (term.operation == OP_JOIN && down_[term.left] != 0 && down_[term.right] != 0) ||
            (term.operation == OP_MEET && (down_[term.left] != 0 || down_[term.right] != 0)))
            down_[k] = 1;
        if (down_[k] == 0 && (generators_above_[k] & generators_below_x) != 0) down_[k] = 1;
    }
}

void TrialOrder::order_join(int x, int a, int b) {
    start_trial(x);
    join_ideal(x, a, b);
    // Every generator above both a and b lies above x.
    for (int g = 0; g < generators_; ++g)
        if (below(a, g) && below(b, g)) up_[g] = 1;
    up_[x] = 1;
    down_[x] = 1;
    join_column_pass(x, a, b);
    join_row_pass(x, a, b);
}

void TrialOrder::order_meet(int x, int a, int b) {
    start_trial(x);
    // Every generator below both a and b lies below x.
    for (int g = 0; g < generators_; ++g)
        if (below(g, a) && below(g, b)) down_[g] = 1;
    meet_filter(x, a, b);
    up_[x] = 1;
    down_[x] = 1;
    meet_row_pass(x, a, b);
    meet_column_pass(x, a, b);
}

void TrialOrder::keep(int x) {
    unsigned char *column_x = columns_.row(x);
    for (int i = 0; i <= x; ++i) {
        column_x[i] = down_[i];
        if (up_[i] != 0) columns_.row(i)[x] = 1;
    }
    generators_above_[x] = generators_in(up_.data());
    generators_below_[x] = generators_in(down_.data());
}
