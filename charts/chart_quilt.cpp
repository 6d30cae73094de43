#include "charts/chart_quilt.h"

#include "charts/chart_geometry.h"
#include "charts/chart_state.h"

#include <algorithm>
#include <cmath>

namespace brisomar {

namespace {

// One axis of a record's calibration as degrees at pixels, north (west) edge first.
struct AxisPoints {
    std::vector<std::pair<long double, long double>> points; // degrees, pixel

    long double first() const { return points.front().first; }
    long double last() const { return points.back().first; }
    long double lowDegrees() const { return std::min(first(), last()); }
    long double highDegrees() const { return std::max(first(), last()); }

    // Straight between the points, and on along the outer segments beyond them.
    long double pixelOf(long double degrees) const {
        std::size_t i = 1;
        while (i + 1 < points.size() && degrees < points[i].first)
            ++i;
        return along(points[i - 1], points[i], degrees, true);
    }
    long double degreesOf(long double pixel) const {
        std::size_t i = 1;
        while (i + 1 < points.size() && pixel > points[i].second)
            ++i;
        return along(points[i - 1], points[i], pixel, false);
    }
    // Pixels a degree on the outer segment nearer `degrees`.
    long double slopeAt(long double degrees) const {
        const bool north = std::fabs(degrees - first()) < std::fabs(degrees - last());
        const auto& a = north ? points[0] : points[points.size() - 2];
        const auto& b = north ? points[1] : points.back();
        return (b.second - a.second) / (b.first - a.first);
    }

private:
    static long double along(std::pair<long double, long double> a,
                             std::pair<long double, long double> b, long double value,
                             bool fromDegrees) {
        const auto [from0, to0] = fromDegrees ? a : std::pair{a.second, a.first};
        const auto [from1, to1] = fromDegrees ? b : std::pair{b.second, b.first};
        return to0 + (value - from0) * (to1 - to0) / (from1 - from0);
    }
};

// The edges and the intermediate points in use: both of the first two, and on until a point
// is unused. Nothing when the edges do not fall from the first to the last.
std::optional<AxisPoints> axisPoints(const std::array<Real48, 7>& degrees,
                                     const std::array<std::int32_t, 7>& pixels,
                                     long double shift = 0) {
    AxisPoints axis;
    axis.points.emplace_back(degrees[0].value() + shift, pixels[0]);
    if (!degrees[1].isZero() && !degrees[2].isZero())
        for (int k = 1; k <= 5 && !degrees[k].isZero() && pixels[k] > 0; ++k)
            axis.points.emplace_back(degrees[k].value() + shift, pixels[k]);
    axis.points.emplace_back(degrees[6].value() + shift, pixels[6]);
    for (std::size_t i = 1; i < axis.points.size(); ++i)
        if (!(axis.points[i].first < axis.points[i - 1].first &&
              axis.points[i].second > axis.points[i - 1].second))
            return std::nullopt;
    return axis;
}

std::optional<AxisPoints> latitudes(const MapRecord& r) {
    return axisPoints(r.CalLat, r.CalRow);
}
std::optional<AxisPoints> longitudes(const MapRecord& r, long double shift = 0) {
    return axisPoints(r.CalLon, r.CalCol, shift);
}

constexpr long double touching = 1e-7L; // degrees: edges this close touch

bool meet(const AxisPoints& a, const AxisPoints& b) {
    return b.lowDegrees() <= a.highDegrees() + touching &&
           b.highDegrees() >= a.lowDegrees() - touching;
}

// Where the piece's pixels go among those of the chart in use, from where both calibrations
// agree: the ends of their common stretch, or where they touch, the edge and the ratio of
// their scales there. A placement that stays within half a pixel of a plain shift is one.
AxisPlacement placement(const AxisPoints& inUse, const AxisPoints& piece) {
    const long double low = std::max(inUse.lowDegrees(), piece.lowDegrees());
    const long double high = std::min(inUse.highDegrees(), piece.highDegrees());
    AxisPlacement p;
    if (std::fabs(piece.pixelOf(high) - piece.pixelOf(low)) >= 2) {
        p.scale =
            (inUse.pixelOf(high) - inUse.pixelOf(low)) / (piece.pixelOf(high) - piece.pixelOf(low));
        p.offset = inUse.pixelOf(low) - p.scale * piece.pixelOf(low);
    } else {
        const long double edge = (low + high) / 2;
        p.scale = inUse.slopeAt(edge) / piece.slopeAt(edge);
        p.offset = inUse.pixelOf(edge) - p.scale * piece.pixelOf(edge);
    }
    const long double extent = piece.points.back().second;
    if (std::fabs(p.scale - 1) * extent < 0.5L)
        p = {1, std::round(p.offset + (p.scale - 1) * extent / 2)};
    return p;
}

long double degreesPerRow(const AxisPoints& lat) {
    return (lat.first() - lat.last()) / (lat.points.back().second - lat.points.front().second);
}

bool withinScale(long double a, long double b) {
    return a <= b * quiltScaleRange && b <= a * quiltScaleRange;
}

} // namespace

long double QuiltPiece::column(long double lon, const MapRecord& r) const {
    return longitudes(r, lonShift)->pixelOf(lon);
}

long double QuiltPiece::row(long double lat, const MapRecord& r) const {
    return latitudes(r)->pixelOf(lat);
}

std::vector<QuiltPiece> quiltAround(const MapTable& table, int selected) {
    const MapRecord& own = table[selected - 1];
    const auto ownLat = latitudes(own);
    const auto ownLon = longitudes(own);
    if (own.FileName.empty() || !ownLat || !ownLon)
        return {};
    std::vector<QuiltPiece> quilt{{selected, {}, {}, 0, degreesPerRow(*ownLat)}};
    for (int n = 1; n <= static_cast<int>(table.size()); ++n) {
        const MapRecord& r = table[n - 1];
        const auto lat = latitudes(r);
        if (n == selected || r.FileName.empty() || !lat || !meet(*ownLat, *lat) ||
            !withinScale(degreesPerRow(*lat), quilt.front().degreesPerRow))
            continue;
        for (const long double shift : {0.0L, 360.0L, -360.0L})
            if (const auto lon = longitudes(r, shift); lon && meet(*ownLon, *lon)) {
                quilt.push_back({n, placement(*ownLon, *lon), placement(*ownLat, *lat), shift,
                                 degreesPerRow(*lat)});
                break;
            }
    }
    std::stable_sort(quilt.begin(), quilt.end(), [selected](const auto& a, const auto& b) {
        if (a.degreesPerRow != b.degreesPerRow)
            return a.degreesPerRow > b.degreesPerRow;
        return b.record == selected && a.record != selected;
    });
    return quilt;
}

namespace {

// Whether the piece's own area holds the position (longitude as the piece counts it).
bool holds(const QuiltPiece& piece, const MapRecord& r, long double lat, long double lon) {
    const auto lats = latitudes(r);
    const auto lons = longitudes(r, piece.lonShift);
    return lats && lons && lats->lowDegrees() < lat && lat < lats->highDegrees() &&
           lons->lowDegrees() < lon && lon < lons->highDegrees();
}

// The piece's longitude for a position: shifted by 360° across the 180° meridian.
long double pieceLongitude(const QuiltPiece& piece, long double lon) {
    return piece.lonShift == 0 ? lon : lon + (lon * piece.lonShift < 0 ? piece.lonShift : 0);
}

bool inBitmap(const MapRecord& r, long double column, long double row) {
    return column >= r.col(1) && column < r.col(7) && row >= r.row(1) && row < r.row(7);
}

} // namespace

std::optional<PixelPoint> viewPixel(ChartState& chart, Real48 lat, Real48 lon) {
    if (onChartInUse(chart, lat, lon))
        return chart.Zoom.toView({LonToChartX(chart, lon), LatToChartY(chart, lat)});
    for (auto piece = chart.Quilt.rbegin(); piece != chart.Quilt.rend(); ++piece) {
        const MapRecord& r = chart.Table[piece->record - 1];
        const long double pieceLon = pieceLongitude(*piece, lon.value());
        if (piece->record == chart.MapIndex || !holds(*piece, r, lat.value(), pieceLon))
            continue;
        const long double x = piece->columns.place(piece->column(pieceLon, r));
        const long double y = piece->rows.place(piece->row(lat.value(), r));
        return chart.Zoom.toView(
            {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))});
    }
    return std::nullopt;
}

