#include "ais/Vimoais.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

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
        ui.mainTick();
        ui.alarmTick();
        ui.alarmTick();
    }
    // Targets going away north, 1 Nm and a thousandth more for each, shown in the open window.
    void reportFiveThousand(std::uint32_t first) {
        for (std::uint32_t n = 0; n < AisTargets::maxTargets; ++n)
            report(first + n, "", 1 + n / 1000.0L, 0);
        ticks();
        ui.context.windows.aisDlg->show();
        QCoreApplication::processEvents(); // the list laid out, so that it scrolls
    }
    // The main window's tick, then the AIS window's.
    void refresh() {
        ticks();
        ui.context.windows.aisDlg->Timer1Timer();
    }
    QModelIndexList chosenRows() const { return list()->selectionModel()->selectedRows(); }
    QString cell(int row, int column) const {
        return list()->model()->index(row, column).data().toString();
    }
    QTableView* list() const { return ui.context.windows.aisDlg->TargetList; }
    std::vector<int> columnWidths() const {
        std::vector<int> widths;
        for (int column = 0; column + 1 < list()->model()->columnCount(); ++column)
            widths.push_back(list()->columnWidth(column)); // the last one stretches
        return widths;
    }

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
    ASSERT_EQ(list()->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "NORDIC STAR");
    EXPECT_EQ(cell(1, 0), "3");
    EXPECT_EQ(cell(2, 0), "FAR AWAY");
    EXPECT_EQ(cell(0, 3), "0.00");
    EXPECT_EQ(list()->model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(Qt::red));

    dlg->showDetails(2);
    EXPECT_TRUE(dlg->TargetDlg->DetailsLabel->text().contains("NORDIC STAR"));
    dlg->TargetDlg->AckBtn->click();
    ticks();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 0);
    EXPECT_FALSE(dlg->TargetDlg->AckBtn->isEnabled());
}

// Among 5000 targets going away, listed by range, the one chosen stays chosen while the rows
// age, and when it turns towards the boat it heads the list, chosen and scrolled into sight.
TEST_F(AisWindow, KeepsTheChosenOfFiveThousandTargetsAcrossRefreshes) {
    constexpr std::uint32_t first = 300000000;
    reportFiveThousand(first);
    list()->selectRow(3000);
    ui.clock.pass(std::chrono::seconds(5));
    refresh();
    EXPECT_EQ(chosenRows(), QModelIndexList{list()->model()->index(3000, 0)});
    EXPECT_EQ(cell(3000, 8), "5 s");

    report(first + 3000, "NORDIC STAR", 2, 180);
    refresh();
    EXPECT_EQ(chosenRows(), QModelIndexList{list()->model()->index(0, 0)});
    EXPECT_EQ(list()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(ui.context.windows.aisDlg->CountLabel->text(), "5000 targets");
    const std::pair<int, std::array<const char*, 5>> rows[] = {
        {0, {"NORDIC STAR", "2.00", "000", "0.00", "20.0"}},
        {1, {"300000000", "1.00", "000", "0.00", "-10.0"}},
        {3000, {"300002999", "4.00", "000", "0.00", "-40.0"}},
        {3001, {"300003001", "4.00", "000", "0.00", "-40.0"}},
        {4999, {"300004999", "6.00", "000", "0.00", "-60.0"}}};
    for (const auto& [row, texts] : rows)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(cell(row, column), texts[static_cast<std::size_t>(column)])
                << "row " << row << ", column " << column;

    std::optional<GeoPoint> centred;
    ui.context.windows.centreChartOn = [&](const GeoPoint& p) { centred = p; };
    ui.context.windows.aisDlg->TargetListDoubleClick(0);
    ASSERT_TRUE(centred);
    EXPECT_EQ(centred->lat.value(),
              ui.program.aisTargets.find(first + 3000)->position->lat.value());
}

// Targets listed anew in another order leave the list scrolled where the sailor left it, with
// nothing chosen and with the chosen target out of sight in the same row.
TEST_F(AisWindow, ListingTheTargetsAnewKeepsTheListWhereItWasScrolled) {
    constexpr std::uint32_t first = 300000000;
    reportFiveThousand(first);
    list()->scrollTo(list()->model()->index(1500, 0), QAbstractItemView::PositionAtTop);
    report(first + 4999, "", 4.5004L, 0); // now after 300003500
    refresh();
    EXPECT_EQ(list()->verticalScrollBar()->value(), 1500);
    EXPECT_EQ(cell(3501, 0), "300004999");

    list()->selectRow(3000);
    list()->scrollToTop();
    report(first + 4998, "", 4.5003L, 0); // now after 300003500 too, still below the chosen
    refresh();
    EXPECT_EQ(chosenRows(), QModelIndexList{list()->model()->index(3000, 0)});
    EXPECT_EQ(list()->verticalScrollBar()->value(), 0);
}

// The columns are sized once, from their headers and the widest texts expected: a long name
// fits, and no row changes a width.
TEST_F(AisWindow, ColumnWidthsDoNotFollowTheRows) {
    TVimoAisDlg* dlg = ui.context.windows.aisDlg;
    dlg->show();
    const std::vector<int> empty = columnWidths();
    EXPECT_GE(empty[0], list()->fontMetrics().horizontalAdvance("NORDIC STAR OF THE N"));
    report(1, "A", 1, 0);
    report(2, "NORDIC STAR OF THE N", 700, 180);
    refresh();
    EXPECT_EQ(columnWidths(), empty);
}

// Unticking the alarm's Active box acknowledges the targets raising it.
TEST_F(AisWindow, UntickingTheActiveBoxAcknowledges) {
    report(2, "NORDIC STAR", 1, 180);
    ticks();
    TVimoLarmDlg* alarms = ui.context.windows.larmDlg;
    alarms->ensureControls();
    ui.alarmTick();
    ui.alarmTick();
    ASSERT_TRUE(alarms->activeBox(AlarmSlot::AisCollision)->isChecked());
    alarms->activeBox(AlarmSlot::AisCollision)->click();
    ticks();
    EXPECT_EQ(ui.program.nav.ActiveAlarmCount, 0);
    EXPECT_TRUE(ui.program.aisTargets.find(2)->acknowledged);
}

} // namespace
} // namespace brisomar
