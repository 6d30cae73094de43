#include "app/Vimomain.h"

#include "ais/Vimoais.h"
#include "alarms/Vimolarm.h"
#include "base/beeper.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/program_fonts.h"
#include "base/qt_palette.h"
#include "base/qt_text.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomset.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"
#include "records/logbook.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brisomar {

namespace {

const char* const tabCaptions[statusPageCount] = {"Alarm",    "Comm",    "Course", "Log",
                                                  "Position", "Source",  "Speed",  "Wind",
                                                  "Extended", "Waypoint"};

constexpr int statusPixelSize = 16;
constexpr int tabPixelSize = 14;
const QColor alarmRed(255, 0, 0);
const QColor quietSilver(192, 192, 192);

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

// The status pages' tabs: flat, silver (after dark the buttons' colour), the selected one
// yellow, on the colour of button shadows. Painted here rather than by a style sheet, whose style
// engine slows the start.
class StatusTabBar : public QTabBar {
public:
    static constexpr int tabHeight = 19;
    static constexpr int textPadding = 6;

    explicit StatusTabBar(QWidget* parent) : QTabBar(parent) {
        setDrawBase(false);
        setExpanding(false);
        setBackground(this, palette().color(QPalette::Dark));
        setAutoFillBackground(true);
    }

protected:
    QSize tabSizeHint(int index) const override {
        return {fontMetrics().horizontalAdvance(tabText(index)) + 2 * (textPadding + 1), tabHeight};
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int i = 0; i < count(); ++i) {
            const QRect tab = tabRect(i);
            const QRect border = tab.adjusted(0, 0, -1, -1);
            const bool selected = i == currentIndex();
            const bool byDay = shownPalette() == PaletteChoice::Day;
            painter.fillRect(border, selected ? shownColour(Qt::yellow)
                                     : byDay  ? quietSilver
                                              : palette().color(QPalette::Button));
            painter.setPen(shownColour(Qt::gray));
            painter.drawRect(border);
            painter.setPen(selected || byDay ? QColor(Qt::black)
                                             : palette().color(QPalette::ButtonText));
            painter.drawText(tab, Qt::AlignCenter, tabText(i));
        }
    }
};

// `line` cut to `room` pixels by cutting the file and device names in it (`names`, and every word
// holding a "/") in their middle with "…", longest first, so that the line's end stays in sight;
// only when that is not enough is the end cut, with "…".
QString fitLineByNames(const QString& line, QStringList names, const QFontMetrics& metrics,
                       int room) {
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (word.contains(QLatin1Char('/')))
            names << word;
    std::ranges::sort(names,
                      [](const QString& a, const QString& b) { return a.size() > b.size(); });
    QString fitted = line;
    for (const QString& name : names) {
        const int excess = metrics.horizontalAdvance(fitted) - room;
        if (excess <= 0)
            break;
        if (name.isEmpty() || !fitted.contains(name))
            continue;
        const int nameRoom = std::max(0, metrics.horizontalAdvance(name) - excess);
        fitted.replace(name, metrics.elidedText(name, Qt::ElideMiddle, nameRoom));
    }
    return metrics.elidedText(fitted, Qt::ElideRight, room);
}

QLabel* loweredPanel(QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace

TVimoMainDlg::TVimoMainDlg(UiContext& context)
    : ProgramWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Brisomar Navigator Version 2.0 b1 "));
    setHelpContext(context_.help, helpContext);
    setFont(formFont(true));
    buildPanels();
    buildMenu();
    Timer1 = new QTimer(this);
    Timer1->setInterval(timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TVimoMainDlg::Timer1Timer);
    Timer1->start();
    setFixedSize(formWidth, formHeight); // fixed, so the window manager offers no maximise
    move(formLeft, 0);                   // the frame's corner, title bar on the screen
    program_window::setStrip(this);
}

void TVimoMainDlg::buildPanels() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);

    TextPanel = loweredPanel(central);
    TextPanel->setFont(systemFont(statusPixelSize));
    TextPanel->setIndent(4);
    // A long status line is cut, never widens the strip.
    TextPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QPalette palette = TextPanel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::yellow);
    TextPanel->setPalette(palette);
    row->addWidget(TextPanel, 1);

    LarmPanel = loweredPanel(central);
    LarmPanel->setFixedSize(41, 30);
    LarmPanel->setAlignment(Qt::AlignCenter);
    setAlarmLamp(false);
    row->addWidget(LarmPanel, 0, Qt::AlignTop);
    column->addLayout(row, 1);

    TabSet = new StatusTabBar(central);
    TabSet->setFont(systemFont(tabPixelSize));
    TabSet->setFixedHeight(21);
    for (const char* caption : tabCaptions)
        TabSet->addTab(QString::fromLatin1(caption));
    connect(TabSet, &QTabBar::currentChanged, this, &TVimoMainDlg::TabSetClick);
    column->addWidget(TabSet);
    setCentralWidget(central);
}

