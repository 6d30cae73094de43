#pragma once

#include "navcalc/geodesy.h"

#include <functional>
#include <string>

namespace brisomar {

// The AIS traffic of the demo, as a receiver sends it: a ship on a course to meet the own boat
// some nine minutes after each half hour begins (so the collision alarm rises within the first
// two minutes), a ship moored by the island, a class B yacht sailing round it and a buoy.
class DemoTraffic {
public:
    // Where the own boat is after `seconds` of sailing, and its course.
    using BoatAt = std::function<GeoPoint(long double seconds, long double* course)>;

    explicit DemoTraffic(BoatAt boat) : boat_(std::move(boat)) {}

    // The "!AIVDM" sentences (each ended by CR LF) due in second `second` of the voyage.
    std::string sentencesAt(long long second) const;

private:
    BoatAt boat_;
};

} // namespace brisomar
