// The navigator as main builds it, with both ports switched on to quiet pseudo-terminals and the
// big chart shown with the boat's cross blinking on it, left running for scripts/idle-cpu and
// scripts/bench to measure from /proc. Before "ready" it tells how much the resident memory grew
// with the chart loaded, and its peak above the idle program while the chart was loaded and
// previewed twice in the selection window.
#include "app/Vimomain.h"
#include "app/application.h"
#include "base/file_system.h"
#include "base/qt_seams.h"
#include "base/radio_group.h"
#include "bench/big_chart.h"
#include "charts/Vimomapa.h"
#include "charts/Vimosema.h"
#include "charts/map_file.h"
#include "info/help_browser.h"
#include "input/SeComm32.h"
#include "input/TaskIcon.h"
#include "input/Vimocom.h"
#include "input/qt_serial_device.h"
#include "tests/pty_pair.h"

#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace brisomar;

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The high-water mark of the resident memory starts again from what is resident now.
bool resetPeakResident() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return clearRefs.good();
}

long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field;) {
        long kilobytes = 0;
        if (field == "VmHWM:" && status >> kilobytes)
            return kilobytes * 1024;
    }
    return -1;
}

// Runs the event loop for a second, so that what was shown is mapped and painted.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}

bool switchOnQuietPorts(TVimoComDlg* com, testing::PtyPair (&ports)[2]) {
    for (int n = 1; n <= 2; ++n) {
        com->deviceChoice(n)->setEditText(QString::fromStdString(ports[n - 1].slavePath()));
        (n == 1 ? com->CommRadioGroup : com->CommRadioGroupB)->click(0);
    }
    return com->SeComm1->PortOpen() && com->SeComm2->PortOpen();
}

// A map file beside the big chart calibrating it from 60 N at row 0 to 50 N at its last row,
// and from 10 W at column 0 to Greenwich at its last column.
std::string writeBigChartMapFile(FileSystem& files) {
    const std::filesystem::path chart = bench::bigChart();
    MapRecord r;
    r.FileName = chart.filename().string();
    r.CalLat[0] = Real48(60.0L);
    r.CalLat[6] = Real48(50.0L);
    r.CalLon[0] = Real48(10.0L);
    r.CalLon[6] = Real48(0.0L);
    r.CalRow[6] = r.CalCol[6] = bench::bigChartSide;
    MapTable table{};
    table[0] = r;
    const std::string path = (chart.parent_path() / "brisomar-bench-chart.MAP").string();
    std::string error;
    return files.replace(path, encodeMapFile(table), error) ? path : std::string();
}

// Opens the big chart in the chart window with the boat placed by hand in its middle, so the
// cross blinks on every tick of the chart window.
bool showBigChart(UiContext& context) {
    const std::string mapFile = writeBigChartMapFile(context.files);
    bool opened = false;
    if (mapFile.empty() || context.program.selection.openMapFile(context.files, mapFile, opened))
        return false;
    NavState& nav = context.program.nav;
    nav.ManualLat = nav.ManualLon = true;
    nav.ManualLatValue = Real48(55.0L);
    nav.ManualLonValue = Real48(5.0L);
    SelectInUseValues(nav);
    TMapA* mapA = context.windows.mapA;
    mapA->show();
    mapA->Timer1Timer(); // loads the chart at once
    return context.program.chart.ChartUsable;
}

// The sailor opens the selection window, clicks "Show" twice (the chart's top-left part, then
// the whole chart reduced) and closes it, which loads the chart again.
void previewTwice(UiContext& context) {
    TVimosemaDlg* selection = context.windows.semaDlg;
    selection->show();
    selection->Show1Btn->click();
    selection->Show1Btn->click();
    settle();
    selection->hide();
}

} // namespace

int main(int argc, char** argv) {
    BrisomarApplication app(argc, argv);
    QtDialogs dialogs;
    app.setDialogs(&dialogs);
    Program program;
    QtClock clock;
    QtBeeper beeper;
    HelpBrowser help;
    const DeviceMakers makers{[&clock] { return std::make_unique<QtSerialDevice>(clock); },
                              [] { return std::make_unique<QtTrayShell>(); },
                              {},  // nothing is printed while idling
                              {},  // nor imported
                              {}}; // nor sent on the network
    StdFileSystem files;
    UiContext context{program.parts(), clock, dialogs, beeper, help, files, makers, {}};
    const auto mainDlg = createWindows(context);
    mainDlg->show();

    testing::PtyPair ports[2];
    if (!switchOnQuietPorts(context.windows.comDlg, ports)) {
        std::fprintf(stderr, "could not open the pseudo-terminals\n");
        return 1;
    }
    const auto chartBytes = std::filesystem::file_size(bench::bigChart());
    settle();
    const long before = residentBytes();
    if (!resetPeakResident()) {
        std::fprintf(stderr, "could not reset the peak of the resident memory\n");
        return 1;
    }
    if (!showBigChart(context)) {
        std::fprintf(stderr, "could not show the chart %s\n", bench::bigChart().c_str());
        return 1;
    }
    settle();
    std::printf("chart memory growth: %ld bytes for a %ju-byte file\n", residentBytes() - before,
                chartBytes);
    previewTwice(context);
    settle();
    std::printf("chart memory peak: %ld bytes above idle for a %ju-byte file\n",
                peakResidentBytes() - before, chartBytes);
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
