#include "input/Vimocom.h"

#include "app/Vimomain.h"
#include "base/radio_group.h"
#include "input/SeComm32.h"
#include "input/TaskIcon.h"
#include "ui_fakes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::FakeSerialDevice;
using testing::UiFixture;

const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

class CommDialog : public ::testing::Test {
protected:
    CommDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.comDlg) {
        ui.serial->openable = {"/dev/gps", "/dev/sounder"};
        dlg->deviceChoice(1)->setEditText(QStringLiteral("/dev/gps"));
        dlg->deviceChoice(2)->setEditText(QStringLiteral("/dev/sounder"));
    }

    FakeSerialDevice& device(int port) { return *ui.devices[port - 1]; }
    void switchOn(RadioGroup* comm) { comm->click(0); }
    void switchOff(RadioGroup* comm) { comm->click(1); }

    // Bytes arrive on a port, its poll runs, then the dialog's tick.
    void arrive(int port, const std::string& bytes) {
        device(port).waiting += bytes;
        (port == 1 ? dlg->SeComm1 : dlg->SeComm2)->PollTimerTimer();
        ui.communicationTick();
    }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoComDlg* dlg;
};

TEST_F(CommDialog, StartsWithBothPortsOffAndTheFactorySettings) {
    EXPECT_EQ(dlg->windowTitle(), "Brisomar - communication");
    for (RadioGroup* comm : {dlg->CommRadioGroup, dlg->CommRadioGroupB})
        EXPECT_EQ(comm->selectedText(), "Off");
    EXPECT_EQ(dlg->BaudRadioGroup->selectedText(), "4800");
    EXPECT_EQ(dlg->ByteSizeRadioGroupB->selectedText(), "8");
    EXPECT_EQ(dlg->StopBitsRadioGroup->selectedText(), "1");
    EXPECT_EQ(dlg->ParityRadioGroupB->selectedText(), "None");
    EXPECT_EQ(dlg->CommRadioGroup->toolTip(), "Enable communication.");
    EXPECT_EQ(dlg->Edit1->toolTip(), "Received at port.");
    EXPECT_EQ(dlg->Edit2->toolTip(), "Received at port");
    EXPECT_EQ(dlg->EditNMEASentence->text(), "GPRMC");
    EXPECT_EQ(dlg->EditNMEASentence->maxLength(), 8);
    const QStringList fields{dlg->EditLatPos->text(),   dlg->EditNSPos->text(),
                             dlg->EditLonPos->text(),   dlg->EditWEPos->text(),
                             dlg->EditSpeedPos->text(), dlg->EditCoursePos->text()};
    EXPECT_EQ(fields, (QStringList{"3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(dlg->EditSentence->text(), "PTTKD");
    EXPECT_EQ(dlg->EditPosition->text(), "1");
    EXPECT_EQ(dlg->EditAlias->text(), "Deep");
    EXPECT_EQ(dlg->OKBtn->text(), "Close");
    EXPECT_EQ(dlg->Timer1->interval(), 200);
    EXPECT_TRUE(dlg->Timer1->isActive());
    for (TSeComm32* port : {dlg->SeComm1, dlg->SeComm2}) {
        EXPECT_FALSE(port->PortOpen());
        EXPECT_EQ(port->BaudRate(), TBaudRate::br4800);
        EXPECT_EQ(port->MsgStart, '$');
        EXPECT_EQ(port->MsgStop, '$');
        EXPECT_EQ(port->Mode(), TSeComm32::TMode::mMessage);
    }
    EXPECT_EQ(dlg->SeComm2->Port(), 2);
    EXPECT_FALSE(dlg->TaskIcon1->Active());
    EXPECT_EQ(dlg->TaskIcon1->ToolTip(), "Comport open");
    EXPECT_TRUE(ui.serial->opened.empty());
}

// The fields show the reception's settings as they stand, so a default changed in the core
// reaches the window instead of being written over by it.
TEST(CommDialogSettings, ShowTheReceptionsSettings) {
    UiFixture ui;
    ui.program.reception.gps = {"GNRMC", "4", "5", "6", "7", "8", "9"};
    ui.program.reception.extended = {"SDDPT", "2", "Temp"};
    const auto mainDlg = createWindows(ui.context);
    TVimoComDlg* dlg = ui.context.windows.comDlg;
    const QStringList shown{dlg->EditNMEASentence->text(), dlg->EditLatPos->text(),
                            dlg->EditNSPos->text(),        dlg->EditLonPos->text(),
                            dlg->EditWEPos->text(),        dlg->EditSpeedPos->text(),
                            dlg->EditCoursePos->text(),    dlg->EditSentence->text(),
                            dlg->EditPosition->text(),     dlg->EditAlias->text()};
    EXPECT_EQ(shown.join(QLatin1Char(',')).toStdString(), "GNRMC,4,5,6,7,8,9,SDDPT,2,Temp");
    EXPECT_EQ(ui.program.reception.gps.sentence, "GNRMC");
    EXPECT_EQ(ui.program.reception.extended.alias, "Temp");
}

TEST_F(CommDialog, AFixOnPort1ReachesTheMainWindowsPages) {
    switchOn(dlg->CommRadioGroup);
    ASSERT_TRUE(dlg->SeComm1->PortOpen());
    arrive(1, "noise" + rmc + "\r\n");
    EXPECT_EQ(dlg->Edit1->text().toStdString(), rmc.substr(1));
    EXPECT_EQ(dlg->Edit1->cursorPosition(), 0); // the field shows the sentence's name
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Comm));
    ui.mainTick();
    EXPECT_TRUE(mainDlg->TextPanel->text().startsWith("GPS: LAT N 48°07.037' LON E011°30.999'"))
        << mainDlg->TextPanel->text().toStdString();
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Course));
    ui.mainTick();
    EXPECT_EQ(mainDlg->TextPanel->text(), "Course GPS: 84.4000000000233 In use: 84.4000000000233");
    ui.communicationTick();
    EXPECT_EQ(dlg->Edit1->text(), ""); // nothing new since the last tick
}

