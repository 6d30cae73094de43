#include "navcalc/Vimoopt.h"

#include "base/masked_fields.h"
#include "navcalc/Vimoboat.h"
#include "ui_fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::UiFixture;

class SteeringDialog : public ::testing::Test {
protected:
    static void type(QLineEdit* field, const QString& digits) {
        field->setFocus();
        field->home(false);
        QTest::keyClicks(field, digits);
    }

    void useDefaultTables() {
        ui.program.boatTables.SpeedTable = defaultSpeedTable();
        ui.program.boatTables.LeewayTable = defaultLeewayTable();
    }

    QColor panelColour() const { return dlg.PanelSpeed->palette().color(QPalette::Window); }

    UiFixture ui;
    TVimoOptDlg dlg{ui.context, nullptr};
};

TEST_F(SteeringDialog, StartsWithZerosAndItsTexts) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar-Evaluate/modify data");
    EXPECT_EQ(TVimoOptDlg::helpContext, 6);
    const std::pair<QLineEdit*, const char*> inputs[] = {
        {dlg.MaskWindDir, "Wind direction 0-359°"},
        {dlg.MaskWindSp, "Wind speed 1-20 knots."},
        {dlg.MaskCurrDir, "Current direction 0-359°"},
        {dlg.MaskCurrSp, "Current speed 1-20 knots"},
        {dlg.MaskSteerDir, "Compass course"}};
    for (const auto& [field, hint] : inputs) {
        EXPECT_EQ(maskedText(field), "000");
        EXPECT_EQ(field->toolTip(), hint);
        EXPECT_FALSE(field->isReadOnly());
    }
    const std::pair<QLineEdit*, const char*> outputs[] = {
        {dlg.EditGeoDir, "Geographical direction"},
        {dlg.EditFalseWDir, "Wind compensated for current."},
        {dlg.EditFalseWSp, "Windforce compensated for current."},
        {dlg.EditSteerSp, "Calculated speed."},
        {dlg.EditLeewDir, "Interpolated leeway."},
        {dlg.EditResultDir, "True course"},
        {dlg.EditResultSp, "True speed"}};
    for (const auto& [field, hint] : outputs) {
        EXPECT_EQ(field->toolTip(), hint);
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_FALSE(field->focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(dlg.EditGeoDir->text(), "000");
    EXPECT_EQ(dlg.SpinWindDir->toolTip(), "+/- 10");
    EXPECT_EQ(dlg.SpinSteerDir->toolTip(), "+/- 10");
    EXPECT_EQ(dlg.SpinCurrSp->toolTip(), "+/- 1 knots");
    EXPECT_EQ(dlg.BitBtn1->text(), "Calc");
    EXPECT_EQ(dlg.BitBtn1->toolTip(), "Calculate result.");
    EXPECT_EQ(dlg.BitBtn2->text(), "Steer?");
    EXPECT_EQ(dlg.BitBtn2->toolTip(), "Geogr = Result ?");
    EXPECT_EQ(dlg.WindGlUpdate->text(), "Use");
    EXPECT_EQ(dlg.WindGlUpdate->toolTip(), "Store this wind.");
    EXPECT_EQ(dlg.CurrGlUpdate->toolTip(), "Store this current.");
    EXPECT_EQ(dlg.SpLeeBtn->text(), "Boat Data");
    EXPECT_EQ(dlg.SpLeeBtn->toolTip(), "Open boat-data tables.");
    EXPECT_EQ(dlg.PanelSpeed->toolTip(), "Red indicates low speed.");
    EXPECT_EQ(panelColour(), QColor(Qt::green));
    EXPECT_EQ(dlg.Gauge1->maximum(), 360);
    EXPECT_TRUE(dlg.Gauge1->isHidden());
    const std::pair<QLabel*, const char*> labels[] = {
        {dlg.Label1, "Direction:"}, {dlg.Label8, "Speed:"},  {dlg.Label2, "Geogr."},
        {dlg.Label9, "True wind"},  {dlg.Label6, "Current"}, {dlg.Label4, "Wind"},
        {dlg.Label3, "Steer"},      {dlg.Label5, "Leeway"},  {dlg.Label7, "Result"}};
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text(), caption);
}

