// What the sailor set comes back at the next start: restored from the files a run wrote, through
// the same start the navigator runs.
#include "app/settings_store.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "app/kept_windows.h"
#include "app/quiet_dialogs.h"
#include "base/masked_fields.h"
#include "base/radio_group.h"
#include "charts/Vimomapa.h"
#include "failing_file_system.h"
#include "input/SeComm32.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "kept_fixtures.h"
#include "navcalc/Vimoboat.h"
#include "navcalc/Vimoopt.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brisomar {
namespace {

using testing::contentsOf;
using testing::TempDir;
using testing::UiFixture;

const std::string gpsDevice = "/dev/ttyGPS";

// One run of the navigator: its windows made and shown as main makes them, then the start.
struct NavigatorRun {
    explicit NavigatorRun(const std::string& folder, bool fresh = false,
                          std::vector<std::string> openable = {gpsDevice}) {
        ui.serial->openable = std::move(openable);
        mainDlg = createWindows(ui.context);
        mainDlg->show();
        store = std::make_unique<SettingsStore>(ui.context, QString::fromStdString(folder), false);
        notice = restoreAndKeep(*store, ui.context, fresh);
    }

    const WindowRegistry& windows() const { return ui.context.windows; }
    AlarmMonitor& alarms() { return ui.program.alarms; }

    void switchAlarmOn(AlarmSlot slot) {
        windows().larmDlg->ensureControls();
        windows().larmDlg->onBox(slot)->click();
    }

