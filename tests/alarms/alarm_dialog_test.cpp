#include "alarms/Vimolarm.h"

#include "app/Vimomain.h"
#include "base/masked_fields.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::UiFixture;

TEST(AlarmDialogFirstOpened, ShowsTheAlarmsWatchedMeanwhile) {
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    TVimoLarmDlg* dlg = ui.context.windows.larmDlg;
    ui.program.alarms.on(AlarmSlot::WindForce) = true;
    ui.program.alarms.active(AlarmSlot::WindForce) = true;
    ui.alarmTick(); // the watch goes on with the window never opened
    EXPECT_FALSE(dlg->controlsBuilt());
    dlg->show();
    EXPECT_TRUE(dlg->onBox(AlarmSlot::WindForce)->isChecked());
    EXPECT_EQ(dlg->activeBox(AlarmSlot::WindForce)->isChecked(),
              ui.program.alarms.active(AlarmSlot::WindForce));
    EXPECT_FALSE(dlg->onBox(AlarmSlot::Speed)->isChecked());
}

// The fields start from the monitor's texts, so a default changed in the core reaches the
// window, and what is typed or toggled reaches the monitor.
TEST(AlarmDialogFields, ShowTheMonitorsTextsAndKeepThemAsTyped) {
    UiFixture ui;
    AlarmFieldTexts& fields = ui.program.alarms.fields;
    fields.maxDir = "180";
    fields.seconds = "030";
    fields.latNS = "S";
    fields.lon = "010°30.000";
    const auto mainDlg = createWindows(ui.context);
    TVimoLarmDlg* dlg = ui.context.windows.larmDlg;
    dlg->ensureControls();
    EXPECT_EQ(maskedText(dlg->MaskMaxDirBox), "180");
    EXPECT_EQ(maskedText(dlg->MaskSeconds), "030");
    EXPECT_EQ(dlg->MaskLatNS->text(), "S");
    EXPECT_EQ(maskedText(dlg->MaskLon), "010°30.000");
    EXPECT_EQ(maskedText(dlg->MaskMinDirBox), fields.minDir);

    dlg->MaskMinSpeBox->setText(QStringLiteral("07"));
    dlg->MaskLatNS->toggle();
    dlg->MaskLonWE->toggle();
    EXPECT_EQ(fields.minSpe, "07");
    EXPECT_EQ(fields.latNS, "N");
    EXPECT_EQ(fields.lonWE, "E");
    dlg->onBox(AlarmSlot::LongitudePassage)->click();
    EXPECT_EQ(ui.program.alarms.limits.PassLon, Real48(-10.5L));
}

class AlarmDialog : public ::testing::Test {
protected:
    AlarmDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.larmDlg) {
        dlg->ensureControls(); // as opening it does
    }

    void tick(QCheckBox* box) { box->click(); }
    QString hover(QWidget* field) {
        testing::moveMouseOver(field);
        return dlg->Panel1->text();
    }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoLarmDlg* dlg;
};

TEST_F(AlarmDialog, ShowsItsLimitsWithTheirInitialTexts) {
    EXPECT_EQ(dlg->windowTitle(), "Brisomar - Alarm");
    EXPECT_EQ(maskedText(dlg->MaskMaxDirBox), "090");
    EXPECT_EQ(maskedText(dlg->MaskMinSpeBox), "05");
    EXPECT_EQ(maskedText(dlg->MaskMeter), "00100");
    EXPECT_EQ(maskedText(dlg->MaskLat), "057°00.000");
    EXPECT_EQ(maskedText(dlg->MaskLon), "020°00.000");
    EXPECT_EQ(dlg->MaskLatNS->text(), "N");
    EXPECT_EQ(dlg->MaskMaxSpeBox->toolTip(), "input max speed (boat).");
    EXPECT_EQ(dlg->onBox(AlarmSlot::Speed)->toolTip(), "Alarmchecking on/off.");
    EXPECT_EQ(dlg->activeBox(AlarmSlot::Speed)->toolTip(), "Checked when alarm.");
    EXPECT_EQ(dlg->Timer1->interval(), 4000);
    EXPECT_TRUE(dlg->Timer1->isActive());
}

TEST_F(AlarmDialog, ARaisedAlarmLightsTheMainWindowsLamp) {
    ui.program.nav.GpsSpeed = Real48(12.0L);
    ui.mainTick(); // the speed in use becomes 12
    tick(dlg->onBox(AlarmSlot::Speed));
    ui.alarmTick();
    ui.alarmTick();
    EXPECT_TRUE(dlg->activeBox(AlarmSlot::Speed)->isChecked());
    ui.mainTick();
    EXPECT_EQ(mainDlg->LarmPanel->text(), "Alarm");
    EXPECT_EQ(ui.beeper.count, 20);
    tick(dlg->activeBox(AlarmSlot::Speed)); // acknowledged
    ui.alarmTick();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 0);
}