std::optional<PixelPoint> sameSpot(const std::vector<QuiltPiece>& before,
                                   const ChartZoom& zoomBefore, PixelPoint view, int record,
                                   const ChartZoom& zoomAfter) {
    for (const QuiltPiece& piece : before)
        if (piece.record == record) {
            const PixelPoint at = zoomBefore.toChart(view);
            return zoomAfter.toView({static_cast<int>(std::floor(piece.columns.back(at.x))),
                                     static_cast<int>(std::floor(piece.rows.back(at.y)))});
        }
    return std::nullopt;
}

QuiltPosition positionAt(const ChartState& chart, PixelPoint view) {
    const PixelPoint at = chart.Zoom.toChart(view);
    if (!inBitmap(chart.record(), at.x, at.y))
        for (auto piece = chart.Quilt.rbegin(); piece != chart.Quilt.rend(); ++piece) {
            const MapRecord& r = chart.Table[piece->record - 1];
            const long double column = piece->columns.back(at.x + 0.5L);
            const long double row = piece->rows.back(at.y + 0.5L);
            if (piece->record == chart.MapIndex || !inBitmap(r, column, row))
                continue;
            return {Real48(latitudes(r)->degreesOf(row)), Real48(longitudes(r)->degreesOf(column))};
        }
    return {ChartYToLat(chart, at.y), ChartXToLon(chart, at.x)};
}

} // namespace brisomar
