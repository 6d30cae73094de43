#pragma once

#include "base/nav_state.h"

#include <functional>
#include <string>

namespace brisomar {

// The main window's tabs, in their order on the tab strip.
enum class StatusPage {
    Alarm,
    Comm,
    Course,
    Log,
    Position,
    Source,
    Speed,
    Wind,
    Extended,
    Waypoint
};
inline constexpr int statusPageCount = 10;

// How numbers and times appear on screen: the system's decimal separator and long time format.
struct StatusTextFormat {
    char decimalSeparator = '.';
    std::function<std::string(long double dayFraction)> timeText; // "hh:mm:ss" when empty
};

// The status line of one page for the given state; `now` is the PC clock's time of day.
std::string statusPageText(StatusPage page, const NavState& state, const StatusTextFormat& format,
                           long double now);

// What one main timer tick shows and does.
struct MainTick {
    std::string statusLine;
    bool alarmLampOn = false;
    int asteriskBeeps = 0; // sound requests, made back to back
};

// The main window's tick: the selected page's status line, the alarm lamp with its beeps. The
// values in use are selected by the watch.
MainTick mainTimerTick(const NavState& state, StatusPage selected, const StatusTextFormat& format,
                       long double now);

} // namespace brisomar
