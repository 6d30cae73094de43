#include "alarms/alarm_monitor.h"

#include "fake_clock.h"
#include "input/reception.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

class AlarmMonitorTest : public testing::Test {
protected:
    void arm(AlarmSlot slot) { ASSERT_FALSE(monitor.switchOn(slot, nav).has_value()); }
    // Two ticks: one of them evaluates.
    void twoTicks() {
        monitor.tick(nav);
        monitor.tick(nav);
    }
    bool raised(AlarmSlot slot) { return monitor.active(slot); }

    AlarmMonitor monitor;
    AlarmFieldTexts& fields = monitor.fields;
    NavState nav;
};

TEST_F(AlarmMonitorTest, EvaluatesOnEverySecondTickAndCountsOnEvery) {
    nav.PosCourse = Real48(120.0L);
    arm(AlarmSlot::Course); // 000 to 090
    monitor.tick(nav);
    EXPECT_FALSE(raised(AlarmSlot::Course));
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    monitor.tick(nav);
    EXPECT_TRUE(raised(AlarmSlot::Course));
    EXPECT_EQ(nav.ActiveAlarmCount, 1);
    monitor.active(AlarmSlot::Course) = false; // the sailor acknowledges
    monitor.tick(nav);                         // counting tick: dropped at once
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    monitor.tick(nav); // evaluating tick: the condition still holds
    EXPECT_EQ(nav.ActiveAlarmCount, 1);
}

TEST_F(AlarmMonitorTest, ARaisedAlarmLatchesUntilSwitchedOff) {
    nav.PosSpeed = Real48(12.0L);
    arm(AlarmSlot::Speed); // 05 to 09
    twoTicks();
    nav.PosSpeed = Real48(7.0L);
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::Speed));
    monitor.switchOff(AlarmSlot::Speed);
    monitor.tick(nav);
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    monitor.tick(nav);
    EXPECT_FALSE(raised(AlarmSlot::Speed));
}

struct BandCase {
    const char* min;
    const char* max;
    long double course;
    bool raised;
};

class RangeRule : public testing::TestWithParam<BandCase> {};

TEST_P(RangeRule, RaisesOutsideTheAllowedBand) {
    const BandCase& c = GetParam();
    AlarmMonitor monitor;
    monitor.fields.minDir = c.min;
    monitor.fields.maxDir = c.max;
    NavState nav;
    nav.PosCourse = Real48(c.course);
    ASSERT_FALSE(monitor.switchOn(AlarmSlot::Course, nav));
    monitor.tick(nav);
    monitor.tick(nav);
    EXPECT_EQ(monitor.active(AlarmSlot::Course), c.raised)
        << c.min << "-" << c.max << " at " << static_cast<double>(c.course);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, RangeRule,
    testing::Values(BandCase{"350", "010", 20, true}, BandCase{"350", "010", 355, false},
                    BandCase{"350", "010", 5, false}, BandCase{"000", "090", 91, true},
                    BandCase{"000", "090", 90, false}, BandCase{"045", "045", 45, false},
                    BandCase{"045", "045", 200, false}, BandCase{"009", "005", 7, true},
                    BandCase{"009", "005", 5, false}, BandCase{"009", "005", 9, false},
                    BandCase{"009", "005", 12, false}));

TEST_F(AlarmMonitorTest, WindAndWindForceWatchTheWind) {
    nav.WindDir = Real48(180.0L);
    nav.WindSpeed = Real48(8.0L);
    arm(AlarmSlot::WindDirection); // 000 to 090
    arm(AlarmSlot::WindForce);     // 002 to 007
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::WindDirection));
    EXPECT_TRUE(raised(AlarmSlot::WindForce));
    EXPECT_EQ(nav.ActiveAlarmCount, 2);
}

TEST_F(AlarmMonitorTest, GpsSilenceMustExceedTheLimit) {
    arm(AlarmSlot::GpsSilence); // 10 s
    nav.GpsSilenceSeconds = Real48(10.0L);
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::GpsSilence));
    nav.GpsSilenceSeconds = Real48(11.0L);
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::GpsSilence));
}

