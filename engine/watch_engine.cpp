#include "engine/watch_engine.h"

#include "ais/ais_targets.h"
#include "alarms/alarm_monitor.h"
#include "base/nav_state.h"
#include "charts/chart_selection.h"
#include "input/nmea_output.h"
#include "input/reception.h"
#include "records/active_waypoint.h"
#include "records/logbook.h"

#include <algorithm>

namespace brisomar {

using std::chrono::milliseconds;

void WatchEngine::advance(const ClockReading& now) {
    for (int i = 0; i < watchStepCount; ++i) {
        const auto step = static_cast<WatchStep>(i);
        std::optional<milliseconds>& due = due_[i];
        if (!due) {
            due = now.steady + period(step);
            continue;
        }
        if (now.steady < *due)
            continue;
        run(step, now);
        // Late by more than a period (a suspended PC), the step starts its count anew.
        *due = now.steady - *due < period(step) ? *due + period(step) : now.steady + period(step);
    }
}

std::optional<milliseconds> WatchEngine::nextDue() const {
    std::optional<milliseconds> next;
    for (const auto& due : due_)
        if (due && (!next || *due < *next))
            next = due;
    return next;
}

void WatchEngine::run(WatchStep step, const ClockReading& now) {
    lastRun_[static_cast<int>(step)] = now.steady;
    NavState& nav = parts_.nav;
    switch (step) {
    case WatchStep::Reception:
        parts_.reception.tick(nav, now);
        break;
    case WatchStep::Main: {
        SelectInUseValues(nav);
        const AlarmLimits& limits = parts_.alarms.limits;
        FollowRoute(parts_.route, nav, dayFraction(now.local), limits.ArrivalRadius.value());
        watchAisTargets(parts_.aisTargets, nav, {limits.AisCpa, limits.AisTcpa}, now.steady);
        break;
    }
    case WatchStep::Alarms:
        parts_.alarms.tick(nav);
        break;
    case WatchStep::Log:
        parts_.logbook.tick(nav, files_, now.local, parts_.logbook.LogText);
        break;
    case WatchStep::Selection:
        parts_.selection.tick(files_, nav);
        break;
    case WatchStep::Output: {
        const auto due = parts_.output.tick(nav, now.steady);
        if (sink_)
            sink_->send(due);
        break;
    }
    }
}

milliseconds WatchEngine::period(WatchStep step) const {
    switch (step) {
    case WatchStep::Reception:
    case WatchStep::Output:
        return receptionPeriod;
    case WatchStep::Main:
        return mainPeriod;
    case WatchStep::Alarms:
        return milliseconds(std::clamp(parts_.alarms.IntervalSeconds, 4, 30) * 1000);
    case WatchStep::Log:
        return logPeriod;
    case WatchStep::Selection:
        return selectionPeriod;
    }
    return receptionPeriod;
}

} // namespace brisomar
