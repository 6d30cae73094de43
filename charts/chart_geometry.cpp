#include "charts/chart_geometry.h"

#include <cmath>
#include <limits>
#include <optional>

namespace brisomar {

namespace {

using Degrees = std::array<Real48, 7>;
using Pixels = std::array<std::int32_t, 7>;

// Where one axis keeps its data: latitudes with rows, or longitudes with columns. Longitudes
// fall from west to east as latitudes fall from north to south, so both axes share the code.
struct Axis {
    Degrees MapRecord::*degrees;
    Pixels MapRecord::*pixels;
    Real48 ChartState::*firstEdge; // north (west) corner of the chart in use
    Real48 ChartState::*lastEdge;  // south (east) corner
    int ChartState::*pointCount;
    std::int32_t PixelRect::*detailFirst;
    std::int32_t PixelRect::*detailLast;
    Real48 ChartState::*detailRatio;
    bool ChartState::*detailValid;
};

constexpr Axis latitudeAxis{
    &MapRecord::CalLat,      &MapRecord::CalRow,          &ChartState::ChartNWLat,
    &ChartState::ChartSELat, &ChartState::LatPointCount,  &PixelRect::Top,
    &PixelRect::Bottom,      &ChartState::DetailRowRatio, &ChartState::DetailRowValid};

constexpr Axis longitudeAxis{
    &MapRecord::CalLon,      &MapRecord::CalCol,          &ChartState::ChartNWLon,
    &ChartState::ChartSELon, &ChartState::LonPointCount,  &PixelRect::Left,
    &PixelRect::Right,       &ChartState::DetailColRatio, &ChartState::DetailColValid};

// The integer part of a value held as Real48. A result beyond 32 bits is reported the way
// Real48 reports a value it cannot hold.
std::int32_t truncatedPixel(long double value) {
    const long double whole = std::trunc(Real48(value).value());
    if (whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max())
        throw FloatOverflow();
    return static_cast<std::int32_t>(whole);
}

int countPoints(const ChartState& chart, const Axis& axis) {
    if ((chart.*axis.firstEdge).value() == (chart.*axis.lastEdge).value())
        return 0;
    const Degrees& degrees = chart.record().*axis.degrees;
    // A single intermediate point is not enough to bend the degree-to-pixel line.
    if (degrees[1].isZero() || degrees[2].isZero())
        return 1;
    for (int point = 4; point <= 6; ++point)
        if (degrees[point - 1].isZero())
            return point - 2;
    return 5;
}

// The calibration of the chart in use as the degree-to-pixel direction sees it: the edges come
// from the chart corners, the intermediate points from the record.
class DegreeScale {
public:
    DegreeScale(const ChartState& chart, const Axis& axis)
        : chart_(chart), axis_(axis), record_(chart.record()) {}

    std::int32_t pixelOf(Real48 value) const {
        const int count = chart_.*axis_.pointCount;
        if (count == 0)
            return 0;
        if (count == 1)
            return segment(1, 7, value);
        const int last = count + 1;
        if (value >= degreesAt(2))
            return segment(1, 2, value);
        if (value <= degreesAt(last))
            return segment(last, 7, value);
        // From the south, so a value on an intermediate point takes the segment below it.
        for (int j = last - 1; j >= 3; --j)
            if (value <= degreesAt(j))
                return segment(j, j + 1, value);
        return segment(2, 3, value);
    }

private:
    Real48 degreesAt(int point) const {
        if (point == 1)
            return chart_.*axis_.firstEdge;
        if (point == 7)
            return chart_.*axis_.lastEdge;
        return (record_.*axis_.degrees)[point - 1];
    }

    std::int32_t segment(int a, int b, Real48 value) const {
        const Pixels& pixels = record_.*axis_.pixels;
        return InterpolatePixel(pixels[a - 1], pixels[b - 1], value, degreesAt(a), degreesAt(b));
    }

