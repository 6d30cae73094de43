// The chart's mouse tools as rules: a picture, the program's values and tool windows that only
// record what they are asked, no window at all.
#include "charts/mouse_tools.h"

#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"
#include "charts/fake_tool_windows.h"
#include "navcalc/navigation_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace brisomar {
namespace {

using Mode = ChartWindowMode;
using testing::FakeToolWindows;

// White west of column 50, black from there on: a line drawn in plain black vanishes on the
// dark half.
class HalfDark : public PixelSource {
public:
    int width() const override { return 100; }
    int height() const override { return 100; }
    Rgb pixel(int x, int) const override { return x < 50 ? Rgb{255, 255, 255} : black; }
};

Rgb inverted(Rgb c) {
    return {static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
            static_cast<std::uint8_t>(255 - c.b)};
}

const ClientArea wholeChart{0, 0, 100, 100};

class ChartTools : public ::testing::Test {
protected:
    ChartTools() {
        use(testing::easyRecord("chart.bmp", 100, 100)); // 60..50 N, 10..0 W, 10 px a degree
        chart.ChartMode = Mode::None;
    }

    // Makes `record` the chart in use, as selecting it does.
    void use(const MapRecord& record) {
        chart.Table[0] = record;
        chart.ChartNWLat = record.lat(1);
        chart.ChartSELat = record.lat(7);
        chart.ChartNWLon = record.lon(1);
        chart.ChartSELon = record.lon(7);
        chart.ChartUsable = true;
        chart.ChartSize = {record.col(7), record.row(7)};
        CountCalibrationPoints(chart);
    }
    void click(int x, int y) {
        tools.press(MouseButton::Left, x, y);
        tools.release(MouseButton::Left, x, y);
    }
    void drag(MouseButton button, std::initializer_list<PixelPoint> points) {
        const PixelPoint* p = points.begin();
        tools.press(button, p->x, p->y);
        for (++p; p != points.end(); ++p)
            tools.move(p->x, p->y, wholeChart);
        tools.release(button, (points.end() - 1)->x, (points.end() - 1)->y);
    }
    // Waypoints 1.. at the positions given, the first one current.
    void setRoute(std::initializer_list<std::pair<long double, long double>> points) {
        int n = 0;
        for (const auto& [lat, lon] : points) {
            ++n;
            route[n].Lat = Real48(lat);
            route[n].Lon = Real48(lon);
        }
        route.WaypointCount = n;
        route.WaypointIndex = 1;
    }
    // The pixels of the picture that differ from `other`.
    int differences(const ChartSurface& other) const {
        int changed = 0;
        for (int y = 0; y < base.height(); ++y)
            for (int x = 0; x < base.width(); ++x)
                changed += picture.pixel(x, y) == other.pixel(x, y) ? 0 : 1;
        return changed;
    }
    int changedPixels() const { return differences(ChartSurface(&base)); }

    HalfDark base;
    ChartSurface picture{&base};
    ChartState chart;
    WaypointRoute route;
    ToolValues values;
    SailingValues sailing;
    BoatTables tables;
    NavState nav;
    FakeToolWindows windows;
    ChartMouseTools tools{{chart, route, values, sailing, tables, nav, picture, windows, '.'}};
};

// The final line of a drag inverts what lies under it, so it shows on light and dark alike.
TEST_F(ChartTools, TheFinalLineOfADragIsInverted) {
    struct Case {
        const char* name;
        Mode mode;
        ToolWindow window;
        MouseButton button;
    };
    const Case cases[] = {
        {"measuring drag", Mode::None, ToolWindow::Distance, MouseButton::Left},
        {"leg drag from waypoint 1", Mode::SetWaypoints, ToolWindow::Evaluate, MouseButton::Right},
    };
    route[1] = {Real48(55.0L), Real48(8.0L), {}, {}, {}}; // pixel (20, 50)
    route.WaypointIndex = route.WaypointCount = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        picture.reset(&base);
        chart.ChartMode = c.mode;
        windows.open = {c.window};
        tools.press(c.button, 20, 50);
        tools.move(60, 50, wholeChart);
        tools.release(c.button, 80, 50);
        EXPECT_EQ(changedPixels(), 60); // columns 20 to 79
        for (int x = 20; x < 80; ++x)
            ASSERT_EQ(picture.pixel(x, 50), inverted(base.pixel(x, 50))) << "column " << x;
    }
}

