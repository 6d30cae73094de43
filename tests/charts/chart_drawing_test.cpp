#include "charts/chart_marks.h"

#include "charts/boat_symbol.h"
#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"
#include "charts/chart_mode.h"
#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace brisomar {
namespace {

using testing::easyRecord;

// A picture whose every pixel has its own colour, so that a restored pixel is told apart.
class Gradient : public PixelSource {
public:
    Gradient(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    Rgb pixel(int x, int y) const override {
        return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200};
    }

private:
    int w_, h_;
};

// The pixels of `surface` that differ from its base.
int changedPixels(const ChartSurface& surface, const PixelSource& base) {
    int changed = 0;
    for (int y = 0; y < base.height(); ++y)
        for (int x = 0; x < base.width(); ++x)
            changed += surface.pixel(x, y) == base.pixel(x, y) ? 0 : 1;
    return changed;
}

TEST(ChartSurface, DrawsOverTheBaseAndAFreshCopyForgetsIt) {
    Gradient base(100, 80);
    ChartSurface surface(&base);
    surface.takeChangedRegion();
    surface.setPixel(10, 20, red);
    surface.setPixel(-1, 5, red);  // outside: ignored
    surface.setPixel(100, 5, red); // outside: ignored
    EXPECT_EQ(surface.pixel(10, 20), red);
    EXPECT_EQ(surface.pixel(11, 20), base.pixel(11, 20));
    EXPECT_EQ(surface.pixel(-3, 0), black);
    const PixelRect changed = surface.takeChangedRegion();
    EXPECT_EQ(changed.Left, 10);
    EXPECT_EQ(changed.Bottom, 20);
    EXPECT_EQ(changedPixels(surface, base), 1);
    surface.reset(&base);
    EXPECT_EQ(changedPixels(surface, base), 0);
}

TEST(ChartSurface, LinesLeaveOutTheirEndPixel) {
    Gradient base(50, 50);
    ChartSurface surface(&base);
    surface.line({2, 2}, {12, 2}, Pen{});
    EXPECT_EQ(changedPixels(surface, base), 10);
    EXPECT_EQ(surface.pixel(2, 2), black);
    EXPECT_EQ(surface.pixel(12, 2), base.pixel(12, 2));
    ChartSurface wide(&base);
    // Wide pens draw solid with a square brush: columns 9 to 20, rows 9 to 11.
    wide.line({10, 10}, {20, 10}, Pen{3, PenStyle::Dash, blue, false});
    EXPECT_EQ(changedPixels(wide, base), 36);
}

TEST(ChartSurface, DashesAndDotsFollowTheirPattern) {
    Gradient base(60, 5);
    ChartSurface dashed(&base);
    dashed.line({0, 1}, {48, 1}, Pen{1, PenStyle::Dash, black, false});
    EXPECT_EQ(changedPixels(dashed, base), 36);
    EXPECT_EQ(dashed.pixel(17, 1), black);
    EXPECT_EQ(dashed.pixel(18, 1), base.pixel(18, 1));
    ChartSurface dotted(&base);
    dotted.line({0, 1}, {12, 1}, Pen{1, PenStyle::Dot, black, false});
    EXPECT_EQ(changedPixels(dotted, base), 6);
}

TEST(ChartSurface, AnInvertingLineDrawnTwiceRestoresEveryPixel) {
    Gradient base(60, 60);
    ChartSurface surface(&base);
    const Pen invert{2, PenStyle::Solid, black, true};
    surface.line({5, 50}, {40, 3}, invert);
    EXPECT_GT(changedPixels(surface, base), 40);
    surface.line({5, 50}, {40, 3}, invert);
    EXPECT_EQ(changedPixels(surface, base), 0);
}

TEST(PositionMark, IsA23PixelCrossThreeThickThatBlinks) {
    Gradient base(100, 100);
    ChartSurface surface(&base);
    PositionMark mark;
    mark.SaveMarkPixels(surface, 50, 50);
    mark.BlinkMark(surface); // first blink: off
    EXPECT_EQ(changedPixels(surface, base), 0);
    mark.BlinkMark(surface); // on
    EXPECT_EQ(changedPixels(surface, base), 23 * 3 * 2 - 9);
    EXPECT_EQ(surface.pixel(39, 49), black);
    EXPECT_EQ(surface.pixel(38, 50), base.pixel(38, 50));
    EXPECT_EQ(surface.pixel(51, 61), black);
    mark.BlinkMark(surface);
    EXPECT_EQ(changedPixels(surface, base), 0);
}

class PositionOnChartWindow : public ::testing::Test {
protected:
    PositionOnChartWindow() {
        chart.Table[0] = easyRecord("chart.bmp", 100, 100); // 60..50 N, 10..0 W
        chart.ChartNWLat = Real48(60.0L);
        chart.ChartSELat = Real48(50.0L);
        chart.ChartNWLon = Real48(10.0L);
        chart.ChartSELon = Real48(0.0L);
        CountCalibrationPoints(chart);
    }
    void at(long double lat, long double lon) {
        nav.PosLat = Real48(lat);
        nav.PosLon = Real48(lon);
    }
    void tick() { DrawPosition(surface, chart, nav, steps, settings); }

