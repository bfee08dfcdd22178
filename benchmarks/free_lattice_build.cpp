// The whole build on the scripted console: two builds that run to the limit
// and one that closes. The partial lattice is set up outside the timing.
#include <benchmark/benchmark.h>

#include "free_lattice/generation.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"
#include "workspace/workspace.h"

namespace {

void build(benchmark::State &state, const char *names, const char *chains) {
    for (auto _ : state) {
        state.PauseTiming();
        scripted::start("");
        lattice_setup::set_up(names, chains, "");
        element_limit = 100;
        state.ResumeTiming();
        scripted::run(build_free_lattice);
    }
    state.counters["elements"] = closure_complete ? shown_count : element_limit + 1;
}

void BM_BuildThreeIncomparableToLimit(benchmark::State &state) { build(state, "abc", ""); }
void BM_BuildTwoPlusTwoToLimit(benchmark::State &state) { build(state, "abcd", "a<b c<d"); }
void BM_BuildOnePlusThreeCloses(benchmark::State &state) { build(state, "abcd", "b<c<d"); }

BENCHMARK(BM_BuildThreeIncomparableToLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildTwoPlusTwoToLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildOnePlusThreeCloses)->Unit(benchmark::kMicrosecond);

}  // namespace
