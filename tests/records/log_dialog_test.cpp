#include "records/Vimolog.h"

#include "app/Vimomain.h"
#include "records/logbook.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

TEST(LogDialogNeverOpened, ItsTimerTicksWithoutItsControls) {
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    TVimoLogDlg* dlg = ui.context.windows.logDlg;
    ui.program.nav.LogOn = true; // no file chosen: nothing is written
    ++ui.clock.time.minute;
    ui.logTick();
    EXPECT_FALSE(dlg->controlsBuilt());
    EXPECT_FALSE(ui.program.logbook.LogFileSelected);
}

class LogDialog : public ::testing::Test {
protected:
    LogDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.logDlg) {
        dlg->ensureControls(); // as opening it does
    }

    void use(const std::string& path) {
        ui.dialogs.files = {QString::fromStdString(path)};
        dlg->UseBtnClick();
    }
    void open(const std::string& path) {
        ui.dialogs.files = {QString::fromStdString(path)};
        dlg->OpenBtnClick();
    }
    void minutes(int count) {
        for (int i = 0; i < count; ++i) {
            ++ui.clock.time.minute;
            ui.logTick();
        }
    }
    // Logs `count` records at the shortest interval.
    void logRecords(const std::string& path, int count) {
        use(path);
        dlg->SpinIntervall->setValue(5);
        dlg->LogOnBtnClick();
        minutes(5 * count);
    }

    TempDir dir;
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoLogDlg* dlg;
};

TEST_F(LogDialog, StartsOffWithTheFiveMinuteInterval) {
    EXPECT_EQ(dlg->windowTitle(), "Brisomar - Logbook");
    EXPECT_EQ(dlg->LogOnBtn->text(), "Log : Off");
    EXPECT_EQ(dlg->SpinIntervall->value(), 5);
    EXPECT_EQ(dlg->LogTimer->interval(), 60000);
    EXPECT_TRUE(dlg->LogTimer->isActive());
    dlg->LogOnBtnClick();
    EXPECT_EQ(dlg->LogOnBtn->text(), "Log : On");
    EXPECT_TRUE(ui.program.nav.LogOn);
    dlg->SpinIntervall->stepUp();
    EXPECT_EQ(ui.program.nav.LogInterval, 10);
}

TEST_F(LogDialog, UseShowsThePathOrRefusesTheName) {
    use(dir.file("trip.LOG"));
    EXPECT_EQ(dlg->FilePathEdit->text().toStdString(), dir.file("trip.LOG"));
    EXPECT_EQ(ui.dialogs.fileDialogTitles, QStringList{"Use as log-file"});
    use(dir.file("trip.Log"));
    EXPECT_EQ(dlg->FilePathEdit->text(), "Error:Wrong FileName");
    EXPECT_TRUE(std::filesystem::exists(dir.file("trip.Log")));
    EXPECT_FALSE(ui.program.logbook.LogFileSelected);
}

TEST_F(LogDialog, ViewerStepsThroughTheRecordsWritten) {
    ui.program.nav.GpsLat = Real48(57.5L);
    ui.program.nav.GpsSpeed = Real48(6.5L);
    ui.mainTick();
    dlg->TextEdit->setText(QStringLiteral("Reefed"));
    logRecords(dir.file("five.LOG"), 5);
    open(dir.file("five.LOG"));
    EXPECT_EQ(dlg->Edit1->text(), "1");
    EXPECT_EQ(dlg->LabelPosition->text(), "Position: LAT N 57°30.000' LON W000°00.000'");
    EXPECT_EQ(dlg->LabelDirPos->text(), "Course: 0 ° Speed: 6.5 kn");
    EXPECT_EQ(dlg->LabelText->text(), "Reefed");
    EXPECT_TRUE(dlg->LabelTime->text().startsWith("Date: "));
    EXPECT_TRUE(dlg->LabelTime->text().endsWith(" Time: 12:05:00"))
        << dlg->LabelTime->text().toStdString();
    dlg->step(2);
    dlg->step(10);
    EXPECT_EQ(dlg->Edit1->text(), "5");
    EXPECT_TRUE(dlg->LabelTime->text().endsWith(" Time: 12:25:00"));
    dlg->step(-100);
    EXPECT_EQ(dlg->Edit1->text(), "1");
}