TEST_F(CommDialog, SwitchingOnAppliesTheChosenSettingsAndLocksThem) {
    dlg->BaudRadioGroupB->click(3);
    dlg->ByteSizeRadioGroupB->click(0);
    dlg->StopBitsRadioGroupB->click(1);
    dlg->ParityRadioGroupB->click(2);
    EXPECT_TRUE(ui.serial->opened.empty()); // a choice takes effect at switching on
    switchOn(dlg->CommRadioGroupB);
    ASSERT_EQ(ui.serial->opened, std::vector<std::string>{"/dev/sounder"});
    const LineSettings& s = ui.serial->settings.back();
    EXPECT_EQ(s.baudRate, TBaudRate::br9600);
    EXPECT_EQ(s.dataBits, TDataBits::db7);
    EXPECT_EQ(s.stopBits, TStopBits::sb2);
    EXPECT_EQ(s.parity, TParity::pEven);
    EXPECT_FALSE(dlg->BaudRadioGroupB->isEnabled());
    EXPECT_FALSE(dlg->deviceChoice(2)->isEnabled());
    EXPECT_TRUE(dlg->BaudRadioGroup->isEnabled());
    switchOff(dlg->CommRadioGroupB);
    EXPECT_FALSE(dlg->SeComm2->PortOpen());
    EXPECT_TRUE(dlg->BaudRadioGroupB->isEnabled());
}

