#pragma once

#include "base/real48.h"

namespace brisomar {

// Navigation on the WGS 84 ellipsoid, by GeographicLib's geodesics. Positions in degrees, north
// and west positive, as the navigation state holds them.

struct GeoPoint {
    Real48 lat, lon;
};

// The geodesic from one position to another: its azimuth where it leaves `from` and where it
// arrives at `to` (degrees true, 0..360; 0 from a place to itself) and its length in metres.
struct GeodesicLeg {
    long double startAzimuth, endAzimuth, metres;
};
GeodesicLeg GeodesicBetween(GeoPoint from, GeoPoint to);

// The place `metres` along the geodesic that leaves `from` at `azimuth` (degrees true).
GeoPoint GeodesicDestination(GeoPoint from, long double azimuth, long double metres);

// How far `position` lies off the geodesic through `start` and `end`, metres: the shortest
// distance to that geodesic (taken on beyond both ends), right of it looking from start to end
// positive, left negative. 0 when start and end are one place.
long double GeodesicCrossTrack(GeoPoint start, GeoPoint end, GeoPoint position);

// Whether `position` lies beyond the geodesic through `end` square to the leg from `start`: on
// its far side from the start. Never on a leg of no length, nor on the line itself.
bool BeyondLineSquareToLeg(GeoPoint start, GeoPoint end, GeoPoint position);

} // namespace brisomar
