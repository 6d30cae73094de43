// The navigator: shows the splash picture while it creates its windows, then runs until the main
// window is closed. Nothing is saved at exit.
#include "app/Splash.h"
#include "app/Vimomain.h"
#include "app/application.h"
#include "app/file_system.h"
#include "app/qt_seams.h"
#include "app/window_registry.h"
#include "info/help_browser.h"
#include "input/TaskIcon.h"
#include "input/qt_serial_device.h"

int main(int argc, char** argv) {
    using namespace brisomar;
    BrisomarApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/brisomar.png")));
    QtDialogs dialogs;
    app.setDialogs(&dialogs);

    auto splash = std::make_unique<TSplashForm>();
    splash->showNow();

    Program program;
    QtClock clock;
    QtBeeper beeper;
    HelpBrowser help;
    const DeviceMakers makers{[] { return std::make_unique<QtSerialDevice>(); },
                              [] { return std::make_unique<QtTrayShell>(); }};
    StdFileSystem files;
    UiContext context{program, clock, dialogs, beeper, help, files, makers, {}};
    const auto mainDlg = createWindows(context);

    splash.reset();
    mainDlg->show();
    return app.exec();
}
