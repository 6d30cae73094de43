#include "records/active_waypoint.h"

#include "navcalc/navigation_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace brisomar {
namespace {

// One minute of arc on the navigator's sphere, in metres: 60.108 nautical miles a degree.
constexpr long double metresPerDegree = 60.108L * 1852;

GeoPoint at(long double lat, long double lon) {
    return {Real48(lat), Real48(lon)};
}

struct CrossTrackCase {
    const char* name;
    GeoPoint start, waypoint, position;
    long double metres; // right of the leg positive
};

// A tenth of a degree off the leg, at the equator (or across the meridian of the position),
// is 11132 metres; the flat-chart course makes it good to a few metres.
TEST(CrossTrack, OffTheLegLeftAndRightAcrossTheEquatorAndTheDateLine) {
    const long double tenth = 0.1L * metresPerDegree;
    const CrossTrackCase cases[] = {
        {"eastward on the equator, boat north: left", at(0, 1), at(0, -1), at(0.1L, 0), -tenth},
        {"eastward on the equator, boat south: right", at(0, 1), at(0, -1), at(-0.1L, 0), tenth},
        {"northward across the equator, boat east: right", at(-1, 30), at(1, 30), at(0, 29.9L),
         tenth},
        {"northward across the equator, boat west: left", at(-1, 30), at(1, 30), at(0, 30.1L),
         -tenth},
        {"westward across 180, boat north: right", at(10, 179), at(10, -179), at(10.1L, 180),
         tenth},
        {"on the leg", at(0, 1), at(0, -1), at(0, 0), 0},
        {"a leg of no length", at(45, 30), at(45, 30), at(45.1L, 30), 0},
    };
    for (const CrossTrackCase& c : cases)
        EXPECT_NEAR(CrossTrack(c.start, c.waypoint, c.position), c.metres, 5) << c.name;
}

TEST(WaypointBearing, IsTheProgramsCourseAndDistance) {
    const BearingDistance across = WaypointBearing(at(10, 179), at(10, -179));
    EXPECT_EQ(across.bearing, Real48(270.0L)); // the shorter way, westward over 180
    EXPECT_EQ(across.distanceNm,
              DistanceNm(Real48(10.0L), Real48(179.0L), Real48(10.0L), Real48(-179.0L)));
    EXPECT_EQ(WaypointBearing(at(-1, 30), at(1, 30)).bearing, Real48(0.0L));
}

struct ArrivalCase {
    const char* name;
    long double north, west; // metres from the waypoint
    Arrival arrival;
};

// A northward leg from 44°N to the waypoint at 45°N 30°W, arrival radius 100 metres.
TEST(ArrivalCheck, ByTheRadiusOrByPassingTheLineSquareToTheLeg) {
    const GeoPoint start = at(44, 30), waypoint = at(45, 30);
    const long double lonMetres =
        metresPerDegree * std::cos(45 * std::numbers::pi_v<long double> / 180);
    const ArrivalCase cases[] = {
        {"behind, out of the radius", -110, 0, Arrival::None},
        {"behind, within the radius", -90, 0, Arrival::Radius},
        {"ahead, within the radius", 90, 0, Arrival::Radius},
        {"ahead, past the line", 110, 0, Arrival::Line},
        {"abeam, far to the east", 0, -1000, Arrival::None},
        {"just ahead of the line, far to the west", 5, 1000, Arrival::Line},
        {"just behind the line, far to the west", -5, 1000, Arrival::None},
    };
    for (const ArrivalCase& c : cases) {
        const GeoPoint position = at(45 + c.north / metresPerDegree, 30 + c.west / lonMetres);
        EXPECT_EQ(ArrivalCheck(start, waypoint, position, 100), c.arrival) << c.name;
    }
    EXPECT_EQ(ArrivalCheck(waypoint, waypoint, at(45.01L, 30), 100), Arrival::None)
        << "a leg of no length is reached by the radius only";
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

// Three waypoints north of 45°N 30°W, a tenth of a degree apart.
class RouteFollowing : public testing::Test {
protected:
    RouteFollowing() {
        for (int n = 1; n <= 3; ++n) {
            route[n].Lat = Real48(45 + n / 10.0L);
            route[n].Lon = Real48(30.0L);
        }
        route.WaypointCount = 3;
        route.WaypointIndex = 1;
        sailTo(45, 30);
    }

    void sailTo(long double lat, long double lon) {
        nav.PosLat = Real48(lat);
        nav.PosLon = Real48(lon);
        FollowRoute(route, nav, 0.5L);
    }

    WaypointRoute route;
    NavState nav;
};

TEST_F(RouteFollowing, StartsWhereTheBoatIsAndGivesTheFiguresOfTheActiveWaypoint) {
    EXPECT_TRUE(route.RouteStarted);
    EXPECT_EQ(route.StartLat, Real48(45.0L));
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
    EXPECT_EQ(route.WaypointIndex, 2);
    sailTo(45.2L + 0.001L, 30.01L); // past the line through waypoint 2, 800 m off
    EXPECT_EQ(route.WaypointIndex, 3);
    EXPECT_EQ(nav.Waypoint.number, 3);
    sailTo(45.25L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    sailTo(45.3L, 30); // on the last one
    EXPECT_TRUE(route.RouteDone);
    EXPECT_EQ(route.WaypointIndex, 3);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    sailTo(45.0L, 30); // sailing back does not start it again
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    EXPECT_TRUE(route.first()); // by hand, from where the boat is now
    sailTo(45.0L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    EXPECT_EQ(nav.Waypoint.number, 1);
}

TEST_F(RouteFollowing, AWaypointSetAfterTheEndContinuesTheRoute) {
    route.WaypointIndex = 3;
    sailTo(45.3L, 30);
    ASSERT_EQ(nav.Waypoint.progress, RouteProgress::Done);
    route[4].Lat = Real48(45.4L);
    route[4].Lon = Real48(30.0L);
    route.WaypointCount = 4;
    sailTo(45.3L, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::Sailing);
    EXPECT_EQ(nav.Waypoint.number, 4);
}

TEST_F(RouteFollowing, WithoutARouteThereIsNothingToSailTo) {
    nav.Waypoint.crossTrackMetres = 500;
    route.ClearWaypoints();
    sailTo(45, 30);
    EXPECT_EQ(nav.Waypoint.progress, RouteProgress::NoRoute);
    EXPECT_EQ(nav.Waypoint.crossTrackMetres, 0);
    EXPECT_FALSE(route.RouteStarted);
}

} // namespace
} // namespace brisomar
