#pragma once

#include "app/file_system.h"
#include "app/nav_state.h"
#include "charts/chart_settings.h"
#include "charts/chart_surface.h"
#include "records/logbook.h"
#include "records/waypoint_route.h"

#include <array>

namespace brisomar {

// The boat's position cross: two arms of 2 x MarkSize + 1 pixels (at most 23), three pixels
// thick when MarkWidth is 3. It is drawn black into the picture and erased by writing back the
// colours saved from under it, so it never needs the chart repainted.
class PositionMark {
public:
    static constexpr int maxArm = 23;

    int MarkSize = 11;
    int MarkWidth = 3;
    bool BlinkPhase = false;

    void SaveMarkPixels(const ChartSurface& surface, int x, int y);
    void RestoreMarkPixels(ChartSurface& surface, int x, int y) const;
    void DrawMark(ChartSurface& surface, int x, int y) const;
    // Off on one call, on on the next: the cross shows every other tick.
    void BlinkMark(ChartSurface& surface, int x, int y);

private:
    template <typename Visit> void forEachArmPixel(int x, int y, Visit visit) const;

    std::array<Rgb, maxArm * 3> savedHorizontal_{}, savedVertical_{};
};

// The position and track steps of one chart window: the cross where the boat is, or a track
// line to it. (0, 0) stands for no last point.
class PositionTrack {
public:
    PositionMark mark;
    int LastX = 0, LastY = 0;
    bool TrackRestart = false;

    bool hasLast() const { return LastY > 0 || LastX > 0; }

    // Moves the cross to (x, y) and blinks it; takes new cross settings when `settingsChanged`.
    void positionStep(ChartSurface& surface, int x, int y, bool& settingsChanged,
                      const ChartSettings& settings);
    // Extends the track to (x, y) if the boat has moved to another pixel.
    void trackStep(ChartSurface& surface, int x, int y, const ChartSettings& settings);
    // Leaves show-position: erases the cross.
    void erasePosition(ChartSurface& surface) const;
};

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
