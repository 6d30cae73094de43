#pragma once

#include <string>

namespace brisomar {

struct PixelPoint {
    int x = 0, y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// How the chart window shows the chart: chart pixels (the bitmap's own, in which the chart in
// use is calibrated) become view pixels (those of the picture on screen, marks and mouse
// included) enlarged or reduced by a power of two. `origin` is the chart pixel at the view's
// top-left: negative where neighbouring charts lie west or north of the chart in use.
// Reduced, a view pixel stands for the middle of the chart pixels it covers.
struct ChartZoom {
    static constexpr int minStep = -4; // 1/16
    static constexpr int maxStep = 2;  // 4 times

    int step = 0;
    PixelPoint origin;

    // How many view pixels a chart pixel spans (enlarged) or chart pixels a view pixel covers.
    int factor() const { return 1 << (step < 0 ? -step : step); }

    PixelPoint toView(PixelPoint chart) const;
    PixelPoint toChart(PixelPoint view) const;
    // The view length of `chartLength` chart pixels, at least one pixel.
    int viewLength(int chartLength) const;

    // The scale as the window's status shows it: "1:1", "1:4" (reduced), "2:1" (enlarged).
    std::string scaleText() const;

    friend bool operator==(const ChartZoom&, const ChartZoom&) = default;
};

// Where the view's top-left goes at zoom `to` so that the chart pixel under `cursor` (a point of
// the window's client area, which shows the view from `scroll` on at zoom `from`) stays under it.
PixelPoint scrollKeeping(PixelPoint scroll, PixelPoint cursor, const ChartZoom& from,
                         const ChartZoom& to);

} // namespace brisomar