TEST_F(ChartTools, ClicksSetWaypointsWithTheirLegs) {
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Waypoints, ToolWindow::Evaluate};
    click(50, 50);
    EXPECT_EQ(route.WaypointIndex, 1);
    EXPECT_EQ(route[1].Lat, Real48(55.0L));
    EXPECT_EQ(route[1].Lon, Real48(5.0L));
    EXPECT_TRUE(route[1].Dist.isZero() && route[1].Dir.isZero() && route[1].Minutes.isZero());
    EXPECT_EQ(windows.geoDir, Real48());
    click(70, 50);
    EXPECT_EQ(route.WaypointCount, 2);
    EXPECT_EQ(route[2].Dir, Real48(90.0L));
    EXPECT_NEAR(static_cast<double>(route[2].Dist.value()), 2 * 60.108 * 0.5736, 0.05);
    EXPECT_GT(route[2].Minutes.value(), 0);
    EXPECT_EQ(windows.geoDir, Real48(90.0L));
    EXPECT_EQ(windows.shownWaypoints, (std::vector{1, 2}));
    EXPECT_EQ(picture.pixel(73, 50), red);
    click(70, 70);
    EXPECT_EQ(route.WaypointIndex, 3);
    EXPECT_EQ(route.sailing.ActiveWaypoint, 1) << "laying out the route sails to its first";
    windows.open = {ToolWindow::Evaluate}; // without the waypoint window a click sets nothing
    click(90, 50);
    EXPECT_EQ(route.WaypointCount, 3);
}

// Enlarged, a click sets the waypoint of the chart pixel under it; reduced, of the middle of the
// chart pixels under it.
TEST_F(ChartTools, AClickAtAnyZoomSetsTheWaypointOfItsChartPixel) {
    const struct {
        int step, view, chartPixel;
    } cases[] = {{2, 162, 40}, {1, 81, 40}, {0, 40, 40}, {-1, 20, 41}, {-4, 2, 40}};
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Waypoints};
    for (const auto& c : cases) {
        route.WaypointIndex = 0;
        chart.Zoom.step = c.step;
        click(c.view, c.view);
        EXPECT_EQ(route[1].Lat, ChartYToLat(chart, c.chartPixel)) << c.step;
        EXPECT_EQ(route[1].Lon, ChartXToLon(chart, c.chartPixel)) << c.step;
        EXPECT_EQ(chart.Route.clicked.back().x, c.chartPixel);
    }
}

// The entry after the current one is overwritten, not inserted; at waypoint 100 it is 100 itself.
TEST_F(ChartTools, AClickReplacesTheEntryAfterTheCurrentOne) {
    const struct {
        const char* name;
        int count, current, expectedIndex, expectedCount;
    } cases[] = {{"empty list", 0, 0, 1, 1},
                 {"inner waypoint 3 of 5", 5, 3, 4, 5},
                 {"last waypoint 5 of 5", 5, 5, 6, 6},
                 {"waypoint 100", 100, 100, 100, 100}};
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Waypoints};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        route.ClearWaypoints();
        for (int n = 1; n <= c.count; ++n)
            route[n] = {Real48(51.0L + n / 100.0L), Real48(8.0L), Real48(1.0L), Real48(7.0L), {}};
        route.WaypointCount = c.count;
        route.WaypointIndex = route.sailing.ActiveWaypoint = c.current;
        click(80, 20); // 58 N 2 W
        EXPECT_EQ(route.WaypointIndex, c.expectedIndex);
        EXPECT_EQ(route.sailing.ActiveWaypoint, std::max(c.current, 1));
        EXPECT_EQ(route.WaypointCount, c.expectedCount);
        EXPECT_EQ(route[c.expectedIndex].Lat, Real48(58.0L));
        EXPECT_EQ(route[c.expectedIndex].Lon, Real48(2.0L));
        if (c.expectedIndex < c.count) { // the one after keeps its old leg
            EXPECT_EQ(route[c.expectedIndex + 1].Dir, Real48(7.0L));
        }
    }
}

