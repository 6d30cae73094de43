// The chart's mouse tools as rules: a picture, the program's values and tool windows that only
// record what they are asked, no window at all.
#include "charts/mouse_tools.h"

#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace brisomar {
namespace {

constexpr int noMode = 100;

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

class RecordingToolWindows : public ChartToolWindows {
public:
    bool visible(ToolWindow window) const override {
        return std::find(open.begin(), open.end(), window) != open.end();
    }
    void showMeasureThis(ToolWindow, const std::string&) override {}
    void accumulate(ToolWindow) override {}
    void showGeoDir(Real48) override {}
    void showMousePosition(const std::string&) override {}
    void ShowWaypoint(int) override {}
    void showCruisePoint(const CruisePointFigures&) override {}
    void information(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        messages.push_back(text);
        return true;
    }
    void showDetail() override {}

    std::vector<ToolWindow> open;
    std::vector<std::string> messages;
};

class ChartTools : public ::testing::Test {
protected:
    ChartTools() { use(testing::easyRecord("chart.bmp", 100, 100)); } // 10 px a degree

    // Makes `record` the chart in use, as selecting it does.
    void use(const MapRecord& record) {
        chart.Table[0] = record;
        chart.ChartNWLat = record.lat(1);
        chart.ChartSELat = record.lat(7);
        chart.ChartNWLon = record.lon(1);
        chart.ChartSELon = record.lon(7);
        chart.ChartUsable = true;
        CountCalibrationPoints(chart);
    }
    void click(int x, int y) {
        tools.press(MouseButton::Left, x, y);
        tools.release(MouseButton::Left, x, y);
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
    RecordingToolWindows windows;
    int mode = noMode;
    bool drawEnabled = true;
    ChartMouseTools tools{
        {chart, route, values, sailing, tables, nav, picture, windows, mode, drawEnabled, '.'}};
};

// The final line of a drag inverts what lies under it, so it shows on light and dark alike.
TEST_F(ChartTools, TheFinalLineOfADragIsInverted) {
    struct Case {
        const char* name;
        int mode;
        ToolWindow window;
        MouseButton button;
    };
    const Case cases[] = {
        {"measuring drag", noMode, ToolWindow::Distance, MouseButton::Left},
        {"leg drag from waypoint 1", ChartMouseTools::setWaypointsMode, ToolWindow::Evaluate,
         MouseButton::Right},
    };
    route[1] = {Real48(55.0L), Real48(8.0L), {}, {}, {}}; // pixel (20, 50)
    route.WaypointIndex = route.WaypointCount = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        picture.reset(&base);
        mode = c.mode;
        windows.open = {c.window};
        tools.press(c.button, 20, 50);
        tools.move(60, 50, {0, 0, 100, 100});
        tools.release(c.button, 80, 50);
        EXPECT_EQ(changedPixels(), 60); // columns 20 to 79
        for (int x = 20; x < 80; ++x)
            ASSERT_EQ(picture.pixel(x, 50), inverted(base.pixel(x, 50))) << "column " << x;
    }
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
    mode = ChartMouseTools::setWaypointsMode;
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

// 99 waypoints and a 100th behind them, as a file with values behind a 0/0 entry leaves the list
// once the gap is set again: an insertion between 99 and 100 has no room.
TEST_F(ChartTools, ACruisePointIsNotInsertedIntoAFullList) {
    for (int n = 1; n <= maxWaypoints; ++n)
        route[n] = {Real48(55.0L + n / 100.0L), Real48(5.0L), {}, {}, {}};
    route.WaypointCount = 99;
    route.WaypointIndex = 99;
    const Bytes before = route.toFile();
    mode = ChartMouseTools::searchOptimumMode;
    windows.open = {ToolWindow::Waypoints};
    click(30, 30);
    EXPECT_EQ(windows.messages, (std::vector<std::string>{"Insert new waypoint?",
                                                          "The route holds at most 100 points."}));
    EXPECT_EQ(route.toFile(), before);
    EXPECT_EQ(route.WaypointCount, 99);
    EXPECT_EQ(route.WaypointIndex, 99);
}

} // namespace
} // namespace brisomar
