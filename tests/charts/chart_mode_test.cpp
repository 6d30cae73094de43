// The chart window's Mode menu as rules: which mode follows a click, which tool windows open
// and close, what happens to the crosses and the tracks. No window at all.
#include "charts/chart_mode.h"

#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"
#include "charts/fake_tool_windows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace brisomar {
namespace {

using Mode = ChartWindowMode;
using testing::FakeToolWindows;

class Sea : public PixelSource {
public:
    int width() const override { return 100; }
    int height() const override { return 100; }
    Rgb pixel(int, int) const override { return {30, 90, 160}; }
};

class ChartModes : public ::testing::Test {
protected:
    ChartModes() {
        const MapRecord record = testing::easyRecord("chart.bmp", 100, 100); // 10 px a degree
        chart.Table[0] = record;
        chart.ChartNWLat = record.lat(1);
        chart.ChartSELat = record.lat(7);
        chart.ChartNWLon = record.lon(1);
        chart.ChartSELon = record.lon(7);
        chart.ChartUsable = true;
        CountCalibrationPoints(chart);
    }

    // The chart window's cross, shown at (50, 50) as two ticks leave it.
    void showCross() {
        for (int tick = 0; tick < 2; ++tick)
            chart.ChartTrack.positionStep(picture, 50, 50, settings.ChartSettingsChanged, settings);
        ASSERT_EQ(picture.pixel(50, 50), black);
    }
    void click(Mode item) {
        switchChartMode({chart, picture, route, logbook, files, windows}, item);
    }
    int changedPixels() const {
        int changed = 0;
        for (int y = 0; y < sea.height(); ++y)
            for (int x = 0; x < sea.width(); ++x)
                changed += picture.pixel(x, y) == sea.pixel(x, y) ? 0 : 1;
        return changed;
    }

