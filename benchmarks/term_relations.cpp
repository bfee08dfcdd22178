// Relations of about 3,000 characters a side in FL(3) (a b c incomparable,
// nothing defined), each decided both ways, reading included: random terms,
// and a long meet of random joins against a long join of random meets, where
// no condition cuts the search short; S<=S, where only reading costs; and
// the canonical form of each side.
// As a caller with many relations does, one graph and one decision serve
// every relation, cleared before each; per_relation is the time of one.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "terms/canonical_form.h"
#include "terms/relations.h"

// Every allocation of the benchmark program counted, so that the
// benchmarks can show how many a relation costs once the graph has grown.
namespace {
std::size_t allocations = 0;
}  // namespace

// g++ takes the replaced operators' malloc and free for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void *operator new(std::size_t size) {
    ++allocations;
    if (void *p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

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
    TermGraph terms;
    terms.reset(p);
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(term + "=" + term, terms, relation, error)) return false;
    const TermNode &n = terms.node(relation.left);
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

// Reads S<=T and S>=T and decides them (or, with decide false, reads them
// only: the share of the reader), as a caller with many relations does: one
// graph and one decision, both cleared before each relation.
void decide_both_ways(benchmark::State &state, const std::string &s, const std::string &t, bool decide = true) {
    Presentation p = three_incomparable();
    std::string relations[2] = {s + "<=" + t, s + ">=" + t};
    bool holds[2] = {};
    TermGraph terms;
    terms.reset(p);
    OrderDecision decision(terms);
    std::size_t allocated = allocations;
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            terms.clear();
            decision.clear();
            ParsedRelation relation;
            RelationError error;
            if (!parse_relation(relations[k], terms, relation, error)) {
                state.SkipWithError(error.reason.c_str());
                return;
            }
            if (decide) holds[k] = relation_holds(decision, relation);
        }
    }
    std::size_t allocated_in_loop = allocations - allocated;
    state.counters["left_length"] = static_cast<double>(s.size());
    state.counters["right_length"] = static_cast<double>(t.size());
    state.counters["below"] = holds[0];
    state.counters["above"] = holds[1];
    state.counters["terms"] = terms.size();
    state.counters["pairs"] = static_cast<double>(decision.remembered());
    state.counters["per_relation"] =
        benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocated_in_loop) / 2, benchmark::Counter::kAvgIterations);
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

// S<=S for the left side S of the pair: both sides read, one term.
void BM_SameTerm(benchmark::State &state) {
    std::string s = sides(state).first;
    std::string relation = s + "<=" + s;
    TermGraph terms;
    terms.reset(three_incomparable());
    OrderDecision decision(terms);
    bool holds = false;
    for (auto _ : state) {
        terms.clear();
        ParsedRelation parsed;
        RelationError error;
        if (!parse_relation(relation, terms, parsed, error)) {
            state.SkipWithError(error.reason.c_str());
            return;
        }
        holds = relation_holds(decision, parsed);
    }
    state.counters["length"] = static_cast<double>(relation.size());
    state.counters["holds"] = holds;
    state.counters["terms"] = terms.size();
}

void kinds(benchmark::internal::Benchmark *b) {
    b->ArgNames({"meet_of_joins", "seed"})->Unit(benchmark::kMicrosecond);
    for (int kind = 0; kind < 2; ++kind)
        for (int seed = 1; seed <= 3; ++seed) b->Args({kind, seed});
}

BENCHMARK(BM_ParseOnly)->Apply(kinds);
BENCHMARK(BM_ParseAndDecide)->Apply(kinds);
BENCHMARK(BM_SameTerm)->Apply(kinds);

// The canonical form of each side of the hard pair (a meet of random joins,
// a join of random meets), reading included, as --canonical finds it.
void BM_CanonicalForm(benchmark::State &state) {
    auto [s, t] = sides(state);
    TermGraph terms;
    terms.reset(three_incomparable());
    OrderDecision decision(terms);
    CanonicalForms forms(terms, decision);
    std::uint32_t length[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            terms.clear();
            forms.clear();
            int term = -1;
            RelationError error;
            if (!parse_term(k == 0 ? s : t, terms, term, error)) {
                state.SkipWithError(error.reason.c_str());
                return;
            }
            length[k] = terms.node(forms.of(term)).length;
        }
    }
    state.counters["per_term"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
    state.counters["left_form"] = length[0];
    state.counters["right_form"] = length[1];
}

BENCHMARK(BM_CanonicalForm)->Apply(kinds);

}  // namespace
