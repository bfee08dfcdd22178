#include "word_problem.h"


namespace word_problem {
namespace {

std::uint64_t bit(int p) { return std::uint64_t{1} << p; }

}  // namespace

GeneratorOrder::GeneratorOrder(const Lattice &lattice) : n(lattice.generators()) {
    for (int p = 0; p < n; ++p) {
        down[p] = up[p] = 0;
        for (int q = 0; q < n; ++q) {
            if (lattice.leq(q, p)) down[p] |= bit(q);
            if (lattice.leq(p, q)) up[p] |= bit(q);
            defined_join[p][q] = lattice.join(p, q) >= n ? -1 : lattice.join(p, q);
            defined_meet[p][q] = lattice.meet(p, q) >= n ? -1 : lattice.meet(p, q);
        }
    }
}

std::uint64_t GeneratorOrder::closure(std::uint64_t set, bool ideal) const {
    const std::uint64_t(&step)[64] = ideal ? down : up;
    const int(&defined)[64][64] = ideal ? defined_join : defined_meet;
    for (;;) {
        std::uint64_t grown = set;
        for (int p = 0; p < n; ++p) {
            if (!(grown & bit(p))) continue;
            grown |= step[p];
            for (int q = 0; q < n; ++q)
                if ((grown & bit(q)) && defined[p][q] >= 0) grown |= step[defined[p][q]];
        }
        if (grown == set) return set;
        set = grown;
    }
}

FreeLatticeOrder::FreeLatticeOrder(const Lattice &lattice) : lattice_(lattice), p_(lattice) {}

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
    if (node < p_.n) return p_.down[node];
    auto known = ideal_.find(node);
    if (known != ideal_.end()) return known->second;
    unsigned char op;
    int l, r;
    term_of(node, op, l, r);
    std::uint64_t set = op == OP_JOIN ? p_.closure(ideal(l) | ideal(r), true) : ideal(l) & ideal(r);
    ideal_[node] = set;
    return set;
}

std::uint64_t FreeLatticeOrder::filter(int node) {
    if (node < p_.n) return p_.up[node];
    auto known = filter_.find(node);
    if (known != filter_.end()) return known->second;
    unsigned char op;
    int l, r;
    term_of(node, op, l, r);
    std::uint64_t set = op == OP_MEET ? p_.closure(filter(l) | filter(r), false) : filter(l) & filter(r);
    filter_[node] = set;
    return set;
}

bool FreeLatticeOrder::decide(int s, int t) {
    const std::uint64_t key = static_cast<std::uint64_t>(s) << 32 | static_cast<std::uint32_t>(t);
    std::unordered_map<std::uint64_t, bool> &memo = s == QUERY || t == QUERY ? query_memo_ : memo_;
    auto known = memo.find(key);
    if (known != memo.end()) return known->second;
    bool result = (filter(s) & ideal(t)) != 0;  // (1)
    if (!result && s >= p_.n) {
        unsigned char op;
        int s1, s2;
        term_of(s, op, s1, s2);
        if (op == OP_JOIN)
            result = decide(s1, t) && decide(s2, t);  // (2)
        else
            result = decide(s1, t) || decide(s2, t);  // (3)
    }
    if (!result && t >= p_.n) {
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
