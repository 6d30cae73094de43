#pragma once

#include "navcalc/accumulators.h"
#include "navcalc/sailing.h"
#include "navcalc/waypoint.h"

#include <array>
#include <string>

namespace brisomar {

// One leg of the optimum search: minutes, nautical miles and course.
struct LegFigures {
    Real48 Minutes, Dist, Dir;
};

// The figures of one candidate cruise-point M between waypoints A and B.
struct CruisePointFigures {
    LegFigures leg1, leg2; // A to M, M to B
    Real48 total;          // minutes of both legs
    LegFigures origin;     // the direct leg as stored with waypoint B
};

// Evaluates M with the wind and current in use. Each leg's minutes go to SailTimeThis and its
// distance in metres to ChartDistanceThis as they are computed (leg 2's stay).
CruisePointFigures evaluateCruisePoint(SailingValues& v, const BoatTables& tables,
                                       const NavState& nav, ToolValues& tools, const TWaypoint& a,
                                       const TWaypoint& b, Real48 lat, Real48 lon);

// A row of the search window: minutes "0.0", nautical miles "0.00", course "0.0".
std::array<std::string, 3> legCells(const LegFigures& leg, char decimalSeparator);

} // namespace brisomar
