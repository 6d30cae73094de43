#include "base/real48.h"

#include <benchmark/benchmark.h>

namespace {

// Store and read back a navigation value, as every received fix does several times.
void Real48RoundTrip(benchmark::State& state) {
    long double value = 57.123456789L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        const brisomar::Real48 stored(value);
        benchmark::DoNotOptimize(stored);
        long double back = stored.value();
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(Real48RoundTrip);

void Real48Encode(benchmark::State& state) {
    long double value = -179.99L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(brisomar::Real48(value));
    }
}
BENCHMARK(Real48Encode);

void Real48Decode(benchmark::State& state) {
    const brisomar::Real48 stored(22.4L);
    for (auto _ : state) {
        benchmark::DoNotOptimize(stored);
        benchmark::DoNotOptimize(stored.value());
    }
}
BENCHMARK(Real48Decode);

} // namespace
