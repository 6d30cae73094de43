// The navigator: shows the splash picture while it creates its windows, restores what it kept
// from its last run, then runs until the main window is closed, writing every change as it is
// made (nothing waits for the exit). With --demo it then opens the demo chart and sails the
// simulated boat on it, keeping settings of its own; --fresh restores nothing.
#include "app/Splash.h"
#include "app/Vimomain.h"
#include "app/application.h"
#include "app/demo.h"
#include "app/quiet_dialogs.h"
#include "app/settings_store.h"
#include "app/watch_driver.h"
#include "app/window_registry.h"
#include "base/file_system.h"
#include "base/program_modules.h"
#include "base/qt_seams.h"
#include "base/version.h"
#include "charts/chart_import_menu.h"
#include "charts/chart_printer.h"
#include "info/help_browser.h"
#include "input/TaskIcon.h"
#include "input/Vimocom.h"
#include "input/network_module.h"
#include "input/nmea_simulator.h"
#include "input/qt_serial_device.h"

#include <QStandardPaths>
#include <QTimer>

#include <iostream>

namespace {

// Where the demo's chart and map file are written.
QString demoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/demo");
}

} // namespace

int main(int argc, char** argv) {
    using namespace brisomar;
    // Answered before the windows' toolkit starts, so that they work without a display.
    const StartOptions options = startOptions({argv, argv + argc});
    if (options.help || options.version) {
        std::cout << (options.help ? navigatorUsage
                                   : std::string("brisomar ") + programVersion() + '\n');
        return 0;
    }
    BrisomarApplication app(argc, argv);
    QtDialogs shownDialogs;
    QuietableDialogs dialogs(shownDialogs);
    app.setDialogs(&dialogs);

    auto splash = std::make_unique<TSplashForm>();
    splash->showNow();

    Program program;
    QtClock clock;
    QtBeeper beeper;
    HelpBrowser help;
    const QString moduleFolder = moduleFolderFor(QCoreApplication::applicationDirPath());
    const DeviceMakers makers{
        [&clock, &moduleFolder] {
            return std::make_unique<ChoosingSerialDevice>(
                std::make_unique<QtSerialDevice>(clock),
                [&moduleFolder] { return loadNetworkDevice(moduleFolder); }, clock);
        },
        [] { return std::make_unique<QtTrayShell>(); },
        [&moduleFolder](QString& reason) { return loadChartPrinter(moduleFolder, reason); },
        [&moduleFolder](QString& reason) { return loadRasterLibrary(moduleFolder, reason); },
        [&moduleFolder](std::string& reason) { return loadNetworkOutput(moduleFolder, reason); }};
    StdFileSystem files;
    UiContext context{program.parts(), clock, dialogs, beeper, help, files, makers, {}};
    const auto mainDlg = createWindows(context);
    WatchEngine engine(program.watchParts(), files);
    engine.setSink(context.windows.comDlg);

    // The main window is placed where it was kept before it is shown, so that the window manager
    // frames it there rather than moving it by its title bar.
    SettingsStore store(context, settingsFolder(), options.demo);
    const std::string notice = restoreAndKeep(store, context, options.fresh, &dialogs);
    splash.reset();
    const WatchDriver watch(engine, clock);
    mainDlg->show();
    if (options.demo && !startDemo(context, demoFolder()))
        dialogs.warning(QStringLiteral("The demo chart could not be written."));
    // Said from the message loop, so that closing the main window meanwhile ends the program.
    if (!notice.empty())
        QTimer::singleShot(
            0, &app, [&dialogs, &notice] { dialogs.warning(QString::fromStdString(notice)); });
    return app.exec();
}
