#include "navcalc/Vimoavst.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"

#include "ui_fakes.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::UiFixture;

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void pressHelpKey(QWidget& window) {
    activate(window);
    QTest::keyClick(&window, Qt::Key_F1);
}

// The fields of ToolValues behind each accumulator window.
struct SailTimeFields {
    using Window = TVimoSailTimeDlg;
    static constexpr Real48 ToolValues::*thisValue = &ToolValues::SailTimeThis;
    static constexpr Real48 ToolValues::*sum = &ToolValues::SailTimeSum;
    static constexpr int ToolValues::*count = &ToolValues::SailTimeCount;
    static constexpr bool ToolValues::*autoAdd = &ToolValues::SailTimeAutoAdd;
    static constexpr const char* clearedSum = "0";
};

struct DistanceFields {
    using Window = TVimoAvstDlg;
    static constexpr Real48 ToolValues::*thisValue = &ToolValues::ChartDistanceThis;
    static constexpr Real48 ToolValues::*sum = &ToolValues::ChartDistanceSum;
    static constexpr int ToolValues::*count = &ToolValues::ChartDistanceCount;
    static constexpr bool ToolValues::*autoAdd = &ToolValues::ChartDistanceAutoAdd;
    static constexpr const char* clearedSum = "0 m, 0 Nm";
};

template <typename Fields> class AccumulatorWindow : public ::testing::Test {
protected:
    Real48& thisValue() { return tools.*Fields::thisValue; }
    Real48& sum() { return tools.*Fields::sum; }
    int& count() { return tools.*Fields::count; }
    bool autoAdd() { return tools.*Fields::autoAdd; }
    QColor autoAddCaptionColour() const {
        return dlg.AutoAddBtn->palette().color(QPalette::Active, QPalette::ButtonText);
    }
    QColor greyText() const {
        return dlg.AutoAddBtn->palette().color(QPalette::Disabled, QPalette::ButtonText);
    }

    UiFixture ui;
    ToolValues& tools = ui.program.tools;
    typename Fields::Window dlg{ui.context, nullptr};
};

using BothWindows = ::testing::Types<SailTimeFields, DistanceFields>;
TYPED_TEST_SUITE(AccumulatorWindow, BothWindows);

TYPED_TEST(AccumulatorWindow, StartsAtZeroWithItsButtons) {
    auto& dlg = this->dlg;
    EXPECT_EQ(dlg.LabelThis->text(), "0");
    EXPECT_EQ(dlg.LabelSum->text(), "0");
    EXPECT_EQ(dlg.LabelCount->text(), "0");
    EXPECT_EQ(dlg.ClearBtn->text(), "Clear");
    EXPECT_EQ(dlg.AddBtn->text(), "Add");
    EXPECT_EQ(dlg.AutoAddBtn->text(), "Auto Add");
    EXPECT_EQ(dlg.LabelThis->parentWidget(), dlg.GroupBox1);
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dlg.size(), QSize(269, 128));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
}

TYPED_TEST(AccumulatorWindow, CountStopsAt30000WhileTheSumGrows) {
    this->thisValue() = Real48(10.0L);
    this->sum() = Real48(5.0L);
    this->count() = 29999;
    this->dlg.AddBtnClick();
    this->dlg.AddBtnClick();
    EXPECT_EQ(this->count(), 30000);
    EXPECT_EQ(this->sum(), Real48(25.0L));
    EXPECT_EQ(this->dlg.LabelCount->text(), "30000");
}

TYPED_TEST(AccumulatorWindow, PressingAddTwiceAddsTheSameMeasurementTwice) {
    this->thisValue() = Real48(7.0L);
    QTest::mouseClick(this->dlg.AddBtn, Qt::LeftButton);
    QTest::mouseClick(this->dlg.AddBtn, Qt::LeftButton);
    EXPECT_EQ(this->count(), 2);
    EXPECT_EQ(this->sum(), Real48(14.0L));
    EXPECT_EQ(this->dlg.LabelCount->text(), "2");
}

TYPED_TEST(AccumulatorWindow, AddBeforeAnyMeasurementAddsZeroAndStillCounts) {
    this->dlg.add();
    EXPECT_EQ(this->count(), 1);
    EXPECT_TRUE(this->sum().isZero());
    EXPECT_EQ(this->dlg.LabelCount->text(), "1");
}

