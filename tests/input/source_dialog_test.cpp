#include "input/Vimosour.h"

#include "app/Vimomain.h"
#include "base/masked_fields.h"
#include "base/radio_group.h"
#include "ui_fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::UiFixture;

class SourceDialog : public ::testing::Test {
protected:
    SourceDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.sourDlg) {
        dlg->ensureControls(); // as opening it does
    }

    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->home(false);
        QTest::keyClicks(field, text);
    }

    // Shows what the dialog's panel says while the mouse moves over `field`.
    QString hover(QWidget* field) {
        testing::moveMouseOver(field);
        return dlg->Panel1->text();
    }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoSourDlg* dlg;
};

TEST_F(SourceDialog, FieldsStartEmptyWithTheirMasksAndHints) {
    EXPECT_EQ(dlg->windowTitle(), "Brisomar - datasource");
    EXPECT_EQ(maskedText(dlg->MaskLat), "   °  .   ");
    EXPECT_EQ(maskedText(dlg->MaskDir), "   ");
    EXPECT_EQ(dlg->MaskLatNS->text(), "N");
    EXPECT_EQ(dlg->MaskLonWE->text(), "W");
    EXPECT_EQ(dlg->MaskDir->toolTip(), "Input course 0-360. Check manual to set this value.");
    EXPECT_EQ(dlg->MaskWindDir->toolTip(),
              "Input direction 0-360. Check manual to set this value.");
    EXPECT_EQ(dlg->MaskCurSpe->toolTip(), "Input speed in knots. Check manual to set this value.");
    EXPECT_EQ(dlg->MaskLatNS->toolTip(), "Click to change.");
    EXPECT_EQ(dlg->OKBtn->text(), "OK (=set)");
    EXPECT_EQ(dlg->LatRadioGroup->itemText(1), "via GPS");
}

TEST_F(SourceDialog, ActivationShowsTheSwitchesInForce) {
    ui.program.nav.ManualCourse = true;
    dlg->FormActivate();
    EXPECT_EQ(dlg->DirRadioGroup->selectedText(), "Manual");
    EXPECT_EQ(dlg->LatRadioGroup->selectedText(), "via GPS");
    EXPECT_EQ(dlg->WindSpeRadioGroup->selectedText(), "Manual");
}

TEST_F(SourceDialog, OkWithEmptyFieldsStoresZerosAndKeepsTheGps) {
    ui.program.nav.WindDir = Real48(200.0L);
    dlg->FormActivate();
    dlg->OKBtnClick();
    const NavState& nav = ui.program.nav;
    EXPECT_FALSE(nav.ManualLat || nav.ManualLon || nav.ManualCourse || nav.ManualSpeed);
    EXPECT_TRUE(nav.WindDir.isZero());
    EXPECT_TRUE(nav.ManualLatValue.isZero());
}

TEST_F(SourceDialog, ManualLatitudeOnlyIsUsedFromTheNextMainTick) {
    NavState& nav = ui.program.nav;
    nav.GpsLon = Real48(-11.5L);
    nav.GpsTime = Real48(0.25L);
    ui.mainTick();
    dlg->FormActivate();
    dlg->LatRadioGroup->click(0);
    type(dlg->MaskLat, QStringLiteral("01530000"));
    dlg->MaskLatNSClick();
    EXPECT_EQ(dlg->MaskLatNS->text(), "S");
    nav.GpsTime = Real48(0.5L);
    dlg->OKBtnClick();
    EXPECT_TRUE(nav.ManualLat);
    EXPECT_EQ(nav.ManualLatValue, Real48(-15.5L));
    ui.mainTick();
    EXPECT_EQ(nav.PosLat, Real48(-15.5L));
    EXPECT_EQ(nav.PosLon, Real48(-11.5L));
    EXPECT_EQ(nav.LastUpdate, Real48(0.25L));
}

TEST_F(SourceDialog, HemisphereLettersToggle) {
    dlg->MaskLonWEClick();
    EXPECT_EQ(dlg->MaskLonWE->text(), "E");
    dlg->MaskLonWEClick();
    EXPECT_EQ(dlg->MaskLonWE->text(), "W");
    QTest::mouseClick(dlg->MaskLatNS, Qt::LeftButton);
    EXPECT_EQ(dlg->MaskLatNS->text(), "S");
}

TEST_F(SourceDialog, CurrentDirectionIsStoredAtOnceWhenItsGroupIsClicked) {
    type(dlg->MaskCurDir, QStringLiteral("045"));
    dlg->CurDirRadioGroup->click(0);
    EXPECT_EQ(ui.program.nav.CurrentDir, Real48(45.0L));
    dlg->MaskCurDir->clear();
    dlg->CurDirRadioGroup->setItemIndex(-1); // a click on the chosen item would do nothing
    dlg->CurDirRadioGroup->click(0);
    EXPECT_EQ(ui.program.nav.CurrentDir, Real48(45.0L)); // unreadable: left as it was
}

TEST_F(SourceDialog, PanelShowsTheValueInUseUnderTheMouse) {
    ui.program.nav.PosSpeed = Real48(6.24L);
    ui.program.nav.PosLat = Real48(15.392583333333333L);
    EXPECT_EQ(hover(dlg->MaskSpe), "6.2");
    EXPECT_EQ(hover(dlg->MaskLat), "N 15°23.555'");
    EXPECT_EQ(hover(dlg->MaskWindDir), "0");
}

} // namespace
} // namespace brisomar