TEST_F(SteeringDialog, CalcWithEmptyTablesDriftsWithTheCurrentAndWarnsOfLowSpeed) {
    type(dlg.MaskCurrDir, QStringLiteral("090"));
    type(dlg.MaskCurrSp, QStringLiteral("002"));
    dlg.BitBtn1->click();
    EXPECT_EQ(dlg.EditFalseWDir->text(), "090");
    EXPECT_EQ(dlg.EditFalseWSp->text(), "02.0");
    EXPECT_EQ(dlg.EditSteerSp->text(), "00.0");
    EXPECT_EQ(dlg.EditLeewDir->text(), "000");
    EXPECT_EQ(dlg.EditResultDir->text(), "090");
    EXPECT_EQ(dlg.EditResultSp->text(), "02.0");
    EXPECT_EQ(dlg.PanelSpeed->text(), "!!!");
    EXPECT_EQ(panelColour(), QColor(Qt::red));
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(SteeringDialog, CalcAcrossTheWindAddsTheLeewayFromPort) {
    useDefaultTables();
    type(dlg.MaskWindSp, QStringLiteral("010"));
    type(dlg.MaskSteerDir, QStringLiteral("090"));
    dlg.BitBtn1Click();
    EXPECT_EQ(dlg.EditFalseWDir->text(), "000");
    EXPECT_EQ(dlg.EditFalseWSp->text(), "10.0");
    EXPECT_EQ(dlg.EditSteerSp->text(), "07.1");
    EXPECT_EQ(dlg.EditLeewDir->text(), "001");
    EXPECT_EQ(dlg.EditResultDir->text(), "091");
    EXPECT_EQ(dlg.EditResultSp->text(), "07.1");
    EXPECT_EQ(dlg.PanelSpeed->text(), "");
    EXPECT_EQ(panelColour(), QColor(Qt::white));
}

TEST_F(SteeringDialog, SteerFindsTheHeadingThatMakesGoodTheWantedDirection) {
    useDefaultTables();
    type(dlg.MaskWindSp, QStringLiteral("010"));
    dlg.showGeoDir(Real48(91.0L));
    std::vector<std::pair<int, bool>> progress; // gauge value, shown
    QObject::connect(dlg.Gauge1, &QProgressBar::valueChanged,
                     [&](int value) { progress.emplace_back(value, !dlg.Gauge1->isHidden()); });
    dlg.BitBtn2->click();
    EXPECT_EQ(maskedText(dlg.MaskSteerDir), "090");
    EXPECT_EQ(dlg.EditResultDir->text(), "091");
    EXPECT_EQ(dlg.EditResultSp->text(), "07.1");
    EXPECT_EQ(dlg.PanelSpeed->text(), "");
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(9, true)); // 0 is where it starts
    EXPECT_EQ(progress[progress.size() - 2], std::make_pair(351, true));
    EXPECT_EQ(progress.back(), std::make_pair(0, true)); // reset, then hidden
    EXPECT_TRUE(dlg.Gauge1->isHidden());
    EXPECT_EQ(dlg.Gauge1->value(), 0);
}

TEST_F(SteeringDialog, SteerWithoutWindOrCurrentFindsNothing) {
    type(dlg.MaskSteerDir, QStringLiteral("123"));
    dlg.BitBtn2Click();
    EXPECT_EQ(dlg.EditResultDir->text(), "---");
    EXPECT_EQ(dlg.EditResultSp->text(), "---");
    EXPECT_EQ(maskedText(dlg.MaskSteerDir), "000");
    EXPECT_EQ(dlg.PanelSpeed->text(), "!!!");
    EXPECT_TRUE(dlg.Gauge1->isHidden());
}

