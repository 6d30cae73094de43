#include "base/program_window.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "base/masked_fields.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomapb.h"
#include "charts/Vimomset.h"
#include "charts/Vimosema.h"
#include "info/help_browser.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "navcalc/Vimoavst.h"
#include "navcalc/Vimoboat.h"
#include "navcalc/Vimodist.h"
#include "navcalc/Vimoopt.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"
#include "ui_fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::UiFixture;

void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
}

class CountingWindow : public ProgramWindow<QDialog> {
public:
    void FormActivate() override { ++activations; }
    int activations = 0;
};

// A window that is not one of the program's: another program, or a file dialog.
struct ForeignWindow : QWidget {};

TEST(ProgramWindowActivation, RunsOnShowAndOnTakingOverFromAnotherProgramWindowOnly) {
    CountingWindow window, other;
    ForeignWindow foreign;
    showActive(&window);
    EXPECT_EQ(window.activations, 1); // shown
    QTest::mouseClick(&window, Qt::LeftButton);
    EXPECT_EQ(window.activations, 1); // a click inside the active window
    showActive(&foreign);
    showActive(&window);
    EXPECT_EQ(window.activations, 1); // focus back from another program or a file dialog
    showActive(&other);
    showActive(&window);
    EXPECT_EQ(window.activations, 2); // in place of another window of the program
    window.hide();
    window.show();
    EXPECT_EQ(window.activations, 3); // shown again
}

class ProgramWindows : public ::testing::Test {
protected:
    ProgramWindows() : mainDlg(createWindows(ui.context)) {}

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    WindowRegistry& w = ui.context.windows;
};

TEST_F(ProgramWindows, ClickedHemispheresSurviveFocusComingBackFromAnotherProgram) {
    TVimoDistDlg* dlg = w.distDlg;
    showActive(dlg);
    QTest::mouseClick(dlg->MaskLatANS, Qt::LeftButton);
    ForeignWindow foreign;
    showActive(&foreign);
    showActive(dlg);
    EXPECT_EQ(dlg->MaskLatANS->text(), "S");
}

TEST_F(ProgramWindows, TheSearchWindowHasItsHeadingsAsSoonAsItIsShown) {
    w.seekOptDlg->show();
    EXPECT_EQ(w.seekOptDlg->StringGrid1->item(0, 1)->text(), "Minutes");
    EXPECT_EQ(w.seekOptDlg->StringGrid1->item(4, 0)->text(), "Origin");
}

TEST_F(ProgramWindows, EnterPressesOnlyTheFocusedButton) {
    TVimoLogDlg* dlg = w.logDlg;
    showActive(dlg);
    for (QLineEdit* field : {dlg->TextEdit, dlg->FromEdit, dlg->ToEdit}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_FALSE(ui.program.nav.LogOn) << field->toolTip().toStdString();
    }
    dlg->LogOnBtn->setFocus();
    QTest::keyClick(dlg->LogOnBtn, Qt::Key_Return);
    EXPECT_TRUE(ui.program.nav.LogOn);
}

TEST_F(ProgramWindows, F1OpensTheHelpPageOfEveryWindow) {
    const std::pair<QWidget*, int> windows[] = {
        {mainDlg.get(), 1}, {w.mapA, 3},    {w.semaDlg, 3},     {w.distDlg, 1}, {w.mapB, 3},
        {w.waypDlg, 3},     {w.optDlg, 6},  {w.sailTimeDlg, 1}, {w.posiDlg, 1}, {w.avstDlg, 1},
        {w.seekOptDlg, 3},  {w.larmDlg, 2}, {w.boatSheet, 6},   {w.comDlg, 4},  {w.logDlg, 8},
        {w.sourDlg, 12},    {w.msetDlg, 5}};
    for (const auto& [window, context] : windows) {
        ui.help.contexts.clear();
        showActive(window);
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(ui.help.contexts, std::vector<int>{context})
            << window->windowTitle().toStdString();
        window->hide();
    }
}