TYPED_TEST(AccumulatorWindow, ClearEmptiesTheSumAndKeepsTheLastMeasurement) {
    auto& dlg = this->dlg;
    this->thisValue() = Real48(926.0L);
    dlg.showThis();
    dlg.add();
    const QString shownThis = dlg.LabelThis->text();
    QTest::mouseClick(dlg.ClearBtn, Qt::LeftButton);
    EXPECT_EQ(dlg.LabelSum->text(), TypeParam::clearedSum);
    EXPECT_EQ(dlg.LabelCount->text(), "0");
    EXPECT_EQ(dlg.LabelThis->text(), shownThis);
    EXPECT_EQ(this->count(), 0);
    EXPECT_TRUE(this->sum().isZero());
    EXPECT_EQ(this->thisValue(), Real48(926.0L));
}

TYPED_TEST(AccumulatorWindow, AutoAddTogglesItsFlagAndCaptionColour) {
    const QColor black(Qt::black);
    EXPECT_EQ(this->autoAddCaptionColour(), black);
    ASSERT_NE(this->greyText(), black);
    QTest::mouseClick(this->dlg.AutoAddBtn, Qt::LeftButton);
    EXPECT_TRUE(this->autoAdd());
    EXPECT_EQ(this->autoAddCaptionColour(), black);
    this->dlg.AutoAddBtnClick();
    EXPECT_FALSE(this->autoAdd());
    EXPECT_EQ(this->autoAddCaptionColour(), this->greyText());
    this->dlg.AutoAddBtnClick();
    EXPECT_TRUE(this->autoAdd());
    EXPECT_EQ(this->autoAddCaptionColour(), black);
}

TYPED_TEST(AccumulatorWindow, HelpKeyOpensTheFirstTopic) {
    pressHelpKey(this->dlg);
    EXPECT_EQ(this->ui.help.contexts, std::vector<int>{1});
}

class SailTimeWindow : public ::testing::Test {
protected:
    UiFixture ui;
    ToolValues& tools = ui.program.tools;
    TVimoSailTimeDlg dlg{ui.context, nullptr};
};

TEST_F(SailTimeWindow, HasItsCaption) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar-sailtime");
}

TEST_F(SailTimeWindow, ShowsWholeMinutesButSumsTheFraction) {
    tools.SailTimeThis = Real48(12.6L);
    dlg.showThis();
    EXPECT_EQ(dlg.LabelThis->text(), "Sailtime: 13 minutes");
    dlg.AddBtnClick();
    EXPECT_EQ(tools.SailTimeSum, Real48(12.6L));
    EXPECT_EQ(dlg.LabelSum->text(), "Sum.minutes: 13");
    EXPECT_EQ(dlg.LabelCount->text(), "1");
}

class DistanceWindow : public ::testing::Test {
protected:
    UiFixture ui;
    ToolValues& tools = ui.program.tools;
    TVimoAvstDlg dlg{ui.context, nullptr};
};

TEST_F(DistanceWindow, HasItsCaptionWithTheTrailingBlank) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar-chartdistance ");
}

TEST_F(DistanceWindow, HalfAMileReadsInMetresAndMiles) {
    tools.ChartDistanceThis = Real48(926.0L);
    dlg.showThis();
    EXPECT_EQ(dlg.LabelThis->text(), "Distance: 926 m, 0.5 Nm");
    dlg.ClearBtnClick();
    dlg.AddBtnClick();
    EXPECT_EQ(dlg.LabelSum->text(), "Sum.distance: 926 m, 0.5 Nm");
    EXPECT_EQ(dlg.LabelCount->text(), "1");
}

class SearchWindow : public ::testing::Test {
protected:
    SearchWindow() { dlg.ensureControls(); } // as showing it does

    QString cell(int column, int row) const { return dlg.StringGrid1->item(row, column)->text(); }
    QStringList row(int r) const { return {cell(1, r), cell(2, r), cell(3, r)}; }

    static CruisePointFigures figures() {
        return {{Real48(12.34L), Real48(1.25L), Real48(28.57L)},
                {Real48(40.0L), Real48(3.456L), Real48(301.04L)},
                Real48(52.34L),
                {Real48(50.06L), Real48(4.0L), Real48(0.0L)}};
    }