TEST_F(LogDialog, AnEmptyFileShowsError) {
    use(dir.file("empty.LOG"));
    open(dir.file("empty.LOG"));
    EXPECT_EQ(dlg->Edit1->text(), "Error");
    dlg->step(1);
    EXPECT_EQ(dlg->Edit1->text(), "Error");
}

TEST_F(LogDialog, AVanishedRecordIsAFileError) {
    logRecords(dir.file("trip.LOG"), 3);
    open(dir.file("trip.LOG"));
    std::filesystem::resize_file(dir.file("trip.LOG"), logRecordSize);
    dlg->step(1);
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "File error!"}}));
    EXPECT_EQ(dlg->Edit1->text(), "2");
}

// A log from elsewhere may hold any eight bytes where the date belongs.
TEST_F(LogDialog, ARecordWithADamagedDateShowsTheRestOfIt) {
    ui.program.nav.GpsLat = Real48(57.5L);
    ui.mainTick();
    logRecords(dir.file("written.LOG"), 1);
    for (const double damaged : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) {
        const std::string path = dir.file("damaged.LOG");
        std::filesystem::copy_file(dir.file("written.LOG"), path,
                                   std::filesystem::copy_options::overwrite_existing);
        char bytes[sizeof damaged];
        std::memcpy(bytes, &damaged, sizeof damaged);
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(logRecordSize - sizeof damaged); // the date closes the record
        file.write(bytes, sizeof damaged);
        file.close();
        open(path);
        EXPECT_EQ(dlg->LabelTime->text(), "Date: -- Time: --") << damaged;
        EXPECT_EQ(dlg->LabelPosition->text(), "Position: LAT N 57°30.000' LON W000°00.000'");
    }
}

TEST_F(LogDialog, RangeFieldsTakeIntegersOnly) {
    dlg->FromEdit->setText(QStringLiteral("abc"));
    dlg->FromEditExit();
    EXPECT_EQ(dlg->FromEdit->text(), "0");
    EXPECT_EQ(ui.program.logbook.LogShowFrom, 0);
    dlg->ToEdit->setText(QStringLiteral("12"));
    dlg->ToEditExit();
    EXPECT_EQ(ui.program.logbook.LogShowTo, 12);
}

TEST_F(LogDialog, AFailedWriteIsShownUntilOneSucceeds) {
    const std::string folder = dir.file("voyage");
    std::filesystem::create_directory(folder);
    logRecords(folder + "/trip.LOG", 1);
    std::filesystem::remove_all(folder);
    minutes(5);
    EXPECT_TRUE(dlg->FilePathEdit->text().startsWith("Last write failed ("))
        << dlg->FilePathEdit->text().toStdString();
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Log));
    EXPECT_TRUE(mainDlg->TextPanel->text().startsWith(
        "Log is on. Interval: 5 minutes. Last write failed: "));
    std::filesystem::create_directory(folder);
    use(folder + "/trip.LOG");
    minutes(5);
    EXPECT_EQ(dlg->FilePathEdit->text().toStdString(), folder + "/trip.LOG");
    mainDlg->TabSetClick();
    EXPECT_EQ(mainDlg->TextPanel->text(), "Log is on. Interval: 5 minutes.");
}

TEST_F(LogDialog, ActivationShowsTheStateInForce) {
    ui.program.nav.LogOn = true;
    ui.program.nav.LogInterval = 20;
    dlg->FormActivate();
    EXPECT_EQ(dlg->LogOnBtn->text(), "Log : On");
    EXPECT_EQ(dlg->SpinIntervall->value(), 20);
}

} // namespace
} // namespace brisomar