TEST_F(AlarmMonitorTest, LatitudePassageFromTheSideTheBoatStartedOn) {
    nav.PosLat = Real48(56.5L);
    arm(AlarmSlot::LatitudePassage); // N 57°00.000, started south of it
    EXPECT_EQ(monitor.limits.PassLat, Real48(57.0L));
    nav.PosLat = Real48(56.99L);
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::LatitudePassage));
    nav.PosLat = Real48(57.01L);
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::LatitudePassage));
}

TEST_F(AlarmMonitorTest, LongitudePassageEastwardWithNegativeEast) {
    fields.lonWE = "E";
    fields.lon = "010°30.000";
    nav.PosLon = Real48(-10.0L); // east of Greenwich, west of the limit
    arm(AlarmSlot::LongitudePassage);
    EXPECT_EQ(monitor.limits.PassLon, Real48(-10.5L));
    nav.PosLon = Real48(-10.6L);
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::LongitudePassage));
}

TEST_F(AlarmMonitorTest, PassageArmedOnTheLimitNeverRaises) {
    nav.PosLat = Real48(57.0L);
    arm(AlarmSlot::LatitudePassage);
    for (const long double lat : {50.0L, 57.0L, 60.0L}) {
        nav.PosLat = Real48(lat);
        twoTicks();
    }
    EXPECT_FALSE(raised(AlarmSlot::LatitudePassage));
}

TEST_F(AlarmMonitorTest, OutsideTheDetailChart) {
    arm(AlarmSlot::OutsideDetailChart);
    nav.PosOutsideDetailChart = true;
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::OutsideDetailChart));
}

TEST_F(AlarmMonitorTest, ARaisedBoxTickedByHandCountsOnlyWhileOn) {
    monitor.active(AlarmSlot::Speed) = true;
    monitor.tick(nav);
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    monitor.tick(nav); // evaluating: an alarm that is off is cleared
    EXPECT_FALSE(raised(AlarmSlot::Speed));
}

TEST_F(AlarmMonitorTest, DivergenceWatchesTheCrossTrackErrorOfTheActiveLeg) {
    arm(AlarmSlot::Divergence); // 00100 metres
    EXPECT_EQ(monitor.limits.DivMeter, Real48(100.0L));
    nav.Waypoint.progress = RouteProgress::Sailing;
    nav.Waypoint.crossTrackMetres = -100; // on the limit, left of the leg
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::Divergence));
    nav.Waypoint.crossTrackMetres = -101;
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::Divergence));
    EXPECT_EQ(nav.ActiveAlarmCount, 1);
    monitor.switchOff(AlarmSlot::Divergence);
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::Divergence)); // cleared when off, like the others
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
}

TEST_F(AlarmMonitorTest, DivergenceNeedsAWaypointBeingSailedTo) {
    arm(AlarmSlot::Divergence);
    nav.Waypoint.crossTrackMetres = 500;
    for (const RouteProgress progress : {RouteProgress::NoRoute, RouteProgress::Done}) {
        nav.Waypoint.progress = progress;
        twoTicks();
        EXPECT_FALSE(raised(AlarmSlot::Divergence)) << static_cast<int>(progress);
    }
}

// The depth watch on a fake clock: reception counts the seconds since the last extended value.
TEST_F(AlarmMonitorTest, DepthBelowRaisesOnShallowWaterAndOnASilentSounder) {
    fields.depth = "003.5";
    arm(AlarmSlot::DepthBelow);
    EXPECT_EQ(monitor.limits.MinDepth, Real48(3.5L));
    struct Case {
        long double depth;
        int silentSeconds;
        bool raised;
    } cases[] = {{3.5L, 0, false}, {3.4L, 0, true}, {12.0L, 10, false}, {12.0L, 11, true}};
    for (const Case& c : cases) {
        monitor.active(AlarmSlot::DepthBelow) = false; // acknowledged
        nav.ExtendedValue = Real48(c.depth);
        nav.ExtendedSilenceSeconds = Real48(static_cast<long double>(c.silentSeconds));
        twoTicks();
        EXPECT_EQ(raised(AlarmSlot::DepthBelow), c.raised)
            << static_cast<double>(c.depth) << " m, silent " << c.silentSeconds << " s";
    }
}

