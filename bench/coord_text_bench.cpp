#include "base/coord_text.h"

#include <benchmark/benchmark.h>

namespace {

void LatToTextOfAFix(benchmark::State& state) {
    const brisomar::Real48 latitude(-33.8567844L);
    for (auto _ : state) {
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(brisomar::LatToText(latitude));
    }
}
BENCHMARK(LatToTextOfAFix);

} // namespace