void TVimoMainDlg::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* file1 = bar->addMenu(QStringLiteral("&File"));
    Exit1 = file1->addAction(QStringLiteral("Exit"), this, &TVimoMainDlg::Exit1Click);
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    const auto modal = [this](auto* WindowRegistry::*window) {
        return [this, window] { showModal(context_.windows.*window); };
    };
    Source1 = bar->addAction(QStringLiteral("&Source"), this, modal(&WindowRegistry::sourDlg));
    Comm1 = bar->addAction(QStringLiteral("&Comm"), this, modal(&WindowRegistry::comDlg));
    Larm1 = bar->addAction(QStringLiteral("&Alarm"), this, modal(&WindowRegistry::larmDlg));
    Config1 = bar->addAction(QStringLiteral("&Config"), this, modal(&WindowRegistry::msetDlg));
    Map1 = bar->addAction(QStringLiteral("Char&t"), this, &TVimoMainDlg::Map1Click);
    Log1 = bar->addAction(QStringLiteral("&Log"), this, modal(&WindowRegistry::logDlg));
    Extended1 = bar->addAction(QStringLiteral("&Extended"), this, &TVimoMainDlg::Extended1Click);
    Ais1 = bar->addAction(QStringLiteral("AI&S targets"), this, [this] {
        if (QWidget* ais = context_.windows.aisDlg) {
            ais->show();
            ais->raise();
        }
    });
    Warranties1 =
        bar->addAction(QStringLiteral("&Important"), this, modal(&WindowRegistry::warrDlg));
    QMenu* palette1 = bar->addMenu(QStringLiteral("&Palette"));
    auto* palettes = new QActionGroup(this);
    for (const auto& [palette, caption] : {std::pair{PaletteChoice::Day, "Day"},
                                           {PaletteChoice::Dusk, "Dusk"},
                                           {PaletteChoice::Night, "Night"}}) {
        QAction* item = palette1->addAction(QString::fromLatin1(caption), this,
                                            [this, palette] { PaletteClick(palette); });
        item->setCheckable(true);
        item->setChecked(palette == shownPalette());
        palettes->addAction(item);
        PaletteItems[static_cast<int>(palette)] = item;
    }
    QMenu* help1 = bar->addMenu(QStringLiteral("&Help"));
    About1 = help1->addAction(QStringLiteral("About"), this, modal(&WindowRegistry::aboutDlg));
    Content1 = help1->addAction(QStringLiteral("Content"), this, &TVimoMainDlg::Content1Click);
    Warning1 = help1->addAction(QStringLiteral("Warning"), this, &TVimoMainDlg::Warning1Click);
}

// The waypoint window shows the next waypoint as soon as the route makes it current, and names
// the one sailed to.
void TVimoMainDlg::Timer1Timer() {
    const long double now = dayFraction(context_.clock.now());
    const MainTick tick =
        mainTimerTick(context_.program.nav, selectedPage(), systemTextFormat(), now);
    showStatusLine(tick.statusLine);
    setAlarmLamp(tick.alarmLampOn);
    for (int i = 0; i < tick.asteriskBeeps; ++i)
        context_.beeper.asteriskBeep();
    const int current = context_.program.route.WaypointIndex;
    if (TVimoWaypDlg* wayp = context_.windows.waypDlg) {
        if (current != shownCurrent_ && current > 0)
            wayp->ShowWaypoint(current);
        wayp->ShowSailedTo();
    }
    shownCurrent_ = current;
}

void TVimoMainDlg::TabSetClick() {
    showStatusPage();
}

void TVimoMainDlg::FormActivate() {
    if (selectedPage() != StatusPage::Extended)
        showStatusPage();
}

void TVimoMainDlg::FormResize() {
    const QSize frameExtra = frameGeometry().size() - size();
    const QSize wanted = QSize(formWidth, formHeight) - frameExtra;
    if (size() != wanted)
        setFixedSize(wanted);
    if (frameGeometry().left() != formLeft)
        move(formLeft, frameGeometry().top());
}

// The window manager's frame becomes known when it places the window: the outer size is then
// brought to the strip's. Moving the window later keeps it where the sailor puts it.
void TVimoMainDlg::moveEvent(QMoveEvent* event) {
    ProgramWindow::moveEvent(event);
    if (frameGeometry().size() != QSize(formWidth, formHeight))
        FormResize();
}

void TVimoMainDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TVimoMainDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

void TVimoMainDlg::Exit1Click() {
    if (context_.dialogs.confirmYesNo(QStringLiteral("Exit program ?")) == Dialogs::Answer::Yes)
        close();
}

void TVimoMainDlg::Map1Click() {
    if (QWidget* map = context_.windows.mapA)
        map->show();
}

void TVimoMainDlg::Extended1Click() {
    context_.dialogs.showMessage(QStringLiteral("Not yet implemented."));
}

void TVimoMainDlg::Content1Click() {
    showHelp();
}

void TVimoMainDlg::Warning1Click() {
    context_.dialogs.showMessage(
        QStringLiteral("Navigation software never replaces good seamanship."));
}

void TVimoMainDlg::showStatusPage() {
    showStatusLine(statusPageText(selectedPage(), context_.program.nav, systemTextFormat(),
                                  dayFraction(context_.clock.now())));
}

// The alarm page's list of names is cut to the panel with an ellipsis; on the other pages a file
// or device name too long for the panel is cut in its middle.
void TVimoMainDlg::showStatusLine(const std::string& line) {
    QString text = toQString(line);
    if (!TextPanel->isVisible()) { // its width is known once it is shown
        TextPanel->setText(text);
        return;
    }
    const int room = TextPanel->contentsRect().width() - 2 * TextPanel->indent();
    if (selectedPage() == StatusPage::Alarm)
        text = TextPanel->fontMetrics().elidedText(text, Qt::ElideRight, room);
    else
        text = fitLineByNames(text, {toQString(context_.program.logbook.LogFileName)},
                              TextPanel->fontMetrics(), room);
    TextPanel->setText(text);
}

void TVimoMainDlg::PaletteClick(PaletteChoice palette) {
    showWindowsIn(palette);
    PaletteItems[static_cast<int>(palette)]->setChecked(true);
}

void TVimoMainDlg::setAlarmLamp(bool on) {
    LarmPanel->setText(on ? QStringLiteral("Alarm") : QString());
    setBackground(LarmPanel, shownColour(on ? alarmRed : quietSilver));
}

StatusPage TVimoMainDlg::selectedPage() const {
    return static_cast<StatusPage>(TabSet->currentIndex());
}

} // namespace brisomar
