#include "charts/chart_mode.h"

#include "charts/chart_marks.h"

#include <algorithm>

namespace brisomar {

namespace {

void hideSearchWindows(ChartToolWindows& windows) {
    windows.hideToolWindow(ToolWindow::SearchResult);
    windows.hideToolWindow(ToolWindow::Waypoints);
}

bool hidesSearchWindowsFirst(ChartWindowMode item) {
    return item == ChartWindowMode::ShowPosition || item == ChartWindowMode::ShowTrack ||
           item == ChartWindowMode::ShowLogFile;
}

bool hidesSearchWindowsWhenOff(ChartWindowMode item) {
    return item == ChartWindowMode::ShowWaypoints || item == ChartWindowMode::SearchOptimum ||
           item == ChartWindowMode::SetWaypoints;
}

void leaveShowPosition(const ChartModeContext& c) {
    c.chart.ChartTrack.erasePosition(c.picture);
    if (c.windows.visible(ToolWindow::Detail))
        c.windows.eraseDetailPosition();
}

void switchOn(const ChartModeContext& c, ChartWindowMode item) {
    ChartState& chart = c.chart;
    chart.ChartMode = item;
    switch (item) {
    case ChartWindowMode::ShowPosition:
        chart.ChartTrack.LastX = chart.ChartTrack.LastY = 0;
        break;
    case ChartWindowMode::ShowTrack:
        chart.ChartTrack.TrackRestart = chart.DetailTrack.TrackRestart = true;
        break;
    case ChartWindowMode::ShowWaypoints:
        if (chart.ChartUsable && drawWaypointsMostlyOutside(c.picture, chart, c.route))
            c.windows.information("Over 50% outside this map!");
        break;
    case ChartWindowMode::ShowLogFile:
        if (chart.ChartUsable && !drawLogPositions(c.picture, chart, c.logbook, c.files))
            c.windows.information("Wrong logfilename or recordnr (0<From<To).");
        break;
    case ChartWindowMode::SearchOptimum:
        if (!c.windows.visible(ToolWindow::SearchResult)) {
            c.windows.showToolWindow(ToolWindow::SearchResult);
            c.windows.showToolWindow(ToolWindow::Waypoints);
        }
        break;
    case ChartWindowMode::SetWaypoints:
        if (!c.windows.visible(ToolWindow::Waypoints))
            c.windows.showToolWindow(ToolWindow::Waypoints);
        break;
    case ChartWindowMode::None:
        break;
    }
}

} // namespace

// The check marks mirror ChartMode: the item was checked exactly when its mode is the current.
void switchChartMode(const ChartModeContext& c, ChartWindowMode item) {
    ChartState& chart = c.chart;
    const bool positionWasShown = chart.ChartMode == ChartWindowMode::ShowPosition;
    const bool switchingOn = chart.ChartMode != item;
    // The cross of the other modes comes back on the next tick, over what the new mode draws.
    takeCrossOff(c.picture, chart.ChartCross);
    if (hidesSearchWindowsFirst(item))
        hideSearchWindows(c.windows);
    if (item == ChartWindowMode::ShowPosition)
        chart.ChartDrawEnabled = true;
    if (positionWasShown)
        leaveShowPosition(c);
    if (switchingOn) {
        switchOn(c, item);
    } else {
        chart.ChartMode = ChartWindowMode::None;
        if (hidesSearchWindowsWhenOff(item))
            hideSearchWindows(c.windows);
    }
}

} // namespace brisomar

namespace brisomar {

std::optional<PixelPoint> followBoatCorner(bool followBoat, const PixelRect& visible,
                                           PixelPoint boat, int chartWidth, int chartHeight,
                                           double secondsSinceHandScroll) {
    const bool inSight = boat.x >= visible.Left && boat.x <= visible.Right &&
                         boat.y >= visible.Top && boat.y <= visible.Bottom;
    if (!followBoat || inSight || secondsSinceHandScroll < handScrollRespiteSeconds)
        return std::nullopt;
    const int width = visible.Right - visible.Left + 1, height = visible.Bottom - visible.Top + 1;
    return PixelPoint{std::clamp(boat.x - width / 2, 0, std::max(0, chartWidth - width)),
                      std::clamp(boat.y - height / 2, 0, std::max(0, chartHeight - height))};
}

} // namespace brisomar
