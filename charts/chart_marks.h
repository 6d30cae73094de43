#pragma once

#include "base/file_system.h"
#include "base/nav_state.h"
#include "charts/chart_settings.h"
#include "charts/chart_surface.h"
#include "records/logbook.h"
#include "records/waypoint_route.h"

#include <array>
#include <functional>
#include <unordered_map>
#include <vector>

namespace brisomar {

// Paints pixels over the picture into `spots`, keeping the colour under each the first time it
// is painted, so that erasing them gives the picture back.
class SpotPainter {
public:
    SpotPainter(ChartSurface& surface, std::vector<RouteOverlay::Spot>& spots);
    void paint(PixelPoint p, Rgb colour);

private:
    ChartSurface& surface_;
    std::vector<RouteOverlay::Spot>& spots_;
    std::unordered_map<long long, std::size_t> index_;
};

// The track pen of the settings.
Pen trackPen(const ChartSettings& settings);

// The chart window's steps for the position in use; nothing while it is off the chart.
void DrawPosition(ChartSurface& surface, ChartState& chart, const NavState& nav,
                  PositionTrack& steps, ChartSettings& settings);
void DrawTrack(ChartSurface& surface, ChartState& chart, const NavState& nav, PositionTrack& steps,
               const ChartSettings& settings);

// Draws the track kept in `steps` anew (after a change of zoom), leaving its last point as the
// track's last step.
void redrawTrack(ChartSurface& surface, ChartState& chart, PositionTrack& steps,
                 const ChartSettings& settings);

// Runs `draw` with the cross of `steps` taken off, then puts the cross back as it was, over what
// was drawn, its saved pixels now those under it.
void drawUnderCross(ChartSurface& surface, PositionTrack& steps, const std::function<void()>& draw);

// Takes the cross off the picture for good; the next position step draws it afresh.
void takeCrossOff(ChartSurface& surface, PositionTrack& steps);

// The route over the chart, drawn anew under the cross `steps` when a waypoint, the active one or
// the boat's pixel changed: the marks of the waypoints on the chart, solid lines between
// consecutive ones and a dashed line from the boat to the active waypoint (until the route is
// done), each where both ends lie on the chart. Converts the boat's position last.
void updateRouteOverlay(ChartSurface& surface, ChartState& chart, const WaypointRoute& route,
                        const NavState& nav, PositionTrack& steps);

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
std::array<PixelPoint, 9> waypointMarkPixels(int x, int y);
void drawWaypointMark(ChartSurface& surface, int x, int y);
// The mark of a waypoint set by a click at view pixel `view`, drawn as part of the route there;
// the route keeps drawing it at that chart pixel, whatever the zoom.
void markClickedWaypoint(ChartSurface& surface, ChartState& chart, const TWaypoint& waypoint,
                         PixelPoint view);
// The mark at the waypoint's view pixel when it lies on the chart or the quilt around it.
WaypointMark DrawWaypoint(ChartSurface& surface, ChartState& chart, const TWaypoint& waypoint);

// Draws the route up to its first 0/0 entry; gives whether fewer were on the chart than off it.
bool drawWaypointsMostlyOutside(ChartSurface& surface, ChartState& chart,
                                const WaypointRoute& route);

// Draws records LogShowFrom..LogShowTo of the viewed log file as black plus marks; false when
// the file is missing or the range is not 0 < From < To.
bool drawLogPositions(ChartSurface& surface, ChartState& chart, const Logbook& log,
                      FileSystem& files);

} // namespace brisomar
