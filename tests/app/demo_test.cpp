// The navigator on the demo chart, reading a GPS on a pseudo-terminal at 4800 baud.
#include "app/demo.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "base/radio_group.h"
#include "charts/Vimomapa.h"
#include "charts/chart_geometry.h"
#include "input/SeComm32.h"
#include "input/Vimocom.h"
#include "input/nmea_simulator.h"
#include "input/qt_serial_device.h"
#include "pty_pair.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::PtyPair;
using testing::TempDir;
using testing::UiFixture;

TEST(Demo, WritesAChartWithIntermediateCalibrationPoints) {
    TempDir dir;
    const auto mapPath = writeDemoChart(QString::fromStdString(dir.file("demo")));
    ASSERT_TRUE(mapPath);
    StdFileSystem files;
    ChartState chart;
    ChartSelection selection(chart);
    bool opened = false;
    selection.openMapFile(files, mapPath->toStdString(), opened);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(chart.ChartUsable);
    EXPECT_EQ(chart.LatPointCount, 3);
    EXPECT_EQ(chart.LonPointCount, 2);
    EXPECT_EQ(QImage(QString::fromStdString(chart.ChartFileName)).width(), 800);
}

TEST(Demo, TheBoatFromAPseudoTerminalIsDrawnWhereTheGeometrySaysAndSilenceRaisesTheAlarm) {
    TempDir dir;
    UiFixture ui;
    ui.context.makers.serialDevice = [&ui] { return std::make_unique<QtSerialDevice>(ui.clock); };
    const auto mainDlg = createWindows(ui.context);
    TVimoComDlg* com = ui.context.windows.comDlg;
    ASSERT_TRUE(startDemo(ui.context, QString::fromStdString(dir.file("demo"))));
    EXPECT_EQ(ui.program.nav.WindSpeed, Real48(12.0L));
    EXPECT_FALSE(ui.program.boatTables.SpeedTable[2][4].isZero());
    PtyPair gps;
    ASSERT_TRUE(gps.ok());
    com->CommRadioGroup->click(1);
    com->deviceChoice(1)->setEditText(QString::fromStdString(gps.slavePath()));
    com->CommRadioGroup->click(0);
    ASSERT_TRUE(com->SeComm1->PortOpen());
    EXPECT_EQ(com->SeComm1->BaudRate(), TBaudRate::br4800);

    const std::string fix =
        withChecksum("$GPRMC,100000,A,4512.000,N,03015.000,W,6.0,90.0,071226,,");
    ASSERT_TRUE(gps.write(fix));
    // The pseudo-terminal hands the bytes on asynchronously; one poll takes them all.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return com->SeComm1->CharCount() >= static_cast<int>(fix.size()); }));
    com->SeComm1->PollTimerTimer();
    ui.communicationTick();
    ui.mainTick();
    TMapA* mapA = ui.context.windows.mapA;
    mapA->Timer1Timer();
    mapA->Timer1Timer(); // the cross shows on every other tick
    ChartState& chart = ui.program.chart;
    const int y = LatToChartY(chart, Real48(45.2L));
    const int x = LonToChartX(chart, Real48(30.25L));
    EXPECT_EQ(chart.ChartTrack.LastX, x);
    EXPECT_EQ(chart.ChartTrack.LastY, y);
    EXPECT_EQ(mapA->picture().pixel(x, y), black);

    TVimoLarmDlg* larm = ui.context.windows.larmDlg;
    larm->ensureControls();                      // the sailor opens the alarm window
    larm->onBox(AlarmSlot::GpsSilence)->click(); // more than 10 s without a fix
    ui.clock.time.second = 30;
    ui.communicationTick();
    ui.alarmTick();
    ui.alarmTick();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 1);
}

// Restarted on the demo, a port to a real device sends the simulated boat's route to nobody
// until the sailor ticks its box again; the window says why.
TEST(Demo, APortToARealDeviceSendsNoRouteUntilTheSailorAsks) {
    TempDir dir;
    UiFixture ui;
    ui.serial->openable = {"/dev/ttyAutopilot"};
    const auto mainDlg = createWindows(ui.context);
    TVimoComDlg* com = ui.context.windows.comDlg;
    com->deviceChoice(2)->setEditText(QStringLiteral("/dev/ttyAutopilot"));
    com->switchOnAtStart(2);
    com->SendRouteCheckB->setChecked(true);
    ASSERT_TRUE(startDemo(ui.context, QString::fromStdString(dir.file("demo"))));
    EXPECT_FALSE(com->SendRouteCheckB->isChecked());
    EXPECT_FALSE(ui.program.output.choices[1].route);
    ui.communicationTick();
    EXPECT_EQ(com->NoticeLabel->text(),
              "Port 2 sends no route sentences: the demo's boat is simulated. Tick \"Send route "
              "sentences\" to steer by it.");
    com->SendRouteCheckB->setChecked(true);
    ui.communicationTick();
    EXPECT_TRUE(ui.program.output.choices[1].route);
    EXPECT_TRUE(com->NoticeLabel->text().isEmpty());
}

} // namespace
} // namespace brisomar