TEST_F(ChartTools, AMeasuringDragShowsDistanceAndTimeAndLeavesOnlyItsLine) {
    windows.open = {ToolWindow::Distance, ToolWindow::SailTime};
    values.ChartDistanceAutoAdd = true;
    tools.press(MouseButton::Left, 50, 40);
    EXPECT_EQ(windows.measureThis[ToolWindow::Distance], "0");
    EXPECT_EQ(windows.measureThis[ToolWindow::SailTime], "0");
    for (const int y : {42, 46, 47, 49})
        tools.move(50 + y - 40, y, wholeChart);
    tools.move(50, 50, wholeChart);
    EXPECT_TRUE(windows.accumulated.empty());
    tools.release(MouseButton::Left, 50, 50);
    EXPECT_EQ(windows.measureThis[ToolWindow::Distance], "Distance: 111320 m, 60.1 Nm");
    EXPECT_EQ(windows.measureThis[ToolWindow::SailTime], sailTimeThisText(values, '.'));
    EXPECT_EQ(changedPixels(), 10); // the final line without its end pixel
    EXPECT_EQ(values.ChartCourse, Real48(180.0L));
    EXPECT_EQ(windows.accumulated, std::vector{ToolWindow::Distance}); // only its own auto-add
    EXPECT_TRUE(chart.ChartDrawEnabled);
}

