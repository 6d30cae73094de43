#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomset.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "records/Vimolog.h"

#include "ui_fakes.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::UiFixture;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : mainDlg(createWindows(ui.context)) {}

    QString status() const { return mainDlg->TextPanel->text(); }
    void selectTab(StatusPage page) { mainDlg->TabSet->setCurrentIndex(static_cast<int>(page)); }
    QColor lampColour() const { return mainDlg->LarmPanel->palette().color(QPalette::Window); }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
};

TEST_F(MainWindow, IsTheFixedStripWithTenTabsAndARunningTimer) {
    EXPECT_EQ(mainDlg->windowTitle(), "Brisomar Navigator Version 2.0 b1 ");
    EXPECT_EQ(mainDlg->frameGeometry().size(), QSize(627, 97));
    EXPECT_EQ(mainDlg->frameGeometry().left(), 7);
    ASSERT_EQ(mainDlg->TabSet->count(), 10);
    const QStringList tabs{"Alarm",  "Comm",  "Course", "Log",      "Position",
                           "Source", "Speed", "Wind",   "Extended", "Waypoint"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(mainDlg->TabSet->tabText(i), tabs[i]);
    EXPECT_EQ(mainDlg->TabSet->currentIndex(), 0);
    EXPECT_TRUE(mainDlg->Timer1->isActive());
    EXPECT_EQ(mainDlg->Timer1->interval(), 1100);
}

// Its size is fixed, so the window manager offers neither resizing nor maximising it.
TEST_F(MainWindow, KeepsItsSizeWhereverItIsPut) {
    mainDlg->show();
    mainDlg->setGeometry(100, 40, 900, 300);
    QApplication::processEvents(); // the windows take the application's palette
    EXPECT_EQ(mainDlg->frameGeometry().size(), QSize(627, 97));
    EXPECT_EQ(mainDlg->minimumSize(), mainDlg->maximumSize());
    EXPECT_EQ(mainDlg->geometry().top(), 40); // the top stays where it was put
}

TEST_F(MainWindow, TimerTickShowsTheSelectedPageWithTheValuesInUse) {
    ui.mainTick();
    EXPECT_EQ(status(), "Active alarms: 0");
    selectTab(StatusPage::Speed);
    ui.program.nav.GpsSpeed = Real48(22.4L);
    ui.mainTick();
    EXPECT_EQ(status(), "Speed GPS: 22.3999999999942 knots. In use: 22.3999999999942 knots.");
}

TEST_F(MainWindow, TabClickShowsThePageAtOnce) {
    ui.program.nav.ExtendedName = "";
    selectTab(StatusPage::Extended);
    EXPECT_EQ(status(), "Extended data value not specified.");
    selectTab(StatusPage::Log);
    EXPECT_EQ(status(), "Log is off. Interval: 5 minutes.");
}

TEST_F(MainWindow, ActivationRefreshesEveryPageButExtended) {
    selectTab(StatusPage::Alarm);
    ui.program.nav.ActiveAlarmCount = 2;
    mainDlg->FormActivate();
    EXPECT_EQ(status(), "Active alarms: 2");
    selectTab(StatusPage::Extended);
    ui.program.nav.ExtendedName = "Deep";
    mainDlg->FormActivate();
    EXPECT_EQ(status(), "Extended data value not specified.");
}

TEST_F(MainWindow, TheAlarmPageNamesTheRaisedAlarmsCutToFit) {
    mainDlg->show();
    ui.program.nav.ActiveAlarmCount = 2;
    ui.program.nav.ActiveAlarmNames = "Anchor watch, Depth below";
    ui.mainTick();
    EXPECT_EQ(status(), "Active alarms: 2  Anchor watch, Depth below");
    ui.program.nav.ActiveAlarmCount = 11;
    ui.program.nav.ActiveAlarmNames = "Anchor watch, Change of course, Change of speed, Change of "
                                      "wind, Change of windforce, Communication GPS, Depth below";
    ui.mainTick();
    EXPECT_TRUE(status().startsWith("Active alarms: 11  Anchor watch, Change of course"));
    EXPECT_TRUE(status().endsWith(QChar(0x2026))) << status().toStdString(); // cut with "…"
    EXPECT_LE(mainDlg->TextPanel->fontMetrics().horizontalAdvance(status()),
              mainDlg->TextPanel->contentsRect().width());
}

// Three waypoints a tenth of a degree apart northward from 45° N 30° W; the boat sails north
// at 6 knots.
TEST_F(MainWindow, TheWaypointPageCountsDownAndTheNextWaypointBecomesActive) {
    selectTab(StatusPage::Waypoint);
    EXPECT_EQ(status(), "No route");
    WaypointRoute& route = ui.program.route;
    for (int n = 1; n <= 3; ++n)
        route[n] = {Real48(45 + n / 10.0L), Real48(30.0L), {}, {}, {}};
    route.WaypointCount = 3;
    route.WaypointIndex = 1;
    route.sailFirstOfNewRoute();
    NavState& nav = ui.program.nav;
    nav.GpsLat = Real48(45.0L);
    nav.GpsLon = Real48(30.0L);
    nav.GpsSpeed = Real48(6.0L);
    ui.mainTick();
    EXPECT_EQ(status(), "WP 1: ---° -.-- Nm  Waiting for a position");
    nav.GpsFixReceived = true;
    ui.mainTick(); // starts the route here
    EXPECT_EQ(status(), "WP 1: 000° 6.00 Nm  XTE 0 m  VMG 6.0 kn  ETA 13:00");
    nav.GpsLat = Real48(45.05L);
    ui.mainTick();
    EXPECT_EQ(status(), "WP 1: 000° 3.00 Nm  XTE 0 m  VMG 6.0 kn  ETA 12:30");
    nav.GpsLat = Real48(45.1L); // waypoint 1
    ui.mainTick();
    EXPECT_EQ(route.WaypointIndex, 2);
    EXPECT_TRUE(status().startsWith("WP 2: 000° 6.00 Nm")) << status().toStdString();
    nav.GpsLat = Real48(45.3L); // across the line of waypoint 2, on waypoint 3
    ui.mainTick();
    EXPECT_TRUE(status().startsWith("WP 3: 000° 0.00 Nm")) << "one waypoint a position";
    ui.mainTick();
    EXPECT_EQ(status(), "Arrived at WP 3: 000° 0.00 Nm");
    nav.GpsLat = Real48(45.31L);
    ui.mainTick();
    EXPECT_EQ(status(), "Route done");
}

TEST_F(MainWindow, AlarmLampTurnsRedAndBeepsTwentyTimesPerTick) {
    ui.mainTick();
    EXPECT_EQ(mainDlg->LarmPanel->text(), "");
    EXPECT_EQ(lampColour(), QColor(192, 192, 192));
    EXPECT_EQ(ui.beeper.count, 0);
    ui.program.nav.ActiveAlarmCount = 1;
    ui.mainTick();
    EXPECT_EQ(mainDlg->LarmPanel->text(), "Alarm");
    EXPECT_EQ(lampColour(), QColor(255, 0, 0));
    EXPECT_EQ(ui.beeper.count, 20);
    ui.mainTick();
    EXPECT_EQ(ui.beeper.count, 40);
    ui.program.nav.ActiveAlarmCount = 0;
    ui.mainTick();
    EXPECT_EQ(mainDlg->LarmPanel->text(), "");
    EXPECT_EQ(lampColour(), QColor(192, 192, 192));
    EXPECT_EQ(ui.beeper.count, 40);
    EXPECT_EQ(mainDlg->Timer1->interval(), 1100);
}

TEST_F(MainWindow, PositionPageShowsTheClockMovingAcrossMidnight) {
    selectTab(StatusPage::Position);
    ui.clock.time = {2026, 12, 7, 23, 59, 59, 0};
    ui.mainTick();
    EXPECT_TRUE(status().startsWith("LAT --°--.---' LON ---°--.---' Last update:--:--:--"));
    EXPECT_TRUE(status().contains("Now:23:59:59")) << status().toStdString();
    ui.clock.time = {2026, 12, 8, 0, 0, 1, 0};
    ui.mainTick();
    EXPECT_TRUE(status().contains("Now:00:00:01")) << status().toStdString();
}

TEST_F(MainWindow, ExitAsksFirstAndNoLeavesEverythingRunning) {
    mainDlg->show();
    ui.dialogs.answers = {Dialogs::Answer::No};
    mainDlg->Exit1->trigger();
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Question, "Exit program ?"}}));
    EXPECT_TRUE(mainDlg->isVisible());
    EXPECT_TRUE(mainDlg->Timer1->isActive());
    ui.dialogs.answers = {Dialogs::Answer::Yes};
    mainDlg->Exit1->trigger();
    EXPECT_FALSE(mainDlg->isVisible());
}

