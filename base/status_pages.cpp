#include "base/status_pages.h"

#include "base/clock.h"
#include "base/coord_text.h"
#include "base/number_text.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace brisomar {

namespace {

constexpr int beepsPerAlarmTick = 20;

std::string hoursMinutes(long double dayFraction) {
    const TimeOfDayParts t = splitTimeOfDay(dayFraction);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

std::string defaultTimeText(long double dayFraction) {
    const TimeOfDayParts t = splitTimeOfDay(dayFraction);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

// The texts that are not empty, a blank between.
std::string joined(std::initializer_list<std::string> texts) {
    std::string line;
    for (const std::string& text : texts) {
        if (text.empty())
            continue;
        if (!line.empty() && line.back() != ' ')
            line += ' ';
        line += text;
    }
    return line;
}

class PageWriter {
public:
    PageWriter(const NavState& state, const StatusTextFormat& format, long double now)
        : s(state), format_(format), now_(now) {}

    std::string text(StatusPage page) const {
        switch (page) {
        case StatusPage::Alarm:
            return "Active alarms: " + std::to_string(s.ActiveAlarmCount) +
                   (s.ActiveAlarmNames.empty() ? "" : "  " + s.ActiveAlarmNames);
        case StatusPage::Comm:
            return noticeShown()
                       ? joined({s.SentenceNotice, s.CommNotice, s.AisNotice})
                       : "GPS: " + latitude(s.GpsLat, false) + " " + longitude(s.GpsLon, false) +
                             " " + "Last update:" + fixTime(s.GpsTime) + " ";
        case StatusPage::Course:
            return "Course GPS: " + number(s.GpsCourse) + " " + "In use: " + number(s.PosCourse);
        case StatusPage::Log:
            return std::string(s.LogOn ? "Log is on." : "Log is off.") +
                   " Interval: " + std::to_string(s.LogInterval) + " minutes." +
                   (s.LogWriteFailure.empty() ? "" : " Last write failed: " + s.LogWriteFailure) +
                   (s.LogRepairNotice.empty() ? "" : " " + s.LogRepairNotice);
        case StatusPage::Position:
            return latitude(s.PosLat, s.ManualLat) + " " + longitude(s.PosLon, s.ManualLon) + " " +
                   "Last update:" + fixTime(s.LastUpdate) + " " + "Now:" + time(now_);
        case StatusPage::Source:
            return source("Lat", s.ManualLat) + source("Lon", s.ManualLon) +
                   source("Course", s.ManualCourse) + source("Speed", s.ManualSpeed);
        case StatusPage::Speed:
            return "Speed GPS: " + number(s.GpsSpeed) + " knots. " +
                   "In use: " + number(s.PosSpeed) + " knots.";
        case StatusPage::Wind:
            return "WindDirection: " + number(s.WindDir) + "° " +
                   "WindSpeed: " + number(s.WindSpeed) + " knots.";
        case StatusPage::Extended:
            if (s.ExtendedName.empty())
                return "Extended data value not specified.";
            return s.ExtendedName + ":" + number(s.ExtendedValue) + "  " +
                   "Last update:" + time(s.ExtendedTime) + " " + "Now:" + time(now_);
        case StatusPage::Waypoint:
            return waypoint(s.Waypoint);
        }
        return {};
    }

private:
    std::string number(Real48 value) const { return FloatToStr(value, format_.decimalSeparator); }

    std::string time(long double dayFraction) const {
        return format_.timeText ? format_.timeText(dayFraction) : defaultTimeText(dayFraction);
    }

    // A notice of the reception takes the Comm page's line in turn with the position, two seconds
    // each: the strip holds only one of them whole.
    bool noticeShown() const {
        const bool notice =
            !s.SentenceNotice.empty() || !s.CommNotice.empty() || !s.AisNotice.empty();
        constexpr long double secondsPerDay = 86400;
        return notice && static_cast<long long>(now_ * secondsPerDay / 2) % 2 == 1;
    }

    // A position that was never received is not shown as one; a typed one is a position.
    std::string latitude(Real48 value, bool manual) const {
        return manual || s.GpsFixReceived ? LatToText(value) : "LAT --°--.---'";
    }
    std::string longitude(Real48 value, bool manual) const {
        return manual || s.GpsFixReceived ? LonToText(value) : "LON ---°--.---'";
    }
    std::string fixTime(long double dayFraction) const {
        return s.GpsFixReceived ? time(dayFraction) : "--:--:--";
    }

    // "WP 3: 047° 2.41 Nm  XTE 85 m R  VMG 5.8 kn  ETA 14:32"
    std::string waypoint(const WaypointFigures& w) const {
        if (w.progress == RouteProgress::NoRoute)
            return "No route";
        if (w.progress == RouteProgress::Done)
            return "Route done";
        if (w.progress == RouteProgress::WaitingForPosition)
            return "WP " + std::to_string(w.number) + ": ---° -.-- Nm  Waiting for a position";
        const char separator = format_.decimalSeparator;
        const long double bearing = std::fmod(std::round(w.bearing), 360.0L);
        if (w.progress == RouteProgress::Arrived)
            return "Arrived at WP " + std::to_string(w.number) + ": " +
                   FormatFloat("000", bearing, separator) + "° " +
                   FormatFloat("0.00", w.distanceNm, separator) + " Nm";
        const long double offMetres = std::round(std::fabs(w.crossTrackMetres));
        const std::string side = offMetres == 0 ? "" : w.crossTrackMetres > 0 ? " R" : " L";
        return "WP " + std::to_string(w.number) + ": " + FormatFloat("000", bearing, separator) +
               "° " + FormatFloat("0.00", w.distanceNm, separator) + " Nm  " + "XTE " +
               FormatFloat("0", offMetres, separator) + " m" + side + "  " + "VMG " +
               FormatFloat("0.0", w.madeGoodKnots, separator) + " kn  " + "ETA " +
               (w.arrival ? hoursMinutes(*w.arrival) : std::string("--:--"));
    }

    static std::string source(const char* value, bool manual) {
        return std::string(value) + (manual ? ":Manual " : ":GPS ");
    }

    const NavState& s;
    const StatusTextFormat& format_;
    long double now_;
};

} // namespace

std::string statusPageText(StatusPage page, const NavState& state, const StatusTextFormat& format,
                           long double now) {
    return PageWriter(state, format, now).text(page);
}

MainTick mainTimerTick(const NavState& state, StatusPage selected, const StatusTextFormat& format,
                       long double now) {
    MainTick tick;
    tick.statusLine = statusPageText(selected, state, format, now);
    tick.alarmLampOn = state.ActiveAlarmCount > 0;
    tick.asteriskBeeps = tick.alarmLampOn ? beepsPerAlarmTick : 0;
    return tick;
}

} // namespace brisomar