    void switchPortOn(const std::string& device) {
        TVimoComDlg* com = windows().comDlg;
        com->deviceChoice(1)->setEditText(QString::fromStdString(device));
        com->CommRadioGroup->click(0);
    }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    std::unique_ptr<SettingsStore> store;
    std::string notice;
};

// The file's identity on the disk: a write replaces the file, so a new one comes.
ino_t inodeOf(const QString& path) {
    struct stat status {};
    return ::stat(path.toLocal8Bit().constData(), &status) == 0 ? status.st_ino : 0;
}

class KeptAcrossRuns : public ::testing::Test {
protected:
    TempDir dir;
    const std::string folder = dir.file("config");
    const std::string valuesPath = dir.file("config/brisomar.ini");
    const std::string routePath = dir.file("config/brisomar.WAY");
};

// The sailor sets every group in the windows, as by hand; the next run comes back the same.
TEST_F(KeptAcrossRuns, EveryGroupComesBackAsTheSailorLeftIt) {
    const std::string mapPath = testing::writeTwoCharts(dir);
    const std::string logPath = dir.file("TRIP.LOG");
    const std::string speedPath = dir.file("boat.SPE");
    StdFileSystem files;
    ASSERT_EQ(saveBoatTable(files, speedPath, ".SPE", defaultSpeedTable()), BoatFileResult::Done);
    KeptSettings before;
    {
        NavigatorRun a(folder);
        const WindowRegistry& w = a.windows();
        // Ports and sentences.
        w.comDlg->BaudRadioGroup->click(3);
        w.comDlg->ParityRadioGroup->click(2);
        w.comDlg->ByteSizeRadioGroupB->click(0);
        w.comDlg->EditNMEASentence->setText("??RMC");
        w.comDlg->EditAlias->setText("Temp");
        a.switchPortOn(gpsDevice);
        // Data sources.
        w.sourDlg->ensureControls();
        w.sourDlg->MaskLat->setText("015°30.000");
        w.sourDlg->MaskLatNSClick();
        w.sourDlg->LatRadioGroup->click(0);
        w.sourDlg->MaskWindDir->setText("240");
        w.sourDlg->OKBtnClick();
        // The chart, its settings and its window, which empties the route when shown.
        a.ui.program.chartSettings.PosSize = 5;
        a.ui.program.chartSettings.TrackColor = 2;
        a.ui.program.chartSettings.MarkSymbol = PositionSymbol::Boat;
        a.mainDlg->PaletteClick(PaletteChoice::Night);
        bool opened = false;
        a.ui.program.selection.openMapFile(a.ui.files, mapPath, opened);
        ASSERT_TRUE(opened);
        a.ui.program.selection.showRecord(a.ui.files, 2);
        a.ui.program.chart.AutoSelect = true;
        w.mapA->show();
        w.mapA->resize(90, 80);
        w.mapA->move(30, 40);
        w.mapA->ShowTrack1->trigger();
        w.mapA->ZoomOut1->trigger();
        w.optDlg->show();
        w.optDlg->move(100, 120);
        a.mainDlg->move(a.mainDlg->x(), 200);
        // The route.
        a.ui.program.route[1] = {Real48(52.5L), Real48(1.5L), {}, {}, {}};
        a.ui.program.route[2] = {Real48(52.6L), Real48(1.4L), Real48(6.5L), Real48(33.0L), {}};
        a.ui.program.route.WaypointCount = 2;
        a.ui.program.route.WaypointIndex = 2;
        a.ui.program.route.sailing.ActiveWaypoint = 1;
        // Alarms, one of them a passage started at 55° N.
        a.ui.program.nav.PosLat = Real48(55.0L);
        w.larmDlg->ensureControls();
        w.larmDlg->MaskMinSpeBox->setText("06");
        w.larmDlg->SpinEdit1->setValue(10);
        a.switchAlarmOn(AlarmSlot::Speed);
        a.switchAlarmOn(AlarmSlot::LatitudePassage);
        // The logbook.
        w.logDlg->ensureControls();
        a.ui.dialogs.files = {QString::fromStdString(logPath)};
        w.logDlg->UseBtnClick();
        w.logDlg->LogOnBtnClick();
        w.logDlg->SpinIntervall->setValue(15);
        // The boat tables: speeds from a file, leeway the defaults.
        w.boatSheet->ensureControls();
        a.ui.dialogs.files = {QString::fromStdString(speedPath)};
        w.boatSheet->Loadspeeddatafromfile1Click();
        w.boatSheet->Usedefaultleewaydata1Click();
        ASSERT_EQ(a.ui.dialogs.shown, testing::Boxes{});

        a.store->Timer1Timer();
        before = gatherKept(a.ui.context);
        a.mainDlg->PaletteClick(PaletteChoice::Day);
    }
    ASSERT_TRUE(std::filesystem::exists(valuesPath));
    ASSERT_EQ(std::filesystem::file_size(routePath), waypointFileSize);

    NavigatorRun b(folder);
    const WindowRegistry& w = b.windows();
    const Program& p = b.ui.program;
    EXPECT_TRUE(b.notice.empty());
    EXPECT_EQ(b.ui.dialogs.shown, testing::Boxes{});
    EXPECT_EQ(keptValues(gatherKept(b.ui.context)), keptValues(before));
    EXPECT_EQ(gatherKept(b.ui.context).route.entries, before.route.entries);
    // Ports: the one that was on is open again, with its settings.
    EXPECT_TRUE(w.comDlg->SeComm1->PortOpen());
    EXPECT_EQ(b.ui.serial->opened, std::vector<std::string>{gpsDevice});
    EXPECT_EQ(b.ui.serial->settings.back().baudRate, TBaudRate::br9600);
    EXPECT_EQ(b.ui.serial->settings.back().parity, TParity::pEven);
    EXPECT_FALSE(w.comDlg->SeComm2->PortOpen());
    EXPECT_EQ(w.comDlg->ByteSizeRadioGroupB->selectedText(), "7");
    EXPECT_EQ(p.reception.gps.sentence, "??RMC");
    EXPECT_EQ(p.nav.ExtendedName, "Temp");
    // Sources.
    EXPECT_TRUE(p.nav.ManualLat);
    EXPECT_EQ(p.nav.ManualLatValue, Real48(-15.5L));
    EXPECT_EQ(p.nav.WindDir, Real48(240.0L));
    EXPECT_EQ(maskedText(w.sourDlg->MaskLat), "015°30.000");
    // The chart, loaded, in its window where it was, showing the track.
    EXPECT_EQ(p.chart.MapFilePath, mapPath);
    EXPECT_EQ(p.chart.MapIndex, 2);
    EXPECT_TRUE(p.chart.AutoSelect);
    EXPECT_TRUE(p.chart.ChartUsable);
    EXPECT_EQ(w.mapA->chartBitmap().size(), QSize(100, 100));
    EXPECT_EQ(w.mapA->ScaleLabel->text(), "1:2");
    EXPECT_EQ(p.chartSettings.PosSize, 5);
    EXPECT_TRUE(w.mapA->isVisible());
    EXPECT_EQ(w.mapA->pos(), QPoint(30, 40));
    EXPECT_EQ(p.chart.ChartMode, ChartWindowMode::ShowTrack);
    EXPECT_TRUE(w.optDlg->isVisible());
    EXPECT_EQ(w.optDlg->pos(), QPoint(100, 120));
    EXPECT_EQ(b.mainDlg->y(), 200);
    EXPECT_EQ(p.chartSettings.MarkSymbol, PositionSymbol::Boat);
    EXPECT_TRUE(b.mainDlg->PaletteItems[2]->isChecked()); // Night
    b.mainDlg->PaletteClick(PaletteChoice::Day);
    // The route, kept though the chart window was shown.
    EXPECT_EQ(p.route.WaypointCount, 2);
    EXPECT_EQ(p.route.WaypointIndex, 2);
    EXPECT_EQ(p.route.sailing.ActiveWaypoint, 1);
    EXPECT_EQ(p.route[2].Dist, Real48(6.5L));
    // Alarms: the limits in force, the passage's start included.
    EXPECT_TRUE(b.alarms().on(AlarmSlot::Speed));
    EXPECT_EQ(b.alarms().limits.MinSpe, Real48(6.0L));
    EXPECT_EQ(b.alarms().limits.PassStartLat, Real48(55.0L));
    EXPECT_EQ(w.larmDlg->Timer1->interval(), 10000);
    EXPECT_EQ(maskedText(w.larmDlg->MaskMinSpeBox), "06");
    // Logbook and boat tables.
    EXPECT_EQ(p.logbook.LogFileName, logPath);
    EXPECT_TRUE(p.nav.LogOn);
    EXPECT_EQ(p.nav.LogInterval, 15);
    EXPECT_EQ(p.boatTables.SpeedFile, speedPath);
    EXPECT_EQ(p.boatTables.SpeedTable, defaultSpeedTable());
    EXPECT_EQ(p.boatTables.LeewayFile, "");
    EXPECT_EQ(p.boatTables.LeewayTable, defaultLeewayTable());
}

TEST_F(KeptAcrossRuns, NothingIsWrittenUntilSomethingChangesNorWhileNothingDoes) {
    NavigatorRun a(folder);
    for (int tick = 0; tick < 3; ++tick)
        a.store->Timer1Timer();
    EXPECT_FALSE(std::filesystem::exists(valuesPath));
    // Looking at the windows builds none of their controls.
    EXPECT_FALSE(a.windows().comDlg->controlsBuilt());
    EXPECT_FALSE(a.windows().sourDlg->controlsBuilt());
    EXPECT_FALSE(a.windows().larmDlg->controlsBuilt());
    a.switchAlarmOn(AlarmSlot::Course);
    a.store->Timer1Timer();
    const ino_t written = inodeOf(a.store->valuesPath());
    const ino_t routeWritten = inodeOf(a.store->routePath());
    ASSERT_NE(written, 0u);
    for (int tick = 0; tick < 3; ++tick)
        a.store->Timer1Timer();
    EXPECT_EQ(inodeOf(a.store->valuesPath()), written);
    a.switchAlarmOn(AlarmSlot::Course); // off again
    a.store->Timer1Timer();
    EXPECT_NE(inodeOf(a.store->valuesPath()), written);
    EXPECT_EQ(inodeOf(a.store->routePath()), routeWritten); // the route did not change
    EXPECT_EQ(testing::settingsValue(valuesPath, "Alarms/CourseOn"), "false");

    NavigatorRun b(folder);
    const ino_t restored = inodeOf(b.store->valuesPath());
    for (int tick = 0; tick < 3; ++tick)
        b.store->Timer1Timer();
    EXPECT_EQ(inodeOf(b.store->valuesPath()), restored);
}

// The alarm is evaluated on the first tick of the new run, not the second.
TEST_F(KeptAcrossRuns, AnAlarmThatWasOnRaisesOnTheFirstTickWhenItsValueIsOutside) {
    {
        NavigatorRun a(folder);
        a.switchAlarmOn(AlarmSlot::Speed); // 5 to 9 knots
        a.store->Timer1Timer();
    }
    const struct {
        long double speed;
        bool raised;
    } rows[] = {{12, true}, {7, false}, {4, true}};
    for (const auto& row : rows) {
        NavigatorRun b(folder);
        b.ui.program.nav.PosSpeed = Real48(row.speed);
        b.ui.alarmTick();
        EXPECT_EQ(b.alarms().active(AlarmSlot::Speed), row.raised) << row.speed;
        EXPECT_EQ(b.ui.program.nav.ActiveAlarmCount, row.raised ? 1 : 0) << row.speed;
    }
}

// After a power cut the anchor watch is armed again around the anchor it was set at, however
// far the boat lies from it at the start.
TEST_F(KeptAcrossRuns, AnArmedAnchorWatchComesBackArmedAroundTheSameAnchor) {
    {
        NavigatorRun a(folder);
        a.ui.program.nav.PosLat = Real48(45.0L);
        a.ui.program.nav.PosLon = Real48(30.0L);
        a.windows().larmDlg->ensureControls();
        a.windows().larmDlg->MaskAnchorRadius->setText("0200");
        a.switchAlarmOn(AlarmSlot::AnchorWatch);
        a.switchAlarmOn(AlarmSlot::DepthBelow);
        a.windows().mapA->FollowBoat1->trigger(); // off
        a.store->Timer1Timer();
    }
    const long double metre = 1 / (60.108L * 1852); // degrees of latitude
    const struct {
        long double metresNorth;
        bool raised;
    } rows[] = {{150, false}, {250, true}};
    for (const auto& row : rows) {
        NavigatorRun b(folder);
        EXPECT_TRUE(b.alarms().on(AlarmSlot::AnchorWatch));
        EXPECT_TRUE(b.alarms().on(AlarmSlot::DepthBelow));
        EXPECT_EQ(b.alarms().limits.AnchorLat, Real48(45.0L));
        EXPECT_EQ(b.alarms().limits.AnchorLon, Real48(30.0L));
        EXPECT_EQ(b.alarms().limits.AnchorRadius, Real48(200.0L));
        EXPECT_FALSE(b.ui.program.chart.FollowBoat);
        EXPECT_FALSE(b.windows().mapA->FollowBoat1->isChecked());
        b.ui.program.nav.PosLat = Real48(45 + row.metresNorth * metre);
        b.ui.program.nav.PosLon = Real48(30.0L);
        b.ui.program.nav.ExtendedValue = Real48(10.0L);
        b.ui.alarmTick();
        EXPECT_EQ(b.alarms().active(AlarmSlot::AnchorWatch), row.raised) << row.metresNorth;
        EXPECT_FALSE(b.alarms().active(AlarmSlot::DepthBelow));
    }
}

TEST_F(KeptAcrossRuns, ATableFromAFileIsLoadedAgainOrItsKeptValuesServe) {
    const std::string speedPath = dir.file("boat.SPE");
    StdFileSystem files;
    ASSERT_EQ(saveBoatTable(files, speedPath, ".SPE", defaultSpeedTable()), BoatFileResult::Done);
    {
        NavigatorRun a(folder);
        a.windows().boatSheet->ensureControls();
        a.ui.dialogs.files = {QString::fromStdString(speedPath)};
        a.windows().boatSheet->Loadspeeddatafromfile1Click();
        a.store->Timer1Timer();
    }
    BoatTable changed = defaultSpeedTable();
    changed[0][0] = Real48(1.0L);
    ASSERT_EQ(saveBoatTable(files, speedPath, ".SPE", changed), BoatFileResult::Done);
    {
        NavigatorRun b(folder);
        EXPECT_EQ(b.ui.program.boatTables.SpeedTable, changed);
        EXPECT_EQ(b.ui.program.boatTables.SpeedFile, speedPath);
    }
    std::filesystem::remove(speedPath);
    NavigatorRun c(folder);
    EXPECT_EQ(c.ui.program.boatTables.SpeedTable, defaultSpeedTable());
    EXPECT_EQ(c.ui.program.boatTables.SpeedFile, "");
    EXPECT_EQ(c.ui.dialogs.shown, testing::Boxes{});
}

// Setting waypoints opens the waypoint window; the sailor closed it, and it stays closed.
TEST_F(KeptAcrossRuns, AToolWindowTheSailorClosedStaysClosed) {
    KeptSettings kept;
    kept.windows[static_cast<int>(KeptWindow::Chart)] = {true, 50, 60, 400, 300};
    kept.chart.mode = ChartWindowMode::SetWaypoints;
    testing::writeSettingsFile(valuesPath, kept);
    NavigatorRun b(folder);
    EXPECT_EQ(b.ui.program.chart.ChartMode, ChartWindowMode::SetWaypoints);
    EXPECT_FALSE(b.windows().waypDlg->isVisible());
}

TEST_F(KeptAcrossRuns, AWindowWhosePlaceIsOnNoScreenNowOpensWhereTheWindowSystemPutsIt) {
    KeptSettings kept;
    kept.windows[static_cast<int>(KeptWindow::Chart)] = {true, 5000, 5000, 300, 200};
    kept.windows[static_cast<int>(KeptWindow::Steering)] = {true, 50, 60, 538, 105};
    kept.mainWindowTop = 5000;
    testing::writeSettingsFile(valuesPath, kept);
    NavigatorRun b(folder);
    EXPECT_TRUE(b.windows().mapA->isVisible());
    EXPECT_NE(b.windows().mapA->pos(), QPoint(5000, 5000));
    EXPECT_TRUE(b.windows().optDlg->isVisible());
    EXPECT_EQ(b.windows().optDlg->geometry().topLeft(), QPoint(50, 60));
    EXPECT_EQ(b.mainDlg->y(), 0);
}

TEST_F(KeptAcrossRuns, AnUnreadableSettingsFileIsSetAsideAndTheRunStartsFresh) {
    const struct {
        const char* what;
        std::string contents;
    } damaged[] = {{"binary", std::string("\0\x01\x02[Port1\nOn=true\n", 18)},
                   {"empty", ""},
                   {"another format", "[Navigator]\nFormat=2\n[Alarms]\nSpeedOn=true\n"}};
    for (const auto& d : damaged) {
        testing::writeContents(valuesPath, d.contents);
        std::filesystem::remove(setAsideName(valuesPath));
        NavigatorRun b(folder);
        EXPECT_EQ(b.notice, setAsideNotice(valuesPath, setAsideName(valuesPath))) << d.what;
        EXPECT_EQ(contentsOf(setAsideName(valuesPath)), d.contents) << d.what;
        EXPECT_FALSE(std::filesystem::exists(valuesPath)) << d.what;
        EXPECT_FALSE(b.alarms().on(AlarmSlot::Speed)) << d.what;
        b.store->Timer1Timer(); // fresh, and unchanged: nothing written
        EXPECT_FALSE(std::filesystem::exists(valuesPath)) << d.what;
    }
}

// A FIFO would hold the start up for good, a huge file for seconds: neither is read.
TEST_F(KeptAcrossRuns, AKeptFileThatIsNoRegularFileOrTooLargeIsSetAsideUnread) {
    const std::string huge = "[Navigator]\nFormat=1\n" + std::string(largestKeptFile, ';');
    for (const std::string* path : {&valuesPath, &routePath})
        for (const bool fifo : {true, false}) {
            std::filesystem::remove_all(folder);
            testing::writeSettingsFile(valuesPath, KeptSettings{});
            std::filesystem::remove(*path);
            if (fifo)
                ::mkfifo(path->c_str(), 0600);
            else
                testing::writeContents(*path, huge);
            NavigatorRun b(folder);
            EXPECT_EQ(b.notice, setAsideNotice(*path, setAsideName(*path))) << *path << fifo;
            EXPECT_TRUE(std::filesystem::exists(setAsideName(*path))) << *path << fifo;
        }
}

// Each damaged file is kept beside the earlier ones, whatever holds the first names.
TEST_F(KeptAcrossRuns, EverySetAsideCopyIsKeptAndTheNoticeNamesIt) {
    std::filesystem::create_directories(setAsideName(valuesPath, 1)); // not a file
    for (const int copy : {0, 2, 3}) {
        testing::writeContents(valuesPath, std::to_string(copy));
        NavigatorRun b(folder);
        EXPECT_EQ(b.notice, setAsideNotice(valuesPath, setAsideName(valuesPath, copy)));
    }
    for (const int copy : {0, 2, 3})
        EXPECT_EQ(contentsOf(setAsideName(valuesPath, copy)), std::to_string(copy));
}

TEST_F(KeptAcrossRuns, ADamagedFileThatCannotBeSetAsideIsLeftAndNeverWrittenOver) {
    testing::writeContents(valuesPath, "damaged");
    UiFixture ui;
    testing::FailingFileSystem files;
    files.renameFails = true;
    UiContext context{ui.program.parts(), ui.clock, ui.dialogs, ui.beeper, ui.help, files,
                      ui.context.makers,  {}};
    const auto mainDlg = createWindows(context);
    SettingsStore store(context, QString::fromStdString(folder), false);
    EXPECT_EQ(restoreAndKeep(store, context, false),
              leftInPlaceNotice(valuesPath, "Permission denied"));
    context.windows.larmDlg->ensureControls();
    context.windows.larmDlg->onBox(AlarmSlot::Speed)->click();
    store.Timer1Timer();
    EXPECT_EQ(contentsOf(valuesPath), "damaged");
    EXPECT_EQ(std::filesystem::file_size(routePath), waypointFileSize);
    EXPECT_EQ(ui.dialogs.shown, testing::Boxes{});
}

// A lock naming this very process: a killed navigator's, its number given again after a reboot.
TEST_F(KeptAcrossRuns, ALockLeftByAKilledNavigatorIsTakenOverAndNoneIsLeft) {
    const std::string lockPath = valuesPath + ".lock";
    std::filesystem::create_directories(folder);
    std::string left;
    {
        QLockFile lock(QString::fromStdString(lockPath));
        ASSERT_TRUE(lock.tryLock(0));
        left = contentsOf(lockPath);
    }
    testing::writeContents(lockPath, left);
    NavigatorRun a(folder);
    EXPECT_FALSE(std::filesystem::exists(lockPath));
    a.switchAlarmOn(AlarmSlot::Speed);
    a.store->Timer1Timer();
    EXPECT_EQ(testing::settingsValue(valuesPath, "Alarms/SpeedOn"), "true");
    EXPECT_FALSE(std::filesystem::exists(lockPath));
}

TEST_F(KeptAcrossRuns, AShortRouteFileIsSetAsideAndTheRestComesBack) {
    {
        NavigatorRun a(folder);
        a.ui.program.route[1] = {Real48(52.5L), Real48(1.5L), {}, {}, {}};
        a.ui.program.route.WaypointCount = a.ui.program.route.WaypointIndex = 1;
        a.switchAlarmOn(AlarmSlot::Speed);
        a.store->Timer1Timer();
    }
    testing::writeContents(routePath, contentsOf(routePath).substr(0, 12));
    NavigatorRun b(folder);
    EXPECT_EQ(b.notice, setAsideNotice(routePath, setAsideName(routePath)));
    EXPECT_EQ(std::filesystem::file_size(setAsideName(routePath)), 12u);
    EXPECT_EQ(b.ui.program.route.WaypointCount, 0);
    EXPECT_TRUE(b.ui.program.route[1].isEnd());
    EXPECT_TRUE(b.alarms().on(AlarmSlot::Speed));
}

TEST_F(KeptAcrossRuns, FreshRestoresNothingAndWritesNothingUntilTheSailorChangesSomething) {
    {
        NavigatorRun a(folder);
        a.switchPortOn(gpsDevice);
        a.switchAlarmOn(AlarmSlot::Speed);
        a.store->Timer1Timer();
    }
    const std::string kept = contentsOf(valuesPath);
    const ino_t keptFile = inodeOf(QString::fromStdString(valuesPath));

    NavigatorRun b(folder, true);
    EXPECT_FALSE(b.windows().comDlg->SeComm1->PortOpen());
    EXPECT_FALSE(b.alarms().on(AlarmSlot::Speed));
    for (int tick = 0; tick < 3; ++tick)
        b.store->Timer1Timer();
    EXPECT_EQ(inodeOf(QString::fromStdString(valuesPath)), keptFile);
    EXPECT_EQ(contentsOf(valuesPath), kept);

    b.switchAlarmOn(AlarmSlot::Course);
    b.store->Timer1Timer();
    EXPECT_EQ(testing::settingsValue(valuesPath, "Alarms/CourseOn"), "true");
    EXPECT_EQ(testing::settingsValue(valuesPath, "Alarms/SpeedOn"), "false");
    EXPECT_EQ(testing::settingsValue(valuesPath, "Port1/On"), "false");
}

TEST_F(KeptAcrossRuns, APortThatDoesNotOpenAtStartShowsNoBoxAndIsTriedAgain) {
    {
        NavigatorRun a(folder);
        a.switchPortOn(gpsDevice);
        a.store->Timer1Timer();
    }
    NavigatorRun b(folder, false, {});
    TVimoComDlg* com = b.windows().comDlg;
    const std::string notice =
        "COM1: Device /dev/ttyGPS: No such file or directory. Tried every 5 s. ";
    EXPECT_EQ(b.ui.dialogs.shown, testing::Boxes{});
    EXPECT_FALSE(com->SeComm1->PortOpen());
    EXPECT_EQ(com->CommRadioGroup->selectedText(), "On");
    EXPECT_EQ(b.ui.program.nav.CommNotice, notice);
    EXPECT_TRUE(com->RetryTimer->isActive());
    EXPECT_EQ(com->RetryTimer->interval(), 5000);
    b.ui.clock.time.second = 2; // the notice's turn on the Comm page
    b.mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Comm));
    EXPECT_EQ(b.mainDlg->TextPanel->text().toStdString(), notice);

    com->RetryTimerTimer(); // still missing
    EXPECT_FALSE(com->SeComm1->PortOpen());
    EXPECT_EQ(b.ui.dialogs.shown, testing::Boxes{});
    b.ui.serial->openable = {gpsDevice}; // the receiver is plugged in
    com->RetryTimerTimer();
    EXPECT_TRUE(com->SeComm1->PortOpen());
    EXPECT_EQ(b.ui.program.nav.CommNotice, "");
    EXPECT_FALSE(com->RetryTimer->isActive());
    EXPECT_EQ(b.ui.dialogs.shown, testing::Boxes{});
    b.store->Timer1Timer();
    EXPECT_EQ(testing::settingsValue(valuesPath, "Port1/On"), "true");
}

