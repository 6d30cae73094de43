#include "ais/Vimoais.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::UiFixture;

constexpr long double nm = 1.0L / 60;

// Targets north of the boat, which lies still at 45 N 0 W.
class AisWindow : public ::testing::Test {
protected:
    AisWindow() {
        ui.program.nav.GpsFixReceived = true;
        ui.program.nav.GpsLat = Real48(45.0L);
        ui.program.alarms.switchOn(AlarmSlot::AisCollision, ui.program.nav);
    }
    void report(std::uint32_t mmsi, const char* name, long double northNm, double course) {
        AisMessage m;
        m.type = 1;
        m.mmsi = mmsi;
        m.shipname = name;
        m.lat = static_cast<double>(45 + northNm * nm);
        m.lon = 0;
        m.course = course;
        m.speed = 6;
        ui.program.aisTargets.take(m, false, ui.clock.steady());
    }
    // The main window's tick measures the targets, two alarm ticks evaluate the alarms.
    void ticks() {
        mainDlg->Timer1Timer();
        ui.context.windows.larmDlg->Timer1Timer();
        ui.context.windows.larmDlg->Timer1Timer();
    }
    QString cell(int row, int column) const { return list()->item(row, column)->text(); }
    QTableWidget* list() const { return ui.context.windows.aisDlg->TargetList; }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg = createWindows(ui.context);
};

TEST_F(AisWindow, ListsTheTargetsRaisesTheAlarmAndTakesAnAcknowledgement) {
    report(1, "FAR AWAY", 3, 0);      // going away
    report(2, "NORDIC STAR", 1, 180); // 10 minutes to a collision
    report(3, "", 2, 180);            // 20 minutes
    ticks();
    EXPECT_EQ(ui.program.nav.ActiveAlarmNames, "AIS: NORDIC STAR 0.0 Nm in 10 min");
    TVimoAisDlg* dlg = ui.context.windows.aisDlg;
    dlg->show();
    ASSERT_EQ(list()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "NORDIC STAR");
    EXPECT_EQ(cell(1, 0), "3");
    EXPECT_EQ(cell(2, 0), "FAR AWAY");
    EXPECT_EQ(cell(0, 3), "0.00");
    EXPECT_EQ(list()->item(0, 0)->foreground().color(), QColor(Qt::red));

    dlg->showDetails(2);
    EXPECT_TRUE(dlg->TargetDlg->DetailsLabel->text().contains("NORDIC STAR"));
    dlg->TargetDlg->AckBtn->click();
    ticks();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 0);
    EXPECT_FALSE(dlg->TargetDlg->AckBtn->isEnabled());
}

// Unticking the alarm's Active box acknowledges the targets raising it.
TEST_F(AisWindow, UntickingTheActiveBoxAcknowledges) {
    report(2, "NORDIC STAR", 1, 180);
    ticks();
    TVimoLarmDlg* alarms = ui.context.windows.larmDlg;
    alarms->ensureControls();
    alarms->Timer1Timer();
    alarms->Timer1Timer();
    ASSERT_TRUE(alarms->activeBox(AlarmSlot::AisCollision)->isChecked());
    alarms->activeBox(AlarmSlot::AisCollision)->click();
    ticks();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 0);
    EXPECT_TRUE(ui.program.aisTargets.find(2)->acknowledged);
}

} // namespace
} // namespace brisomar
