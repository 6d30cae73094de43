#include "base/clock.h"

#include <cmath>

namespace brisomar {

namespace {

constexpr long long millisecondsPerDay = 86'400'000;

long long millisecondOfDay(const LocalDateTime& t) {
    return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The proleptic Gregorian date of a count of days from 1970-01-01.
void civilFromDays(long long days, LocalDateTime& t) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    t.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
}

} // namespace

ClockReading readClock(const Clock& clock) {
    return {clock.now(), clock.steady()};
}

long double dayFraction(const LocalDateTime& t) {
    return static_cast<long double>(millisecondOfDay(t)) / millisecondsPerDay;
}

Real48 timeOfDay(const LocalDateTime& t) {
    return Real48(dayFraction(t));
}

double dateTimeValue(const LocalDateTime& t) {
    const long long days = daysFromCivil(t.year, t.month, t.day) - daysFromCivil(1899, 12, 30);
    return static_cast<double>(days + dayFraction(t));
}

bool isDateTime(double dateTime) {
    constexpr double firstDay = -693593;              // 0001-01-01
    constexpr double endDay = 2958466;                // 10000-01-01
    return dateTime >= firstDay && dateTime < endDay; // false for NaN too
}

LocalDateTime fromDateTimeValue(double dateTime) {
    long long days = static_cast<long long>(std::floor(dateTime));
    long long ms = std::llround((dateTime - static_cast<double>(days)) * millisecondsPerDay);
    if (ms >= millisecondsPerDay) {
        ++days;
        ms -= millisecondsPerDay;
    }
    LocalDateTime t;
    civilFromDays(days + daysFromCivil(1899, 12, 30), t);
    const TimeOfDayParts parts = splitTimeOfDay(static_cast<long double>(ms) / millisecondsPerDay);
    t.hour = parts.hour;
    t.minute = parts.minute;
    t.second = parts.second;
    t.millisecond = parts.millisecond;
    return t;
}

int secondOfDay(const LocalDateTime& t) {
    return (t.hour * 60 + t.minute) * 60 + t.second;
}

TimeOfDayParts splitTimeOfDay(long double fraction) {
    long long ms = std::llround(fraction * millisecondsPerDay) % millisecondsPerDay;
    if (ms < 0)
        ms += millisecondsPerDay;
    TimeOfDayParts parts;
    parts.millisecond = static_cast<int>(ms % 1000);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.minute = static_cast<int>(ms / 60'000 % 60);
    parts.hour = static_cast<int>(ms / 3'600'000);
    return parts;
}

} // namespace brisomar
