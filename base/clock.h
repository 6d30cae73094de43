#pragma once

#include "base/real48.h"

#include <chrono>

namespace brisomar {

// A local date and time as the PC clock gives it.
struct LocalDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The seam through which the program reads the PC clock; tests move a fake one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    // Milliseconds from an arbitrary start on a clock that runs on evenly across midnight and
    // whatever the PC's time is set to: silences are counted on it, times of day are shown.
    virtual std::chrono::milliseconds steady() const = 0;
};

// One reading of both clocks: the time of day to show and the steady time to count with.
struct ClockReading {
    LocalDateTime local;
    std::chrono::milliseconds steady{0};
};

ClockReading readClock(const Clock& clock);

// The time of day as a fraction of a day, 0 at midnight, never 1.
long double dayFraction(const LocalDateTime& t);

// The time of day as the program stores it (GpsTime, LastUpdate, ExtendedTime).
Real48 timeOfDay(const LocalDateTime& t);

// Days since 1899-12-30, the fraction being the time of day.
double dateTimeValue(const LocalDateTime& t);

int secondOfDay(const LocalDateTime& t);

// A day count within the years 1 to 9999: the dates that can be shown. A stored one read from a
// file is checked before it is taken apart.
bool isDateTime(double dateTime);

// The date and time of a day count since 1899-12-30 (to the nearest millisecond); `dateTime`
// must be a date (isDateTime).
LocalDateTime fromDateTimeValue(double dateTime);

// A stored time of day split into hours, minutes, seconds and milliseconds (nearest millisecond).
struct TimeOfDayParts {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};
TimeOfDayParts splitTimeOfDay(long double dayFraction);

} // namespace brisomar
