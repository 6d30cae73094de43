#pragma once

#include "charts/chart_state.h"
#include "navcalc/geodesy.h"

#include <vector>

namespace brisomar {

// The course line shows where this many minutes at the speed over ground take the boat.
inline constexpr long double courseLineMinutes = 6;

// The pixels of the boat symbol at `boat`, each once: the outline of a hull 25 pixels long and
// 11 wide pointing along the heading, the heading line from its bow on to 36 pixels from the
// boat, and the course line, dashed, from the boat's pixel to its end (at most 8192 pixels: a
// longer one is cut along its direction).
std::vector<PixelPoint> boatSymbolPixels(PixelPoint boat, const BoatSymbol& symbol);

// Where the course line ends: courseLineMinutes of sailing at `knots` along `course` (degrees
// true) from `boat`, on the WGS 84 ellipsoid. Speeds above 100 knots, which no boat sails, are
// taken as 100, so that the line always converts to a pixel.
GeoPoint courseLineEnd(GeoPoint boat, Real48 course, Real48 knots);

} // namespace brisomar
