#pragma once

#include "base/nav_state.h"
#include "navcalc/geodesy.h"
#include "records/waypoint_route.h"

#include <optional>

namespace brisomar {

// Sailing to the active waypoint of the route, on the WGS 84 ellipsoid. Positions in degrees,
// north and west positive; the leg runs from the previous waypoint (for the first, from where
// the route was started) to the active one.

// Bearing (initial azimuth, degrees true) and distance (nautical miles) from `from` to `to`.
struct BearingDistance {
    long double bearing, distanceNm;
};
BearingDistance WaypointBearing(GeoPoint from, GeoPoint to);

// How far `position` lies off the leg `start` -> `waypoint`, metres: the shortest distance to
// the leg's geodesic, right of it (looking along it) positive, left negative. 0 on a leg of no
// length.
long double CrossTrack(GeoPoint start, GeoPoint waypoint, GeoPoint position);

// How a boat moving from `previous` to `position` reaches the waypoint: within the arrival
// radius at `position`, or by crossing the line square to the leg through the waypoint (before
// it at `previous`, beyond it at `position`; never on a leg of no length). Radius first.
enum class Arrival { None, Radius, Line };
Arrival ArrivalCheck(GeoPoint start, GeoPoint waypoint, GeoPoint previous, GeoPoint position,
                     long double radiusMetres);

// Velocity made good towards a bearing: speed (knots) times the cosine of the course (degrees)
// off the bearing.
long double VelocityMadeGood(long double course, long double speedKnots, long double bearing);

// The time of day of arrival (fraction of a day, wrapped past midnight) from `now` at the
// velocity made good; none unless closing (above 0 knots).
std::optional<long double> ArrivalTime(long double distanceNm, long double madeGoodKnots,
                                       long double now);

// The main timer's step of the route, after the values in use are selected: starts the route
// where the boat is, makes the next waypoint active when the active one is reached within
// `arrivalRadiusMetres` or by crossing its line (one waypoint a position at most; the last one
// ends the route), counts the arrival in nav.Arrivals and sets nav.Waypoint. `now` is the time
// of day as a fraction of a day.
void FollowRoute(WaypointRoute& route, NavState& nav, long double now,
                 long double arrivalRadiusMetres);

} // namespace brisomar
