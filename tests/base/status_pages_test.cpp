#include "base/status_pages.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

constexpr long double noon = 0.5L;

class StatusPages : public testing::Test {
protected:
    std::string page(StatusPage p) { return statusPageText(p, state, format, noon); }

    NavState state;
    StatusTextFormat format;
};

TEST_F(StatusPages, ShowStartValues) {
    EXPECT_EQ(page(StatusPage::Alarm), "Active alarms: 0");
    EXPECT_EQ(page(StatusPage::Comm), "GPS: LAT --°--.---' LON ---°--.---' Last update:--:--:-- ");
    EXPECT_EQ(page(StatusPage::Course), "Course GPS: 0 In use: 0");
    EXPECT_EQ(page(StatusPage::Log), "Log is off. Interval: 5 minutes.");
    EXPECT_EQ(page(StatusPage::Position),
              "LAT --°--.---' LON ---°--.---' Last update:--:--:-- Now:12:00:00");
    EXPECT_EQ(page(StatusPage::Source), "Lat:GPS Lon:GPS Course:GPS Speed:GPS ");
    EXPECT_EQ(page(StatusPage::Speed), "Speed GPS: 0 knots. In use: 0 knots.");
    EXPECT_EQ(page(StatusPage::Wind), "WindDirection: 0° WindSpeed: 0 knots.");
    EXPECT_EQ(page(StatusPage::Extended), "Extended data value not specified.");
    EXPECT_EQ(page(StatusPage::Waypoint), "No route");
}

TEST_F(StatusPages, TheAlarmPageNamesTheRaisedAlarms) {
    state.ActiveAlarmCount = 2;
    state.ActiveAlarmNames = "Anchor watch, Depth below";
    EXPECT_EQ(page(StatusPage::Alarm), "Active alarms: 2  Anchor watch, Depth below");
}

struct WaypointPageCase {
    const char* name;
    WaypointFigures figures;
    const char* line;
};

TEST_F(StatusPages, TheWaypointPageShowsTheActiveWaypoint) {
    using enum RouteProgress;
    const long double at1432 = (14 * 60 + 32) / 1440.0L;
    const WaypointPageCase cases[] = {
        {"sailing",
         {Sailing, 3, 47.2L, 2.4149L, 85.3L, 5.84L, at1432},
         "WP 3: 047° 2.41 Nm  XTE 85 m R  VMG 5.8 kn  ETA 14:32"},
        {"left of the leg, not closing",
         {Sailing, 12, 359.6L, 0.004L, -1234.4L, -0.3L, {}},
         "WP 12: 000° 0.00 Nm  XTE 1234 m L  VMG -0.3 kn  ETA --:--"},
        {"on the leg",
         {Sailing, 1, 180, 10, 0.4L, 0, {}},
         "WP 1: 180° 10.00 Nm  XTE 0 m  VMG 0.0 kn  ETA --:--"},
        {"done", {Done, 3, 0, 0, 0, 0, {}}, "Route done"},
        {"no route", {}, "No route"},
    };
    for (const WaypointPageCase& c : cases) {
        state.Waypoint = c.figures;
        EXPECT_EQ(page(StatusPage::Waypoint), c.line) << c.name;
    }
    state.Waypoint = cases[0].figures;
    format.decimalSeparator = ',';
    EXPECT_EQ(page(StatusPage::Waypoint), "WP 3: 047° 2,41 Nm  XTE 85 m R  VMG 5,8 kn  ETA 14:32");
}

// The strip holds either whole, so they take turns, two seconds each.
TEST_F(StatusPages, TheCommPageShowsTheReceptionNoticesInTurnWithThePosition) {
    state.CommNotice = "COM1: /dev/ttyUSB0 not found. Tried every 5 s. ";
    state.SentenceNotice = "Receiving GNRMC, not GPRMC: set the sentence to ??RMC to read it.";
    state.AisNotice = "AIS: 265547250 comes as the own ship (VDO) and as another ship (VDM).";
    const std::string position = "GPS: LAT --°--.---' LON ---°--.---' Last update:--:--:-- ";
    const std::string notices = "Receiving GNRMC, not GPRMC: set the sentence to ??RMC to read it. "
                                "COM1: /dev/ttyUSB0 not found. Tried every 5 s. "
                                "AIS: 265547250 comes as the own ship (VDO) and as another ship "
                                "(VDM).";
    const long double second = 1.0L / 86400;
    for (auto [seconds, shown] : {std::pair(1.9, position), std::pair(2.1, notices),
                                  std::pair(3.9, notices), std::pair(4.1, position)})
        EXPECT_EQ(statusPageText(StatusPage::Comm, state, format, noon + seconds * second), shown)
            << seconds;
}

