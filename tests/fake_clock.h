#pragma once

#include "base/clock.h"

#include <chrono>
#include <cmath>

namespace brisomar {

// The PC clock moved by hand. Moving `time` moves the steady clock with it, as time passing
// does; setWallClock moves the PC's time alone, as setting the clock does.
class FakeClock : public Clock {
public:
    LocalDateTime now() const override { return time; }
    std::chrono::milliseconds steady() const override { return sinceStart(time) - wallClockSet_; }
    ClockReading reading() const { return readClock(*this); }

    void setWallClock(const LocalDateTime& t) {
        wallClockSet_ += sinceStart(t) - sinceStart(time);
        time = t;
    }

    LocalDateTime time{2026, 12, 7, 12, 0, 0, 0};

private:
    static std::chrono::milliseconds sinceStart(const LocalDateTime& t) {
        return std::chrono::milliseconds(std::llround(dateTimeValue(t) * 86'400'000.0));
    }

    std::chrono::milliseconds wallClockSet_{0};
};

} // namespace brisomar
