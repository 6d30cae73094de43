#pragma once

#include "base/file_system.h"
#include "charts/chart_surface.h"
#include "charts/mouse_tools.h"
#include "records/logbook.h"
#include "records/waypoint_route.h"

#include <optional>

namespace brisomar {

// What switching the chart window's mode reaches: the chart state with its crosses and tracks,
// the chart window's picture, what the modes draw on it, and the tool windows.
struct ChartModeContext {
    ChartState& chart;
    ChartSurface& picture;
    const WaypointRoute& route;
    const Logbook& logbook;
    FileSystem& files;
    ChartToolWindows& windows;
};

// A click on the Mode menu's item for `item` (not None): switches that mode on, or off (no mode)
// when it is on; the menu's check marks follow chart.ChartMode. Leaving show-position takes the
// crosses off both pictures. The search result and waypoint windows close before show-position,
// show track and show log-file, and after switching off the three modes that use them.
void switchChartMode(const ChartModeContext& context, ChartWindowMode item);

// How long the chart leaves the view where the sailor scrolled it, seconds.
inline constexpr double handScrollRespiteSeconds = 60;

// Where the view's top-left corner goes (in chart pixels) to bring the boat's cross back to its
// middle: only while following the boat, with the cross out of the visible part of the chart
// and the sailor's last scrolling by hand more than a minute ago. Clamped to the chart.
std::optional<PixelPoint> followBoatCorner(bool followBoat, const PixelRect& visible,
                                           PixelPoint boat, int chartWidth, int chartHeight,
                                           double secondsSinceHandScroll);

} // namespace brisomar
