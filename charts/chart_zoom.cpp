#include "charts/chart_zoom.h"

#include <algorithm>

namespace brisomar {

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

PixelPoint ChartZoom::toView(PixelPoint chart) const {
    const int k = factor();
    const int x = chart.x - origin.x, y = chart.y - origin.y;
    if (step >= 0)
        return {x * k + k / 2, y * k + k / 2};
    return {floorDiv(x, k), floorDiv(y, k)};
}

PixelPoint ChartZoom::toChart(PixelPoint view) const {
    const int k = factor();
    if (step >= 0)
        return {floorDiv(view.x, k) + origin.x, floorDiv(view.y, k) + origin.y};
    return {view.x * k + k / 2 + origin.x, view.y * k + k / 2 + origin.y};
}

int ChartZoom::viewLength(int chartLength) const {
    const int k = factor();
    return step >= 0 ? chartLength * k : std::max(1, (chartLength + k - 1) / k);
}

std::string ChartZoom::scaleText() const {
    const std::string k = std::to_string(factor());
    return step >= 0 ? k + ":1" : "1:" + k;
}

PixelPoint scrollKeeping(PixelPoint scroll, PixelPoint cursor, const ChartZoom& from,
                         const ChartZoom& to) {
    const PixelPoint under = to.toView(from.toChart({scroll.x + cursor.x, scroll.y + cursor.y}));
    return {under.x - cursor.x, under.y - cursor.y};
}

} // namespace brisomar