TEST_F(SteeringDialog, SpinsStepTheirFieldsAndWrap) {
    type(dlg.MaskWindDir, QStringLiteral("005"));
    dlg.SpinWindDirDownClick();
    EXPECT_EQ(maskedText(dlg.MaskWindDir), "355");
    dlg.SpinWindDir->upButton->click();
    EXPECT_EQ(maskedText(dlg.MaskWindDir), "005");

    type(dlg.MaskWindSp, QStringLiteral("020"));
    dlg.SpinWindSpUpClick();
    EXPECT_EQ(maskedText(dlg.MaskWindSp), "000");
    dlg.SpinWindSp->downButton->click();
    EXPECT_EQ(maskedText(dlg.MaskWindSp), "020");

    dlg.SpinCurrDirUpClick();
    EXPECT_EQ(maskedText(dlg.MaskCurrDir), "010");
    dlg.SpinCurrDirDownClick();
    dlg.SpinCurrDirDownClick();
    EXPECT_EQ(maskedText(dlg.MaskCurrDir), "350");
    dlg.SpinCurrSpDownClick();
    EXPECT_EQ(maskedText(dlg.MaskCurrSp), "020");
    dlg.SpinCurrSp->upButton->click();
    EXPECT_EQ(maskedText(dlg.MaskCurrSp), "000");

    type(dlg.MaskSteerDir, QStringLiteral("400"));
    dlg.SpinSteerDirUpClick();
    EXPECT_EQ(maskedText(dlg.MaskSteerDir), "010");
    dlg.SpinSteerDir->downButton->click();
    dlg.SpinSteerDirDownClick();
    EXPECT_EQ(maskedText(dlg.MaskSteerDir), "350");
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(SteeringDialog, OutOfRangeFieldsAreResetAndIncompleteOnesRefused) {
    type(dlg.MaskWindSp, QStringLiteral("025"));
    type(dlg.MaskWindDir, QStringLiteral("400"));
    dlg.MaskCurrSp->clear();
    type(dlg.MaskCurrSp, QStringLiteral("5"));
    dlg.BitBtn1Click();
    EXPECT_EQ(
        ui.dialogs.shown,
        (Boxes{{Warning, "Incomplete value for Current speed: fill every place, as in 000."}}));
    EXPECT_TRUE(ui.program.sailing.OptWindSpeed.isZero()); // nothing was read

    type(dlg.MaskCurrSp, QStringLiteral("005"));
    dlg.BitBtn1Click();
    EXPECT_EQ(maskedText(dlg.MaskWindSp), "020");
    EXPECT_EQ(maskedText(dlg.MaskWindDir), "000");
    EXPECT_EQ(ui.dialogs.shown.size(), 1u);
    EXPECT_EQ(ui.program.sailing.OptWindSpeed, Real48(20.0L));
    EXPECT_EQ(ui.program.sailing.OptCurrentSpeed, Real48(5.0L));
}

TEST_F(SteeringDialog, UseStoresTheTypedWindOrCurrent) {
    type(dlg.MaskWindDir, QStringLiteral("045"));
    type(dlg.MaskWindSp, QStringLiteral("012"));
    type(dlg.MaskCurrDir, QStringLiteral("270"));
    type(dlg.MaskCurrSp, QStringLiteral("003"));
    const NavState& nav = ui.program.nav;
    dlg.WindGlUpdate->click();
    EXPECT_EQ(nav.WindDir, Real48(45.0L));
    EXPECT_EQ(nav.WindSpeed, Real48(12.0L));
    EXPECT_TRUE(nav.CurrentDir.isZero());
    EXPECT_TRUE(nav.CurrentSpeed.isZero());
    dlg.CurrGlUpdateClick();
    EXPECT_EQ(nav.CurrentDir, Real48(270.0L));
    EXPECT_EQ(nav.CurrentSpeed, Real48(3.0L));
    EXPECT_EQ(dlg.EditFalseWSp->text(), "10.1"); // the fields were read as by "Calc"
}

TEST_F(SteeringDialog, ActivationTakesTheWindCurrentAndChartCourseInUse) {
    NavState& nav = ui.program.nav;
    nav.WindDir = Real48(200.0L);
    nav.WindSpeed = Real48(8.0L);
    nav.CurrentDir = Real48(30.0L);
    nav.CurrentSpeed = Real48(1.0L);
    ui.program.tools.ChartCourse = Real48(123.0L);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    const SailingValues& v = ui.program.sailing;
    EXPECT_EQ(v.OptWindDir, Real48(200.0L));
    EXPECT_EQ(v.OptWindSpeed, Real48(8.0L));
    EXPECT_EQ(v.OptCurrentDir, Real48(30.0L));
    EXPECT_EQ(v.OptCurrentSpeed, Real48(1.0L));
    EXPECT_EQ(v.OptGeoDir, Real48(123.0L));
    EXPECT_EQ(maskedText(dlg.MaskWindDir), "000");
    EXPECT_EQ(dlg.EditGeoDir->text(), "000");
    QTest::keyClick(&dlg, Qt::Key_F1);
    EXPECT_EQ(ui.help.contexts, std::vector<int>{TVimoOptDlg::helpContext});
}

TEST_F(SteeringDialog, ChartCourseIsShownAsTheWantedDirection) {
    dlg.showGeoDir(Real48(28.57L));
    EXPECT_EQ(dlg.EditGeoDir->text(), "29");
    dlg.showGeoDir(Real48(0.0L));
    EXPECT_EQ(dlg.EditGeoDir->text(), "0");
}

TEST_F(SteeringDialog, BoatDataOpensTheBoatSheetModally) {
    dlg.SpLeeBtn->click(); // no sheet yet: nothing happens
    TVimoBoatSheet sheet(ui.context, nullptr);
    dlg.boatSheet = &sheet;
    bool shownModally = false;
    QTimer::singleShot(0, &sheet, [&] {
        shownModally = sheet.isVisible() && sheet.isModal();
        sheet.Closedataform1Click();
    });
    dlg.SpLeeBtnClick();
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(sheet.isVisible());
}

} // namespace
} // namespace brisomar
