#pragma once

#include "navcalc/geodesy.h"

namespace brisomar {

// A vessel's position and its motion over ground: course in degrees true, speed in knots.
struct Motion {
    GeoPoint position; // degrees, north and west positive
    long double course = 0, speed = 0;
};

// Below this speed, knots, a vessel is a fixed point: its course is not used.
inline constexpr long double fixedBelowKnots = 0.2L;

// Where a target lies from the own boat and how close it comes.
struct Approach {
    long double rangeNm = 0, bearing = 0; // degrees true from the own boat
    long double cpaNm = 0;                // the closest point of approach
    long double tcpaMinutes = 0;          // time to it; negative when it has passed
    GeoPoint from;                        // the own position the approach was taken from
    // Where the target is then, nautical miles east and north of `from` on the local plane.
    long double cpaEastNm = 0, cpaNorthNm = 0;
};

// Both keep their course and speed over ground on a local plane around the own position: the
// target placed at its range and bearing on the ellipsoid and its course turned by the meridians'
// convergence between the two, so that neither the 180° meridian nor a pole bends the sums. When
// neither moves against the other the closest point is now.
Approach ClosestApproach(const Motion& own, const Motion& target);

// Where the target is at its closest approach, on the ellipsoid.
GeoPoint TargetAtCpa(const Approach& approach);

} // namespace brisomar