TEST_F(CommDialog, TrayIconShowsWhileEitherPortIsOn) {
    ui.communicationTick();
    EXPECT_FALSE(ui.tray->shown);
    switchOn(dlg->CommRadioGroup);
    switchOn(dlg->CommRadioGroupB);
    ui.communicationTick();
    EXPECT_TRUE(ui.tray->shown);
    EXPECT_EQ(ui.tray->tip, "Comport open");
    switchOff(dlg->CommRadioGroup);
    ui.communicationTick();
    EXPECT_TRUE(ui.tray->shown);
    switchOff(dlg->CommRadioGroupB);
    ui.communicationTick();
    EXPECT_FALSE(ui.tray->shown);
    EXPECT_EQ(ui.tray->adds, 1);
}

TEST_F(CommDialog, AfterAbortThePortShowsOffWithItsSettingsFreeAndTheSilenceGoesOn) {
    ui.clock.time = {2026, 12, 7, 9, 0, 0, 0};
    ui.communicationTick(); // the run begins
    dlg->deviceChoice(1)->setEditText(QStringLiteral("/dev/ttyUSB9"));
    ui.dialogs.answers = {Dialogs::Answer::Retry, Dialogs::Answer::Abort};
    switchOn(dlg->CommRadioGroup);
    EXPECT_EQ(ui.dialogs.shown, Boxes(2, {AbortRetry, "Error Opening COM1: "}));
    EXPECT_EQ(ui.dialogs.details[0], "Device /dev/ttyUSB9: No such file or directory");
    EXPECT_EQ(dlg->CommRadioGroup->selectedText(), "Off");
    EXPECT_FALSE(dlg->SeComm1->PortOpen());
    const QList<QWidget*> settings = {dlg->BaudRadioGroup, dlg->ByteSizeRadioGroup,
                                      dlg->ParityRadioGroup, dlg->StopBitsRadioGroup,
                                      dlg->deviceChoice(1)};
    for (QWidget* setting : settings)
        EXPECT_TRUE(setting->isEnabled());
    ui.clock.time.second = 30;
    ui.communicationTick(); // a closed port is not read and shows nothing
    EXPECT_EQ(ui.dialogs.shown.size(), 2u);
    EXPECT_FALSE(ui.tray->shown);
    EXPECT_EQ(ui.program.nav.GpsSilenceSeconds, Real48(30.0L)); // no fix since the run began

    dlg->deviceChoice(1)->setEditText(QStringLiteral("/dev/gps"));
    switchOn(dlg->CommRadioGroup); // "On" again, now that it is Off
    EXPECT_TRUE(dlg->SeComm1->PortOpen());
    EXPECT_FALSE(dlg->BaudRadioGroup->isEnabled());
}

TEST_F(CommDialog, ClickingTheItemAlreadyChosenDoesNothing) {
    ui.clock.time = {2026, 12, 7, 9, 0, 0, 0};
    switchOff(dlg->CommRadioGroup); // Off already
    EXPECT_TRUE(ui.serial->opened.empty());
    switchOn(dlg->CommRadioGroup);
    ui.clock.time.second = 30;
    ui.communicationTick();
    switchOn(dlg->CommRadioGroup);
    ui.communicationTick();
    EXPECT_EQ(ui.serial->opened, std::vector<std::string>{"/dev/gps"}); // opened once
    EXPECT_EQ(ui.program.nav.GpsSilenceSeconds, Real48(30.0L));         // the alarm is not silenced
    EXPECT_TRUE(dlg->SeComm1->PortOpen());
}

TEST_F(CommDialog, AFaultWhileSwitchingTurnsThePortBackOff) {
    dlg->deviceChoice(2)->setEditText(QStringLiteral("/dev/faulty"));
    switchOn(dlg->CommRadioGroupB);
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "Error opening comport2"}}));
    EXPECT_EQ(dlg->CommRadioGroupB->selectedText(), "Off");
    EXPECT_TRUE(dlg->BaudRadioGroupB->isEnabled());
}

TEST_F(CommDialog, EitherPortSetsTheExtendedLabel) {
    dlg->EditAlias->setText(QStringLiteral("Temp"));
    ui.clock.time.hour = 14;
    switchOn(dlg->CommRadioGroupB);
    arrive(2, "$PTTKD,12.5,M\r\n");
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Extended));
    EXPECT_EQ(mainDlg->TextPanel->text(), "Temp:12.5  Last update:14:00:00 Now:14:00:00");
}