// A left drag measures only with a measuring window open, and never in the waypoint modes.
TEST_F(ChartTools, ALeftDragMeasuresOnlyWhereItShould) {
    const struct {
        const char* name;
        Mode mode;
        std::set<ToolWindow> open;
    } cases[] = {{"no tool window", Mode::ShowPosition, {}},
                 {"only the position window", Mode::None, {ToolWindow::Position}},
                 {"search optimum", Mode::SearchOptimum, {ToolWindow::Distance}},
                 {"set waypoints", Mode::SetWaypoints, {ToolWindow::SailTime}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chart.ChartMode = c.mode;
        windows.open = c.open;
        drag(MouseButton::Left, {{20, 20}, {40, 40}, {60, 60}});
        EXPECT_EQ(changedPixels(), 0);
        EXPECT_TRUE(windows.measureThis.empty());
        EXPECT_TRUE(values.ChartDistanceThis.isZero());
    }
}

TEST_F(ChartTools, TheMousePositionIsShownOnEveryMoveWhileItsWindowIsOpen) {
    tools.move(50, 50, wholeChart);
    EXPECT_EQ(windows.mousePosition, "");
    windows.open = {ToolWindow::Position};
    tools.move(50, 50, wholeChart);
    EXPECT_EQ(windows.mousePosition, "LAT N 55°00.000' / LON W005°00.000'");
    EXPECT_EQ(tools.MouseLat, Real48(55.0L));
    EXPECT_EQ(tools.MouseLon, Real48(5.0L));
}

TEST_F(ChartTools, ARightDragChoosesTheDetailRegion) {
    tools.press(MouseButton::Right, 20, 20);
    EXPECT_FALSE(chart.ChartDrawEnabled); // the timer keeps off the rubber band
    tools.move(40, 40, wholeChart);
    EXPECT_GT(changedPixels(), 0);
    tools.move(60, 70, wholeChart);
    tools.release(MouseButton::Right, 60, 70);
    EXPECT_EQ(changedPixels(), 0);
    EXPECT_EQ(chart.DetailRect.Left, 20);
    EXPECT_EQ(chart.DetailRect.Top, 20);
    EXPECT_EQ(chart.DetailRect.Right, 60);
    EXPECT_EQ(chart.DetailRect.Bottom, 70);
    EXPECT_EQ(chart.DetailNLat, Real48(58.0L));
    EXPECT_EQ(chart.DetailSLat, Real48(53.0L));
    EXPECT_EQ(chart.DetailWLon, Real48(8.0L));
    EXPECT_EQ(chart.DetailELon, Real48(4.0L));
    EXPECT_EQ(windows.detailPaints, 1);
    EXPECT_TRUE(chart.ChartDrawEnabled);
}

// Within 5 pixels of an edge of the window's client area, wherever it is scrolled to, the
// rectangle is taken away and the release changes nothing.
TEST_F(ChartTools, ARightDragToTheWindowsEdgeIsCancelled) {
    const struct {
        const char* name;
        ClientArea client;
        PixelPoint edge;
    } cases[] = {{"left", wholeChart, {4, 40}},
                 {"right", wholeChart, {96, 40}},
                 {"top", wholeChart, {40, 4}},
                 {"bottom", wholeChart, {40, 96}},
                 {"left of a scrolled client", {30, 20, 60, 60}, {34, 40}},
                 {"bottom of a scrolled client", {30, 20, 60, 60}, {40, 76}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tools.press(MouseButton::Right, 50, 50);
        tools.move(45, 45, c.client);
        ASSERT_GT(changedPixels(), 0);
        tools.move(c.edge.x, c.edge.y, c.client);
        EXPECT_EQ(changedPixels(), 0);
        EXPECT_TRUE(chart.ChartDrawEnabled);
        tools.release(MouseButton::Right, c.edge.x, c.edge.y);
        EXPECT_EQ(chart.DetailRect.Right, 0);
        EXPECT_EQ(windows.detailPaints, 0);
    }
    tools.press(MouseButton::Right, 50, 50);
    tools.move(35, 45, {30, 20, 60, 60}); // 5 pixels in: still up
    EXPECT_GT(changedPixels(), 0);
}

TEST_F(ChartTools, ALegDragGivesTheCourseFromTheCurrentWaypoint) {
    setRoute({{55, 8}}); // pixel (20, 50)
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Evaluate};
    tools.press(MouseButton::Right, 60, 60);
    tools.move(20, 20, wholeChart);
    EXPECT_EQ(windows.geoDir, Real48()); // due north
    tools.move(60, 30, wholeChart);
    tools.release(MouseButton::Right, 80, 50);
    EXPECT_EQ(values.ChartCourse,
              CourseBetween(Real48(55.0L), Real48(8.0L), Real48(55.0L), Real48(2.0L)));
    EXPECT_EQ(windows.geoDir, values.ChartCourse);
    EXPECT_FALSE(tools.LegDragActive);
    EXPECT_EQ(chart.DetailRect.Right, 0); // no rectangle in set-waypoints mode
}

// A click without moving gives the course of the leg to the current waypoint.
TEST_F(ChartTools, AClickShowsTheCourseToTheCurrentWaypoint) {
    setRoute({{55, 8}, {55, 6}});
    route.WaypointIndex = 2;
    windows.open = {ToolWindow::Evaluate};
    click(10, 10);
    const Real48 leg = CourseBetween(route[1].Lat, route[1].Lon, route[2].Lat, route[2].Lon);
    EXPECT_GT(leg.value(), 0);
    EXPECT_EQ(windows.geoDir, leg);
    route.WaypointIndex = 1;
    click(10, 10);
    EXPECT_EQ(windows.geoDir, Real48());
}

TEST_F(ChartTools, TheSearchSaysWhatIsWrongWithTheSelection) {
    chart.ChartMode = Mode::SearchOptimum;
    windows.open = {ToolWindow::Waypoints, ToolWindow::SearchResult};
    click(50, 50); // no current waypoint
    setRoute({{55, 8}});
    click(50, 50); // waypoint 2 empty
    setRoute({{55, 8}, {45, 2}});
    click(50, 50); // waypoint 2 off the chart
    setRoute({{45, 8}, {44, 2}});
    click(50, 50); // both off the chart: said twice
    EXPECT_EQ(windows.messages, (std::vector<std::string>{"Error array full or wrong selection!",
                                                          "Error in selected waypoints!",
                                                          "Selected waypoint outside map!",
                                                          "Selected waypoint outside map!",
                                                          "Selected waypoint outside map!"}));
    EXPECT_FALSE(windows.cruisePoint.has_value());
    EXPECT_EQ(route.WaypointCount, 2);
}

TEST_F(ChartTools, ASearchOffersToInsertTheCruisePoint) {
    setRoute({{55, 8}, {55, 2}});
    route[2].Minutes = Real48(600.0L);
    chart.ChartMode = Mode::SearchOptimum;
    windows.open = {ToolWindow::Waypoints, ToolWindow::SearchResult};
    windows.answers = {false};
    tools.press(MouseButton::Left, 50, 30);
    tools.move(50, 35, wholeChart);
    ASSERT_TRUE(windows.cruisePoint.has_value());
    tools.release(MouseButton::Left, 50, 35);
    EXPECT_EQ(route.WaypointCount, 2);
    EXPECT_EQ(windows.messages, std::vector<std::string>{"Insert new waypoint?"});
    EXPECT_EQ(windows.cruisePoint->origin.Minutes, Real48(600.0L));
    EXPECT_EQ(changedPixels(), 18); // only the two waypoint marks stay
    windows.answers = {true};
    drag(MouseButton::Left, {{50, 30}, {50, 40}});
    EXPECT_EQ(route.WaypointCount, 3);
    EXPECT_EQ(route.WaypointIndex, 1);
    EXPECT_EQ(route[2].Lat, Real48(56.0L));
    EXPECT_EQ(route[2].Lon, Real48(5.0L));
    EXPECT_EQ(route[3].Lon, Real48(2.0L));
    EXPECT_EQ(route[2].Dir, CourseBetween(route[1].Lat, route[1].Lon, route[2].Lat, route[2].Lon));
    EXPECT_EQ(route[3].Dir, CourseBetween(route[2].Lat, route[2].Lon, route[3].Lat, route[3].Lon));
    EXPECT_EQ(route[2].Minutes, windows.cruisePoint->leg1.Minutes);
    EXPECT_EQ(windows.shownWaypoints, std::vector{1});
    EXPECT_TRUE(chart.ChartDrawEnabled);
}

// 99 waypoints and a 100th behind them, as a file with values behind a 0/0 entry leaves the list
// once the gap is set again: an insertion between 99 and 100 has no room.
TEST_F(ChartTools, ACruisePointIsNotInsertedIntoAFullList) {
    for (int n = 1; n <= maxWaypoints; ++n)
        route[n] = {Real48(55.0L + n / 100.0L), Real48(5.0L), {}, {}, {}};
    route.WaypointCount = 99;
    route.WaypointIndex = 99;
    const Bytes before = route.toFile();
    chart.ChartMode = Mode::SearchOptimum;
    windows.open = {ToolWindow::Waypoints};
    click(30, 30);
    EXPECT_EQ(windows.messages, (std::vector<std::string>{"Insert new waypoint?",
                                                          "The route holds at most 100 points."}));
    EXPECT_EQ(route.toFile(), before);
    EXPECT_EQ(route.WaypointCount, 99);
    EXPECT_EQ(route.WaypointIndex, 99);
}

// The mark goes where the sailor clicked, whatever the stored position converts back to.
TEST_F(ChartTools, TheWaypointMarkIsDrawnAtTheClickedPixel) {
    MapRecord intermediate = testing::easyRecord("chart.bmp", 100, 100);
    intermediate.CalLat[1] = Real48(57.0L); // 57 N at row 20: the north part is drawn out
    intermediate.CalRow[1] = 20;
    MapRecord shortRange = testing::easyRecord("chart.bmp", 60, 60); // calibrated to 60 only
    const struct {
        const char* name;
        MapRecord record;
    } charts[] = {{"corners only", testing::easyRecord("chart.bmp", 100, 100)},
                  {"one intermediate latitude", intermediate},
                  {"beyond the calibrated range", shortRange}};
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Waypoints};
    for (const auto& c : charts) {
        use(c.record);
        for (const int y : {7, 13, 29, 41, 77, 88})
            for (const int x : {5, 23, 47, 71, 94}) {
                SCOPED_TRACE(::testing::Message() << c.name << " at " << x << ", " << y);
                picture.reset(&base);
                click(x, y);
                ChartSurface expected(&base);
                drawWaypointMark(expected, x, y);
                ASSERT_EQ(differences(expected), 0);
            }
    }
}

