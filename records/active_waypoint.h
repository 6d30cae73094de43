#pragma once

#include "base/nav_state.h"
#include "records/waypoint_route.h"

#include <optional>

namespace brisomar {

// Sailing to the active waypoint of the route (WaypointIndex). Positions in degrees, north and
// west positive; the leg runs from the previous waypoint (for the first, from where the route was
// started) to the active one.

// A waypoint is reached within this distance of it (or on passing its line), metres.
inline constexpr long double arrivalRadiusMetres = 100;

struct GeoPoint {
    Real48 lat, lon;
};

// Bearing (degrees, CourseBetween) and distance (nautical miles, DistanceNm) from `from` to `to`.
struct BearingDistance {
    Real48 bearing, distanceNm;
};
BearingDistance WaypointBearing(GeoPoint from, GeoPoint to);

// How far `position` lies off the leg `start` -> `waypoint`, metres: the distance from the start
// times the sine of the angle between the leg's course and the course to the position; right
// of the leg (looking along it) positive, left negative. 0 on a leg of no length.
long double CrossTrack(GeoPoint start, GeoPoint waypoint, GeoPoint position);

// How the waypoint is reached: within the arrival radius, or past the line square to the leg
// through the waypoint (the course from the waypoint to the position less than 90 degrees off
// the leg's course; never on a leg of no length). Radius first.
enum class Arrival { None, Radius, Line };
Arrival ArrivalCheck(GeoPoint start, GeoPoint waypoint, GeoPoint position,
                     long double radiusMetres);

// Velocity made good towards a bearing: speed (knots) times the cosine of the course (degrees)
// off the bearing.
long double VelocityMadeGood(long double course, long double speedKnots, long double bearing);

// The time of day of arrival (fraction of a day, wrapped past midnight) from `now` at the
// velocity made good; none unless closing (above 0 knots).
std::optional<long double> ArrivalTime(long double distanceNm, long double madeGoodKnots,
                                       long double now);

// The main timer's step of the route, after the values in use are selected: starts the route
// where the boat is, makes the next waypoint active on arrival (the last one ends the route) and
// sets nav.Waypoint. `now` is the time of day as a fraction of a day.
void FollowRoute(WaypointRoute& route, NavState& nav, long double now);

} // namespace brisomar
