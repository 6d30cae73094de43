#include "engine/watch_engine.h"

#include "app/program.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using std::chrono::milliseconds;

// Each step runs once when it falls due, in its period from the first advance; a late advance
// runs each step due once, and a pause longer than a period starts its count anew.
TEST(WatchEngine, RunsEachStepAtItsPeriodOnceHoweverLate) {
    Program program;
    StdFileSystem files;
    WatchEngine engine(program.watchParts(), files);
    const auto at = [&engine](long long ms) { engine.advance({{}, milliseconds(ms)}); };
    at(0);
    const struct {
        long long now;
        WatchStep step;
        std::optional<long long> lastRun;
    } rows[] = {
        {199, WatchStep::Reception, std::nullopt},
        {200, WatchStep::Reception, 200},
        {200, WatchStep::Output, 200},
        {1099, WatchStep::Main, std::nullopt},
        {1150, WatchStep::Main, 1150}, // 50 ms late: its rhythm is kept,
        {2199, WatchStep::Main, 1150}, // so it is due again at 2200
        {2200, WatchStep::Main, 2200},
        {4000, WatchStep::Alarms, 4000},  // the alarm window's 4 s
        {200000, WatchStep::Log, 200000}, // a pause of minutes: once,
        {200001, WatchStep::Log, 200000}, // not again at once to catch up,
        {259999, WatchStep::Log, 200000}, // but a period from then
        {260000, WatchStep::Log, 260000},
    };
    for (const auto& row : rows) {
        at(row.now);
        const auto ran = engine.lastRun(row.step);
        EXPECT_EQ(ran ? std::optional(ran->count()) : std::nullopt, row.lastRun) << row.now;
    }
}

} // namespace
} // namespace brisomar
