// The navigator as main builds it, with both ports switched on to quiet pseudo-terminals, left
// running for scripts/idle-cpu to measure from /proc.
#include "app/Vimomain.h"
#include "app/application.h"
#include "app/file_system.h"
#include "app/qt_seams.h"
#include "app/radio_group.h"
#include "info/help_browser.h"
#include "input/SeComm32.h"
#include "input/TaskIcon.h"
#include "input/Vimocom.h"
#include "input/qt_serial_device.h"
#include "tests/pty_pair.h"

#include <QComboBox>

#include <cstdio>

int main(int argc, char** argv) {
    using namespace brisomar;
    BrisomarApplication app(argc, argv);
    QtDialogs dialogs;
    app.setDialogs(&dialogs);
    Program program;
    QtClock clock;
    QtBeeper beeper;
    HelpBrowser help;
    const DeviceMakers makers{[] { return std::make_unique<QtSerialDevice>(); },
                              [] { return std::make_unique<QtTrayShell>(); }};
    StdFileSystem files;
    UiContext context{program, clock, dialogs, beeper, help, files, makers, {}};
    const auto mainDlg = createWindows(context);
    mainDlg->show();

    testing::PtyPair ports[2];
    TVimoComDlg* com = context.windows.comDlg;
    for (int n = 1; n <= 2; ++n) {
        com->deviceChoice(n)->setEditText(QString::fromStdString(ports[n - 1].slavePath()));
        (n == 1 ? com->CommRadioGroup : com->CommRadioGroupB)->click(0);
    }
    if (!com->SeComm1->PortOpen() || !com->SeComm2->PortOpen()) {
        std::fprintf(stderr, "could not open the pseudo-terminals\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
