// Where a trial join or meet x of two existing elements a and b lies against
// every existing element (indices below x): x's row and column of the order,
// worked out here and only ever set, while the lattice holds the order of the
// elements made so far.
#pragma once

#include <cstdint>
#include <vector>

#include "lattice/lattice.h"

class TrialOrder {
public:
    // Takes the order of the lattice's elements as it stands.
    explicit TrialOrder(const Lattice &lattice);

    // Room for elements 0..count-1, the trial included (more than now).
    // False when memory is short; nothing changes then.
    bool grow_to(int count);
    int room() const { return columns_.size(); }

    // x = a + b (x = ab): its order against all existing elements, and x <= x.
    void order_join(int x, int a, int b);
    void order_meet(int x, int a, int b);

    // For the last trial: x <= q, and p <= x.
    bool trial_below(int q) const { return up_[q] != 0; }
    bool below_trial(int p) const { return down_[p] != 0; }

    // The last trial became element x: its place is final from now on. The
    // lattice holds it already.
    void keep(int x);

private:
    bool below(int p, int q) const { return lattice_.leq(p, q); }
    void start_trial(int x);
    void join_ideal(int x, int a, int b);
    void meet_filter(int x, int a, int b);
    void join_column_pass(int x, int a, int b);
    void join_row_pass(int x, int a, int b);
    void meet_row_pass(int x, int a, int b);
    void meet_column_pass(int x, int a, int b);
    std::uint64_t generators_in(const unsigned char *entries) const;

    const Lattice &lattice_;
    int generators_;
    // The order transposed: columns_.row(q)[p] is p <= q, so that the
    // elements below a fixed element are read along a row.
    SquareTable<unsigned char> columns_;
    // The generators above (below) each element, bit g for generator g.
    std::vector<std::uint64_t> generators_above_;
    std::vector<std::uint64_t> generators_below_;
    // The trial's row (x <= q) and column (p <= x).
    std::vector<unsigned char> up_;
    std::vector<unsigned char> down_;
};