    Gradient base{100, 100};
    ChartSurface surface{&base};
    ChartState chart;
    NavState nav;
    PositionTrack steps;
    ChartSettings settings;
};

TEST_F(PositionOnChartWindow, TheCrossFollowsTheBoatAndLeavesNothingBehind) {
    at(55, 5); // pixel (50, 50)
    tick();
    tick();
    EXPECT_EQ(surface.pixel(50, 50), black);
    at(54.5L, 4.0L); // pixel (60, 55)
    tick();
    EXPECT_EQ(surface.pixel(50, 40), base.pixel(50, 40)); // the old cross is gone
    EXPECT_EQ(steps.LastX, 60);
    EXPECT_EQ(steps.LastY, 55);
    tick();
    tick();
    EXPECT_EQ(changedPixels(surface, base), 0);
}

TEST_F(PositionOnChartWindow, APositionOnTheEdgeIsNotDrawn) {
    at(60, 5);
    tick();
    tick();
    at(55, 0);
    tick();
    tick();
    EXPECT_EQ(steps.LastX, 0);
    EXPECT_EQ(changedPixels(surface, base), 0);
}

TEST_F(PositionOnChartWindow, ASmallerCrossLeavesNoRemainsOfTheLarger) {
    at(55, 5);
    tick();
    tick(); // cross shown, 11 long
    settings.PosSize = 3;
    settings.PosWidth = 1;
    settings.ChartSettingsChanged = true;
    tick(); // restored with the old size, then blinked off
    EXPECT_FALSE(settings.ChartSettingsChanged);
    EXPECT_EQ(changedPixels(surface, base), 0);
    tick();
    EXPECT_EQ(changedPixels(surface, base), 7 * 2 - 1);
}

// The symbol blinks, turns and moves like the cross, and every pixel it left is the chart's.
TEST_F(PositionOnChartWindow, TheBoatSymbolPointsAlongTheHeadingAndLeavesNothingBehind) {
    settings.MarkSymbol = PositionSymbol::Boat;
    nav.Heading = Real48(0.0L);
    nav.HeadingReceived = true;
    nav.PosCourse = Real48(90.0L);
    at(55, 5);
    tick();
    tick();
    EXPECT_EQ(surface.pixel(50, 38), black); // the bow, north
    EXPECT_EQ(surface.pixel(50, 15), black); // the heading line's end
    EXPECT_EQ(surface.pixel(62, 50), base.pixel(62, 50));
    for (const long double heading : {90.0L, 200.0L}) {
        nav.Heading = Real48(heading);
        at(55.1L, 5.1L);
        tick();
        tick();
    }
    settings.MarkSymbol = PositionSymbol::Cross;
    tick();
    EXPECT_EQ(changedPixels(surface, base), 0);
    tick();
    EXPECT_EQ(changedPixels(surface, base), 23 * 3 * 2 - 9);
}

TEST(BoatSymbol, TheCourseLineIsSixMinutesAtTheSpeedOverGround) {
    const GeoPoint north = courseLineEnd({Real48(0.0L), Real48(0.0L)}, Real48(0.0L), Real48(10.0L));
    EXPECT_NEAR(static_cast<double>(north.lat.value()), 1852 / 110574.3, 1e-5);
    const GeoPoint west =
        courseLineEnd({Real48(0.0L), Real48(179.99L)}, Real48(270.0L), Real48(10.0L));
    EXPECT_NEAR(static_cast<double>(west.lon.value()), 179.99 + 1852 / 111319.5, 1e-5);
    const std::vector<PixelPoint> east = boatSymbolPixels({50, 50}, {90, {30, 0}});
    for (const PixelPoint p : {PixelPoint{62, 50}, PixelPoint{85, 50}, PixelPoint{38, 46}})
        EXPECT_NE(std::find(east.begin(), east.end(), p), east.end()) << p.x << "," << p.y;
}

TEST_F(PositionOnChartWindow, TheTrackJoinsPointsButNeverFromNone) {
    at(55, 5);
    DrawTrack(surface, chart, nav, steps, settings); // from (0, 0): no line
    EXPECT_EQ(changedPixels(surface, base), 0);
    at(55, 3);
    DrawTrack(surface, chart, nav, steps, settings);
    EXPECT_EQ(surface.pixel(55, 50), black);
    steps.TrackRestart = true; // a fresh picture
    at(52, 3);
    DrawTrack(surface, chart, nav, steps, settings);
    EXPECT_EQ(surface.pixel(70, 60), base.pixel(70, 60));
    EXPECT_EQ(steps.LastY, 80);
}

// Fixes half a minute apart carry the track along; a silence of more than a minute, or a fix
// farther than 50 knots allow, breaks it.
TEST_F(PositionOnChartWindow, TheTrackBreaksWherePositionJumps) {
    const auto fixAt = [&](long double lat, int seconds) {
        at(lat, 5.0L);
        nav.LastUpdate = Real48(0.5L + seconds / 86400.0L);
        DrawTrack(surface, chart, nav, steps, settings);
    };
    // Sailed at 45 knots; after two minutes' silence; jumped 9 miles in half a minute.
    const std::pair<int, bool> cases[] = {{24 * 30, true}, {25 * 30, false}, {30, false}};
    for (const auto& [seconds, joined] : cases) {
        surface.reset(&base);
        steps = PositionTrack{};
        fixAt(55.0L, 0); // pixel (50, 50)
        for (int step = 1; joined && step < 24; ++step)
            fixAt(55.0L + step * 0.15L / 24, step * 30);
        fixAt(55.15L, seconds); // pixel (50, 48)
        EXPECT_EQ(steps.LastY, 48) << seconds;
        EXPECT_EQ(surface.pixel(50, 49) != base.pixel(50, 49), joined) << seconds;
    }
}

TEST_F(PositionOnChartWindow, WaypointsAreNineRedPixelsAndMostlyOutsideIsSaid) {
    WaypointRoute route;
    route[1].Lat = Real48(55.0L);
    route[1].Lon = Real48(5.0L);
    route[2].Lat = Real48(70.0L); // off the chart
    route[2].Lon = Real48(5.0L);
    route[3].Lat = Real48(45.0L); // off the chart
    route[3].Lon = Real48(5.0L);
    EXPECT_TRUE(drawWaypointsMostlyOutside(surface, chart, route));
    EXPECT_EQ(changedPixels(surface, base), 9);
    EXPECT_EQ(surface.pixel(52, 48), red);
    EXPECT_EQ(surface.pixel(53, 48), base.pixel(53, 48));
    route[4].Lat = Real48(51.0L);
    route[4].Lon = Real48(1.0L);
    EXPECT_FALSE(drawWaypointsMostlyOutside(surface, chart, route)); // two on, two off
    route[1].Lat = route[1].Lon = Real48();
    ChartSurface fresh(&base);
    EXPECT_FALSE(drawWaypointsMostlyOutside(fresh, chart, route));
    EXPECT_EQ(changedPixels(fresh, base), 0); // a first entry at 0/0 ends the route
}

// Waypoints at pixels (20, 20), (20, 80) and (80, 80), sailing to the second.
class RouteOnChartWindow : public PositionOnChartWindow {
protected:
    RouteOnChartWindow() {
        const long double places[][2] = {{58, 8}, {52, 8}, {52, 2}};
        for (int n = 1; n <= 3; ++n) {
            route[n].Lat = Real48(places[n - 1][0]);
            route[n].Lon = Real48(places[n - 1][1]);
        }
        route.WaypointCount = 3;
        route.WaypointIndex = route.sailing.ActiveWaypoint = 2;
        at(55, 5); // pixel (50, 50)
    }
    void update() { updateRouteOverlay(surface, chart, route, nav, steps); }

