#include "records/active_waypoint.h"

#include "navcalc/navigation_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace brisomar {
namespace {

// One minute of arc on the navigator's sphere, in metres: 60.108 nautical miles a degree.
constexpr long double metresPerDegree = 60.108L * 1852;
// A tenth of a degree of the equator and of a meridian from it on WGS 84, as GeodSolve gives them.
constexpr long double equatorTenth = 11131.949079327358L, meridianTenth = 11057.427694902L;

GeoPoint at(long double lat, long double lon) {
    return {Real48(lat), Real48(lon)};
}

struct CrossTrackCase {
    const char* name;
    GeoPoint start, waypoint, position;
    long double metres; // right of the leg positive
};

// Positions laid out with GeodSolve on the track or square off it.
TEST(CrossTrack, IsTheDistanceFromTheGeodesicToAMillimetre) {
    const CrossTrackCase cases[] = {
        {"45 N, 50 Nm eastward, on the track", at(45, 30),
         at(44.993961881696869L, 28.825653349202462L), at(44.998490391686829L, 29.412795841045327L),
         0},
        {"60 N, 100 Nm great circle, on the track", at(60, 30),
         at(59.958333146719795L, 26.683783308541411L), at(59.989577854659672L, 28.340849729666232L),
         0},
        {"60 N, 100 Nm, 1000 m right", at(60, 30), at(59.958333146719795L, 26.683783308541411L),
         at(59.980604984915963L, 28.341298831348144L), 1000},
        {"78 N, 134 Nm, on the track", at(78, 0), at(77.798888274589402L, -10.571828916302081L),
         at(77.949407718587281L, -5.329295857807232L), 0},
        {"78 N, 134 Nm, 250 m left", at(78, 0), at(77.798888274589402L, -10.571828916302081L),
         at(77.951637701336395L, -5.330270172426675L), -250},
        {"JFK to LHR, half way", at(40.6L, 73.8L), at(51.6L, 0.5L),
         at(52.273699795073561L, 41.395075942388090L), 0},
        {"JFK to LHR, 20 km right", at(40.6L, 73.8L), at(51.6L, 0.5L),
         at(52.099977348566327L, 41.320031905108110L), 20000},
        {"northward across the equator, boat east: right", at(-1, 30), at(1, 30), at(0, 29.9L),
         equatorTenth},
        {"westward across 180, boat north: right", at(0, 179), at(0, -179), at(0.1L, 180),
         meridianTenth},
        {"towards the pole, 500 m east: right", at(89, 0), at(89.9L, 0),
         at(89.499979961685071L, -0.512964001440336L), 500},
        {"over the pole, boat on 90 E: right", at(89, 0), at(89, 180), at(89.9L, -90),
         11169.397841260L},
        {"a leg of no length", at(45, 30), at(45, 30), at(45.1L, 30), 0},
    };
    for (const CrossTrackCase& c : cases)
        EXPECT_NEAR(CrossTrack(c.start, c.waypoint, c.position), c.metres, 0.001) << c.name;
}

struct BearingCase {
    const char* name;
    GeoPoint from, to;
    long double bearing, metres;
};

// GeographicLib's own examples and legs worked by hand.
TEST(WaypointBearing, IsTheInitialAzimuthAndTheLengthOfTheGeodesic) {
    const BearingCase cases[] = {
        {"JFK to LHR", at(40.6L, 73.8L), at(51.6L, 0.5L), 51.19888284557983L, 5551759.400318678L},
        {"JFK to SIN", at(40 + 38 / 60.0L + 23 / 3600.0L, 73 + 46 / 60.0L + 44 / 3600.0L),
         at(1 + 21 / 60.0L + 33 / 3600.0L, -(103 + 59 / 60.0L + 22 / 3600.0L)), 3.30831240011556L,
         15347627.659635615L},
        {"a degree east on the equator", at(0, 0), at(0, -1), 90, 10 * equatorTenth},
        {"westward over 180 on 10 N", at(10, 179), at(10, -179), 270.173665391869193L,
         219278.3924049462L},
    };
    for (const BearingCase& c : cases) {
        const BearingDistance to = WaypointBearing(c.from, c.to);
        EXPECT_NEAR(to.bearing, c.bearing, 1e-6) << c.name;
        EXPECT_NEAR(to.distanceNm * 1852, c.metres, 0.001) << c.name;
    }
}

struct ArrivalCase {
    const char* name;
    long double previousNorth, north, west; // metres from the waypoint
    Arrival arrival;
};

// A northward leg from 44°N to the waypoint at 45°N 30°W, arrival radius 100 metres.
TEST(ArrivalCheck, ByTheRadiusOrByCrossingTheLineSquareToTheLeg) {
    const GeoPoint start = at(44, 30), waypoint = at(45, 30);
    const long double lonMetres =
        metresPerDegree * std::cos(45 * std::numbers::pi_v<long double> / 180);
    const auto near = [&](long double north, long double west) {
        return at(45 + north / metresPerDegree, 30 + west / lonMetres);
    };
    const ArrivalCase cases[] = {
        {"behind, out of the radius", -120, -110, 0, Arrival::None},
        {"behind, within the radius", -120, -90, 0, Arrival::Radius},
        {"ahead, within the radius", 80, 90, 0, Arrival::Radius},
        {"crossing the line out of the radius", -20, 110, 1000, Arrival::Line},
        {"crossing it far to the east", -5, 5, -1000, Arrival::Line},
        {"lying beyond it", 110, 110, 1000, Arrival::None},
        {"going on beyond it", 110, 300, 1000, Arrival::None},
        {"coming back across it", 110, -110, 1000, Arrival::None},
        {"abeam, far to the east", 0, 0, -1000, Arrival::None},
    };
    for (const ArrivalCase& c : cases)
        EXPECT_EQ(ArrivalCheck(start, waypoint, near(c.previousNorth, c.west),
                               near(c.north, c.west), 100),
                  c.arrival)
            << c.name;
    EXPECT_EQ(ArrivalCheck(waypoint, waypoint, near(-500, 0), near(500, 0), 100), Arrival::None)
        << "a leg of no length is reached by the radius only";
}

TEST(ArrivalCheck, AboveEightyNineDegreesTheLineIsCrossedNotLyingBeyondIt) {
    const GeoPoint start = at(89.5L, 0), waypoint = at(89.9L, 0);
    EXPECT_EQ(ArrivalCheck(start, waypoint, at(89.2L, -90), at(89.2L, -90), 100), Arrival::None);
    EXPECT_EQ(ArrivalCheck(start, waypoint, at(89.95L, 180), at(89.95L, 180), 100), Arrival::None);
    EXPECT_EQ(ArrivalCheck(start, waypoint, at(89.89L, 0.1L), at(89.91L, 0.1L), 100),
              Arrival::Line);
}

TEST(VelocityMadeGood, IsTheSpeedAlongTheBearing) {
    EXPECT_NEAR(VelocityMadeGood(0, 6, 60), 3, 1e-12);
    EXPECT_NEAR(VelocityMadeGood(350, 6, 10),
                6 * std::cos(20 * std::numbers::pi_v<long double> / 180), 1e-12);
    EXPECT_NEAR(VelocityMadeGood(180, 6, 0), -6, 1e-12);
    EXPECT_EQ(VelocityMadeGood(0, 0, 0), 0);
}

TEST(ArrivalTime, FromTheVelocityMadeGoodWrappedPastMidnight) {
    const long double minute = 1.0L / 1440;
    EXPECT_NEAR(*ArrivalTime(3, 6, 0.5L), 0.5L + 30 * minute, 1e-12); // 12:00 -> 12:30
    EXPECT_NEAR(*ArrivalTime(6, 6, 23 * 60 * minute + 50 * minute), 50 * minute, 1e-12);
    EXPECT_FALSE(ArrivalTime(3, 0, 0.5L)) << "no speed, no arrival";
    EXPECT_FALSE(ArrivalTime(3, -2, 0.5L)) << "sailing away";
}

// Waypoints north of 45°N 30°W, a tenth of a degree apart unless laid out anew.
class RouteFollowing : public testing::Test {
protected:
    RouteFollowing() {
        nav.GpsFixReceived = true;
        layOut(3, [](int n) { return at(45 + n / 10.0L, 30); });
        sailTo(45, 30);
    }