TEST_F(MainWindow, CloseButtonClosesWithoutAsking) {
    mainDlg->show();
    mainDlg->close();
    EXPECT_FALSE(mainDlg->isVisible());
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

// At night no control of any window keeps a light ground; by day every colour is back.
TEST_F(MainWindow, NightLeavesNoLightGroundAndDayGivesEveryColourBack) {
    const QPalette day = QApplication::palette();
    const QPalette statusDay = mainDlg->TextPanel->palette();
    mainDlg->PaletteItems[2]->trigger();
    QApplication::processEvents(); // the windows take the application's palette
    for (QWidget* w : QApplication::allWidgets())
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            EXPECT_LT(w->palette().color(role).lightness(), 100) << w->metaObject()->className();
    mainDlg->PaletteItems[0]->trigger();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::palette(), day);
    EXPECT_EQ(mainDlg->TextPanel->palette(), statusDay);
}

TEST_F(MainWindow, MenuHasTheProgramsCaptionsAndShortcuts) {
    QStringList captions;
    for (QAction* action : mainDlg->menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions,
              (QStringList{"&File", "&Source", "&Comm", "&Alarm", "&Config", "Char&t", "&Log",
                           "&Extended", "AI&S targets", "&Important", "&Palette", "&Help"}));
    EXPECT_EQ(mainDlg->Exit1->text(), "Exit");
    EXPECT_EQ(mainDlg->Exit1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(mainDlg->About1->text(), "About");
    EXPECT_EQ(mainDlg->Content1->text(), "Content");
    EXPECT_EQ(mainDlg->Warning1->text(), "Warning");
}

TEST_F(MainWindow, MenuMessagesAndHelp) {
    mainDlg->Extended1->trigger();
    mainDlg->Warning1->trigger();
    EXPECT_EQ(ui.dialogs.shown,
              (Boxes{{Message, "Not yet implemented."},
                     {Message, "Navigation software never replaces good seamanship."}}));
    mainDlg->Content1->trigger();
    EXPECT_EQ(ui.help.contexts, std::vector<int>{1});
}

TEST_F(MainWindow, ChartOpensTheChartWindowWithoutWaiting) {
    mainDlg->Map1->trigger();
    EXPECT_TRUE(ui.context.windows.mapA->isVisible());
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(MainWindow, MenuOpensTheRegisteredDialogsModally) {
    const WindowRegistry& w = ui.context.windows;
    EXPECT_EQ(w.mainDlg, mainDlg.get());
    const std::pair<QAction*, QDialog*> items[] = {
        {mainDlg->Warranties1, w.warrDlg}, {mainDlg->About1, w.aboutDlg},
        {mainDlg->Comm1, w.comDlg},        {mainDlg->Source1, w.sourDlg},
        {mainDlg->Larm1, w.larmDlg},       {mainDlg->Log1, w.logDlg}};
    for (const auto& [item, dialog] : items) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->isVisible());
        bool shownModally = false;
        QTimer::singleShot(0, dialog, [&shownModally, dialog = dialog] {
            shownModally = dialog->isVisible() && dialog->isModal();
            dialog->accept();
        });
        item->trigger(); // returns once the dialog is closed
        EXPECT_TRUE(shownModally) << item->text().toStdString();
        EXPECT_FALSE(dialog->isVisible());
    }
}

} // namespace
} // namespace brisomar
