#include "input/reception.h"

#include <benchmark/benchmark.h>

namespace {

// One received RMC sentence checked and stored, as the communication timer does for each port.
void CheckReadStringRmc(benchmark::State& state) {
    brisomar::NavState nav;
    brisomar::Reception reception;
    const brisomar::ClockReading now{{2026, 12, 7, 10, 0, 0, 0}};
    const std::string sentence =
        "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
    for (auto _ : state) {
        reception.CheckReadString(nav, sentence, now);
        benchmark::DoNotOptimize(nav);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CheckReadStringRmc);

} // namespace