TEST_F(AlarmDialog, AnIncompleteLimitIsRefusedAndTheBoxUnticked) {
    dlg->MaskMaxDirBox->setText(QStringLiteral("1"));
    dlg->MaskMaxDirBox->setCursorPosition(2);
    dlg->MaskMaxDirBox->insert(QStringLiteral("5")); // "1 5", typed
    ASSERT_EQ(maskedText(dlg->MaskMaxDirBox), "1 5");
    tick(dlg->onBox(AlarmSlot::Course));
    EXPECT_EQ(ui.dialogs.shown,
              (Boxes{{Warning, "Incomplete value for Change of course (Max): fill every place, as "
                               "in 000."}}));
    EXPECT_FALSE(dlg->onBox(AlarmSlot::Course)->isChecked());
    EXPECT_FALSE(ui.program.alarms.on(AlarmSlot::Course));
}

TEST_F(AlarmDialog, DivergenceIsArmedWithoutAWord) {
    tick(dlg->onBox(AlarmSlot::Divergence));
    EXPECT_EQ(ui.dialogs.shown, Boxes{});
    EXPECT_TRUE(ui.program.alarms.on(AlarmSlot::Divergence));
}

TEST_F(AlarmDialog, DepthAndAnchorRowsFollowTheNine) {
    EXPECT_EQ(dlg->MaskDepth->text(), "002.0");
    EXPECT_EQ(dlg->MaskAnchorRadius->text(), "0050");
    ui.program.nav.PosLat = Real48(45.0L);
    dlg->MaskAnchorRadius->setText("0120");
    tick(dlg->onBox(AlarmSlot::AnchorWatch));
    tick(dlg->onBox(AlarmSlot::DepthBelow));
    EXPECT_EQ(ui.dialogs.shown, Boxes{});
    EXPECT_EQ(ui.program.alarms.limits.AnchorRadius, Real48(120.0L));
    EXPECT_EQ(ui.program.alarms.limits.AnchorLat, Real48(45.0L));
    EXPECT_EQ(ui.program.alarms.limits.MinDepth, Real48(2.0L));
    EXPECT_EQ(hover(dlg->MaskAnchorRadius), "120");
    EXPECT_EQ(hover(dlg->MaskDepth), "2.0");
}

TEST_F(AlarmDialog, ArrivalRowSetsTheRadiusAtWhichWaypointsAreReached) {
    EXPECT_EQ(dlg->MaskArrivalRadius->text(), "0100");
    dlg->MaskArrivalRadius->setText("0250");
    tick(dlg->onBox(AlarmSlot::Arrival));
    EXPECT_EQ(ui.dialogs.shown, Boxes{});
    EXPECT_EQ(ui.program.alarms.limits.ArrivalRadius, Real48(250.0L));
    EXPECT_EQ(hover(dlg->MaskArrivalRadius), "250");
}

TEST_F(AlarmDialog, PassageTakesTheHemisphereAndThePositionInUse) {
    ui.program.nav.PosLat = Real48(-50.0L);
    dlg->MaskLatNS->toggle();
    tick(dlg->onBox(AlarmSlot::LatitudePassage));
    EXPECT_EQ(ui.program.alarms.limits.PassLat, Real48(-57.0L));
    EXPECT_EQ(ui.program.alarms.limits.PassStartLat, Real48(-50.0L));
    EXPECT_EQ(hover(dlg->MaskLat), "S 57°00.000'");
}

TEST_F(AlarmDialog, PanelShowsTheLimitInForceNotTheFieldsText) {
    tick(dlg->onBox(AlarmSlot::Course));
    dlg->MaskMaxDirBox->setText(QStringLiteral("180"));
    EXPECT_EQ(hover(dlg->MaskMaxDirBox), "90");
    EXPECT_EQ(hover(dlg->MaskSeconds), "0");
}

TEST_F(AlarmDialog, IntervalFollowsTheSpinField) {
    dlg->SpinEdit1->stepUp();
    EXPECT_EQ(dlg->SpinEdit1->value(), 6);
    EXPECT_EQ(dlg->Timer1->interval(), 6000);
    dlg->SpinEdit1->setValue(40);
    EXPECT_EQ(dlg->Timer1->interval(), 30000);
}

TEST_F(AlarmDialog, ActivationShowsTheAlarmsInForce) {
    ui.program.alarms.on(AlarmSlot::WindForce) = true;
    ui.program.alarms.active(AlarmSlot::WindForce) = true;
    dlg->onBox(AlarmSlot::Course)->setChecked(true); // a stale tick
    dlg->FormActivate();
    EXPECT_TRUE(dlg->onBox(AlarmSlot::WindForce)->isChecked());
    EXPECT_TRUE(dlg->activeBox(AlarmSlot::WindForce)->isChecked());
    EXPECT_FALSE(dlg->onBox(AlarmSlot::Course)->isChecked());
}

} // namespace
} // namespace brisomar
