// Every window as the sailor sees it, at its own size and in the program's fonts: each control
// inside its window, with a size, clear of the others, and wide enough for its text.
#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "base/qt_text.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomset.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"
#include "records/logbook.h"

#include "ui_fakes.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::UiFixture;

bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLabel*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QProgressBar*>(widget) ||
           qobject_cast<const QTabBar*>(widget) || qobject_cast<const QAbstractScrollArea*>(widget);
}

// A control's parts (a spin box's field, a scroll area's contents) are not controls of their own.
bool insideAnotherControl(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (isControl(up))
            return true;
    return false;
}

QString nameOf(const QWidget* control) {
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    const auto* label = qobject_cast<const QLabel*>(control);
    const QString text = button ? button->text() : label ? label->text() : QString();
    return QStringLiteral("%1 \"%2\"")
        .arg(control->metaObject()->className(), text.isEmpty() ? control->objectName() : text);
}

// The room a control's text needs beside it: the frame of a button, an indicator's box.
int widthNeeded(const QWidget* control) {
    constexpr int buttonFrame = 6;
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return button->text().isEmpty()
                   ? 0
                   : button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
                         buttonFrame;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text().isEmpty() ? 0 : button->sizeHint().width();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->wordWrap() || label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored
                   ? 0
                   : label->sizeHint().width();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->fontMetrics().horizontalAdvance(group->title()) + buttonFrame;
    return 0;
}

QStringList faultsOf(QWidget* window) {
    QStringList faults;
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->isWindow())
            continue;
        if (qobject_cast<QGroupBox*>(widget) && widthNeeded(widget) > widget->width())
            faults << nameOf(widget) + " is narrower than its title";
        if (isControl(widget) && !insideAnotherControl(widget, window))
            controls << widget;
    }
    for (QWidget* control : controls) {
        const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
        if (place.isEmpty())
            faults << nameOf(control) + " has no size";
        else if (!window->rect().contains(place))
            faults << nameOf(control) + " lies outside the window";
        if (const auto* tabs = qobject_cast<const QTabBar*>(control))
            for (int i = 0; i < tabs->count(); ++i)
                if (!tabs->rect().contains(tabs->tabRect(i)) ||
                    tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) >
                        tabs->tabRect(i).width())
                    faults << QStringLiteral("tab \"%1\" is cut").arg(tabs->tabText(i));
        if (widthNeeded(control) > control->width())
            faults << nameOf(control) + " is narrower than its text";
        for (QWidget* other : controls)
            if (other < control &&
                place.intersects(QRect(other->mapTo(window, QPoint(0, 0)), other->size())))
                faults << nameOf(control) + " overlaps " + nameOf(other);
    }
    return faults;
}

// Each tab of a tabbed window is a form of its own.
QStringList faultsOfEveryTab(QWidget* window) {
    QStringList faults = faultsOf(window);
    for (QTabBar* tabs : window->findChildren<QTabBar*>())
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            faults << faultsOf(window);
        }
    return faults;
}

class WindowLayout : public ::testing::Test {
protected:
    WindowLayout() : mainDlg(createWindows(ui.context)) {}

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
};

TEST_F(WindowLayout, EveryControlOfEveryWindowIsInsideClearOfTheOthersAndFitsItsText) {
    int windows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowTitle().isEmpty())
            continue; // a menu or a list that drops down
        ++windows;
        window->show();
        QApplication::processEvents();
        const QStringList faults = faultsOfEveryTab(window);
        EXPECT_TRUE(faults.isEmpty()) << window->windowTitle().toStdString() << ":\n  "
                                      << faults.join(QStringLiteral("\n  ")).toStdString();
        // A window that cannot be made smaller fits the small screen of an on-board computer.
        if (window->minimumSize() == window->maximumSize()) {
            EXPECT_LE(window->frameGeometry().height(), 768) << window->windowTitle().toStdString();
        }
        window->hide();
    }
    EXPECT_GE(windows, 20);
}