TEST_F(KeptAcrossRuns, APortWaitingSinceTheStartStopsBeingTriedWhenSwitchedOff) {
    {
        NavigatorRun a(folder);
        a.switchPortOn(gpsDevice);
        a.store->Timer1Timer();
    }
    NavigatorRun b(folder, false, {});
    TVimoComDlg* com = b.windows().comDlg;
    com->CommRadioGroup->click(1);
    EXPECT_EQ(b.ui.program.nav.CommNotice, "");
    EXPECT_FALSE(com->RetryTimer->isActive());
    b.ui.serial->openable = {gpsDevice};
    com->RetryTimerTimer();
    EXPECT_FALSE(com->SeComm1->PortOpen());
}

TEST_F(KeptAcrossRuns, AFailedWriteIsSaidOnceAndTriedAgainUntilItSucceeds) {
    const std::string blocked = dir.file("blocker/config");
    testing::writeContents(dir.file("blocker"), "a file where the folder should be");
    NavigatorRun a(blocked);
    a.switchAlarmOn(AlarmSlot::Speed);
    a.store->Timer1Timer();
    a.store->Timer1Timer();
    ASSERT_EQ(a.ui.dialogs.shown.size(), 1);
    EXPECT_EQ(a.ui.dialogs.shown[0].kind, testing::BoxKind::Warning);
    EXPECT_TRUE(a.ui.dialogs.shown[0].text.startsWith(
        QStringLiteral("The settings could not be kept in %1: ").arg(a.store->routePath())));
    EXPECT_TRUE(
        a.ui.dialogs.shown[0].text.endsWith(QStringLiteral(". The navigator keeps trying.")));

    std::filesystem::remove(dir.file("blocker"));
    a.store->Timer1Timer();
    EXPECT_EQ(testing::settingsValue(blocked + "/brisomar.ini", "Alarms/SpeedOn"), "true");
    EXPECT_EQ(a.ui.dialogs.shown.size(), 1);
}

