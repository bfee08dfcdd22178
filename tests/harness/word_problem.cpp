#include "word_problem.h"

#include <cstring>

#include "lattice/lattice.h"

namespace word_problem {
namespace {

std::uint64_t bit(int p) { return std::uint64_t{1} << p; }

}  // namespace

FreeLatticeOrder::FreeLatticeOrder() : n_(generator_count) {
    for (int p = 0; p < n_; ++p) {
        down_[p] = up_[p] = 0;
        for (int q = 0; q < n_; ++q) {
            if (OrderMatrix[q][p]) down_[p] |= bit(q);
            if (OrderMatrix[p][q]) up_[p] |= bit(q);
            defined_join_[p][q] = JoinTable[p][q] == UNDEFINED ? -1 : JoinTable[p][q];
            defined_meet_[p][q] = MeetTable[p][q] == UNDEFINED ? -1 : MeetTable[p][q];
        }
    }
    std::memset(memo_, -1, sizeof memo_);
}

// The least down-set holding set and closed under the defined joins (ideal),
// or the least up-set closed under the defined meets.
std::uint64_t FreeLatticeOrder::closure(std::uint64_t set, bool ideal) const {
    const std::uint64_t(&step)[64] = ideal ? down_ : up_;
    const int(&defined)[64][64] = ideal ? defined_join_ : defined_meet_;
    for (;;) {
        std::uint64_t grown = set;
        for (int p = 0; p < n_; ++p) {
            if (!(grown & bit(p))) continue;
            grown |= step[p];
            for (int q = 0; q < n_; ++q)
                if ((grown & bit(q)) && defined[p][q] >= 0) grown |= step[defined[p][q]];
        }
        if (grown == set) return set;
        set = grown;
    }
}

void FreeLatticeOrder::term_of(int node, unsigned char &op, int &l, int &r) const {
    if (node == QUERY) {
        op = query_op_;
        l = query_left_;
        r = query_right_;
    } else {
        op = TermTable[node].operation;
        l = TermTable[node].left;
        r = TermTable[node].right;
    }
}

std::uint64_t FreeLatticeOrder::ideal(int node) {
    if (node < n_) return down_[node];
    if (!ideal_known_[node]) {
        unsigned char op;
        int l, r;
        term_of(node, op, l, r);
        ideal_[node] = op == OP_JOIN ? closure(ideal(l) | ideal(r), true) : ideal(l) & ideal(r);
        ideal_known_[node] = true;
    }
    return ideal_[node];
}

std::uint64_t FreeLatticeOrder::filter(int node) {
    if (node < n_) return up_[node];
    if (!filter_known_[node]) {
        unsigned char op;
        int l, r;
        term_of(node, op, l, r);
        filter_[node] = op == OP_MEET ? closure(filter(l) | filter(r), false) : filter(l) & filter(r);
        filter_known_[node] = true;
    }
    return filter_[node];
}

bool FreeLatticeOrder::decide(int s, int t) {
    signed char &known = memo_[s][t];
    if (known >= 0) return known != 0;
    bool result = (filter(s) & ideal(t)) != 0;  // (1)
    if (!result && s >= n_) {
        unsigned char op;
        int s1, s2;
        term_of(s, op, s1, s2);
        if (op == OP_JOIN)
            result = decide(s1, t) && decide(s2, t);  // (2)
        else
            result = decide(s1, t) || decide(s2, t);  // (3)
    }
    if (!result && t >= n_) {
        unsigned char op;
        int t1, t2;
        term_of(t, op, t1, t2);
        if (op == OP_JOIN)
            result = decide(s, t1) || decide(s, t2);  // (4)
        else
            result = decide(s, t1) && decide(s, t2);  // (5)
    }
    known = result ? 1 : 0;
    return result;
}

bool FreeLatticeOrder::below(int s, int t) { return decide(s, t); }

void FreeLatticeOrder::forget_query() {
    ideal_known_[QUERY] = filter_known_[QUERY] = false;
    for (int k = 0; k < NODES; ++k) memo_[k][QUERY] = memo_[QUERY][k] = -1;
}

bool FreeLatticeOrder::equals_term(int e, unsigned char op, int l, int r) {
    forget_query();
    query_op_ = op;
    query_left_ = l;
    query_right_ = r;
    bool equal = decide(e, QUERY) && decide(QUERY, e);
    forget_query();
    return equal;
}

}  // namespace word_problem