// The longest values a boat produces: a log interval of four digits, speeds and courses of
// fifteen significant digits, a clock on every page that has one.
TEST_F(WindowLayout, EveryStatusPageShowsItsWholeText) {
    NavState& nav = ui.program.nav;
    nav.LogOn = true;
    nav.LogInterval = 1440;
    nav.GpsSpeed = nav.PosSpeed = nav.WindSpeed = Real48(22.4L);
    nav.GpsCourse = nav.PosCourse = nav.WindDir = Real48(84.4L);
    nav.GpsLat = nav.PosLat = Real48(-59.9L);
    nav.GpsLon = nav.PosLon = Real48(-179.9L);
    nav.ManualLat = nav.ManualLon = nav.ManualCourse = nav.ManualSpeed = true;
    nav.ExtendedName = "Deep";
    nav.ExtendedValue = Real48(1234.56789L);
    mainDlg->show();
    QApplication::processEvents();
    const QLabel* line = mainDlg->TextPanel;
    for (int page = 0; page < statusPageCount; ++page) {
        mainDlg->TabSet->setCurrentIndex(page);
        const QString whole =
            toQString(statusPageText(static_cast<StatusPage>(page), nav, systemTextFormat(), 0.5L));
        EXPECT_EQ(line->text(), whole);
        EXPECT_LE(line->fontMetrics().horizontalAdvance(whole),
                  line->contentsRect().width() - 2 * line->indent())
            << whole.toStdString();
    }
    // The reception's notices take their turn with the position, each whole.
    ui.clock.time.second = 2;
    nav.CommNotice = "COM1: Device /dev/ttyUSB0 is in use by gpsd (process 812). Tried every 5 s. ";
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Alarm));
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Comm));
    EXPECT_EQ(line->text().toStdString(), nav.CommNotice);
}

// A file name too long for the strip is cut in its middle; the end of the line stays.
TEST_F(WindowLayout, TheLogPageCutsALongFileNameInItsMiddle) {
    const std::string folder = "/home/sailor/Documents/Voyages/2026/Baltic summer cruise/";
    ui.program.logbook.LogFileName = folder + "Stockholm to Helsinki.LOG";
    ui.program.nav.LogInterval = 1440;
    ui.program.nav.LogRepairNotice =
        "A torn record at the end of " + ui.program.logbook.LogFileName + " was removed (57 bytes)";
    mainDlg->show();
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Log));
    const QString shown = mainDlg->TextPanel->text();
    EXPECT_TRUE(
        shown.startsWith("Log is off. Interval: 1440 minutes. A torn record at the end of /") &&
        shown.contains(QChar(0x2026)) && shown.endsWith(" was removed (57 bytes)"))
        << shown.toStdString();
    EXPECT_LE(mainDlg->TextPanel->fontMetrics().horizontalAdvance(shown),
              mainDlg->TextPanel->contentsRect().width() - 2 * mainDlg->TextPanel->indent());
}

// Placed below the strip, and the chart window no larger than the screen's available area.
TEST_F(WindowLayout, WindowsOpenedLaterLeaveTheStripInSightAndStayOnTheScreen) {
    mainDlg->show();
    const WindowRegistry& w = ui.context.windows;
    w.mapA->resize(900, 3000);
    for (QWidget* window :
         std::initializer_list<QWidget*>{w.larmDlg, w.logDlg, w.waypDlg, w.msetDlg, w.mapA}) {
        window->show();
        QApplication::processEvents();
        const QRect area = window->screen()->availableGeometry();
        if (window->height() <= area.bottom() - mainDlg->frameGeometry().bottom()) {
            EXPECT_FALSE(window->frameGeometry().intersects(mainDlg->frameGeometry()))
                << window->windowTitle().toStdString();
        }
        EXPECT_TRUE(area.contains(window->frameGeometry())) << window->windowTitle().toStdString();
    }
}

} // namespace
} // namespace brisomar