TEST_F(ProgramWindows, FixedWindowsKeepTheirClientSizeAndHoldTheirControls) {
    const std::pair<QWidget*, QSize> windows[] = {
        {w.semaDlg, {593, 247}},   {w.msetDlg, {356, 230}}, {w.distDlg, {311, 120}},
        {w.boatSheet, {481, 347}}, {w.optDlg, {538, 105}},  {w.sailTimeDlg, {269, 128}},
        {w.avstDlg, {269, 128}},   {w.posiDlg, {283, 29}}};
    for (const auto& [window, size] : windows) {
        const std::string title = window->windowTitle().toStdString();
        window->show();
        window->resize(size + QSize(40, 40));
        EXPECT_EQ(window->size(), size) << title;
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << title;
        const QSize needed = window->layout()->minimumSize();
        EXPECT_TRUE(needed.width() <= size.width() && needed.height() <= size.height())
            << title << " needs " << needed.width() << " x " << needed.height();
        window->hide();
    }
}

TEST_F(ProgramWindows, DialogsCentredOnTheScreenAreCentredEachTimeTheyAreShown) {
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (QWidget* window : std::initializer_list<QWidget*>{w.semaDlg, w.comDlg, w.sourDlg}) {
        for (int showing = 0; showing < 2; ++showing) {
            window->show();
            const QPoint offCentre = window->frameGeometry().center() - middle;
            EXPECT_TRUE(std::abs(offCentre.x()) <= 2 && std::abs(offCentre.y()) <= 2)
                << window->windowTitle().toStdString() << " off " << offCentre.x() << ","
                << offCentre.y();
            window->move(0, 0);
            window->hide();
        }
    }
}

TEST_F(ProgramWindows, TheMainWindowKeepsItsSizeWhateverItsStatusLineSays) {
    mainDlg->show();
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Speed));
    ui.program.nav.GpsSpeed = Real48(22.4L);
    ui.program.nav.PosSpeed = Real48(22.4L);
    ui.mainTick();
    QApplication::processEvents();
    EXPECT_EQ(mainDlg->frameGeometry().size(), QSize(627, 97));
}

// Whether the help window's Close button, clicked as the sailor does, closes it.
bool closesOnClick(HelpWindow* window) {
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == "Close")
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              button->mapTo(window, button->rect().center()));
    return !window->isVisible();
}

// Help asked for in a modal dialog can be used and closed while the dialog stays open.
TEST(HelpFromAModalDialog, CanBeClosedWhileTheDialogStaysOpenAndStandsBesideIt) {
    HelpBrowser help;
    QDialog dialog;
    dialog.setGeometry(40, 40, 200, 150);
    bool helpClosed = false;
    QRect helpFrame;
    QTimer::singleShot(0, &dialog, [&] {
        help.showContext(4);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(help.window()));
        helpFrame = help.window()->frameGeometry();
        helpClosed = closesOnClick(help.window());
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(helpClosed);
    EXPECT_FALSE(helpFrame.intersects(dialog.frameGeometry()));
}

TEST(HelpOnScreen, StaysUsableWhileAModalDialogOpenedLaterIsOpen) {
    HelpBrowser help;
    help.showContext(1);
    QDialog dialog;
    bool helpClosed = false;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return help.window()->parentWidget() == &dialog; }));
        helpClosed = closesOnClick(help.window());
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(helpClosed);
}

TEST(HelpOnScreen, StandsWhollyOnTheScreenBesideAWideDialog) {
    const QRect screen(0, 0, 1024, 768);
    for (const QRect& dialog : {QRect(162, 100, 700, 400), QRect(150, 100, 700, 400),
                                QRect(0, 0, 1000, 700), QRect(900, 10, 120, 80)}) {
        const QRect help = besideRect(dialog, QSize(560, 520), screen);
        EXPECT_TRUE(screen.contains(help)) << help.x() << "," << help.y() << " " << help.width();
    }
}

