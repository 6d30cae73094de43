// screens FOLDER: a picture of every window, frame and all, with the demo's chart and boat. Run on
// an X display with a window manager by scripts/screens.
#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "app/application.h"
#include "app/demo.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomapb.h"
#include "charts/Vimomset.h"
#include "charts/Vimosema.h"
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

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>

#include <iostream>

namespace {

using namespace brisomar;

// Lets the window manager frame and place the window, and the window draw itself.
void settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void picture(QWidget* window, const QString& path) {
    window->raise();
    window->activateWindow();
    settle();
    const QRect frame = window->frameGeometry();
    QGuiApplication::primaryScreen()
        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .save(path);
    std::cout << path.toStdString() << '\n';
}

// One picture per tab of a window with tabs of its own (the main window shows its first).
void pictures(QWidget* window, const QString& name, const QString& folder) {
    window->show();
    QTabBar* tabs = name == QStringLiteral("main") ? nullptr : window->findChild<QTabBar*>();
    if (!tabs)
        picture(window, folder + '/' + name + QStringLiteral(".png"));
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        picture(window, QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(i + 1));
    }
    if (name != QStringLiteral("main") && name != QStringLiteral("chart"))
        window->hide();
}

// Waits until the chart window's mark has just come on, as a sailor sees it every other tick.
void chartMarkShown(const PositionTrack& mark) {
    QElapsedTimer waited;
    waited.start();
    for (const bool on : {false, true})
        while ((!mark.hasLast() || mark.mark.BlinkPhase == on) && waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    BrisomarApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "Usage: screens FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    testing::UiFixture ui;
    // A folder of a name the same on every machine, as the pictures show it.
    const QString demo = QDir::tempPath() + QStringLiteral("/brisomar-screens");
    QDir(demo).removeRecursively();
    const auto mainDlg = createWindows(ui.context);
    mainDlg->show();
    if (!startDemo(ui.context, demo))
        return 1;
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Position));
    const WindowRegistry& w = ui.context.windows;
    const std::pair<QWidget*, const char*> windows[] = {{w.mainDlg, "main"},
                                                        {w.mapA, "chart"},
                                                        {w.semaDlg, "chart-selection"},
                                                        {w.msetDlg, "chart-setup"},
                                                        {w.mapB, "detail"},
                                                        {w.comDlg, "communication"},
                                                        {w.sourDlg, "datasource"},
                                                        {w.larmDlg, "alarms"},
                                                        {w.logDlg, "logbook"},
                                                        {w.waypDlg, "waypoints"},
                                                        {w.optDlg, "steering"},
                                                        {w.boatSheet, "boat-data"},
                                                        {w.distDlg, "distance"},
                                                        {w.seekOptDlg, "optimum"},
                                                        {w.sailTimeDlg, "sail-time"},
                                                        {w.avstDlg, "chart-distance"},
                                                        {w.posiDlg, "mouse-position"},
                                                        {w.aboutDlg, "about"},
                                                        {w.warrDlg, "important"}};
    for (const auto& [window, name] : windows)
        pictures(window, QString::fromLatin1(name), folder);
    // The chart window zoomed out and in around its middle.
    for (const auto& [step, name] : {std::pair{-1, "chart-zoom-out"}, {1, "chart-zoom-in"}}) {
        w.mapA->zoomTo(step);
        picture(w.mapA, QStringLiteral("%1/%2.png").arg(folder, QString::fromLatin1(name)));
    }
    w.mapA->zoomTo(0);
    // The boat symbol by day, then the chart and the windows at dusk and at night: the boat
    // heading a little higher than it makes good, as with a current on its beam.
    NavState& nav = ui.context.program.nav;
    nav.GpsLat = Real48(45.25L);
    nav.GpsLon = Real48(30.30L);
    nav.GpsCourse = Real48(80.0L);
    nav.GpsSpeed = Real48(7.0L);
    nav.GpsFixReceived = nav.HeadingReceived = true;
    nav.Heading = Real48(68.0L);
    ui.context.program.chartSettings.MarkSymbol = PositionSymbol::Boat;
    const PositionTrack& mark = ui.context.program.chart.ChartTrack;
    const std::pair<PaletteChoice, const char*> palettes[] = {{PaletteChoice::Day, "boat"},
                                                              {PaletteChoice::Dusk, "dusk"},
                                                              {PaletteChoice::Night, "night"}};
    for (const auto& [palette, name] : palettes) {
        mainDlg->PaletteClick(palette);
        chartMarkShown(mark);
        picture(w.mapA, QStringLiteral("%1/chart-%2.png").arg(folder, QString::fromLatin1(name)));
    }
    const std::pair<QWidget*, const char*> nightWindows[] = {{w.comDlg, "communication"},
                                                             {w.larmDlg, "alarms"}};
    for (const auto& [window, name] : nightWindows) {
        window->show();
        picture(window, QStringLiteral("%1/%2-night.png").arg(folder, QString::fromLatin1(name)));
        window->hide();
    }
    picture(w.mainDlg, folder + QStringLiteral("/main-night.png"));
    return 0;
}
