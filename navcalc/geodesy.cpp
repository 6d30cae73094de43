#include "navcalc/geodesy.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

using GeographicLib::Geodesic;

constexpr double degree = std::numbers::pi / 180;

// The foot of the perpendicular is sought until a step is below this, metres.
constexpr double footTolerance = 1e-5;
constexpr int footSteps = 30;

const Geodesic& wgs84() {
    return Geodesic::WGS84();
}

double latitude(GeoPoint p) {
    return static_cast<double>(p.lat.value());
}

// GeographicLib counts east positive.
double eastLongitude(GeoPoint p) {
    return -static_cast<double>(p.lon.value());
}

// Degrees true in 0..360, never -0.
long double azimuthTrue(double azimuth) {
    const double a = azimuth + 0.0;
    return a < 0 ? a + 360 : a;
}

bool samePlace(GeoPoint a, GeoPoint b) {
    return a.lat == b.lat && a.lon == b.lon;
}

} // namespace

// One place has no azimuth; it reads 0, as the program's courses between equal positions do.
GeodesicLeg GeodesicBetween(GeoPoint from, GeoPoint to) {
    if (samePlace(from, to))
        return {0, 0, 0};
    double metres = 0, startAzimuth = 0, endAzimuth = 0;
    wgs84().Inverse(latitude(from), eastLongitude(from), latitude(to), eastLongitude(to), metres,
                    startAzimuth, endAzimuth);
    return {azimuthTrue(startAzimuth), azimuthTrue(endAzimuth), metres};
}

GeoPoint GeodesicDestination(GeoPoint from, long double azimuth, long double metres) {
    double lat = 0, lon = 0;
    wgs84().Direct(latitude(from), eastLongitude(from), static_cast<double>(azimuth),
                   static_cast<double>(metres), lat, lon);
    return {Real48(static_cast<long double>(lat)), Real48(-static_cast<long double>(lon))};
}

// Walks along the leg's geodesic to the foot of the perpendicular from the position: at each
// point the along-track distance to the foot is taken as on a sphere, which leaves an error of
// the order of the flattening, so each step shrinks the next some hundredfold.
long double GeodesicCrossTrack(GeoPoint start, GeoPoint end, GeoPoint position) {
    if (samePlace(start, end))
        return 0;
    const Geodesic& ellipsoid = wgs84();
    const GeographicLib::GeodesicLine leg = ellipsoid.InverseLine(
        latitude(start), eastLongitude(start), latitude(end), eastLongitude(end));
    const double radius = ellipsoid.EquatorialRadius();
    double along = 0, off = 0;
    for (int step = 0; step < footSteps; ++step) {
        double footLat = 0, footLon = 0, footAzimuth = 0;
        leg.Position(along, footLat, footLon, footAzimuth);
        double distance = 0, azimuth = 0, unused = 0;
        ellipsoid.Inverse(footLat, footLon, latitude(position), eastLongitude(position), distance,
                          azimuth, unused);
        const double angle = (azimuth - footAzimuth) * degree;
        off = std::copysign(distance, std::sin(angle));
        const double arc = distance / radius;
        const double toFoot = radius * std::atan2(std::sin(arc) * std::cos(angle), std::cos(arc));
        along += toFoot;
        if (std::fabs(toFoot) < footTolerance)
            break;
    }
    return off;
}

// The geodesics leaving the waypoint less than 90° off the leg's own direction there fill the
// side beyond the line; those at 90° are the line.
bool BeyondLineSquareToLeg(GeoPoint start, GeoPoint end, GeoPoint position) {
    if (samePlace(start, end))
        return false;
    const GeodesicLeg leg = GeodesicBetween(start, end);
    const GeodesicLeg out = GeodesicBetween(end, position);
    return out.metres * std::cos((out.startAzimuth - leg.endAzimuth) * degree) > 0;
}

} // namespace brisomar
