#include "charts/mouse_tools.h"

#include "base/coord_text.h"
#include "base/number_text.h"
#include "charts/chart_geometry.h"
#include "charts/chart_quilt.h"
#include "navcalc/navigation_math.h"

#include <algorithm>

namespace brisomar {

namespace {

const Pen rubberPen{1, PenStyle::Solid, black, true};

} // namespace

void ChartMouseTools::positionOf(int x, int y, Real48& lat, Real48& lon) const {
    const QuiltPosition at = positionAt(c_.chart, {x, y});
    lat = at.lat;
    lon = at.lon;
}

ChartMouseTools::Leg ChartMouseTools::legValues(Real48 lat1, Real48 lon1, Real48 lat2,
                                                Real48 lon2) {
    Leg leg;
    leg.dist = DistanceNm(lat1, lon1, lat2, lon2);
    leg.dir = CourseBetween(lat1, lon1, lat2, lon2);
    const Real48 speed =
        SpeedAlongCourse(c_.sailing, c_.tables, c_.nav, c_.tools.ChartCourse, leg.dir);
    leg.minutes = Real48(leg.dist * 60 / speed);
    return leg;
}

// Drawing the same line again inverts the same pixels back.
void ChartMouseTools::invertLine(int x1, int y1, int x2, int y2) {
    c_.picture.line({x1, y1}, {x2, y2}, rubberPen);
}

// From the press corner along its row, down the last column, back along the last row, up.
void ChartMouseTools::invertRectangle(int x1, int y1, int x2, int y2) {
    c_.picture.line({x1, y1}, {x2, y1}, rubberPen);
    c_.picture.line({x2, y1}, {x2, y2}, rubberPen);
    c_.picture.line({x2, y2}, {x1, y2}, rubberPen);
    c_.picture.line({x1, y2}, {x1, y1}, rubberPen);
}

void ChartMouseTools::searchLines(int x, int y) {
    invertLine(x, y, searchAX_, searchAY_);
    invertLine(x, y, searchBX_, searchBY_);
}

void ChartMouseTools::showGeoDir() {
    if (c_.windows.visible(ToolWindow::Evaluate))
        c_.windows.showGeoDir(c_.tools.ChartCourse);
}

void ChartMouseTools::press(MouseButton button, int x, int y) {
    if (!c_.chart.ChartUsable)
        return;
    MouseMoveCount = 0;
    MouseDownX = MouseLastX = x;
    MouseDownY = MouseLastY = y;
    const bool waypointsShown = c_.windows.visible(ToolWindow::Waypoints);
    const bool evaluateShown = c_.windows.visible(ToolWindow::Evaluate);
    if (button == MouseButton::Right) {
        if (!mode(ChartWindowMode::SetWaypoints)) {
            RectDragActive = true;
            c_.chart.ChartDrawEnabled = false;
        } else if (evaluateShown) {
            startLegDrag(x, y);
        }
        return;
    }
    if (waypointsShown && mode(ChartWindowMode::SearchOptimum))
        startSearch(x, y);
    if (waypointsShown && mode(ChartWindowMode::SetWaypoints))
        setWaypoint(x, y);
    if (!mode(ChartWindowMode::SearchOptimum) && !mode(ChartWindowMode::SetWaypoints) &&
        (c_.windows.visible(ToolWindow::Distance) || c_.windows.visible(ToolWindow::SailTime)))
        startMeasure(x, y);
    if (mode(ChartWindowMode::SetWaypoints) && evaluateShown)
        startLegDrag(x, y);
}

void ChartMouseTools::startLegDrag(int x, int y) {
    if (c_.route.WaypointIndex < 1)
        return;
    LegDragActive = true;
    const TWaypoint& from = c_.route[c_.route.WaypointIndex];
    legFromLat_ = from.Lat;
    legFromLon_ = from.Lon;
    const PixelPoint at = viewPixel(c_.chart, from.Lat, from.Lon)
                              .value_or(c_.chart.Zoom.toView({LonToChartX(c_.chart, from.Lon),
                                                              LatToChartY(c_.chart, from.Lat)}));
    legFromX_ = at.x;
    legFromY_ = at.y;
    invertLine(legFromX_, legFromY_, x, y);
}

// Overwrites the entry after the current one: a click at waypoint 100 replaces it.
void ChartMouseTools::setWaypoint(int x, int y) {
    WaypointRoute& route = c_.route;
    Real48 lat, lon;
    positionOf(x, y, lat, lon);
    if (route.WaypointIndex == 0) {
        route.WaypointIndex = 1;
        route[1] = {lat, lon, {}, {}, {}};
        c_.tools.ChartCourse = Real48();
    } else {
        route.WaypointIndex = std::min(route.WaypointIndex + 1, maxWaypoints);
        const TWaypoint& previous = route[route.WaypointIndex - 1];
        const Leg leg = legValues(previous.Lat, previous.Lon, lat, lon);
        route[route.WaypointIndex] = {lat, lon, leg.dist, leg.dir, leg.minutes};
        c_.tools.ChartCourse = leg.dir;
    }
    route.WaypointCount = std::max(route.WaypointCount, route.WaypointIndex);
    route.sailFirstOfNewRoute();
    c_.windows.ShowWaypoint(route.WaypointIndex);
    markClickedWaypoint(c_.picture, c_.chart, route[route.WaypointIndex], {x, y});
    if (c_.windows.visible(ToolWindow::Evaluate))
        c_.windows.showGeoDir(c_.tools.ChartCourse);
}

void ChartMouseTools::startSearch(int x, int y) {
    const WaypointRoute& route = c_.route;
    const int i = route.WaypointIndex;
    if (!(0 < i && i < maxWaypoints && route.WaypointCount < maxWaypoints)) {
        c_.windows.information("Error array full or wrong selection!");
        return;
    }
    if (route[i].isEnd() || route[i + 1].isEnd()) {
        c_.windows.information("Error in selected waypoints!");
        return;
    }
    SearchDragActive = true;
    searchA_ = route[i];
    searchB_ = route[i + 1];
    for (const auto& [waypoint, px, py] : {std::tuple{&searchA_, &searchAX_, &searchAY_},
                                           std::tuple{&searchB_, &searchBX_, &searchBY_}}) {
        const WaypointMark mark = DrawWaypoint(c_.picture, c_.chart, *waypoint);
        if (!mark.shown) {
            SearchDragActive = false;
            c_.windows.information("Selected waypoint outside map!");
        } else {
            *px = mark.x;
            *py = mark.y;
        }
    }
    if (SearchDragActive)
        searchLines(x, y);
}

// Each figure as the last move drew it: inverting it again takes it off, or puts it back.
void ChartMouseTools::invertDragFigures() {
    if (SearchDragActive && mode(ChartWindowMode::SearchOptimum))
        searchLines(MouseLastX, MouseLastY);
    if (RectDragActive)
        invertRectangle(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
    if (MeasureDragActive)
        invertLine(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
    if (LegDragActive)
        invertLine(legFromX_, legFromY_, MouseLastX, MouseLastY);
}

void ChartMouseTools::drawUnderDragFigures(const std::function<void()>& draw) {
    invertDragFigures();
    draw();
    invertDragFigures();
}

void ChartMouseTools::forgetDrags() {
    RectDragActive = MeasureDragActive = LegDragActive = SearchDragActive = false;
    c_.chart.ChartDrawEnabled = true;
}

void ChartMouseTools::startMeasure(int x, int y) {
    MeasureDragActive = true;
    positionOf(x, y, dragStartLat_, dragStartLon_);
    c_.tools.ChartDistanceThis = Real48();
    c_.tools.SailTimeThis = Real48();
    for (const ToolWindow window : {ToolWindow::Distance, ToolWindow::SailTime})
        if (c_.windows.visible(window))
            c_.windows.showMeasureThis(window, "0");
}

void ChartMouseTools::showSearchFigures(Real48 lat, Real48 lon) {
    c_.windows.showCruisePoint(
        evaluateCruisePoint(c_.sailing, c_.tables, c_.nav, c_.tools, searchA_, searchB_, lat, lon));
}

void ChartMouseTools::move(int x, int y, const ClientArea& client) {
    if (!c_.chart.ChartUsable)
        return;
    MouseMoveCount = std::min(MouseMoveCount + 1, 65535);
    positionOf(x, y, MouseLat, MouseLon);
    if (SearchDragActive && mode(ChartWindowMode::SearchOptimum)) {
        searchLines(MouseLastX, MouseLastY);
        searchLines(x, y);
        MouseLastX = x;
        MouseLastY = y;
        showSearchFigures(MouseLat, MouseLon);
        return;
    }
    if (RectDragActive) {
        const int cx = x - client.offsetX, cy = y - client.offsetY;
        if (cx < edgeMargin || cx > client.width - edgeMargin || cy < edgeMargin ||
            cy > client.height - edgeMargin)
            RectDragActive = false;
        invertRectangle(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
        if (RectDragActive)
            invertRectangle(MouseDownX, MouseDownY, x, y);
        else
            c_.chart.ChartDrawEnabled = true;
    }
    if (MeasureDragActive) {
        invertLine(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
        invertLine(MouseDownX, MouseDownY, x, y);
        showMeasure();
    }
    if (LegDragActive) {
        c_.tools.ChartCourse = CourseBetween(legFromLat_, legFromLon_, MouseLat, MouseLon);
        invertLine(legFromX_, legFromY_, MouseLastX, MouseLastY);
        invertLine(legFromX_, legFromY_, x, y);
        showGeoDir();
    }
    MouseLastX = x;
    MouseLastY = y;
    if (c_.windows.visible(ToolWindow::Position))
        c_.windows.showMousePosition(LatToText(MouseLat) + " / " + LonToText(MouseLon));
}

// The leg from the drag's start to the mouse, in the tool values and the tool windows.
void ChartMouseTools::showMeasure() {
    const Leg leg = legValues(dragStartLat_, dragStartLon_, MouseLat, MouseLon);
    c_.tools.ChartDistanceThis = Real48(leg.dist * metresPerNm);
    c_.tools.ChartCourse = leg.dir;
    c_.tools.SailTimeThis = leg.minutes;
    if (c_.windows.visible(ToolWindow::Distance))
        c_.windows.showMeasureThis(ToolWindow::Distance,
                                   distanceThisText(c_.tools, c_.decimalSeparator));
    if (c_.windows.visible(ToolWindow::SailTime))
        c_.windows.showMeasureThis(ToolWindow::SailTime,
                                   sailTimeThisText(c_.tools, c_.decimalSeparator));
}

void ChartMouseTools::release(MouseButton button, int x, int y) {
    if (!c_.chart.ChartUsable)
        return;
    positionOf(x, y, MouseLat, MouseLon);
    if (SearchDragActive && mode(ChartWindowMode::SearchOptimum)) {
        releaseSearch();
        c_.chart.ChartDrawEnabled = true;
        return;
    }
    if (button == MouseButton::Left && MeasureDragActive)
        releaseMeasure(x, y);
    if (LegDragActive) {
        c_.tools.ChartCourse = CourseBetween(legFromLat_, legFromLon_, MouseLat, MouseLon);
        invertLine(legFromX_, legFromY_, MouseLastX, MouseLastY);
        invertLine(legFromX_, legFromY_, x, y); // stays, visible on light and dark alike
        LegDragActive = false;
        showGeoDir();
    }
    if (button == MouseButton::Right && !mode(ChartWindowMode::SetWaypoints) && RectDragActive)
        releaseRectangle(x, y);
    if (MouseMoveCount < 2) {
        const WaypointRoute& route = c_.route;
        const int i = route.WaypointIndex;
        c_.tools.ChartCourse =
            i < 2 ? Real48()
                  : CourseBetween(route[i - 1].Lat, route[i - 1].Lon, route[i].Lat, route[i].Lon);
        showGeoDir();
    }
    c_.chart.ChartDrawEnabled = true;
}

void ChartMouseTools::releaseSearch() {
    searchLines(MouseLastX, MouseLastY);
    const CruisePointFigures figures = evaluateCruisePoint(c_.sailing, c_.tables, c_.nav, c_.tools,
                                                           searchA_, searchB_, MouseLat, MouseLon);
    c_.windows.showCruisePoint(figures);
    SearchDragActive = false;
    if (!c_.windows.askYesNo("Insert new waypoint?"))
        return;
    const int i = c_.route.WaypointIndex;
    if (!c_.route.insertAfter(
            i, {MouseLat, MouseLon, figures.leg1.Dist, figures.leg1.Dir, figures.leg1.Minutes},
            {figures.leg2.Dist, figures.leg2.Dir, figures.leg2.Minutes})) {
        c_.windows.information("The route holds at most 100 points.");
        return;
    }
    c_.windows.ShowWaypoint(i);
}

void ChartMouseTools::releaseMeasure(int x, int y) {
    invertLine(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
    invertLine(MouseDownX, MouseDownY, x, y); // stays, visible on light and dark alike
    MeasureDragActive = false;
    showMeasure();
    if (c_.windows.visible(ToolWindow::Distance) && c_.tools.ChartDistanceAutoAdd)
        c_.windows.accumulate(ToolWindow::Distance);
    if (c_.windows.visible(ToolWindow::SailTime) && c_.tools.SailTimeAutoAdd)
        c_.windows.accumulate(ToolWindow::SailTime);
}

// The detail region between the press and the release, in chart pixels, linear between the
// chart's corners.
void ChartMouseTools::releaseRectangle(int x, int y) {
    invertRectangle(MouseDownX, MouseDownY, MouseLastX, MouseLastY);
    RectDragActive = false;
    ChartState& chart = c_.chart;
    const PixelPoint first = chart.Zoom.toChart({std::min(MouseDownX, x), std::min(MouseDownY, y)});
    const PixelPoint last = chart.Zoom.toChart({std::max(MouseDownX, x), std::max(MouseDownY, y)});
    const int top = first.y, bottom = last.y, left = first.x, right = last.x;
    const long double h = chart.ChartSize.y, w = chart.ChartSize.x;
    const auto lat = [&](int row) {
        return Real48(chart.ChartNWLat - (chart.ChartNWLat - chart.ChartSELat) * row / h);
    };
    const auto lon = [&](int column) {
        return Real48(chart.ChartNWLon - (chart.ChartNWLon - chart.ChartSELon) * column / w);
    };
    chart.DetailNLat = lat(top);
    chart.DetailSLat = lat(bottom);
    chart.DetailWLon = lon(left);
    chart.DetailELon = lon(right);
    chart.DetailRect = {left, top, right, bottom};
    c_.windows.showDetail();
}

} // namespace brisomar
