#include "charts/boat_symbol.h"

#include "charts/chart_surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

constexpr long double degree = std::numbers::pi_v<long double> / 180;
constexpr long double metresPerMile = 1852;
constexpr long double fastestKnots = 100;
constexpr int longestCourseLine = 8192;
constexpr int headingLineEnd = 36; // pixels ahead of the boat's pixel

// The hull's outline with the bow up (y grows astern), pixels from the boat's pixel.
struct HullCorner {
    long double across, along;
};
constexpr HullCorner hull[] = {{0, -12}, {4, -6}, {5, 2}, {4, 12}, {-4, 12}, {-5, 2}, {-4, -6}};

// A point of the hull's frame turned clockwise by the heading, with y down the screen.
PixelPoint turned(PixelPoint boat, long double heading, HullCorner p) {
    const long double s = std::sin(heading * degree), c = std::cos(heading * degree);
    return {boat.x + static_cast<int>(std::lround(p.across * c - p.along * s)),
            boat.y + static_cast<int>(std::lround(p.across * s + p.along * c))};
}

PixelPoint cutCourseLine(PixelPoint line) {
    const long double length = std::hypot(static_cast<long double>(line.x), line.y);
    if (length <= longestCourseLine)
        return line;
    const long double f = longestCourseLine / length;
    return {static_cast<int>(std::lround(line.x * f)), static_cast<int>(std::lround(line.y * f))};
}

void addLine(std::vector<PixelPoint>& pixels, PixelPoint from, PixelPoint to, PenStyle style) {
    const std::vector<PixelPoint> line = lineFootprint(from, to, Pen{1, style, black, false});
    pixels.insert(pixels.end(), line.begin(), line.end());
}

} // namespace

std::vector<PixelPoint> boatSymbolPixels(PixelPoint boat, const BoatSymbol& symbol) {
    std::vector<PixelPoint> pixels;
    const std::size_t corners = std::size(hull);
    for (std::size_t i = 0; i < corners; ++i)
        addLine(pixels, turned(boat, symbol.heading, hull[i]),
                turned(boat, symbol.heading, hull[(i + 1) % corners]), PenStyle::Solid);
    addLine(pixels, turned(boat, symbol.heading, hull[0]),
            turned(boat, symbol.heading, {0, -headingLineEnd}), PenStyle::Solid);
    const PixelPoint line = cutCourseLine(symbol.courseLine);
    addLine(pixels, boat, {boat.x + line.x, boat.y + line.y}, PenStyle::Dash);
    std::sort(pixels.begin(), pixels.end(),
              [](PixelPoint a, PixelPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

GeoPoint courseLineEnd(GeoPoint boat, Real48 course, Real48 knots) {
    const long double speed = std::clamp(knots.value(), 0.0L, fastestKnots);
    return GeodesicDestination(boat, course.value(),
                               speed * courseLineMinutes / 60 * metresPerMile);
}

} // namespace brisomar
