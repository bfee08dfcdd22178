#include "terms/generator_sets.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_set>

#include "checks/invariant.h"

namespace {

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

std::uint64_t set_of(const TermNode &n, bool ideal) { return ideal ? n.ideal : n.filter; }

// How the closure at one compound term reached generators beyond the union
// of its operands' sets: each derived generator z is the defined join (meet)
// of two that were in before it, and brings in its cone.
constexpr unsigned char PLAIN = 255;  // in the set of an operand

struct Closure {
    int term;
    unsigned char via[PRESENTATION_MAX];      // the z whose cone brought it in, or PLAIN
    unsigned char made[PRESENTATION_MAX][2];  // the two z is the operation of
    std::uint64_t explained;                  // members whose facts are under way already
};

struct Goal {
    enum Kind : unsigned char { MEMBER, CLOSED, FACT } kind;
    int g;
    int where;  // MEMBER: the term; CLOSED: the closure
    PosetFact fact;
};

// The first operand of w whose set holds g, or -1.
int operand_holding(const TermGraph &terms, int w, int g, bool ideal) {
    for (std::uint32_t i = 0; i < terms.node(w).count; ++i) {
        int o = static_cast<int>(terms.operand(w, i));
        if ((set_of(terms.node(o), ideal) & bit(g)) != 0) return o;
    }
    return -1;
}

// Runs the closure of the union of w's operands' sets, noting how each
// generator came in.
void run_closure(const TermGraph &terms, int w, bool ideal, Closure &c) {
    const Presentation &p = terms.presentation();
    c.term = w;
    c.explained = 0;
    std::fill(std::begin(c.via), std::end(c.via), PLAIN);
    std::uint64_t set = 0;
    for (std::uint32_t i = 0; i < terms.node(w).count; ++i)
        set |= set_of(terms.node(static_cast<int>(terms.operand(w, i))), ideal);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::uint64_t xs = set; xs != 0; xs &= xs - 1) {
            int x = std::countr_zero(xs);
            for (std::uint64_t ys = set & ~((bit(x) << 1U) - 1); ys != 0; ys &= ys - 1) {
                int y = std::countr_zero(ys);
                int z = ideal ? p.join[x][y] : p.meet[x][y];
                if (z == UNDEFINED || (set & bit(z)) != 0) continue;
                c.made[z][0] = static_cast<unsigned char>(x);
                c.made[z][1] = static_cast<unsigned char>(y);
                std::uint64_t cone = ideal ? p.below[z] : p.above[z];
                for (std::uint64_t m = cone & ~set; m != 0; m &= m - 1)
                    c.via[std::countr_zero(m)] = static_cast<unsigned char>(z);
                set |= cone;
                grew = true;
            }
        }
    }
}

PosetFact below(int x, int y) {
    return {FactKind::BELOW, static_cast<unsigned char>(x), static_cast<unsigned char>(y), 0};
}

}  // namespace

void membership_facts(const TermGraph &terms, int g, int w, bool ideal, std::vector<PosetFact> &facts) {
    INVARIANT((set_of(terms.node(w), ideal) & bit(g)) != 0);
    std::vector<Goal> stack{{Goal::MEMBER, g, w, {}}};
    std::unordered_set<std::uint64_t> visited;  // (term, generator) pairs under way
    std::vector<Closure> closures;
    auto code = [](PosetFact f) {
        return static_cast<unsigned>(f.kind) << 24U | static_cast<unsigned>(f.x) << 16U |
               static_cast<unsigned>(f.y) << 8U | f.z;
    };
    auto add = [&](PosetFact f) {
        auto same = [&](PosetFact e) { return code(e) == code(f); };
        if (std::find_if(facts.begin(), facts.end(), same) == facts.end()) facts.push_back(f);
    };
    TermKind every = ideal ? TermKind::MEET : TermKind::JOIN;  // g in the set of each operand
    while (!stack.empty()) {
        Goal goal = stack.back();
        stack.pop_back();
        if (goal.kind == Goal::FACT) {
            add(goal.fact);
            continue;
        }
        if (goal.kind == Goal::CLOSED) {
            Closure &c = closures[static_cast<std::size_t>(goal.where)];
            int m = goal.g;
            if ((c.explained & bit(m)) != 0) continue;
            c.explained |= bit(m);
            int z = c.via[m];
            if (z == PLAIN) {
                stack.push_back({Goal::MEMBER, m, operand_holding(terms, c.term, m, ideal), {}});
            } else if (z != m) {
                // m is in the cone of z: first how z came in, then the order.
                stack.push_back({Goal::FACT, 0, 0, ideal ? below(m, z) : below(z, m)});
                stack.push_back({Goal::CLOSED, z, goal.where, {}});
            } else {
                int x = c.made[z][0];
                int y = c.made[z][1];
                PosetFact made{ideal ? FactKind::JOIN : FactKind::MEET, static_cast<unsigned char>(x),
                               static_cast<unsigned char>(y), static_cast<unsigned char>(z)};
                stack.push_back({Goal::FACT, 0, 0, made});
                stack.push_back({Goal::CLOSED, y, goal.where, {}});
                stack.push_back({Goal::CLOSED, x, goal.where, {}});
            }
            continue;
        }
        std::uint64_t key = static_cast<std::uint64_t>(goal.where) << 8U | static_cast<std::uint64_t>(goal.g);
        if (!visited.insert(key).second) continue;
        const TermNode &n = terms.node(goal.where);
        if (n.kind == TermKind::GENERATOR) {
            if (n.generator != goal.g) add(ideal ? below(goal.g, n.generator) : below(n.generator, goal.g));
        } else if (n.kind == every) {
            for (std::uint32_t i = n.count; i-- > 0;)
                stack.push_back({Goal::MEMBER, goal.g, static_cast<int>(terms.operand(goal.where, i)), {}});
        } else if (int o = operand_holding(terms, goal.where, goal.g, ideal); o >= 0) {
            stack.push_back({Goal::MEMBER, goal.g, o, {}});
        } else {
            closures.emplace_back();
            run_closure(terms, goal.where, ideal, closures.back());
            stack.push_back({Goal::CLOSED, goal.g, static_cast<int>(closures.size()) - 1, {}});
        }
    }
}