    const ChartState& chart_;
    const Axis& axis_;
    const MapRecord& record_;
};

// Where the pixel lies in the detail region, 0 when not strictly inside it (the strict tests
// also rule out an empty region).
void noteDetailPosition(ChartState& chart, const Axis& axis, std::int32_t pixel) {
    const long double first = chart.DetailRect.*axis.detailFirst;
    const long double last = chart.DetailRect.*axis.detailLast;
    Real48 ratio;
    if (first < pixel && pixel < last)
        ratio = Real48((pixel - first) / (last - first));
    chart.*axis.detailRatio = ratio;
    chart.*axis.detailValid = !ratio.isZero();
}

std::int32_t degreesToPixel(ChartState& chart, const Axis& axis, Real48 value) {
    const std::int32_t pixel = DegreeScale(chart, axis).pixelOf(value);
    noteDetailPosition(chart, axis, pixel);
    return pixel;
}

// The pixel-to-degree direction reads only the record, edges included, and skips the points
// whose pixel is 0 as unused.
class PixelScale {
public:
    PixelScale(const ChartState& chart, const Axis& axis)
        : degrees_(chart.record().*axis.degrees), pixels_(chart.record().*axis.pixels) {}

    Real48 degreesOf(std::int32_t pixel) const {
        std::optional<Real48> found;
        // Every primary segment is tried, so on a shared pixel the later one wins.
        for (int k = 1; k <= 6; ++k)
            if (covers(k, k + 1, pixel) && used(k + 1) && (k == 1 || used(k)))
                found = segment(k, k + 1, pixel);
        // Bridge a gap of unused points from the last used one to the far edge.
        for (int k = 5; k >= 2 && !found; --k)
            if (used(k) && covers(k, 7, pixel))
                found = segment(k, 7, pixel);
        if (!found && pixelAt(1) >= 0 && covers(1, 7, pixel))
            found = segment(1, 7, pixel);
        return found.value_or(Real48());
    }

private:
    std::int32_t pixelAt(int point) const { return pixels_[point - 1]; }
    bool used(int point) const { return pixelAt(point) > 0; }

    bool covers(int a, int b, std::int32_t pixel) const {
        return pixelAt(a) <= pixel && pixel <= pixelAt(b) && pixelAt(a) != pixelAt(b);
    }

    Real48 segment(int a, int b, std::int32_t pixel) const {
        const long double far = pixelAt(b);
        const Real48 t((far - pixel) / (far - pixelAt(a)));
        const long double degreesB = degrees_[b - 1];
        return Real48(degreesB - (degreesB - degrees_[a - 1]) * t);
    }

    const Degrees& degrees_;
    const Pixels& pixels_;
};

// Strictly between the edges and on the side of zero of the edge with the larger magnitude.
bool withinEdges(long double value, long double high, long double low) {
    if (!(low < value && value < high))
        return false;
    return std::fabs(high) > std::fabs(low) ? value > 0 : value < 0;
}

} // namespace

std::int32_t InterpolatePixel(std::int32_t pixelA, std::int32_t pixelB, Real48 value, Real48 valueA,
                              Real48 valueB) {
    const long double a = valueA.value();
    const long double b = valueB.value();
    if (a == b)
        return 0;
    const long double span = static_cast<long double>(pixelB) - pixelA;
    return truncatedPixel(pixelA + (value.value() - a) * span / (b - a));
}

std::int32_t ScalePixel(std::int32_t count, Real48 factor) {
    return truncatedPixel(count * factor.value());
}

void CountCalibrationPoints(ChartState& chart) {
    chart.LatPointCount = countPoints(chart, latitudeAxis);
    chart.LonPointCount = countPoints(chart, longitudeAxis);
}

ChartCorners recordCorners(const MapRecord& record) {
    return {record.lat(1), record.lon(1), record.lat(7), record.lon(7)};
}

void useRecordCorners(ChartState& chart) {
    const ChartCorners corners = recordCorners(chart.record());
    chart.ChartNWLat = corners.NWLat;
    chart.ChartNWLon = corners.NWLon;
    chart.ChartSELat = corners.SELat;
    chart.ChartSELon = corners.SELon;
    CountCalibrationPoints(chart);
}

std::int32_t LatToChartY(ChartState& chart, Real48 lat) {
    return degreesToPixel(chart, latitudeAxis, lat);
}

std::int32_t LonToChartX(ChartState& chart, Real48 lon) {
    return degreesToPixel(chart, longitudeAxis, lon);
}

Real48 ChartYToLat(const ChartState& chart, std::int32_t y) {
    return PixelScale(chart, latitudeAxis).degreesOf(y);
}

Real48 ChartXToLon(const ChartState& chart, std::int32_t x) {
    return PixelScale(chart, longitudeAxis).degreesOf(x);
}

bool PositionOnChart(Real48 lat, Real48 lon, Real48 north, Real48 west, Real48 south, Real48 east) {
    return withinEdges(lat, north, south) && withinEdges(lon, west, east);
}

} // namespace brisomar
