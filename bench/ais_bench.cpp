// The AIS reception of a busy channel: 500 targets, 100 AIS sentences a second beside a 1 Hz GPS
// on one port; and the memory 5000 targets take.
#include "ais/ais_payload.h"
#include "ais/ais_targets.h"
#include "app/program.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <vector>

namespace {

using namespace brisomar;

constexpr int shipCount = 500;
constexpr int aisPerTick = 20; // 100 a second, a tick every 200 ms
constexpr long double ownLat = 57.5L, ownLon = -11.5L;

// A class A position report of ship n, near the own boat, ended by CR LF.
std::string positionReport(int n, int second) {
    return AisPayloadWriter()
        .put(1, 6)
        .put(0, 2)
        .put(244000000 + n, 30)
        .put(0, 12)
        .put(85 + n % 100, 10)
        .put(0, 1)
        .position(ownLat + (n % 25 - 12) * 0.01L, ownLon + (n / 25 - 10) * 0.01L)
        .put((n * 37) % 3600, 12)
        .put((n * 37) % 3600 / 10, 9)
        .put(second % 60, 6)
        .put(0, 25)
        .sentences(0);
}

std::string withoutLineEnd(std::string s) {
    s.erase(s.find_last_not_of("\r\n") + 1);
    return s;
}

// One 200 ms tick at its busiest: twenty AIS sentences and the GPS fix checked, then every
// target's CPA and TCPA taken against the boat, as the main window's tick does.
void AisTick(benchmark::State& state) {
    Program program;
    NavState& nav = program.nav;
    std::vector<std::string> reports;
    for (int n = 0; n < shipCount; ++n)
        reports.push_back(withoutLineEnd(positionReport(n, n)));
    const std::string rmc = "$GPRMC,123519,A,5730.000,N,01130.000,E,006.0,045.0,230394,,*1A";
    ClockReading now;
    for (const std::string& r : reports)
        program.reception.deliver(1, r);
    program.reception.tick(nav, now);
    nav.GpsFixReceived = true;
    nav.PosLat = Real48(ownLat);
    nav.PosLon = Real48(ownLon);
    nav.PosCourse = Real48(45.0L);
    nav.PosSpeed = Real48(6.0L);
    std::size_t next = 0;
    for (auto _ : state) {
        now.steady += std::chrono::milliseconds(200);
        for (int i = 0; i < aisPerTick; ++i, next = (next + 1) % reports.size())
            program.reception.deliver(1, reports[next]);
        program.reception.deliver(1, rmc);
        program.reception.tick(nav, now);
        watchAisTargets(program.aisTargets, nav, {}, now.steady);
        benchmark::DoNotOptimize(nav.AisCollision);
    }
    state.counters["targets"] = static_cast<double>(program.aisTargets.size());
}
BENCHMARK(AisTick);

// The heap that 5000 targets with their names and voyages take, in bytes.
void AisTargetsMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto targets = std::make_unique<AisTargets>();
        for (std::uint32_t n = 0; n < AisTargets::maxTargets; ++n) {
            AisMessage m;
            m.type = 5;
            m.mmsi = 244000000 + n;
            m.shipname = "NORDIC STAR OF THE N";
            m.callsign = "SKVV123";
            m.destination = "GOTEBORG LANDVETTER";
            m.eta = "07-14T18:30";
            targets->take(m, false, {});
            m.type = 1;
            m.lat = 57.5;
            m.lon = 11.5;
            m.speed = m.course = 10;
            targets->take(m, false, {});
        }
        state.counters["bytes"] = static_cast<double>(mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(targets);
    }
}
BENCHMARK(AisTargetsMemory)->Iterations(1);

} // namespace