    template <class Place> void layOut(int count, Place place) {
        route.ClearWaypoints();
        for (int n = 1; n <= count; ++n)
            route[n] = {place(n).lat, place(n).lon, {}, {}, {}};
        route.WaypointCount = count;
        route.WaypointIndex = 1;
        route.sailFirstOfNewRoute();
    }

    void sailTo(long double lat, long double lon) {
        nav.PosLat = Real48(lat);
        nav.PosLon = Real48(lon);
        FollowRoute(route, nav, 0.5L, 100);
    }

    int sailedTo() const { return route.sailing.ActiveWaypoint; }

    WaypointRoute route;
    NavState nav;
};

TEST_F(RouteFollowing, StartsWhereTheBoatIsAndGivesTheFiguresOfTheActiveWaypoint) {
    EXPECT_TRUE(route.sailing.RouteStarted);
    EXPECT_EQ(route.sailing.StartLat, Real48(45.0L));
    nav.PosCourse = Real48(0.0L);
    nav.PosSpeed = Real48(6.0L);
    sailTo(45.05L, 29.999L); // half way up the first leg, a little east
    const WaypointFigures& w = nav.Waypoint;
    EXPECT_EQ(w.progress, RouteProgress::Sailing);
    EXPECT_EQ(w.number, 1);
    EXPECT_NEAR(w.distanceNm, 0.05L * 60.108L, 0.01L);
    EXPECT_NEAR(w.bearing, 359.19L, 0.01L); // a little west of north
    EXPECT_NEAR(w.crossTrackMetres,
                0.001L * metresPerDegree * std::cos(45 * std::numbers::pi_v<long double> / 180), 2);
    EXPECT_NEAR(w.madeGoodKnots, 6, 0.01L);
    ASSERT_TRUE(w.arrival);
    EXPECT_NEAR(*w.arrival, 0.5L + 0.05L * 60.108L / 6 / 24, 1e-4L);
}

TEST_F(RouteFollowing, AdvancesByTheRadiusAndByTheLineThenEndsTheRoute) {
    sailTo(45.1L + 50 / metresPerDegree, 30); // within 100 m of waypoint 1
    EXPECT_EQ(sailedTo(), 2);
    sailTo(45.2L + 0.001L, 30.01L); // across the line through waypoint 2, 800 m off
    EXPECT_EQ(sailedTo(), 3);
    EXPECT_EQ(nav.Waypoint.number, 3);
    EXPECT_EQ(nav.Arrivals.count, 2);
    EXPECT_EQ(nav.Arrivals.reached, 2);
    EXPECT_EQ(nav.Arrivals.next, 3);
    sailTo(45.25L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    sailTo(45.3L, 30); // on the last one: arrived while within its radius
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Arrived);
    EXPECT_TRUE(nav.Waypoint.inArrivalCircle);
    EXPECT_EQ(nav.Arrivals.next, 0);
    sailTo(45.3L + 50 / metresPerDegree, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Arrived);
    EXPECT_EQ(nav.Arrivals.count, 3) << "arrived once";
    sailTo(45.3L + 150 / metresPerDegree, 30); // out of it: done
    EXPECT_TRUE(route.sailing.RouteDone);
    EXPECT_EQ(sailedTo(), 3);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    sailTo(45.0L, 30); // sailing back does not start it again
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    EXPECT_TRUE(route.first()); // by hand, from where the boat is now
    sailTo(45.0L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    EXPECT_EQ(nav.Waypoint.number, 1);
}

TEST_F(RouteFollowing, AWaypointChosenByHandIsNotPassedByLyingBeyondItsLine) {
    const struct {
        const char* name;
        int count;
        GeoPoint (*place)(int);
        GeoPoint boat;
    } cases[] = {
        {"50 waypoints, the boat abreast of waypoint 40", 50,
         [](int n) { return at(45 + n / 100.0L, 30); }, at(45.405L, 29.99L)},
        {"above 89 degrees", 10, [](int n) { return at(89 + n / 60.0L, 30 - n); }, at(89.2L, 150)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        layOut(c.count, c.place);
        route.WaypointIndex = 5;
        for (bool (WaypointRoute::*choose)() : {&WaypointRoute::first, &WaypointRoute::next}) {
            ASSERT_TRUE((route.*choose)());
            const int chosen = route.WaypointIndex;
            for (int tick = 0; tick < 3; ++tick)
                sailTo(c.boat.lat, c.boat.lon);
            EXPECT_EQ(sailedTo(), chosen);
        }
    }
}

TEST_F(RouteFollowing, ReachesAtMostOneWaypointAPosition) {
    layOut(3, [](int n) { return at(45 + n / 100000.0L, 30); }); // a metre apart
    sailTo(45.00002L, 30);
    EXPECT_EQ(sailedTo(), 2);
    sailTo(45.00002L, 30);
    EXPECT_EQ(sailedTo(), 3);
}

TEST_F(RouteFollowing, TheCurrentWaypointFollowsOnlyWhenItWasTheActiveOne) {
    route.WaypointIndex = 3;
    sailTo(45.1L, 30);
    EXPECT_EQ(sailedTo(), 2);
    EXPECT_EQ(route.WaypointIndex, 3);
    route.previous();
    sailTo(45.2L, 30);
    EXPECT_EQ(sailedTo(), 3);
    EXPECT_EQ(route.WaypointIndex, 3);
}

TEST_F(RouteFollowing, AWaypointSetAfterTheEndContinuesTheRoute) {
    route.last();
    sailTo(45.3L, 30);
    sailTo(45.31L, 30);
    ASSERT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    route[4].Lat = Real48(45.4L);
    route[4].Lon = Real48(30.0L);
    route.WaypointCount = 4;
    sailTo(45.3L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    EXPECT_EQ(nav.Waypoint.number, 4);
}

// No leg starts and nothing is reached from a position never received or lost; the leg starts
// at the first fix.
TEST_F(RouteFollowing, WaitsForALiveFixAndStartsTheLegThere) {
    const struct {
        const char* name;
        bool received;
        long double silenceSeconds;
        bool manual;
        RouteProgress expected;
    } rows[] = {
        {"no fix yet", false, 0, false, RouteProgress::WaitingForPosition},
        {"fix lost", true, positionLostSeconds + 1, false, RouteProgress::WaitingForPosition},
        {"typed position", false, 0, true, RouteProgress::Sailing},
        {"live fix", true, positionLostSeconds, false, RouteProgress::Sailing}};
    for (const auto& row : rows) {
        layOut(3, [](int n) { return at(45 + n / 10.0L, 30); });
        nav = {};
        nav.GpsFixReceived = row.received;
        nav.GpsSilenceSeconds = Real48(row.silenceSeconds);
        nav.ManualLat = nav.ManualLon = row.manual;
        sailTo(45.1L, 30.05L); // beyond waypoint 1 as seen from 0° N 0°
        EXPECT_EQ(nav.Waypoint.progress, row.expected) << row.name;
        EXPECT_EQ(sailedTo(), 1) << row.name;
        EXPECT_EQ(route.sailing.RouteStarted, row.expected == RouteProgress::Sailing) << row.name;
    }
}

TEST_F(RouteFollowing, WithoutARouteThereIsNothingToSailTo) {
    nav.Waypoint.crossTrackMetres = 500;
    route.ClearWaypoints();
    sailTo(45, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::NoRoute);
    EXPECT_EQ(nav.Waypoint.crossTrackMetres, 0);
    EXPECT_FALSE(route.sailing.RouteStarted);
}

} // namespace
} // namespace brisomar
