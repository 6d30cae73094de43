#include "navcalc/Vimodist.h"

#include "base/masked_fields.h"
#include "ui_fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::UiFixture;

class DistanceDialog : public ::testing::Test {
protected:
    DistanceDialog() { dlg.ensureControls(); } // as opening it does

    static void type(QLineEdit* field, const QString& digits) {
        field->setFocus();
        field->home(false);
        QTest::keyClicks(field, digits);
    }

    // The next widget the Tab key reaches.
    static QWidget* nextTabStop(QWidget* widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    }

    QString calc() {
        dlg.CalcBtnClick();
        return dlg.EditAnswer->text();
    }

    UiFixture ui;
    TVimoDistDlg dlg{ui.context, nullptr};
};

TEST_F(DistanceDialog, StartsWithEmptyPositionsAndItsTexts) {
    EXPECT_EQ(dlg.windowTitle(), "Brisomar-distance");
    EXPECT_EQ(TVimoDistDlg::helpContext, 1);
    for (QLineEdit* field : {dlg.MaskLatA, dlg.MaskLonA, dlg.MaskLatB, dlg.MaskLonB})
        EXPECT_EQ(maskedText(field), "   °  .   ");
    EXPECT_EQ(dlg.MaskLatA->toolTip(), "Input latitude. Ex:057°30,000");
    EXPECT_EQ(dlg.MaskLatB->toolTip(), "Input latitude. Ex:057°30,000");
    EXPECT_EQ(dlg.MaskLonA->toolTip(), "Input longitude. Ex:019°30,000");
    EXPECT_EQ(dlg.MaskLonB->toolTip(), "Input longitude. Ex:019°30,000");
    EXPECT_EQ(dlg.Label1->text(), "Position A");
    EXPECT_EQ(dlg.Label2->text(), "Position B");
    EXPECT_EQ(dlg.Label3->text(), "Latitude");
    EXPECT_EQ(dlg.Label4->text(), "Longitude");
    EXPECT_TRUE(dlg.EditAnswer->isReadOnly());
    EXPECT_EQ(dlg.EditAnswer->toolTip(), "Answer.");
    EXPECT_EQ(dlg.CalcBtn->text(), "Calc.");
    EXPECT_EQ(dlg.CalcBtn->toolTip(), "Calculate distance.");
    EXPECT_EQ(dlg.MaskLatANS->text(), "N");
    EXPECT_EQ(dlg.MaskLonBWE->text(), "W");
    EXPECT_TRUE(dlg.MaskLatBNS->isReadOnly());
    EXPECT_EQ(dlg.MaskLonAWE->toolTip(), "Click to change.");
}

TEST_F(DistanceDialog, TabOrderRunsLatitudesLongitudesThenTheButton) {
    QWidget* const order[] = {dlg.MaskLatANS, dlg.MaskLatA,  dlg.MaskLatBNS, dlg.MaskLatB,
                              dlg.MaskLonAWE, dlg.MaskLonA,  dlg.MaskLonBWE, dlg.MaskLonB,
                              dlg.CalcBtn,    dlg.EditAnswer};
    for (std::size_t i = 1; i < std::size(order); ++i)
        EXPECT_EQ(nextTabStop(order[i - 1]), order[i]) << i;
}

TEST_F(DistanceDialog, HalfAMinuteOfLatitudeIsAnsweredInMetres) {
    type(dlg.MaskLatA, QStringLiteral("05730000"));
    type(dlg.MaskLonA, QStringLiteral("01930000"));
    type(dlg.MaskLatB, QStringLiteral("05730500"));
    type(dlg.MaskLonB, QStringLiteral("01930000"));
    EXPECT_EQ(maskedText(dlg.MaskLatB), "057°30.500");
    const QString answer = calc();
    EXPECT_TRUE(answer.startsWith("927.6")) << answer.toStdString();
    EXPECT_TRUE(answer.endsWith(" Meter")) << answer.toStdString();
}

TEST_F(DistanceDialog, OneDegreeIsAnsweredInNauticalMiles) {
    type(dlg.MaskLatB, QStringLiteral("00100000"));
    const QString answer = calc();
    EXPECT_TRUE(answer.startsWith("60.10")) << answer.toStdString();
    EXPECT_TRUE(answer.endsWith(" Nm")) << answer.toStdString();
}

TEST_F(DistanceDialog, IdenticalPositionsAreZeroMetresApart) {
    type(dlg.MaskLatA, QStringLiteral("05730000"));
    type(dlg.MaskLatB, QStringLiteral("05730000"));
    EXPECT_EQ(calc(), "0 Meter");
}

TEST_F(DistanceDialog, SouthAndEastCountBelowTheEquatorAndTheMeridian) {
    type(dlg.MaskLatA, QStringLiteral("00030000"));
    type(dlg.MaskLatB, QStringLiteral("00030000"));
    EXPECT_TRUE(calc().endsWith(" Meter"));
    dlg.MaskLatBNSClick();
    EXPECT_TRUE(calc().startsWith("60.10"));

    dlg.MaskLatBNSClick();
    type(dlg.MaskLonA, QStringLiteral("00030000"));
    type(dlg.MaskLonB, QStringLiteral("00030000"));
    EXPECT_TRUE(calc().endsWith(" Meter"));
    dlg.MaskLonBWEClick();
    EXPECT_TRUE(calc().startsWith("60.10"));
}

TEST_F(DistanceDialog, HemispheresToggleOnClickAndResetOnActivation) {
    dlg.MaskLatANSClick();
    dlg.MaskLonAWEClick();
    EXPECT_EQ(dlg.MaskLatANS->text(), "S");
    EXPECT_EQ(dlg.MaskLonAWE->text(), "E");
    dlg.MaskLatANSClick();
    EXPECT_EQ(dlg.MaskLatANS->text(), "N");
    QTest::mouseClick(dlg.MaskLatBNS, Qt::LeftButton);
    QTest::mouseClick(dlg.MaskLonBWE, Qt::LeftButton);
    dlg.MaskLonAWEClick();
    dlg.MaskLonAWEClick();
    EXPECT_EQ(dlg.MaskLatBNS->text(), "S");
    EXPECT_EQ(dlg.MaskLonBWE->text(), "E");
    EXPECT_EQ(dlg.MaskLonAWE->text(), "E");

    type(dlg.MaskLatA, QStringLiteral("05730000"));
    dlg.EditAnswer->setText(QStringLiteral("kept"));
    dlg.FormActivate();
    EXPECT_EQ(dlg.MaskLatANS->text(), "N");
    EXPECT_EQ(dlg.MaskLatBNS->text(), "N");
    EXPECT_EQ(dlg.MaskLonAWE->text(), "W");
    EXPECT_EQ(dlg.MaskLonBWE->text(), "W");
    EXPECT_EQ(maskedText(dlg.MaskLatA), "057°30.000");
    EXPECT_EQ(dlg.EditAnswer->text(), "kept");
}

TEST_F(DistanceDialog, ShowingTheDialogResetsTheHemispheresAndF1OpensItsHelp) {
    dlg.MaskLatANSClick();
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    EXPECT_EQ(dlg.MaskLatANS->text(), "N");
    QTest::keyClick(&dlg, Qt::Key_F1);
    EXPECT_EQ(ui.help.contexts, std::vector<int>{TVimoDistDlg::helpContext});
}

} // namespace
} // namespace brisomar