// A value is incomplete by its text alone, typed or restored; a wholly blank field holds none.
TEST(FormMasks, ZeroIsADigitThatMustBeTypedAndNineOneThatMayBeLeftBlank) {
    struct Case {
        const char* formMask;
        const char* typed;
        bool complete;
    };
    const Case cases[] = {{"000;1;_", "90", false},
                          {"000;1;_", "090", true},
                          {"000;1;_", "", true},
                          {"00;1;_", "6", false},
                          {"00000;1;_", "00100", true},
                          {"000°00.000;1;_", "15", false},
                          {"000°00.000;1;_", "0152300", false},
                          {"000°00.000;1;_", "01523000", true},
                          {"000°00.000;1;_", "", true},
                          {"099;1;_", "5", true}};
    testing::ScriptedDialogs dialogs;
    for (const Case& c : cases) {
        const QString mask = QString::fromUtf8(c.formMask);
        MaskedField typed(mask, QStringLiteral("Course"), dialogs, nullptr);
        QTest::keyClicks(&typed, QString::fromLatin1(c.typed));
        MaskedField restored(mask, QStringLiteral("Course"), dialogs, nullptr);
        restored.setText(typed.text());
        EXPECT_EQ(typed.incomplete(), !c.complete) << c.formMask << " " << c.typed;
        EXPECT_EQ(restored.incomplete(), !c.complete) << c.formMask << " " << c.typed;
    }
    EXPECT_EQ(qtInputMask(QStringLiteral("000°00.000;1;_")), "999°99.999;_");
}

TEST_F(ProgramWindows, AnIncompleteFieldIsRefusedOnLeavingAndOnOk) {
    TVimoSourDlg* dlg = w.sourDlg;
    showActive(dlg);
    dlg->MaskSpe->setFocus();
    dlg->MaskSpe->home(false);
    QTest::keyClicks(dlg->MaskSpe, QStringLiteral("6"));
    QTest::keyClick(dlg->MaskSpe, Qt::Key_Tab);
    QApplication::processEvents();
    const QString warning = "Incomplete value for Speed: fill every place, as in 000.";
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Warning, warning}}));
    EXPECT_TRUE(dlg->MaskSpe->hasFocus());

    ui.program.nav.ManualSpeedValue = Real48(3.0L);
    dlg->OKBtnClick();
    EXPECT_EQ(ui.dialogs.shown, Boxes(2, {Warning, warning}));
    EXPECT_EQ(ui.program.nav.ManualSpeedValue, Real48(3.0L)); // nothing stored
    EXPECT_TRUE(dlg->isVisible());
}

// Refused once: the check of the field left, run by the warning box's event loop, finds it refused.
TEST_F(ProgramWindows, AFieldLeftForTheButtonThatReadsItIsRefusedOnce) {
    ui.dialogs.modal = true;
    w.distDlg->ensureControls();
    w.larmDlg->ensureControls();
    w.sourDlg->ensureControls();
    const struct {
        MaskedField* field;
        QWidget* button;
        QString warning;
    } cases[] = {{w.distDlg->MaskLatA, w.distDlg->CalcBtn,
                  "Incomplete value for Latitude (Position A): fill every place, as in "
                  "000°00.000."},
                 {w.larmDlg->MaskSeconds, w.larmDlg->onBox(AlarmSlot::GpsSilence),
                  "Incomplete value for Communication GPS: fill every place, as in 000."},
                 {w.sourDlg->MaskDir, w.sourDlg->OKBtn,
                  "Incomplete value for Course: fill every place, as in 000."}};
    for (const auto& c : cases) {
        ui.dialogs.shown.clear();
        showActive(c.field->window());
        c.field->setFocus();
        c.field->setText(QString());
        c.field->home(false);
        QTest::keyClicks(c.field, QStringLiteral("9"));
        // At the left edge, where a check box's box is.
        QTest::mouseClick(c.button, Qt::LeftButton, {}, QPoint(6, c.button->height() / 2));
        QApplication::processEvents();
        EXPECT_EQ(ui.dialogs.shown, (Boxes{{Warning, c.warning}})) << c.warning.toStdString();
        EXPECT_TRUE(c.field->hasFocus());
        c.field->setText(QString());
    }
}

} // namespace
} // namespace brisomar
