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

GeoPoint legStart(const WaypointRoute& route) {
    const RouteSailing& s = route.sailing;
    if (s.ActiveWaypoint == 1)
        return {s.StartLat, s.StartLon};
    const TWaypoint& previous = route[s.ActiveWaypoint - 1];
    return {previous.Lat, previous.Lon};
}

GeoPoint active(const WaypointRoute& route) {
    const TWaypoint& w = route[route.sailing.ActiveWaypoint];
    return {w.Lat, w.Lon};
}

// The next waypoint becomes active (the last one is arrived at); the current waypoint follows
// it when it was the active one, so the waypoint window keeps showing what is sailed to.
void makeNextActive(WaypointRoute& route) {
    RouteSailing& s = route.sailing;
    if (s.ActiveWaypoint >= route.WaypointCount) {
        s.Arrived = true;
        return;
    }
    if (route.WaypointIndex == s.ActiveWaypoint)
        ++route.WaypointIndex;
    ++s.ActiveWaypoint;
}

// Arrived at the last waypoint, the route is done once the boat has left its arrival radius.
void leaveLastWaypoint(RouteSailing& s, GeoPoint waypoint, GeoPoint position,
                       long double arrivalRadiusMetres) {
    if (s.Arrived && GeodesicBetween(waypoint, position).metres > arrivalRadiusMetres) {
        s.Arrived = false;
        s.RouteDone = true;
    }
}

void countArrival(NavState& nav, const WaypointRoute& route, int reached) {
    nav.Arrivals.count++;
    nav.Arrivals.reached = reached;
    nav.Arrivals.next = route.sailing.Arrived ? 0 : route.sailing.ActiveWaypoint;
}

void setFigures(WaypointFigures& figures, const WaypointRoute& route, const NavState& nav,
                long double now, long double arrivalRadiusMetres) {
    const GeoPoint position{nav.PosLat, nav.PosLon};
    figures = {};
    figures.number = route.sailing.ActiveWaypoint;
    figures.progress = route.sailing.Arrived ? RouteProgress::Arrived : RouteProgress::Sailing;
    const BearingDistance to = WaypointBearing(position, active(route));
    figures.bearing = to.bearing;
    figures.distanceNm = to.distanceNm;
    figures.crossTrackMetres = CrossTrack(legStart(route), active(route), position);
    figures.madeGoodKnots = VelocityMadeGood(nav.PosCourse, nav.PosSpeed, to.bearing);
    figures.arrival = ArrivalTime(to.distanceNm, figures.madeGoodKnots, now);
    const GeoPoint waypoint = active(route);
    figures.lat = waypoint.lat;
    figures.lon = waypoint.lon;
    figures.legBearing = WaypointBearing(legStart(route), waypoint).bearing;
    figures.inArrivalCircle = to.distanceNm * metresPerNm <= arrivalRadiusMetres;
    figures.perpendicularPassed = BeyondLineSquareToLeg(legStart(route), waypoint, position);
}

// The waypoint sailed to, without figures: there is no position to take them from, or nothing
// left to sail.
WaypointFigures onlyProgress(RouteProgress progress, const WaypointRoute& route) {
    WaypointFigures figures;
    figures.progress = progress;
    figures.number = route.sailing.ActiveWaypoint;
    figures.lat = active(route).lat;
    figures.lon = active(route).lon;
    return figures;
}

} // namespace

BearingDistance WaypointBearing(GeoPoint from, GeoPoint to) {
    const GeodesicLeg leg = GeodesicBetween(from, to);
    return {leg.startAzimuth, leg.metres / metresPerNm};
}

long double CrossTrack(GeoPoint start, GeoPoint waypoint, GeoPoint position) {
    return GeodesicCrossTrack(start, waypoint, position);
}

Arrival ArrivalCheck(GeoPoint start, GeoPoint waypoint, GeoPoint previous, GeoPoint position,
                     long double radiusMetres) {
    if (GeodesicBetween(waypoint, position).metres <= radiusMetres)
        return Arrival::Radius;
    return !BeyondLineSquareToLeg(start, waypoint, previous) &&
                   BeyondLineSquareToLeg(start, waypoint, position)
               ? Arrival::Line
               : Arrival::None;
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

// Nothing is reached and no leg starts without a position to sail by: the route waits for one.
void FollowRoute(WaypointRoute& route, NavState& nav, long double now,
                 long double arrivalRadiusMetres) {
    RouteSailing& s = route.sailing;
    if (route.WaypointCount < 1 || s.ActiveWaypoint < 1 || s.ActiveWaypoint > route.WaypointCount) {
        s = {};
        nav.Waypoint = {};
        return;
    }
    // Waypoints set after the last one was reached continue the route.
    if ((s.RouteDone || s.Arrived) && s.ActiveWaypoint < route.WaypointCount) {
        s.RouteDone = s.Arrived = false;
        makeNextActive(route);
    }
    if (s.RouteDone) {
        nav.Waypoint = onlyProgress(RouteProgress::Done, route);
        return;
    }
    if (!PositionKnown(nav)) {
        nav.Waypoint = onlyProgress(RouteProgress::WaitingForPosition, route);
        return;
    }
    const GeoPoint position{nav.PosLat, nav.PosLon};
    if (!s.RouteStarted) {
        s.RouteStarted = true;
        s.StartLat = position.lat;
        s.StartLon = position.lon;
    }
    const GeoPoint previous = s.HasPrevious ? GeoPoint{s.PreviousLat, s.PreviousLon} : position;
    if (s.Arrived) {
        leaveLastWaypoint(s, active(route), position, arrivalRadiusMetres);
    } else if (ArrivalCheck(legStart(route), active(route), previous, position,
                            arrivalRadiusMetres) != Arrival::None) {
        const int reached = s.ActiveWaypoint;
        makeNextActive(route);
        countArrival(nav, route, reached);
    }
    s.HasPrevious = true;
    s.PreviousLat = position.lat;
    s.PreviousLon = position.lon;
    if (s.RouteDone)
        nav.Waypoint = onlyProgress(RouteProgress::Done, route);
    else
        setFigures(nav.Waypoint, route, nav, now, arrivalRadiusMetres);
}

} // namespace brisomar