TEST_F(StatusPages, APositionNeverReceivedShowsDashesUnlessTyped) {
    state.ManualLat = true;
    EXPECT_EQ(page(StatusPage::Position),
              "LAT N 00°00.000' LON ---°--.---' Last update:--:--:-- Now:12:00:00");
}

TEST_F(StatusPages, ShowGivenValuesInTheGeneralFormat) {
    state.ActiveAlarmCount = 3;
    state.GpsFixReceived = true;
    state.GpsLat = Real48(-33.5L);
    state.GpsLon = Real48(-151.25L);
    state.GpsTime = Real48(0.75L);
    state.GpsCourse = Real48(84.4L);
    state.PosCourse = Real48(90.0L);
    state.GpsSpeed = Real48(22.4L);
    state.PosSpeed = Real48(4.0L);
    state.LogOn = true;
    state.LogInterval = 10;
    state.ManualLat = state.ManualSpeed = true;
    state.WindDir = Real48(225.0L);
    state.WindSpeed = Real48(12.5L);
    EXPECT_EQ(page(StatusPage::Alarm), "Active alarms: 3");
    EXPECT_EQ(page(StatusPage::Comm),
              "GPS: LAT S 33°30.000' LON E151°15.000' Last update:18:00:00 ");
    EXPECT_EQ(page(StatusPage::Course), "Course GPS: 84.4000000000233 In use: 90");
    EXPECT_EQ(page(StatusPage::Log), "Log is on. Interval: 10 minutes.");
    EXPECT_EQ(page(StatusPage::Source), "Lat:Manual Lon:GPS Course:GPS Speed:Manual ");
    EXPECT_EQ(page(StatusPage::Speed), "Speed GPS: 22.3999999999942 knots. In use: 4 knots.");
    EXPECT_EQ(page(StatusPage::Wind), "WindDirection: 225° WindSpeed: 12.5 knots.");
}

TEST_F(StatusPages, ExtendedPageShowsTheNamedValueWithTwoBlanks) {
    state.ExtendedName = "Deep";
    state.ExtendedValue = Real48(12.5L);
    state.ExtendedTime = Real48(0.25L);
    EXPECT_EQ(page(StatusPage::Extended), "Deep:12.5  Last update:06:00:00 Now:12:00:00");
}

TEST_F(StatusPages, UseTheSystemsSeparatorAndTimeFormat) {
    state.GpsSpeed = Real48(6.5L);
    state.GpsFixReceived = true;
    format.decimalSeparator = ',';
    format.timeText = [](long double f) { return f == noon ? "noon" : "other"; };
    EXPECT_EQ(page(StatusPage::Speed), "Speed GPS: 6,5 knots. In use: 0 knots.");
    EXPECT_EQ(page(StatusPage::Position),
              "LAT N 00°00.000' LON W000°00.000' Last update:other Now:noon");
}

TEST(MainTimerTick, LampAndTwentyBeepsWhileAnAlarmIsRaised) {
    NavState state;
    const StatusTextFormat format;
    MainTick tick = mainTimerTick(state, StatusPage::Alarm, format, noon);
    EXPECT_FALSE(tick.alarmLampOn);
    EXPECT_EQ(tick.asteriskBeeps, 0);
    state.ActiveAlarmCount = 1;
    tick = mainTimerTick(state, StatusPage::Alarm, format, noon);
    EXPECT_TRUE(tick.alarmLampOn);
    EXPECT_EQ(tick.asteriskBeeps, 20);
    EXPECT_EQ(tick.statusLine, "Active alarms: 1");
}

} // namespace
} // namespace brisomar
