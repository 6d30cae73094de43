#include "tools/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace brisomar::tool {

namespace {

// "YYYY-MM-DD", `separator`, "hh:mm:ss", the milliseconds if any, `zone`.
std::string timeText(const LocalDateTime& t, char separator, const char* zone) {
    char text[48];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d", t.year, t.month,
                               t.day, separator, t.hour, t.minute, t.second);
    if (t.millisecond != 0)
        std::snprintf(text + length, sizeof text - length, ".%03d", t.millisecond);
    return text + std::string(zone);
}

std::tm brokenDown(const LocalDateTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1; // the time zone's rules decide
    return tm;
}

LocalDateTime fromBrokenDown(const std::tm& tm, int millisecond) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     millisecond};
}

} // namespace

std::string localTimeText(double dateTime) {
    return timeText(fromDateTimeValue(dateTime), ' ', "");
}

std::string utcTimeText(double dateTime) {
    const LocalDateTime local = fromDateTimeValue(dateTime);
    std::tm tm = brokenDown(local);
    const std::time_t moment = std::mktime(&tm);
    std::tm utc{};
    gmtime_r(&moment, &utc);
    return timeText(fromBrokenDown(utc, local.millisecond), 'T', "Z");
}

LocalDateTime localNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t moment = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&moment, &tm);
    const auto millisecond = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return fromBrokenDown(tm, static_cast<int>(millisecond));
}

} // namespace brisomar::tool
