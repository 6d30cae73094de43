#pragma once

#include "base/file_system.h"
#include "base/nav_state.h"
#include "charts/chart_settings.h"
#include "charts/chart_surface.h"
#include "records/logbook.h"
#include "records/waypoint_route.h"

namespace brisomar {

// The track pen of the settings.
Pen trackPen(const ChartSettings& settings);

// The chart window's steps for the position in use; nothing while it is off the chart.
void DrawPosition(ChartSurface& surface, ChartState& chart, const NavState& nav,
                  PositionTrack& steps, ChartSettings& settings);
void DrawTrack(ChartSurface& surface, ChartState& chart, const NavState& nav, PositionTrack& steps,
               const ChartSettings& settings);

// The detail window's steps, from the ratios the chart window's conversion of the position
// left; when the position cannot be drawn there, PosOutsideDetailChart is set.
void detailPositionStep(ChartSurface& surface, const ChartState& chart, NavState& nav,
                        PositionTrack& steps, ChartSettings& settings);
void detailTrackStep(ChartSurface& surface, const ChartState& chart, NavState& nav,
                     PositionTrack& steps, const ChartSettings& settings);

struct WaypointMark {
    bool shown = false;
    int x = 0, y = 0;
};
// The waypoint mark: nine red pixels, at (x, y) and around it.
void drawWaypointMark(ChartSurface& surface, int x, int y);
// The mark at the waypoint's pixel when it lies on the chart.
WaypointMark DrawWaypoint(ChartSurface& surface, ChartState& chart, const TWaypoint& waypoint);

// Draws the route up to its first 0/0 entry; gives whether fewer were on the chart than off it.
bool drawWaypointsMostlyOutside(ChartSurface& surface, ChartState& chart,
                                const WaypointRoute& route);

// Draws records LogShowFrom..LogShowTo of the viewed log file as black plus marks; false when
// the file is missing or the range is not 0 < From < To.
bool drawLogPositions(ChartSurface& surface, ChartState& chart, const Logbook& log,
                      FileSystem& files);

} // namespace brisomar
