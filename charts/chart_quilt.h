#pragma once

#include "base/real48.h"
#include "charts/chart_zoom.h"

#include <array>
#include <optional>
#include <vector>

namespace brisomar {

struct MapRecord;
struct ChartState;
using MapTable = std::array<MapRecord, 25>;

// One axis of a chart placed in the pixels of the chart in use: place(p) = scale * p + offset.
struct AxisPlacement {
    long double scale = 1, offset = 0;
    long double place(long double pixel) const { return scale * pixel + offset; }
    long double back(long double placed) const { return (placed - offset) / scale; }
};

// A chart of the quilt: the chart in use and the records around it, each drawn by its own
// calibration where `columns` and `rows` place its pixels among those of the chart in use.
// Longitudes of a chart across the 180° meridian from the chart in use are shifted by 360°.
struct QuiltPiece {
    int record = 0; // 1..25
    AxisPlacement columns, rows;
    long double lonShift = 0;
    long double degreesPerRow = 0; // how detailed: the smaller, the more

    // The piece's pixel of a position (its own calibration, straight on beyond its edges).
    long double column(long double lon, const MapRecord& r) const;
    long double row(long double lat, const MapRecord& r) const;
};

// How many times coarser or finer than the chart in use a chart of the quilt may be.
inline constexpr long double quiltScaleRange = 2;

// The quilt around record `selected` of `table`, in drawing order, the more detailed later (on
// top), the chart in use last among equals: itself, and the records whose areas touch or overlap
// its own, at a scale within quiltScaleRange of it. A record without a usable calibration is left
// out, and so is every one when the chart in use has none.
std::vector<QuiltPiece> quiltAround(const MapTable& table, int selected);

// The view pixel (see ChartZoom) of a position: by the chart in use's conversion on it; beyond
// it, by the calibration of the topmost chart of the quilt holding the position. Nothing off
// them all.
std::optional<PixelPoint> viewPixel(ChartState& chart, Real48 lat, Real48 lon);

// The position under a view pixel: within the chart in use's bitmap by its conversion (zero
// beyond its calibration, as ever); beyond it, by the calibration of the topmost chart of the
// quilt there.
struct QuiltPosition {
    Real48 lat, lon;
};
QuiltPosition positionAt(const ChartState& chart, PixelPoint view);

// Where the spot under view pixel `view` of the quilt `before` (shown at `zoomBefore`) lies in
// the view of the quilt around its record `record`, shown at `zoomAfter`: so that the view stays
// where it was when Auto Select takes a neighbour. Nothing when the record was not in it.
std::optional<PixelPoint> sameSpot(const std::vector<QuiltPiece>& before,
                                   const ChartZoom& zoomBefore, PixelPoint view, int record,
                                   const ChartZoom& zoomAfter);

} // namespace brisomar
