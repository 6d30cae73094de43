#pragma once

#include "charts/chart_state.h"

#include <cstdint>

namespace brisomar {

// Conversions between positions and pixels of the chart in use: separable and piecewise linear
// between calibration points. Degrees with north and west positive; rows down from 0 at the
// top of the bitmap, columns right from 0 at the left.

// The pixel at which `value` lies on the line through (valueA, pixelA) and (valueB, pixelB),
// held as Real48 and truncated toward zero; 0 when valueA equals valueB. Throws FloatOverflow
// when the pixel does not fit in a Real48 or in 32 bits (so may the conversions below, for a
// position very far off a chart).
std::int32_t InterpolatePixel(std::int32_t pixelA, std::int32_t pixelB, Real48 value, Real48 valueA,
                              Real48 valueB);

// count x factor, held as Real48, truncated toward zero (FloatOverflow as above).
std::int32_t ScalePixel(std::int32_t count, Real48 factor);

// Sets LatPointCount and LonPointCount from the corners and the record MapIndex.
void CountCalibrationPoints(ChartState& chart);

// The edges of a chart as its map record gives them: calibration point 1 is the north (west)
// edge, point 7 the south (east) one.
struct ChartCorners {
    Real48 NWLat, NWLon, SELat, SELon;
};
ChartCorners recordCorners(const MapRecord& record);

// Makes record MapIndex the chart in use: its corners become the chart's, and the calibration
// points the conversions use are counted.
void useRecordCorners(ChartState& chart);

// Degrees to pixels; each also records where the pixel lies in the detail rectangle.
std::int32_t LatToChartY(ChartState& chart, Real48 lat);
std::int32_t LonToChartX(ChartState& chart, Real48 lon);

// Pixels to degrees, from the record's own calibration; 0 outside it (no extrapolation).
Real48 ChartYToLat(const ChartState& chart, std::int32_t y);
Real48 ChartXToLon(const ChartState& chart, std::int32_t x);

// Strictly inside the edges, and on the side of the equator (zero meridian) of the edge with
// the larger magnitude.
bool PositionOnChart(Real48 lat, Real48 lon, Real48 north, Real48 west, Real48 south, Real48 east);

// PositionOnChart with the corners of the chart in use.
inline bool onChartInUse(const ChartState& chart, Real48 lat, Real48 lon) {
    return PositionOnChart(lat, lon, chart.ChartNWLat, chart.ChartNWLon, chart.ChartSELat,
                           chart.ChartSELon);
}

} // namespace brisomar
