#pragma once

#include "base/real48.h"

namespace brisomar {

// One waypoint: its position (degrees, north and west positive) and the leg from the previous
// waypoint (nautical miles, degrees, minutes; 0 for the first).
struct TWaypoint {
    Real48 Lat, Lon, Dist, Dir, Minutes;
    bool isEnd() const { return Lat.value() == 0 && Lon.value() == 0; }
};

} // namespace brisomar
