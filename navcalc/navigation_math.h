#pragma once

#include "base/real48.h"

#include <string>

namespace brisomar {

inline constexpr long double metresPerNm = 1852;

// The radius of the sphere the distances are taken on, nautical miles.
Real48 EarthRadiusNm();

// The distance between two positions on the sphere, nautical miles, never negative.
// Degrees, north and west positive.
Real48 DistanceNm(Real48 latA, Real48 lonA, Real48 latB, Real48 lonB);

// The course from position 1 to position 2, degrees clockwise from north (0..360), by a local
// flat-chart approximation; the shorter way across the 180° meridian.
Real48 CourseBetween(Real48 lat1, Real48 lon1, Real48 lat2, Real48 lon2);

// A distance as the distance dialog shows it: "60.108 Nm" from one nautical mile, else in
// metres, "926 Meter" (general number format).
std::string distanceAnswer(Real48 distanceNm, char decimalSeparator);

} // namespace brisomar
