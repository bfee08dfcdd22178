// The whole build on the scripted console: two builds that run to the limit
// and one that closes. The partial lattice is set up outside the timing.
#include <benchmark/benchmark.h>

#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

void build(benchmark::State &state, const char *names, const char *chains) {
    int elements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scripted::start("");
        lattice_setup::set_up(names, chains, "");
        state.ResumeTiming();
        elements = lattice_setup::build();
    }
    state.counters["elements"] = elements;
}

void BM_BuildThreeIncomparableToLimit(benchmark::State &state) { build(state, "abc", ""); }
void BM_BuildTwoPlusTwoToLimit(benchmark::State &state) { build(state, "abcd", "a<b c<d"); }
void BM_BuildOnePlusThreeCloses(benchmark::State &state) { build(state, "abcd", "b<c<d"); }

BENCHMARK(BM_BuildThreeIncomparableToLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildTwoPlusTwoToLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildOnePlusThreeCloses)->Unit(benchmark::kMicrosecond);

}  // namespace
