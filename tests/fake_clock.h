#pragma once

#include "base/clock.h"

#include <chrono>
#include <cmath>

namespace brisomar {

// The PC clock moved by hand: moving `time` (or pass) moves the steady clock with it, as time
// passing does; setBy moves the PC's time alone, as setting the clock does.
class FakeClock : public Clock {
public:
    LocalDateTime now() const override { return time; }
    std::chrono::milliseconds steady() const override {
        return std::chrono::milliseconds(std::llround(dateTimeValue(time) * msPerDay)) - setBy_;
    }
    ClockReading reading() const { return readClock(*this); }

    void pass(std::chrono::milliseconds d) {
        time = fromDateTimeValue(dateTimeValue(time) + static_cast<double>(d.count()) / msPerDay);
    }
    void setBy(std::chrono::milliseconds d) {
        setBy_ += d;
        pass(d);
    }

    LocalDateTime time{2026, 12, 7, 12, 0, 0, 0};

private:
    static constexpr double msPerDay = 86'400'000.0;
    std::chrono::milliseconds setBy_{0};
};

} // namespace brisomar