// The route drawn on the next tick marks the clicked waypoint at that pixel, not one off.
TEST_F(ChartTools, AClickedWaypointIsMarkedOnceWhenTheRouteIsDrawn) {
    MapRecord intermediate = testing::easyRecord("chart.bmp", 100, 100);
    intermediate.CalLat[1] = Real48(57.0L);
    intermediate.CalRow[1] = 20;
    use(intermediate);
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Waypoints};
    for (const PixelPoint p : {PixelPoint{5, 7}, {47, 29}, {94, 77}}) {
        SCOPED_TRACE(::testing::Message() << p.x << ", " << p.y);
        picture.reset(&base);
        chart.Route.forget();
        route = WaypointRoute{};
        click(p.x, p.y);
        updateRouteOverlay(picture, chart, route, nav, chart.ChartCross);
        ChartSurface expected(&base);
        drawWaypointMark(expected, p.x, p.y);
        EXPECT_EQ(differences(expected), 0);
    }
}

// The timer redraws the route and the cross under a dragged measuring line: the chart ends as if
// the line had been drawn once at the end.
TEST_F(ChartTools, AMeasuringDragOverTheRouteAndTheCrossLeavesNothingBehind) {
    setRoute({{58, 9}, {52, 1}});
    windows.open = {ToolWindow::Distance};
    const auto run = [&](bool dragDuringTicks) {
        PositionTrack steps;
        ChartSettings settings;
        picture.reset(&base);
        chart.Route.forget();
        if (dragDuringTicks)
            tools.press(MouseButton::Left, 10, 50);
        for (int tick = 0; tick < 25; ++tick) {
            nav.PosLat = Real48(56.0L - tick * 0.1L); // a pixel down each tick
            nav.PosLon = Real48(5.0L);
            if (dragDuringTicks)
                tools.move(10 + 3 * tick, 50 + tick, wholeChart);
            tools.drawUnderDragFigures([&] {
                updateRouteOverlay(picture, chart, route, nav, steps);
                DrawPosition(picture, chart, nav, steps, settings);
            });
        }
        if (!dragDuringTicks) {
            tools.press(MouseButton::Left, 10, 50);
            tools.move(82, 74, wholeChart);
        }
        tools.release(MouseButton::Left, 82, 74);
        std::vector<Rgb> pixels;
        for (int y = 0; y < base.height(); ++y)
            for (int x = 0; x < base.width(); ++x)
                pixels.push_back(picture.pixel(x, y));
        return pixels;
    };
    const std::vector<Rgb> lineDrawnOnceAtTheEnd = run(false);
    EXPECT_TRUE(run(true) == lineDrawnOnceAtTheEnd);
}

TEST_F(ChartTools, NothingHappensWithoutAUsableChart) {
    chart.ChartUsable = false;
    setRoute({{55, 8}});
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Position, ToolWindow::Waypoints, ToolWindow::Evaluate};
    drag(MouseButton::Left, {{50, 50}, {60, 60}});
    drag(MouseButton::Right, {{50, 50}, {60, 60}});
    EXPECT_EQ(windows.mousePosition, "");
    EXPECT_EQ(route.WaypointCount, 1);
    EXPECT_FALSE(windows.geoDir.has_value());
    EXPECT_EQ(changedPixels(), 0);
}

} // namespace
} // namespace brisomar
