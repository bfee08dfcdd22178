// Relations of about 3,000 characters a side in FL(3) (a b c incomparable,
// nothing defined), each decided both ways, parsing included: random terms,
// and a long meet of random joins against a long join of random meets, where
// no condition cuts the search short.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "terms/relations.h"

namespace {

using random_lattice::Random;

constexpr std::size_t SIDE_LENGTH = 3000;

// A random term with the given number of generator occurrences, split at
// random between the operands of an operation (random too, unless top says
// which: 1 join, 0 meet); written as the program reads it, with parentheses
// only around a join inside a meet.
std::string random_term(Random &random, int leaves, bool inside_meet, int top = -1) {
    if (leaves == 1) return std::string(1, static_cast<char>('a' + random.below(3)));
    int left = 1 + random.below(leaves - 1);
    bool join = top < 0 ? random.below(2) == 0 : top == 1;
    std::string text = random_term(random, left, !join) + (join ? "+" : "") + random_term(random, leaves - left, !join);
    return join && inside_meet ? "(" + text + ")" : text;
}

std::string random_term_of_length(Random &random) {
    std::string text;
    while (text.size() < SIDE_LENGTH) text = random_term(random, static_cast<int>(SIDE_LENGTH / 2), false);
    return text;
}

Presentation three_incomparable() {
    scripted::start("");
    lattice_setup::set_up("abc", "", "");
    Presentation p;
    presentation_from_lattice(scripted::lattice(), p);
    return p;
}

// No generator is above the term (below it, for a join of meets): then no
// generator lies between it and anything (anything and it).
bool no_generator_beyond(const Presentation &p, const std::string &term, bool above) {
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(p, term + "=" + term, relation, error)) return false;
    const TermNode &n = relation.terms.node(relation.left);
    return (above ? n.filter : n.ideal) == 0;
}

// A meet of joins (or a join of meets) until the side is long enough: each a
// join (meet) of two to four random meets (joins) of three to six
// generators, such that no generator lies above it (below it). Then the
// generator condition fails on the relation and on every one of its operands
// against the other side, and the search has to go through the operands.
std::string long_meet_of_joins(Random &random, const Presentation &p, bool meet_of_joins) {
    std::string text;
    while (text.size() < SIDE_LENGTH) {
        std::string operand;
        int operands = 2 + random.below(3);
        for (int i = 0; i < operands; ++i) {
            std::string inner = random_term(random, 3 + random.below(4), !meet_of_joins, meet_of_joins ? 0 : 1);
            operand += (meet_of_joins && i > 0 ? "+" : "") + inner;
        }
        if (!no_generator_beyond(p, operand, meet_of_joins)) continue;
        if (meet_of_joins) text += "(" + operand + ")";
        else text += (text.empty() ? "" : "+") + operand;
    }
    return text;
}

// Parses S<=T and S>=T and decides them (or, with decide false, parses them
// only: the share of the parser).
void decide_both_ways(benchmark::State &state, const std::string &s, const std::string &t, bool decide = true) {
    Presentation p = three_incomparable();
    std::string below = s + "<=" + t;
    std::string above = s + ">=" + t;
    bool holds[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            ParsedRelation relation;
            RelationError error;
            if (!parse_relation(p, k == 0 ? below : above, relation, error)) {
                state.SkipWithError(error.reason.c_str());
                return;
            }
            if (decide) holds[k] = relation_holds(p, relation);
        }
    }
    state.counters["left_length"] = static_cast<double>(s.size());
    state.counters["right_length"] = static_cast<double>(t.size());
    state.counters["below"] = holds[0];
    state.counters["above"] = holds[1];
}

// range(0): 0 random terms, 1 a meet of joins against a join of meets;
// range(1): the seed.
std::pair<std::string, std::string> sides(const benchmark::State &state) {
    Random random{static_cast<std::uint64_t>(state.range(1))};
    if (state.range(0) == 0) {
        std::string s = random_term_of_length(random);
        return {s, random_term_of_length(random)};
    }
    Presentation p = three_incomparable();
    std::string s = long_meet_of_joins(random, p, true);
    return {s, long_meet_of_joins(random, p, false)};
}

void BM_ParseOnly(benchmark::State &state) {
    auto [s, t] = sides(state);
    decide_both_ways(state, s, t, false);
}

void BM_ParseAndDecide(benchmark::State &state) {
    auto [s, t] = sides(state);
    decide_both_ways(state, s, t);
}

void kinds(benchmark::internal::Benchmark *b) {
    b->ArgNames({"meet_of_joins", "seed"})->Unit(benchmark::kMicrosecond);
    for (int kind = 0; kind < 2; ++kind)
        for (int seed = 1; seed <= 3; ++seed) b->Args({kind, seed});
}

BENCHMARK(BM_ParseOnly)->Apply(kinds);
BENCHMARK(BM_ParseAndDecide)->Apply(kinds);

}  // namespace
