// The whole build on the scripted console: two builds that run to the limit
// and one that closes. The partial lattice is set up outside the timing.
// Then the build alone, quietly, to 100, 1,000 and 10,000 elements; the
// time and memory of the whole program at those sizes come from
// build_sizes.py beside this file.
#include <benchmark/benchmark.h>

#include "free_lattice/generation.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

// A new session with the partial lattice set up, outside the timing.
void set_up_untimed(benchmark::State &state, const char *names, const char *chains) {
    state.PauseTiming();
    scripted::start("");
    lattice_setup::set_up(names, chains, "");
    state.ResumeTiming();
}

void build(benchmark::State &state, const char *names, const char *chains) {
    int elements = 0;
    for (auto _ : state) {
        set_up_untimed(state, names, chains);
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

// To the limit given as the argument, printing nothing.
void quiet_build(benchmark::State &state, const char *names, const char *chains) {
    const int limit = static_cast<int>(state.range(0));
    int elements = 0;
    for (auto _ : state) {
        set_up_untimed(state, names, chains);
        build_free_lattice(scripted::lattice(), limit, nullptr);
        elements = scripted::lattice().elements();
    }
    state.counters["elements"] = elements;
    state.counters["table_MB"] =
        static_cast<double>(scripted::lattice().capacity()) * scripted::lattice().capacity() * 6 / 1e6;
}

void BM_QuietBuildThreeIncomparable(benchmark::State &state) { quiet_build(state, "abc", ""); }
void BM_QuietBuildTwoPlusTwo(benchmark::State &state) { quiet_build(state, "abcd", "a<b c<d"); }

BENCHMARK(BM_QuietBuildThreeIncomparable)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuietBuildTwoPlusTwo)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
