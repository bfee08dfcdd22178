#include "word_problem.h"


namespace word_problem {
namespace {

std::uint64_t bit(int p) { return std::uint64_t{1} << p; }

}  // namespace

FreeLatticeOrder::FreeLatticeOrder(const Lattice &lattice) : lattice_(lattice), n_(lattice.generators()) {
    for (int p = 0; p < n_; ++p) {
        down_[p] = up_[p] = 0;
        for (int q = 0; q < n_; ++q) {
            if (lattice.leq(q, p)) down_[p] |= bit(q);
            if (lattice.leq(p, q)) up_[p] |= bit(q);
            defined_join_[p][q] = lattice.join(p, q) == NO_ELEMENT ? -1 : lattice.join(p, q);
            defined_meet_[p][q] = lattice.meet(p, q) == NO_ELEMENT ? -1 : lattice.meet(p, q);
        }
    }
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
        op = lattice_.term(node).operation;
        l = lattice_.term(node).left;
        r = lattice_.term(node).right;
    }
}

std::uint64_t FreeLatticeOrder::ideal(int node) {
    if (node < n_) return down_[node];
    auto known = ideal_.find(node);
    if (known != ideal_.end()) return known->second;
    unsigned char op;
    int l, r;
    term_of(node, op, l, r);
    std::uint64_t set = op == OP_JOIN ? closure(ideal(l) | ideal(r), true) : ideal(l) & ideal(r);
    ideal_[node] = set;
    return set;
}

std::uint64_t FreeLatticeOrder::filter(int node) {
    if (node < n_) return up_[node];
    auto known = filter_.find(node);
    if (known != filter_.end()) return known->second;
    unsigned char op;
    int l, r;
    term_of(node, op, l, r);
    std::uint64_t set = op == OP_MEET ? closure(filter(l) | filter(r), false) : filter(l) & filter(r);
    filter_[node] = set;
    return set;
}

bool FreeLatticeOrder::decide(int s, int t) {
    const std::uint64_t key = static_cast<std::uint64_t>(s) << 32 | static_cast<std::uint32_t>(t);
    std::unordered_map<std::uint64_t, bool> &memo = s == QUERY || t == QUERY ? query_memo_ : memo_;
    auto known = memo.find(key);
    if (known != memo.end()) return known->second;
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
    memo[key] = result;
    return result;
}

bool FreeLatticeOrder::below(int s, int t) { return decide(s, t); }

void FreeLatticeOrder::forget_query() {
    ideal_.erase(QUERY);
    filter_.erase(QUERY);
    query_memo_.clear();
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
