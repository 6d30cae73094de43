// The chart's mouse tools driven with mouse events on the offscreen chart window.
#include "charts/Vimomapa.h"

#include "app/Vimomain.h"
#include "charts/Vimomapb.h"
#include "charts/Vimosema.h"
#include "charts/chart_fixtures.h"
#include "charts/map_file.h"
#include "navcalc/Vimoavst.h"
#include "navcalc/Vimoopt.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"
#include "navcalc/navigation_math.h"
#include "records/Vimowayp.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

const QColor sea(30, 90, 160);

class MouseTools : public ::testing::Test {
protected:
    MouseTools() : mainDlg(createWindows(ui.context)), mapA(ui.context.windows.mapA) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(sea);
        const std::string bitmap = dir.file("chart.bmp");
        image.save(QString::fromStdString(bitmap), "BMP");
        MapTable table{};
        table[0] = testing::easyRecord(bitmap, 100, 100); // 60..50 N, 10..0 W, 10 px a degree
        const std::string map = dir.file("charts.MAP");
        const Bytes bytes = encodeMapFile(table);
        std::ofstream(map, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        ui.dialogs.files = {QString::fromStdString(map)};
        ui.context.windows.semaDlg->ensureControls(); // the sailor opens the selection
        ui.context.windows.semaDlg->OpenBtnClick();
        mapA->show();
        mapA->Timer1Timer();
        mapA->Showposition1->trigger(); // no mode: plain tools
    }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(mapA->Image1, button, Qt::NoModifier, at);
    }
    void moveTo(QPoint at) { QTest::mouseMove(mapA->Image1, at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(mapA->Image1, button, Qt::NoModifier, at);
    }
    void click(QPoint at) {
        press(at);
        release(at);
    }
    int changedPixels() {
        int changed = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const Rgb c = mapA->picture().pixel(x, y);
                changed += QColor(c.r, c.g, c.b) == sea ? 0 : 1;
            }
        return changed;
    }
    void setRoute(std::initializer_list<std::pair<long double, long double>> points) {
        WaypointRoute& route = ui.program.route;
        int n = 0;
        for (const auto& [lat, lon] : points) {
            ++n;
            route[n].Lat = Real48(lat);
            route[n].Lon = Real48(lon);
        }
        route.WaypointCount = n;
        route.WaypointIndex = 1;
    }

    TempDir dir;
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TMapA* mapA;
};

TEST_F(MouseTools, ClicksSetWaypointsWithTheirLegs) {
    mapA->SetWaypoints1->trigger();
    ASSERT_TRUE(ui.context.windows.waypDlg->isVisible());
    ui.context.windows.optDlg->show();
    click({50, 50});
    const WaypointRoute& route = ui.program.route;
    EXPECT_EQ(route.WaypointIndex, 1);
    EXPECT_EQ(route[1].Lat, Real48(55.0L));
    EXPECT_EQ(route[1].Lon, Real48(5.0L));
    EXPECT_TRUE(route[1].Dist.isZero());
    EXPECT_EQ(ui.context.windows.optDlg->EditGeoDir->text(), "0");
    click({70, 50});
    EXPECT_EQ(route.WaypointCount, 2);
    EXPECT_EQ(route[2].Dir, Real48(90.0L));
    EXPECT_NEAR(static_cast<double>(route[2].Dist.value()), 2 * 60.108 * 0.5736, 0.05);
    EXPECT_EQ(ui.context.windows.optDlg->EditGeoDir->text(), "90");
    EXPECT_TRUE(ui.context.windows.waypDlg->Edit1->text().startsWith("Nr:2 "));
    const Rgb mark = mapA->picture().pixel(73, 50);
    EXPECT_EQ(QColor(mark.r, mark.g, mark.b), Qt::red);
}

TEST_F(MouseTools, AClickAfterAnInnerWaypointReplacesTheNext) {
    setRoute({{55, 8}, {55, 7}, {55, 6}, {55, 5}, {55, 4}});
    ui.program.route.WaypointIndex = 3;
    mapA->SetWaypoints1->trigger();
    click({80, 20});
    EXPECT_EQ(ui.program.route.WaypointIndex, 4);
    EXPECT_EQ(ui.program.route.WaypointCount, 5);
    EXPECT_EQ(ui.program.route[4].Lat, Real48(58.0L));
    EXPECT_EQ(ui.program.route[5].Lon, Real48(4.0L));
}

TEST_F(MouseTools, AMeasuringDragShowsDistanceAndTimeAndLeavesOnlyItsLine) {
    ui.context.windows.avstDlg->show();
    ui.context.windows.sailTimeDlg->show();
    press({50, 40});
    for (const int y : {42, 46, 47, 49})
        moveTo({50 + y - 40, y});
    moveTo({50, 50});
    release({50, 50});
    EXPECT_EQ(ui.context.windows.avstDlg->LabelThis->text(), "Distance: 111320 m, 60.1 Nm");
    EXPECT_TRUE(ui.context.windows.sailTimeDlg->LabelThis->text().startsWith("Sailtime: "));
    EXPECT_EQ(changedPixels(), 10); // the final line without its end pixel
    EXPECT_EQ(ui.program.tools.ChartCourse, Real48(180.0L));
}

