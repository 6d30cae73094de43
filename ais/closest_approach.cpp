#include "ais/closest_approach.h"

#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

constexpr long double metresPerNm = 1852;
constexpr long double degree = std::numbers::pi_v<long double> / 180;

struct Vector {
    long double east = 0, north = 0;
};

// Knots along a course turned by `turn` degrees: nautical miles an hour, east and north.
Vector velocity(const Motion& m, long double turn = 0) {
    if (m.speed < fixedBelowKnots)
        return {};
    const long double course = (m.course + turn) * degree;
    return {m.speed * std::sin(course), m.speed * std::cos(course)};
}

} // namespace

Approach ClosestApproach(const Motion& own, const Motion& target) {
    const GeodesicLeg leg = GeodesicBetween(own.position, target.position);
    Approach a;
    a.rangeNm = leg.metres / metresPerNm;
    a.bearing = leg.startAzimuth;
    const Vector at{a.rangeNm * std::sin(a.bearing * degree),
                    a.rangeNm * std::cos(a.bearing * degree)};
    // The target's course is carried along the geodesic into the own boat's north: near a pole
    // the two norths differ.
    const Vector ownV = velocity(own),
                 targetV = velocity(target, leg.startAzimuth - leg.endAzimuth);
    const Vector relative{targetV.east - ownV.east, targetV.north - ownV.north};
    const long double speedSquared =
        relative.east * relative.east + relative.north * relative.north;
    const long double hours =
        speedSquared < 1e-12L
            ? 0
            : -(at.east * relative.east + at.north * relative.north) / speedSquared;
    a.tcpaMinutes = hours * 60;
    a.cpaNm = std::hypot(at.east + relative.east * hours, at.north + relative.north * hours);
    a.from = own.position;
    a.cpaEastNm = at.east + targetV.east * hours;
    a.cpaNorthNm = at.north + targetV.north * hours;
    return a;
}

GeoPoint TargetAtCpa(const Approach& a) {
    const long double away = std::hypot(a.cpaEastNm, a.cpaNorthNm);
    const long double azimuth = std::atan2(a.cpaEastNm, a.cpaNorthNm) / degree;
    return GeodesicDestination(a.from, azimuth, away * metresPerNm);
}

} // namespace brisomar