    UiFixture ui;
    TVimoSeekOptDlg dlg{ui.context, nullptr};
};

TEST_F(SearchWindow, IsAFiveByFourGridWithoutHeaderViews) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar-search optimal cruise-point");
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dlg.size(), QSize(373, 154));
    EXPECT_EQ(dlg.StringGrid1->columnCount(), 4);
    EXPECT_EQ(dlg.StringGrid1->rowCount(), 5);
    EXPECT_TRUE(dlg.StringGrid1->horizontalHeader()->isHidden());
    EXPECT_TRUE(dlg.StringGrid1->verticalHeader()->isHidden());
    EXPECT_EQ(dlg.StringGrid1->columnWidth(2), 90);
}

TEST_F(SearchWindow, HelpKeyOpensTheThirdTopic) {
    pressHelpKey(dlg);
    EXPECT_EQ(ui.help.contexts, std::vector<int>{3});
}

TEST_F(SearchWindow, ActivationWritesTheHeadings) {
    EXPECT_EQ(cell(1, 0), "");
    activate(dlg);
    EXPECT_EQ(row(0), (QStringList{"Minutes", "NM", "Dir"}));
    EXPECT_EQ((QStringList{cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 4)}),
              (QStringList{"Distance 1", "Distance 2", "Total", "Origin"}));
    EXPECT_EQ(cell(0, 0), "");
}

TEST_F(SearchWindow, FiguresAreWrittenOnlyWhileTheWindowIsOnShow) {
    dlg.showCruisePoint(figures());
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(row(r), (QStringList{"", "", ""})) << "row " << r;
    dlg.show();
    dlg.showCruisePoint(figures());
    dlg.hide();
    dlg.SeekOptShowLeg(TVimoSeekOptDlg::rowLeg1, {Real48(1.0L), Real48(1.0L), Real48(1.0L)});
    dlg.SeekOptShowTotal(Real48(99.0L));
    EXPECT_EQ(row(1), (QStringList{"12.3", "1.25", "28.6"}));
    EXPECT_EQ(cell(1, 3), "52.3");
}

TEST_F(SearchWindow, MinutesAndCoursesHaveOneDecimalAndMilesTwo) {
    dlg.show();
    dlg.showCruisePoint(figures());
    EXPECT_EQ(row(1), (QStringList{"12.3", "1.25", "28.6"}));
    EXPECT_EQ(row(2), (QStringList{"40.0", "3.46", "301.0"}));
    EXPECT_EQ(row(3), (QStringList{"52.3", "", ""}));
    EXPECT_EQ(row(4), (QStringList{"50.1", "4.00", "0.0"}));
}

TEST_F(SearchWindow, ReactivationRewritesTheHeadingsAndKeepsTheFigures) {
    dlg.show();
    dlg.showCruisePoint(figures());
    dlg.StringGrid1->item(0, 1)->setText(QStringLiteral("x"));
    dlg.StringGrid1->item(4, 0)->setText(QStringLiteral("y"));
    dlg.FormActivate();
    EXPECT_EQ(cell(1, 0), "Minutes");
    EXPECT_EQ(cell(0, 4), "Origin");
    EXPECT_EQ(row(1), (QStringList{"12.3", "1.25", "28.6"}));
    EXPECT_EQ(cell(1, 3), "52.3");
}

class PositionWindow : public ::testing::Test {
protected:
    UiFixture ui;
    TVimoPosiDlg dlg{ui.context, nullptr};
};

TEST_F(PositionWindow, StartsWithLatLonInALoweredPanel) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar mouse position");
    EXPECT_EQ(dlg.Panel1->text(), "Lat/Lon");
    EXPECT_EQ(dlg.Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(dlg.Panel1->lineWidth(), 2);
    EXPECT_EQ(dlg.size(), QSize(283, 29));
}

TEST_F(PositionWindow, HelpKeyOpensTheFirstTopic) {
    pressHelpKey(dlg);
    EXPECT_EQ(ui.help.contexts, std::vector<int>{1});
}

TEST_F(PositionWindow, ShowsTheTextItIsGiven) {
    dlg.showPosition(QStringLiteral("N 57°30.000' W 018°00.000'"));
    EXPECT_EQ(dlg.Panel1->text(), "N 57°30.000' W 018°00.000'");
}

} // namespace
} // namespace brisomar