TEST_F(MouseTools, WithoutAToolWindowADragDrawsNothing) {
    press({20, 20});
    moveTo({60, 60});
    release({60, 60});
    EXPECT_EQ(changedPixels(), 0);
}

TEST_F(MouseTools, TheMousePositionIsShown) {
    ui.context.windows.posiDlg->show();
    moveTo({50, 50});
    EXPECT_EQ(ui.context.windows.posiDlg->Panel1->text(), "LAT N 55°00.000' / LON W005°00.000'");
}

TEST_F(MouseTools, ARightDragChoosesTheDetailRegion) {
    press({20, 20}, Qt::RightButton);
    EXPECT_FALSE(mapA->ChartDrawEnabled);
    moveTo({40, 40});
    EXPECT_GT(changedPixels(), 0); // the rubber band
    moveTo({60, 70});
    release({60, 70}, Qt::RightButton);
    EXPECT_EQ(changedPixels(), 0);
    const ChartState& chart = ui.program.chart;
    EXPECT_EQ(chart.DetailRect.Left, 20);
    EXPECT_EQ(chart.DetailRect.Bottom, 70);
    EXPECT_EQ(chart.DetailNLat, Real48(58.0L));
    EXPECT_EQ(chart.DetailSLat, Real48(53.0L));
    EXPECT_EQ(chart.DetailWLon, Real48(8.0L));
    EXPECT_EQ(chart.DetailELon, Real48(4.0L));
    EXPECT_TRUE(ui.context.windows.mapB->isVisible());
    EXPECT_TRUE(mapA->ChartDrawEnabled);
}

TEST_F(MouseTools, ARightDragToTheWindowsEdgeIsCancelled) {
    press({20, 20}, Qt::RightButton);
    moveTo({40, 40});
    moveTo({2, 40}); // within 5 pixels of the edge
    EXPECT_EQ(changedPixels(), 0);
    EXPECT_TRUE(mapA->ChartDrawEnabled);
    release({2, 40}, Qt::RightButton);
    EXPECT_EQ(ui.program.chart.DetailRect.Right, 0);
    EXPECT_FALSE(ui.context.windows.mapB->isVisible());
}

TEST_F(MouseTools, TheSearchSaysWhatIsWrongWithTheSelection) {
    mapA->Searchoptimum1->trigger();
    press({50, 50}); // no current waypoint
    release({50, 50});
    setRoute({{55, 8}});
    press({50, 50}); // waypoint 2 empty
    release({50, 50});
    setRoute({{55, 8}, {45, 2}}); // waypoint 2 off the chart
    press({50, 50});
    release({50, 50});
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "Error array full or wrong selection!"},
                                       {Information, "Error in selected waypoints!"},
                                       {Information, "Selected waypoint outside map!"}}));
}

TEST_F(MouseTools, ASearchOffersToInsertTheCruisePoint) {
    setRoute({{55, 8}, {55, 2}});
    ui.program.route[2].Minutes = Real48(600.0L);
    mapA->Searchoptimum1->trigger();
    ASSERT_TRUE(ui.context.windows.seekOptDlg->isVisible());
    ui.dialogs.answers = {Dialogs::Answer::No};
    press({50, 30});
    moveTo({50, 35});
    release({50, 35});
    EXPECT_EQ(ui.program.route.WaypointCount, 2);
    EXPECT_EQ(ui.dialogs.shown,
              (Boxes{{InformationYesNo, "Insert new waypoint?"}})); // not a question
    EXPECT_EQ(ui.context.windows.seekOptDlg->StringGrid1->item(4, 1)->text(), "600.0");
    EXPECT_EQ(changedPixels(), 18); // only the two waypoint marks stay
    ui.dialogs.answers = {Dialogs::Answer::Yes};
    press({50, 30});
    moveTo({50, 40});
    release({50, 40});
    const WaypointRoute& route = ui.program.route;
    EXPECT_EQ(route.WaypointCount, 3);
    EXPECT_EQ(route.WaypointIndex, 1);
    EXPECT_EQ(route[2].Lat, Real48(56.0L));
    EXPECT_EQ(route[3].Lon, Real48(2.0L));
    EXPECT_EQ(route[2].Dir, CourseBetween(route[1].Lat, route[1].Lon, route[2].Lat, route[2].Lon));
    EXPECT_EQ(route[3].Dir, CourseBetween(route[2].Lat, route[2].Lon, route[3].Lat, route[3].Lon));
}

TEST_F(MouseTools, NothingHappensWithoutAUsableChart) {
    ui.program.chart.ChartUsable = false;
    ui.context.windows.posiDlg->show();
    moveTo({50, 50});
    EXPECT_EQ(ui.context.windows.posiDlg->Panel1->text(), "Lat/Lon");
}

} // namespace
} // namespace brisomar
