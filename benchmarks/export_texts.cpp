// The export at 100 elements (three unrelated generators built to the
// limit): the covers alone, and the whole DOT and JSON texts.
#include <benchmark/benchmark.h>

#include "export/covers.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "partial_lattice_setup.h"
#include "lattice/lattice.h"

namespace {

void build_to_the_limit() {
    lattice_setup::build("abc", "", "");
    shown_count = element_limit;
}

void BM_CoversAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    std::size_t edges = 0;
    for (auto _ : state) {
        std::vector<CoveringPair> pairs = covering_pairs(shown_count);
        edges = pairs.size();
        benchmark::DoNotOptimize(pairs.data());
    }
    state.counters["edges"] = static_cast<double>(edges);
}

void BM_DotTextAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    for (auto _ : state) benchmark::DoNotOptimize(dot_text(shown_count));
}

void BM_JsonTextAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    for (auto _ : state) benchmark::DoNotOptimize(json_text(shown_count, ResultNotes{}));
}

BENCHMARK(BM_CoversAtTheLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DotTextAtTheLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonTextAtTheLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