    Sea sea;
    ChartSurface picture{&sea};
    ChartState chart;
    ChartSettings settings;
    WaypointRoute route;
    Logbook logbook;
    StdFileSystem files;
    FakeToolWindows windows;
};

TEST_F(ChartModes, TheWindowStartsShowingThePositionWithTheTimerDrawing) {
    EXPECT_EQ(chart.ChartMode, Mode::ShowPosition);
    EXPECT_TRUE(chart.ChartDrawEnabled);
}

// A click switches its item on, or off when it is on; what each switch opens and closes of the
// search result and waypoint windows, and whether the cross comes off the chart.
TEST_F(ChartModes, EachClickSetsTheModeAndTheSearchWindows) {
    using W = ToolWindow;
    using Windows = std::set<ToolWindow>;
    const Windows both{W::SearchResult, W::Waypoints};
    const struct {
        const char* name;
        Mode from, item;
        Windows openBefore;
        Mode to;
        Windows openAfter;
    } cases[] = {
        {"show position off", Mode::ShowPosition, Mode::ShowPosition, both, Mode::None, {}},
        {"show position on", Mode::None, Mode::ShowPosition, both, Mode::ShowPosition, {}},
        {"show track on", Mode::ShowPosition, Mode::ShowTrack, both, Mode::ShowTrack, {}},
        {"show track off", Mode::ShowTrack, Mode::ShowTrack, both, Mode::None, {}},
        {"show log-file on", Mode::ShowPosition, Mode::ShowLogFile, both, Mode::ShowLogFile, {}},
        {"show log-file off", Mode::ShowLogFile, Mode::ShowLogFile, both, Mode::None, {}},
        {"show waypoints on", Mode::ShowPosition, Mode::ShowWaypoints, both, Mode::ShowWaypoints,
         both},
        {"show waypoints off", Mode::ShowWaypoints, Mode::ShowWaypoints, both, Mode::None, {}},
        {"search optimum on",
         Mode::ShowPosition,
         Mode::SearchOptimum,
         {},
         Mode::SearchOptimum,
         both},
        {"search optimum on, its window open",
         Mode::None,
         Mode::SearchOptimum,
         {W::SearchResult},
         Mode::SearchOptimum,
         {W::SearchResult}},
        {"search optimum off", Mode::SearchOptimum, Mode::SearchOptimum, both, Mode::None, {}},
        {"set waypoints on",
         Mode::ShowPosition,
         Mode::SetWaypoints,
         {},
         Mode::SetWaypoints,
         {W::Waypoints}},
        {"set waypoints after search optimum", Mode::SearchOptimum, Mode::SetWaypoints, both,
         Mode::SetWaypoints, both},
        {"search optimum after set waypoints",
         Mode::SetWaypoints,
         Mode::SearchOptimum,
         {W::Waypoints},
         Mode::SearchOptimum,
         both},
        {"set waypoints off", Mode::SetWaypoints, Mode::SetWaypoints, both, Mode::None, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chart.ChartMode = c.from;
        windows.open = c.openBefore;
        windows.open.insert(W::Distance); // the other tool windows stay as they are
        click(c.item);
        EXPECT_EQ(chart.ChartMode, c.to);
        Windows expected = c.openAfter;
        expected.insert(W::Distance);
        EXPECT_EQ(windows.open, expected);
    }
}

// Leaving show-position, for whichever mode or none, leaves no cross on either chart window.
TEST_F(ChartModes, LeavingShowPositionTakesTheCrossesOff) {
    for (const Mode item : {Mode::ShowPosition, Mode::ShowTrack, Mode::ShowWaypoints,
                            Mode::ShowLogFile, Mode::SearchOptimum, Mode::SetWaypoints}) {
        SCOPED_TRACE(static_cast<int>(item));
        picture.reset(&sea);
        chart.ChartTrack = {};
        chart.ChartMode = Mode::ShowPosition;
        showCross();
        windows = {};
        windows.open = {ToolWindow::Detail};
        click(item);
        EXPECT_EQ(changedPixels(), 0);
        EXPECT_EQ(windows.detailErasures, 1);
    }
}

TEST_F(ChartModes, TheCrossesStayWhenShowPositionWasNotOn) {
    showCross();
    chart.ChartMode = Mode::SetWaypoints;
    windows.open = {ToolWindow::Detail};
    click(Mode::ShowTrack);
    EXPECT_EQ(picture.pixel(50, 50), black);
    EXPECT_EQ(windows.detailErasures, 0);
}

TEST_F(ChartModes, TheDetailCrossIsLeftAloneWhileTheDetailWindowIsHidden) {
    showCross();
    click(Mode::ShowTrack);
    EXPECT_EQ(changedPixels(), 0);
    EXPECT_EQ(windows.detailErasures, 0);
}

TEST_F(ChartModes, ShowPositionLetsTheTimerDrawAndStartsTheCrossAfresh) {
    chart.ChartMode = Mode::None;
    chart.ChartDrawEnabled = false; // a drag never released
    chart.ChartTrack.LastX = chart.ChartTrack.LastY = 30;
    click(Mode::ShowTrack);
    EXPECT_FALSE(chart.ChartDrawEnabled); // only show-position lets it draw again
    click(Mode::ShowPosition);
    EXPECT_TRUE(chart.ChartDrawEnabled);
    EXPECT_EQ(chart.ChartTrack.LastX, 0);
    EXPECT_EQ(chart.ChartTrack.LastY, 0);
}

TEST_F(ChartModes, ShowTrackRestartsBothTracks) {
    for (const Mode item : {Mode::ShowPosition, Mode::ShowWaypoints, Mode::SetWaypoints}) {
        chart.ChartMode = Mode::None;
        click(item);
    }
    EXPECT_FALSE(chart.ChartTrack.TrackRestart);
    EXPECT_FALSE(chart.DetailTrack.TrackRestart);
    click(Mode::ShowTrack);
    EXPECT_TRUE(chart.ChartTrack.TrackRestart);
    EXPECT_TRUE(chart.DetailTrack.TrackRestart);
}

// The waypoints and the log positions are drawn once, as the mode is switched on, and only on a
// usable chart.
TEST_F(ChartModes, ShowWaypointsAndShowLogFileDrawOnceAndSayWhatWentWrong) {
    route[1] = {Real48(55.0L), Real48(5.0L), {}, {}, {}};
    route[2] = {Real48(20.0L), Real48(5.0L), {}, {}, {}}; // off the chart
    route[3] = {Real48(21.0L), Real48(5.0L), {}, {}, {}};
    logbook.LogViewFile = "missing.LOG";
    chart.ChartMode = Mode::None;
    click(Mode::ShowWaypoints);
    EXPECT_EQ(picture.pixel(50, 50), red);
    click(Mode::ShowWaypoints); // off: the marks stay till the picture is fresh
    click(Mode::ShowLogFile);
    EXPECT_EQ(windows.messages,
              (std::vector<std::string>{"Over 50% outside this map!",
                                        "Wrong logfilename or recordnr (0<From<To)."}));
    picture.reset(&sea);
    chart.ChartUsable = false;
    click(Mode::ShowWaypoints);
    click(Mode::ShowLogFile);
    EXPECT_EQ(changedPixels(), 0);
    EXPECT_EQ(windows.messages.size(), 2u);
}

} // namespace
} // namespace brisomar