TEST_F(AlarmMonitorTest, AnchorWatchKeepsTheBoatWithinItsRadiusOfWhereItWasSet) {
    nav.PosLat = Real48(45.0L);
    nav.PosLon = Real48(30.0L);
    fields.anchorRadius = "0050";
    arm(AlarmSlot::AnchorWatch);
    EXPECT_EQ(monitor.limits.AnchorLat, Real48(45.0L));
    EXPECT_EQ(monitor.limits.AnchorLon, Real48(30.0L));
    EXPECT_EQ(monitor.limits.AnchorRadius, Real48(50.0L));
    const long double metre = 1 / (60.108L * 1852); // degrees of latitude
    nav.PosLat = Real48(45 + 49 * metre);           // swinging within the radius
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::AnchorWatch));
    nav.PosLat = Real48(45 + 51 * metre); // dragging
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::AnchorWatch));
    EXPECT_EQ(nav.ActiveAlarmNames, "Anchor watch");
}

TEST_F(AlarmMonitorTest, AnchorWatchRaisesWhileTheGpsIsSilent) {
    arm(AlarmSlot::AnchorWatch); // at the position in use, which stays there
    nav.GpsSilenceSeconds = Real48(10.0L);
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::AnchorWatch));
    nav.GpsSilenceSeconds = Real48(11.0L);
    twoTicks();
    EXPECT_TRUE(raised(AlarmSlot::AnchorWatch));
    monitor.active(AlarmSlot::AnchorWatch) = false; // acknowledged: the fixes come back
    nav.GpsSilenceSeconds = Real48(0.0L);
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::AnchorWatch));
}

// The sounder and the GPS go silent and come back, on a clock moved by hand: reception counts
// the silences, the alarm ticks every 4 seconds evaluate every second tick.
TEST_F(AlarmMonitorTest, DepthAndAnchorWatchThroughSilenceOnAFakeClock) {
    Reception reception;
    FakeClock clock;
    LocalDateTime& now = clock.time;
    now = {2026, 12, 7, 3, 0, 0, 0};
    const auto receive = [&] {
        reception.deliver(1, "$GPRMC,030000,A,4500.000,N,03000.000,W,0.0,0.0,071226,,");
        reception.deliver(2, "$PTTKD,12.5,M");
        reception.tick(nav, clock.reading());
        SelectInUseValues(nav);
    };
    const auto fourSeconds = [&] {
        now.second += 4;
        reception.tick(nav, clock.reading());
        monitor.tick(nav);
    };
    reception.portSwitchedOn(nav, clock.reading());
    receive();
    arm(AlarmSlot::AnchorWatch);
    arm(AlarmSlot::DepthBelow);
    fourSeconds();
    fourSeconds(); // 8 s of silence: quiet
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    fourSeconds();
    fourSeconds(); // 16 s
    EXPECT_EQ(nav.ActiveAlarmNames, "Anchor watch, Depth below");
    receive(); // both instruments are back
    monitor.active(AlarmSlot::AnchorWatch) = monitor.active(AlarmSlot::DepthBelow) = false;
    fourSeconds();
    fourSeconds();
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
}

TEST_F(AlarmMonitorTest, ArrivalBeepsForEachWaypointReachedAndNamesTheNext) {
    EXPECT_EQ(monitor.limits.ArrivalRadius, Real48(100.0L)) << "in force before ever switched on";
    nav.Arrivals = {1, 1, 2}; // before the alarm was on
    fields.arrivalRadius = "0150";
    arm(AlarmSlot::Arrival);
    EXPECT_EQ(monitor.limits.ArrivalRadius, Real48(150.0L));
    twoTicks();
    EXPECT_FALSE(raised(AlarmSlot::Arrival));
    const struct {
        WaypointArrivals arrivals;
        const char* name;
    } cases[] = {{{2, 2, 3}, "Arrived at WP 2, now WP 3"},
                 {{3, 3, 0}, "Arrived at WP 3, route done"}};
    for (const auto& c : cases) {
        nav.Arrivals = c.arrivals;
        twoTicks();
        EXPECT_TRUE(raised(AlarmSlot::Arrival));
        EXPECT_EQ(nav.ActiveAlarmNames, c.name);
        monitor.active(AlarmSlot::Arrival) = false; // acknowledged
        twoTicks();
        EXPECT_EQ(nav.ActiveAlarmCount, 0) << "raised once an arrival";
    }
}