// A mode that draws on switching says so when nothing is there to draw; the start says nothing.
TEST_F(KeptAcrossRuns, TheStartRestoresWithoutABox) {
    KeptSettings kept;
    kept.chart.mode = ChartWindowMode::ShowLogFile;
    testing::writeSettingsFile(valuesPath, kept);
    for (const bool silenced : {true, false}) {
        UiFixture ui;
        QuietableDialogs dialogs(ui.dialogs);
        UiContext context{ui.program.parts(), ui.clock,          dialogs, ui.beeper, ui.help,
                          ui.files,           ui.context.makers, {}};
        const auto mainDlg = createWindows(context);
        ui.program.chart.ChartUsable = true; // as if a chart were loaded
        SettingsStore store(context, QString::fromStdString(folder), false);
        restoreAndKeep(store, context, false, silenced ? &dialogs : nullptr);
        EXPECT_EQ(ui.program.chart.ChartMode, ChartWindowMode::ShowLogFile);
        EXPECT_EQ(ui.dialogs.shown.size(), silenced ? 0 : 1);
        EXPECT_FALSE(dialogs.quiet);
        dialogs.information("After the start");
        EXPECT_EQ(ui.dialogs.shown.back(),
                  (testing::Box{testing::BoxKind::Information, "After the start"}));
    }
}

