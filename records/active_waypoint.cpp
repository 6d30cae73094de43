#include "records/active_waypoint.h"

#include "navcalc/navigation_math.h"

#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

constexpr long double degree = std::numbers::pi_v<long double> / 180;

// The angle from course a to course b, degrees in -180..180 (clockwise positive).
long double turn(long double a, long double b) {
    long double d = std::fmod(b - a, 360.0L);
    if (d > 180)
        d -= 360;
    else if (d <= -180)
        d += 360;
    return d;
}

bool samePlace(GeoPoint a, GeoPoint b) {
    return a.lat == b.lat && a.lon == b.lon;
}

GeoPoint legStart(const WaypointRoute& route) {
    if (route.WaypointIndex == 1)
        return {route.StartLat, route.StartLon};
    const TWaypoint& previous = route[route.WaypointIndex - 1];
    return {previous.Lat, previous.Lon};
}

GeoPoint active(const WaypointRoute& route) {
    const TWaypoint& w = route[route.WaypointIndex];
    return {w.Lat, w.Lon};
}

} // namespace

BearingDistance WaypointBearing(GeoPoint from, GeoPoint to) {
    return {CourseBetween(from.lat, from.lon, to.lat, to.lon),
            DistanceNm(from.lat, from.lon, to.lat, to.lon)};
}

long double CrossTrack(GeoPoint start, GeoPoint waypoint, GeoPoint position) {
    if (samePlace(start, waypoint))
        return 0;
    const Real48 legCourse = WaypointBearing(start, waypoint).bearing;
    const BearingDistance toPosition = WaypointBearing(start, position);
    const long double off = turn(legCourse, toPosition.bearing);
    return toPosition.distanceNm * std::sin(off * degree) * metresPerNm;
}

Arrival ArrivalCheck(GeoPoint start, GeoPoint waypoint, GeoPoint position,
                     long double radiusMetres) {
    const BearingDistance fromWaypoint = WaypointBearing(waypoint, position);
    if (fromWaypoint.distanceNm * metresPerNm <= radiusMetres)
        return Arrival::Radius;
    if (samePlace(start, waypoint))
        return Arrival::None;
    const Real48 legCourse = WaypointBearing(start, waypoint).bearing;
    return std::fabs(turn(legCourse, fromWaypoint.bearing)) < 90 ? Arrival::Line : Arrival::None;
}

long double VelocityMadeGood(long double course, long double speedKnots, long double bearing) {
    return speedKnots * std::cos(turn(bearing, course) * degree);
}

std::optional<long double> ArrivalTime(long double distanceNm, long double madeGoodKnots,
                                       long double now) {
    if (!(madeGoodKnots > 0))
        return std::nullopt;
    const long double days = distanceNm / madeGoodKnots / 24;
    return std::fmod(now + days, 1.0L);
}

void FollowRoute(WaypointRoute& route, NavState& nav, long double now) {
    WaypointFigures& figures = nav.Waypoint;
    if (route.WaypointCount < 1 || route.WaypointIndex < 1 ||
        route.WaypointIndex > route.WaypointCount) {
        route.RouteStarted = false;
        figures = {};
        return;
    }
    const GeoPoint position{nav.PosLat, nav.PosLon};
    if (!route.RouteStarted) {
        route.RouteStarted = true;
        route.StartLat = position.lat;
        route.StartLon = position.lon;
    }
    // Waypoints set after the last one was reached continue the route.
    if (route.RouteDone && route.WaypointIndex < route.WaypointCount) {
        route.RouteDone = false;
        ++route.WaypointIndex;
    }
    while (!route.RouteDone && ArrivalCheck(legStart(route), active(route), position,
                                            arrivalRadiusMetres) != Arrival::None) {
        if (route.WaypointIndex < route.WaypointCount)
            ++route.WaypointIndex;
        else
            route.RouteDone = true;
    }
    figures = {};
    figures.number = route.WaypointIndex;
    if (route.RouteDone) {
        figures.progress = RouteProgress::Done;
        return;
    }
    figures.progress = RouteProgress::Sailing;
    const BearingDistance to = WaypointBearing(position, active(route));
    figures.bearing = to.bearing;
    figures.distanceNm = to.distanceNm;
    figures.crossTrackMetres = CrossTrack(legStart(route), active(route), position);
    figures.madeGoodKnots = VelocityMadeGood(nav.PosCourse, nav.PosSpeed, to.bearing);
    figures.arrival = ArrivalTime(to.distanceNm, figures.madeGoodKnots, now);
}

} // namespace brisomar