// Raised while a target raises it, not latched: acknowledging the target clears it.
TEST_F(AlarmMonitorTest, AisCollisionNamesTheTargetWhileItRaisesTheAlarm) {
    fields.aisCpa = "0.3";
    arm(AlarmSlot::AisCollision);
    EXPECT_EQ(monitor.limits.AisCpa, Real48(0.3L));
    EXPECT_EQ(monitor.limits.AisTcpa, Real48(12.0L));
    nav.AisCollision = "NORDIC STAR 0.2 Nm in 6 min";
    twoTicks();
    EXPECT_EQ(nav.ActiveAlarmNames, "AIS: NORDIC STAR 0.2 Nm in 6 min");
    nav.AisCollision.clear();
    twoTicks();
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
}

TEST_F(AlarmMonitorTest, CountsAndNamesTheRaisedAlarmsAlphabetically) {
    nav.PosSpeed = Real48(7.0L); // within 05 to 09
    arm(AlarmSlot::DepthBelow);
    arm(AlarmSlot::AnchorWatch);
    arm(AlarmSlot::Speed);
    nav.ExtendedSilenceSeconds = Real48(60.0L);
    nav.GpsSilenceSeconds = Real48(60.0L);
    twoTicks();
    EXPECT_EQ(nav.ActiveAlarmCount, 2);
    EXPECT_EQ(nav.ActiveAlarmNames, "Anchor watch, Depth below");
    nav.PosSpeed = Real48(12.0L);
    twoTicks();
    EXPECT_EQ(nav.ActiveAlarmCount, 3);
    EXPECT_EQ(nav.ActiveAlarmNames, "Anchor watch, Change of speed, Depth below");
    monitor.switchOff(AlarmSlot::DepthBelow);
    monitor.switchOff(AlarmSlot::AnchorWatch);
    monitor.switchOff(AlarmSlot::Speed);
    monitor.tick(nav);
    EXPECT_EQ(nav.ActiveAlarmCount, 0);
    EXPECT_EQ(nav.ActiveAlarmNames, "");
}

TEST_F(AlarmMonitorTest, ALimitThatDoesNotConvertLeavesTheAlarmOff) {
    fields.minDir = "045";
    fields.maxDir = "1 5";
    EXPECT_EQ(monitor.switchOn(AlarmSlot::Course, nav),
              "'1 5' is not a valid floating point value");
    EXPECT_FALSE(monitor.on(AlarmSlot::Course));
    EXPECT_EQ(monitor.limits.MinDir, Real48(45.0L)); // converted before the failure
    fields.seconds = "1 0";
    EXPECT_EQ(monitor.switchOn(AlarmSlot::GpsSilence, nav), "'1 0' is not a valid integer value");
    fields.seconds = " 20";
    EXPECT_FALSE(monitor.switchOn(AlarmSlot::GpsSilence, nav));
    EXPECT_EQ(monitor.limits.CommSeconds, 20);
}

TEST_F(AlarmMonitorTest, ShowsTheLimitsInForce) {
    fields.minSpe = "04";
    arm(AlarmSlot::Speed);
    arm(AlarmSlot::LatitudePassage);
    fields.latNS = "s";
    fields.lat = "005°30.000";
    arm(AlarmSlot::LatitudePassage);
    EXPECT_EQ(monitor.limitText(AlarmLimit::MinSpe, '.'), "4");
    EXPECT_EQ(monitor.limitText(AlarmLimit::MaxDir, '.'), "0"); // never armed
    EXPECT_EQ(monitor.limitText(AlarmLimit::PassLat, '.'), "S 05°30.000'");
    EXPECT_EQ(monitor.limitText(AlarmLimit::PassLon, '.'), "W000°00.000'");
}

} // namespace
} // namespace brisomar