TEST_F(CommDialog, EditedFieldNumbersApplyToTheNextSentence) {
    switchOn(dlg->CommRadioGroup);
    dlg->EditNMEASentence->setText(QStringLiteral("GPVTG"));
    dlg->EditSpeedPos->setText(QStringLiteral("5"));
    arrive(1, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n");
    EXPECT_EQ(ui.program.nav.GpsSpeed, Real48(5.5L));
}

TEST_F(CommDialog, EverySentenceFromEitherPortIsCheckedAtTheNextTick) {
    switchOn(dlg->CommRadioGroup);
    switchOn(dlg->CommRadioGroupB);
    device(1).waiting = "$GPGGA,1,2,3\r\n$GPGSA,A,3\r\n" + rmc.substr(0, 30);
    device(2).waiting = "$PTTKD,12.5,M\r\n$SDDPT,3.8\r\n";
    dlg->SeComm1->PollTimerTimer();
    dlg->SeComm2->PollTimerTimer();
    ui.communicationTick();
    EXPECT_EQ(ui.program.nav.ExtendedValue, Real48(12.5L));
    EXPECT_TRUE(ui.program.nav.GpsLat.isZero()); // the fix is not whole yet
    EXPECT_EQ(dlg->Edit2->text(), "SDDPT,3.8");
    arrive(1, rmc.substr(30) + "\r\n$GPGSV,1,1,00\r\n");
    EXPECT_EQ(ui.program.nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(ui.program.nav.GpsSpeed, Real48(22.4L));
    EXPECT_EQ(dlg->Edit1->text(), "GPGSV,1,1,00");
}

TEST_F(CommDialog, SilenceGrowsWhileNoFixArrives) {
    ui.clock.time = {2026, 12, 7, 9, 0, 0, 0};
    switchOn(dlg->CommRadioGroup);
    arrive(1, rmc);
    ui.clock.time.second = 42;
    ui.communicationTick();
    EXPECT_EQ(ui.program.nav.GpsSilenceSeconds, Real48(42.0L));
}

TEST_F(CommDialog, TheWindowNamesTheTalkerTheSentenceMisses) {
    switchOn(dlg->CommRadioGroup);
    ui.clock.time.second = 10;
    arrive(1, "$GNRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x\r\n");
    EXPECT_EQ(dlg->NoticeLabel->text(),
              "Receiving GNRMC, not GPRMC: set the sentence to ??RMC to read it.");
    EXPECT_FALSE(dlg->NoticeLabel->isHidden());
}

TEST(CommDevices, DefaultDeviceComesFromTheEnvironmentElseTheLinuxName) {
    qputenv("BRISOMAR_COM2", "/dev/ttyUSB0");
    qunsetenv("BRISOMAR_COM1");
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    EXPECT_EQ(ui.context.windows.comDlg->deviceChoice(1)->currentText(), "/dev/ttyS0");
    EXPECT_EQ(ui.context.windows.comDlg->deviceChoice(2)->currentText(), "/dev/ttyUSB0");
    qunsetenv("BRISOMAR_COM2");
}

TEST(CommDevices, TheDeviceBoxesBecomeEditableWhenTheWindowIsFirstOpened) {
    qunsetenv("BRISOMAR_COM1");
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    TVimoComDlg* dlg = ui.context.windows.comDlg;
    EXPECT_FALSE(dlg->controlsBuilt());
    dlg->show();
    QComboBox* device = dlg->deviceChoice(1);
    EXPECT_TRUE(device->isEditable());
    EXPECT_EQ(device->currentText(), "/dev/ttyS0");
    EXPECT_GE(device->count(), 3); // the simulator and the network sources offered
    dlg->hide();
}

} // namespace
} // namespace brisomar
