#pragma once

#include "base/clock.h"

#include <array>
#include <chrono>
#include <optional>

namespace brisomar {

class AisTargets;
class AlarmMonitor;
class ChartSelection;
class FileSystem;
class Logbook;
class Reception;
class SentenceOutput;
class SentenceSink;
class WaypointRoute;
struct NavState;

// The parts of the program the watch works on.
struct WatchParts {
    NavState& nav;
    Reception& reception;
    SentenceOutput& output;
    AlarmMonitor& alarms;
    Logbook& logbook;
    WaypointRoute& route;
    AisTargets& aisTargets;
    ChartSelection& selection;
};

// The steps of the watch, in the order one tick runs them.
enum class WatchStep {
    Reception, // the sentences received: GPS, extended value, heading, AIS; the silences
    Main,      // the values in use, the route sailed, the AIS targets measured against the boat
    Alarms,    // the watch alarms
    Log,       // the logbook's minute
    Selection, // the automatic chart selection
    Output,    // the sentences sent: received ones passed on, the route sentences
};
inline constexpr int watchStepCount = 6;

// The navigator's watch: every step that turns what the instruments say into what the sailor
// and the autopilot are told, in one order, each at its own period on the steady clock. Whoever
// drives it (the program's timer, a recording checked, a test) calls advance with the clock's
// reading; a step due is run once however late the call, and then keeps its period from when it
// was due, so that a slow moment delays nothing that follows.
class WatchEngine {
public:
    static constexpr std::chrono::milliseconds receptionPeriod{200};
    static constexpr std::chrono::milliseconds mainPeriod{1100};
    static constexpr std::chrono::milliseconds selectionPeriod{1000};
    static constexpr std::chrono::milliseconds logPeriod{60000};

    WatchEngine(WatchParts parts, FileSystem& files) : parts_(parts), files_(files) {}

    // Where the sentences due are sent; none until set.
    void setSink(SentenceSink* sink) { sink_ = sink; }

    // Runs every step due at `now`, in the order of WatchStep. The first call only starts the
    // periods, as timers started then would.
    void advance(const ClockReading& now);

    // The steady time at which the next step is due; none before the first advance.
    std::optional<std::chrono::milliseconds> nextDue() const;

    // Runs one step now, out of its schedule.
    void run(WatchStep step, const ClockReading& now);

    // The steady time the step last ran at; none before it first did.
    std::optional<std::chrono::milliseconds> lastRun(WatchStep step) const {
        return lastRun_[static_cast<int>(step)];
    }

private:
    std::chrono::milliseconds period(WatchStep step) const;

    WatchParts parts_;
    FileSystem& files_;
    SentenceSink* sink_ = nullptr;
    std::array<std::optional<std::chrono::milliseconds>, watchStepCount> due_, lastRun_;
};

} // namespace brisomar
