#include "app/watch_driver.h"

#include "base/clock.h"

#include <algorithm>

namespace brisomar {

WatchDriver::WatchDriver(WatchEngine& engine, const Clock& clock) : engine_(engine), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &WatchDriver::advance);
    timer_.start(0);
}

void WatchDriver::advance() {
    engine_.advance(readClock(clock_));
    const auto next = engine_.nextDue();
    const auto wait = next ? *next - clock_.steady() : WatchEngine::receptionPeriod;
    timer_.start(static_cast<int>(std::max<long long>(0, wait.count())));
}

} // namespace brisomar
