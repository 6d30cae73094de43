#pragma once

#include "base/nav_state.h"
#include "charts/chart_marks.h"
#include "charts/chart_surface.h"
#include "navcalc/accumulators.h"
#include "navcalc/optimum_search.h"
#include "navcalc/sailing.h"
#include "records/waypoint_route.h"

#include <functional>
#include <string>
#include <tuple>

namespace brisomar {

// The tool windows the chart's mouse tools and modes work with; a tool is on while its window is
// visible. SearchResult is the optimum search's window, Detail the detail window.
enum class ToolWindow { Distance, SailTime, Evaluate, Position, Waypoints, SearchResult, Detail };

// What the mouse tools and the modes reach outside the chart: the tool windows, messages and the
// detail window.
class ChartToolWindows {
public:
    virtual ~ChartToolWindows() = default;
    virtual bool visible(ToolWindow window) const = 0;
    virtual void showToolWindow(ToolWindow window) = 0; // non-modally, on top
    virtual void hideToolWindow(ToolWindow window) = 0;
    virtual void showMeasureThis(ToolWindow window, const std::string& text) = 0;
    virtual void accumulate(ToolWindow window) = 0; // "Add" of an accumulator window
    virtual void showGeoDir(Real48 course) = 0;
    virtual void showMousePosition(const std::string& text) = 0;
    virtual void ShowWaypoint(int n) = 0;
    virtual void showCruisePoint(const CruisePointFigures& figures) = 0;
    virtual void information(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0; // an information box with Yes and No
    virtual void showDetail() = 0;          // shows the detail window and paints its region
    virtual void eraseDetailPosition() = 0; // the detail window's cross comes off its picture
};

// Everything the tools read and write.
struct ChartToolContext {
    ChartState& chart;
    WaypointRoute& route;
    ToolValues& tools;
    SailingValues& sailing;
    const BoatTables& tables;
    const NavState& nav;
    ChartSurface& picture;
    ChartToolWindows& windows;
    char decimalSeparator = '.';
};

enum class MouseButton { Left, Right };

// Where the chart window's client area lies over the image, for the detail rectangle's edge.
struct ClientArea {
    int offsetX = 0, offsetY = 0; // image pixel at the client's top-left
    int width = 0, height = 0;
};

// The chart's mouse tools: measuring drag, mouse position, detail rectangle, setting
// waypoints, leg course and the optimum cruise-point search. Temporary figures are drawn with
// an inverting pen, so drawing one again erases it.
class ChartMouseTools {
public:
    static constexpr int edgeMargin = 5;

    explicit ChartMouseTools(ChartToolContext context) : c_(context) {}

    void press(MouseButton button, int x, int y);
    void move(int x, int y, const ClientArea& client);
    void release(MouseButton button, int x, int y);
    // Runs `draw` (the timer's route and cross) with the figure being dragged taken off, then
    // puts the figure back, so the drawing neither saves nor keeps any of its inverted pixels.
    void drawUnderDragFigures(const std::function<void()>& draw);
    // The picture was drawn afresh (another zoom): the figures being dragged went with it.
    void forgetDrags();

    int MouseDownX = 0, MouseDownY = 0, MouseLastX = 0, MouseLastY = 0;
    Real48 MouseLat, MouseLon;
    int MouseMoveCount = 0;
    bool RectDragActive = false, MeasureDragActive = false, LegDragActive = false,
         SearchDragActive = false;

private:
    struct Leg {
        Real48 dist, dir, minutes;
    };
    Leg legValues(Real48 lat1, Real48 lon1, Real48 lat2, Real48 lon2);
    void positionOf(int x, int y, Real48& lat, Real48& lon) const;
    void invertLine(int x1, int y1, int x2, int y2);
    void invertRectangle(int x1, int y1, int x2, int y2);
    void invertDragFigures();
    void searchLines(int x, int y);
    void startLegDrag(int x, int y);
    void setWaypoint(int x, int y);
    void startSearch(int x, int y);
    void startMeasure(int x, int y);
    void showMeasure();
    void showSearchFigures(Real48 lat, Real48 lon);
    void releaseSearch();
    void releaseMeasure(int x, int y);
    void releaseRectangle(int x, int y);
    void showGeoDir();
    bool mode(ChartWindowMode m) const { return c_.chart.ChartMode == m; }

    ChartToolContext c_;
    Real48 dragStartLat_, dragStartLon_;
    Real48 legFromLat_, legFromLon_;
    int legFromX_ = 0, legFromY_ = 0;
    TWaypoint searchA_, searchB_; // waypoints i and i + 1 as the search began
    int searchAX_ = 0, searchAY_ = 0, searchBX_ = 0, searchBY_ = 0;
};

} // namespace brisomar
