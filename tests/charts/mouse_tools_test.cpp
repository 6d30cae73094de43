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

// The rules of the tools are tested on the core; these check that the window's mouse events
// reach them and that what they ask of the tool windows arrives.

TEST_F(MouseTools, ClicksSetWaypointsWithTheirLegs) {
    mapA->SetWaypoints1->trigger();
    ASSERT_TRUE(ui.context.windows.waypDlg->isVisible());
    ui.context.windows.optDlg->show();
    click({50, 50});
    EXPECT_EQ(ui.program.route.WaypointIndex, 1);
    EXPECT_EQ(ui.context.windows.optDlg->EditGeoDir->text(), "0");
    click({70, 50});
    EXPECT_EQ(ui.program.route.WaypointCount, 2);
    EXPECT_EQ(ui.context.windows.optDlg->EditGeoDir->text(), "90");
    EXPECT_TRUE(ui.context.windows.waypDlg->Edit1->text().startsWith("Nr:2 "));
    const Rgb mark = mapA->picture().pixel(73, 50);
    EXPECT_EQ(QColor(mark.r, mark.g, mark.b), Qt::red);
}

TEST_F(MouseTools, AMeasuringDragShowsItsFiguresAndTheMousePosition) {
    ui.context.windows.avstDlg->show();
    ui.context.windows.sailTimeDlg->show();
    ui.context.windows.posiDlg->show();
    press({50, 40});
    moveTo({50, 50});
    EXPECT_EQ(ui.context.windows.posiDlg->Panel1->text(), "LAT N 55°00.000' / LON W005°00.000'");
    release({50, 50});
    EXPECT_EQ(ui.context.windows.avstDlg->LabelThis->text(), "Distance: 111320 m, 60.1 Nm");
    EXPECT_TRUE(ui.context.windows.sailTimeDlg->LabelThis->text().startsWith("Sailtime: "));
    EXPECT_EQ(changedPixels(), 10); // the final line without its end pixel
}

// The window's edge is that of its client area: a drag to it is cancelled.
TEST_F(MouseTools, ARightDragChoosesTheDetailRegionUnlessItReachesTheEdge) {
    press({20, 20}, Qt::RightButton);
    moveTo({40, 40});
    moveTo({2, 40}); // within 5 pixels of the edge
    release({2, 40}, Qt::RightButton);
    EXPECT_FALSE(ui.context.windows.mapB->isVisible());
    press({20, 20}, Qt::RightButton);
    EXPECT_FALSE(ui.program.chart.ChartDrawEnabled);
    moveTo({40, 40});
    EXPECT_GT(changedPixels(), 0); // the rubber band
    moveTo({60, 70});
    release({60, 70}, Qt::RightButton);
    EXPECT_EQ(changedPixels(), 0);
    EXPECT_EQ(ui.program.chart.DetailRect.Bottom, 70);
    EXPECT_TRUE(ui.context.windows.mapB->isVisible());
    EXPECT_TRUE(ui.program.chart.ChartDrawEnabled);
}

TEST_F(MouseTools, ASearchOffersToInsertTheCruisePoint) {
    setRoute({{55, 8}, {55, 2}});
    ui.program.route[2].Minutes = Real48(600.0L);
    mapA->Searchoptimum1->trigger();
    ASSERT_TRUE(ui.context.windows.seekOptDlg->isVisible());
    ASSERT_TRUE(ui.context.windows.waypDlg->isVisible());
    ui.dialogs.answers = {Dialogs::Answer::No};
    press({50, 30});
    moveTo({50, 35});
    release({50, 35});
    EXPECT_EQ(ui.program.route.WaypointCount, 2);
    EXPECT_EQ(ui.dialogs.shown,
              (Boxes{{InformationYesNo, "Insert new waypoint?"}})); // not a question
    EXPECT_EQ(ui.context.windows.seekOptDlg->StringGrid1->item(4, 1)->text(), "600.0");
    ui.dialogs.answers = {Dialogs::Answer::Yes};
    press({50, 30});
    moveTo({50, 40});
    release({50, 40});
    EXPECT_EQ(ui.program.route.WaypointCount, 3);
    EXPECT_EQ(ui.program.route[2].Lat, Real48(56.0L));
}

} // namespace
} // namespace brisomar
