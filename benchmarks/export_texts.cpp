// The export at 100 elements (three unrelated generators built to the
// limit): the covers alone, and the whole DOT and JSON texts.
#include <benchmark/benchmark.h>

#include "export/covers.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"

namespace {

// The 100 elements the dialogue shows.
constexpr int SHOWN = 100;

void build_to_the_limit() { lattice_setup::build("abc", "", ""); }

void BM_CoversAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    std::size_t edges = 0;
    for (auto _ : state) {
        std::vector<CoveringPair> pairs = covering_pairs(scripted::lattice(), SHOWN);
        edges = pairs.size();
        benchmark::DoNotOptimize(pairs.data());
    }
    state.counters["edges"] = static_cast<double>(edges);
}

void BM_DotTextAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    for (auto _ : state) benchmark::DoNotOptimize(dot_text(scripted::lattice(), SHOWN));
}

void BM_JsonTextAtTheLimit(benchmark::State &state) {
    build_to_the_limit();
    for (auto _ : state) benchmark::DoNotOptimize(json_text(scripted::lattice(), SHOWN, ResultNotes{}));
}

BENCHMARK(BM_CoversAtTheLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DotTextAtTheLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JsonTextAtTheLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
