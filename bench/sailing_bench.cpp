#include "navcalc/optimum_search.h"
#include "navcalc/sailing.h"

#include <benchmark/benchmark.h>

namespace {

using namespace brisomar;

BoatTables defaults() {
    return {defaultSpeedTable(), defaultLeewayTable()};
}

NavState breeze() {
    NavState nav;
    nav.WindDir = Real48(200.0L);
    nav.WindSpeed = Real48(12.0L);
    nav.CurrentDir = Real48(90.0L);
    nav.CurrentSpeed = Real48(1.5L);
    return nav;
}

// The heading search behind every sail time of a measured line.
void SpeedAlongCourseBench(benchmark::State& state) {
    const BoatTables tables = defaults();
    const NavState nav = breeze();
    SailingValues v;
    long double course = 0;
    for (auto _ : state) {
        course = course >= 359 ? 0 : course + 7;
        benchmark::DoNotOptimize(SpeedAlongCourse(v, tables, nav, Real48(), Real48(course)));
    }
}
BENCHMARK(SpeedAlongCourseBench)->Unit(benchmark::kMicrosecond);

// One evaluation of the optimum search: two legs, on every mouse move of the drag.
void CruisePointEvaluation(benchmark::State& state) {
    const BoatTables tables = defaults();
    const NavState nav = breeze();
    SailingValues v;
    ToolValues tools;
    const TWaypoint a{Real48(57.0L), Real48(20.0L), {}, {}, {}};
    const TWaypoint b{Real48(57.5L), Real48(19.0L), {}, {}, {}};
    long double lat = 57.1L;
    for (auto _ : state) {
        lat = lat > 57.4L ? 57.1L : lat + 0.01L;
        benchmark::DoNotOptimize(
            evaluateCruisePoint(v, tables, nav, tools, a, b, Real48(lat), Real48(19.6L)));
    }
}
BENCHMARK(CruisePointEvaluation)->Unit(benchmark::kMicrosecond);

// "Steer?": all 360 headings.
void SteerSearchBench(benchmark::State& state) {
    const BoatTables tables = defaults();
    SailingValues v;
    v.OptWindDir = Real48(200.0L);
    v.OptWindSpeed = Real48(12.0L);
    v.OptGeoDir = Real48(45.0L);
    ComputeFalseWind(v);
    for (auto _ : state)
        benchmark::DoNotOptimize(searchSteerHeading(v, tables, nullptr));
}
BENCHMARK(SteerSearchBench)->Unit(benchmark::kMicrosecond);

} // namespace
