#include "navcalc/navigation_math.h"

#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

constexpr long double pi = std::numbers::pi_v<long double>;
constexpr long double twoPi = 2 * pi;

long double radiansFrom180(long double degrees) {
    return (degrees * pi) * (1.0L / 180);
}
long double radiansFrom360(long double degrees) {
    return (degrees * twoPi) * (1.0L / 360);
}
long double degreesFromRadians(long double radians) {
    return (radians * 360) * (1.0L / twoPi);
}

struct UnitVector {
    Real48 x, y, z;
};

UnitVector unitVector(Real48 lat, Real48 lon) {
    const long double phi = radiansFrom180(lat), lambda = radiansFrom180(lon);
    return {Real48(std::cos(phi) * std::cos(lambda)), Real48(std::cos(phi) * std::sin(lambda)),
            Real48(std::sin(phi))};
}

Real48 length(const UnitVector& v) {
    return Real48(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
}

// The arc cosine of c, 0..pi, as an arc tangent.
long double centralAngle(long double c) {
    if (c == 0)
        return pi / 2;
    if (c == -1)
        return pi;
    const long double theta = std::atan(std::sqrt(1 - c * c) / c);
    return theta < 0 ? theta + pi : theta;
}

} // namespace

Real48 EarthRadiusNm() {
    return Real48(3443.936L);
}

Real48 DistanceNm(Real48 latA, Real48 lonA, Real48 latB, Real48 lonB) {
    // Rounded to Real48, the cosine of one position with itself can come out a little below 1.
    if (latA == latB && lonA == lonB)
        return Real48();
    const UnitVector a = unitVector(latA, lonA), b = unitVector(latB, lonB);
    const Real48 lengthA = length(a), lengthB = length(b);
    const Real48 dot(a.x * b.x + a.y * b.y + a.z * b.z);
    const Real48 c(dot / (lengthA * lengthB));
    // Rounding can take c just past 1 for (nearly) identical positions, where the root fails.
    const long double cosine = std::clamp<long double>(c, -1, 1);
    return Real48(centralAngle(cosine) * EarthRadiusNm());
}

// Longitudes are west positive, so a smaller longitude lies further east.
Real48 CourseBetween(Real48 lat1, Real48 lon1, Real48 lat2, Real48 lon2) {
    const long double la1 = lat1, lo1 = lon1, la2 = lat2, lo2 = lon2;
    const bool eastward = (lo1 > lo2 && lo1 - lo2 < 180) || (lo1 < lo2 && lo2 - lo1 > 180);
    if (lo1 == lo2)
        return Real48(la1 > la2 ? 180.0L : 0.0L);
    if (la1 == la2)
        return Real48(eastward ? 90.0L : 270.0L);
    if (std::fabs(la1) > 89)
        return Real48(0.0L);
    long double deltaLon = radiansFrom360(std::fabs(lo1 - lo2));
    if (deltaLon > pi)
        deltaLon = twoPi - deltaLon;
    const Real48 s(std::sin(deltaLon));
    const Real48 deltaLat(radiansFrom360(std::fabs(la1 - la2)));
    long double angle = 90;
    if (s.value() != 0 && deltaLat.value() != pi / 2) {
        const long double cosine = std::cos(deltaLat.value());
        const Real48 t(cosine == 0 ? 100000.0L : std::fabs(std::sin(deltaLat.value()) / cosine));
        angle = Real48(degreesFromRadians(std::atan(t / (s * std::cos(radiansFrom360(la1))))));
    }
    if (la1 > la2)
        return Real48(eastward ? 90 + angle : 270 - angle);
    return Real48(eastward ? 90 - angle : 270 + angle);
}

std::string distanceAnswer(Real48 distanceNm, char decimalSeparator) {
    if (distanceNm.value() >= 1)
        return FloatToStr(distanceNm, decimalSeparator) + " Nm";
    return FloatToStr(Real48(distanceNm * metresPerNm), decimalSeparator) + " Meter";
}

} // namespace brisomar