    WaypointRoute route;
};

TEST_F(RouteOnChartWindow, LegsAndTheLineToTheActiveWaypointRestoreEveryPixel) {
    update();
    EXPECT_EQ(surface.pixel(20, 50), magenta) << "first leg";
    EXPECT_EQ(surface.pixel(50, 80), magenta) << "second leg";
    EXPECT_EQ(surface.pixel(45, 55), magenta) << "the dashed line, in a dash";
    EXPECT_EQ(surface.pixel(29, 71), base.pixel(29, 71)) << "the dashed line, between dashes";
    EXPECT_EQ(surface.pixel(20, 20), red) << "a waypoint mark";
    EXPECT_EQ(surface.pixel(50, 20), base.pixel(50, 20));
    chart.Route.erase(surface);
    EXPECT_EQ(changedPixels(surface, base), 0);
}

TEST_F(RouteOnChartWindow, IsDrawnAnewOnlyWhenTheRouteOrTheBoatMoves) {
    update();
    surface.setPixel(40, 40, black); // drawn since, under nothing of the route
    const int drawn = changedPixels(surface, base);
    update();
    EXPECT_EQ(changedPixels(surface, base), drawn);
    at(55, 4); // pixel (60, 50): the dashed line moves
    update();
    EXPECT_EQ(surface.pixel(45, 55), base.pixel(45, 55));
    EXPECT_EQ(surface.pixel(56, 53), magenta);
    route.sailing.RouteDone = true; // no line once the route is done
    update();
    EXPECT_EQ(surface.pixel(56, 53), base.pixel(56, 53));
    EXPECT_EQ(surface.pixel(20, 50), magenta);
    route.ClearWaypoints();
    update();
    EXPECT_EQ(changedPixels(surface, base), 1);
}

TEST_F(RouteOnChartWindow, ATrackDrawnAcrossALegStaysWhenTheRouteIsErased) {
    update();
    PositionTrack track; // the track's steps, apart from the cross's
    at(55, 9);           // pixel (10, 50), then (30, 50): across the first leg at (20, 50)
    DrawTrack(surface, chart, nav, track, settings);
    at(55, 7);
    DrawTrack(surface, chart, nav, track, settings);
    EXPECT_EQ(surface.pixel(20, 50), black);
    update(); // the boat moved: the route is drawn again, over the track
    chart.Route.erase(surface);
    EXPECT_EQ(surface.pixel(20, 50), black);
    ChartSurface trackAlone(&base);
    trackAlone.line({10, 50}, {30, 50}, trackPen(settings));
    int differing = 0;
    for (int y = 0; y < base.height(); ++y)
        for (int x = 0; x < base.width(); ++x)
            differing += surface.pixel(x, y) == trackAlone.pixel(x, y) ? 0 : 1;
    EXPECT_EQ(differing, 0);
}

TEST_F(RouteOnChartWindow, IsDrawnUnderTheCrossWhichKeepsBlinking) {
    tick();
    tick(); // the cross on at (50, 50)
    update();
    EXPECT_EQ(surface.pixel(50, 45), black) << "the cross stays over the route";
    tick(); // off: the route's line shows where the cross was
    EXPECT_EQ(surface.pixel(50, 50), magenta);
    tick();
    EXPECT_EQ(surface.pixel(50, 50), black);
}

struct FollowCase {
    const char* name;
    bool follow;
    PixelPoint boat;
    double sinceHandScroll;
    std::optional<PixelPoint> corner;
};

// A view of 100 x 80 pixels at (200, 100) on a chart of 1000 x 800.
TEST(FollowBoat, BringsTheCrossBackToTheMiddleUnlessTheSailorScrolledLately) {
    const PixelRect view{200, 100, 299, 179};
    const FollowCase cases[] = {
        {"in sight", true, {250, 150}, 1000, std::nullopt},
        {"on the view's edge", true, {299, 179}, 1000, std::nullopt},
        {"out of sight", true, {400, 300}, 1000, PixelPoint{350, 260}},
        {"near the chart's corner", true, {990, 790}, 1000, PixelPoint{900, 720}},
        {"near the origin", true, {10, 5}, 1000, PixelPoint{0, 0}},
        {"following off", false, {400, 300}, 1000, std::nullopt},
        {"scrolled by hand 59 s ago", true, {400, 300}, 59, std::nullopt},
        {"scrolled by hand a minute ago", true, {400, 300}, 60, PixelPoint{350, 260}},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(followBoatCorner(c.follow, view, c.boat, 1000, 800, c.sinceHandScroll), c.corner)
            << c.name;
}

TEST_F(PositionOnChartWindow, LogPositionsNeedAnOrderedRange) {
    testing::TempDir dir;
    testing::FailingFileSystem files;
    Logbook log;
    log.useFile(files, dir.file("trip.LOG"));
    NavState logged;
    logged.LogOn = true;
    logged.LogInterval = 1;
    LocalDateTime now{2026, 12, 7, 10, 0, 0, 0};
    for (const long double lat : {55.0L, 54.0L, 53.0L}) {
        logged.PosLat = Real48(lat);
        logged.PosLon = Real48(5.0L);
        log.tick(logged, files, now, "");
    }
    log.LogViewFile = log.LogFileName;
    log.LogShowFrom = log.LogShowTo = 5;
    EXPECT_FALSE(drawLogPositions(surface, chart, log, files));
    log.LogShowFrom = 1;
    log.LogShowTo = 2;
    EXPECT_TRUE(drawLogPositions(surface, chart, log, files));
    EXPECT_EQ(changedPixels(surface, base), 18);
    EXPECT_EQ(surface.pixel(52, 60), black);
    log.LogViewFile = dir.file("missing.LOG");
    EXPECT_FALSE(drawLogPositions(surface, chart, log, files));
}

TEST_F(PositionOnChartWindow, TheDetailWindowDrawsFromTheRatiosOfTheChartWindow) {
    chart.DetailRect = {40, 40, 80, 80}; // 40 pixels shown in 300
    chart.DetailNLat = Real48(56.0L);
    chart.DetailSLat = Real48(52.0L);
    chart.DetailWLon = Real48(6.0L);
    chart.DetailELon = Real48(2.0L);
    Gradient window(300, 300);
    ChartSurface detail(&window);
    PositionTrack detailSteps;
    at(55, 5); // pixel (50, 50): a quarter into the rectangle
    tick();
    detailPositionStep(detail, chart, nav, detailSteps, settings);
    EXPECT_EQ(detailSteps.LastX, 75);
    EXPECT_EQ(detailSteps.LastY, 75);
    EXPECT_FALSE(nav.PosOutsideDetailChart);
    at(56, 5); // on the detail's north edge
    tick();
    detailPositionStep(detail, chart, nav, detailSteps, settings);
    EXPECT_TRUE(nav.PosOutsideDetailChart);
}

} // namespace
} // namespace brisomar