TEST(QuietableDialogs, WhileQuietNothingIsShownAndQuestionsChangeNothing) {
    testing::ScriptedDialogs shown;
    QuietableDialogs dialogs(shown);
    dialogs.quiet = true;
    dialogs.showMessage("a");
    dialogs.warning("b");
    dialogs.information("c");
    EXPECT_EQ(dialogs.confirmYesNo("d"), Dialogs::Answer::No);
    EXPECT_EQ(dialogs.informationYesNo("e"), Dialogs::Answer::No);
    EXPECT_EQ(dialogs.abortRetry("f", "g"), Dialogs::Answer::Abort);
    EXPECT_FALSE(dialogs.openFileName({}));
    EXPECT_FALSE(dialogs.saveFileName({}, true));
    EXPECT_EQ(shown.shown, testing::Boxes{});
    EXPECT_TRUE(shown.fileDialogTitles.isEmpty());
    dialogs.quiet = false;
    EXPECT_EQ(dialogs.confirmYesNo("h"), Dialogs::Answer::Yes);
    EXPECT_EQ(shown.shown, (testing::Boxes{{testing::BoxKind::Question, "h"}}));
}

TEST(SettingsStore, TheDemoKeepsFilesOfItsOwn) {
    UiFixture ui;
    EXPECT_TRUE(SettingsStore(ui.context, "/c", true).valuesPath().endsWith("/brisomar-demo.ini"));
    EXPECT_TRUE(SettingsStore(ui.context, "/c", true).routePath().endsWith("/brisomar-demo.WAY"));
    EXPECT_EQ(SettingsStore(ui.context, "/c", false).valuesPath(), "/c/brisomar.ini");
}

} // namespace
} // namespace brisomar
