// The AIS targets window with 5000 targets: its refresh, painted, against what the core must do
// for it anyway, the targets sorted and their rows written.
#include "ais/Vimoais.h"
#include "ais/ais_targets.h"
#include "ais/ais_texts.h"
#include "app/application.h"
#include "app/program.h"
#include "base/file_system.h"
#include "base/qt_seams.h"
#include "info/help_browser.h"

#include <QCoreApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace brisomar;
using std::chrono::milliseconds;

constexpr long double ownLat = 57.5L, ownLon = -11.5L;

// 5000 ships on a grid around the boat, each on a course and at a speed of its own, so that the
// boat sailing among them changes their order every second.
void fillTargets(AisTargets& targets) {
    for (std::uint32_t n = 0; n < AisTargets::maxTargets; ++n) {
        AisMessage m;
        m.type = 1;
        m.mmsi = 244000000 + n;
        m.lat = static_cast<double>(ownLat + (n % 71 - 35) * 0.01L);
        m.lon = static_cast<double>(-ownLon + (n / 71 - 35) * 0.01L);
        m.course = (n * 37) % 360;
        m.speed = n % 20;
        targets.take(m, false, milliseconds(0));
    }
}

// One second of the watch: the boat a second further at 6 knots, course 045, every target's
// CPA and TCPA taken and its age a second older.
void watchOneSecond(Program& program, milliseconds& now) {
    now += std::chrono::seconds(1);
    NavState& nav = program.nav;
    const long double step = 6.0L / 3600 / 60 / 1.4142L; // degrees north (and east) a second
    nav.PosLat = Real48(nav.PosLat.value() + step);
    nav.PosLon = Real48(nav.PosLon.value() - step);
    watchAisTargets(program.aisTargets, nav, {}, now);
}

struct Watch {
    Program program;
    milliseconds now{0};
    Watch() {
        NavState& nav = program.nav;
        nav.GpsFixReceived = true;
        nav.PosLat = Real48(ownLat);
        nav.PosLon = Real48(ownLon);
        nav.PosCourse = Real48(45.0L);
        nav.PosSpeed = Real48(6.0L);
        fillTargets(program.aisTargets);
        watchOneSecond(program, now);
    }
};

// The window open, refreshed by its timer each second and painted as the event loop does it.
void AisWindowRefresh(benchmark::State& state) {
    Watch watch;
    QtClock clock;
    QtDialogs dialogs;
    QtBeeper beeper;
    HelpBrowser help;
    StdFileSystem files;
    UiContext context{watch.program.parts(), clock, dialogs, beeper, help, files, {}, {}};
    TVimoAisDlg window(context, nullptr);
    window.show();
    QCoreApplication::processEvents();
    window.TargetList->selectRow(2500);
    for (auto _ : state) {
        state.PauseTiming();
        watchOneSecond(watch.program, watch.now);
        state.ResumeTiming();
        window.Timer1Timer();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = window.TargetList->model()->rowCount();
}
BENCHMARK(AisWindowRefresh)->Unit(benchmark::kMillisecond);

// What the core does for any list of the targets: sorts them and writes each one's row.
void AisRowsOfTheCore(benchmark::State& state) {
    Watch watch;
    for (auto _ : state) {
        state.PauseTiming();
        watchOneSecond(watch.program, watch.now);
        state.ResumeTiming();
        for (const AisTarget* t : watch.program.aisTargets.sorted())
            benchmark::DoNotOptimize(targetRow(*t));
    }
}
BENCHMARK(AisRowsOfTheCore)->Unit(benchmark::kMillisecond);

} // namespace

// The window is shown on the offscreen platform unless a display is asked for.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    brisomar::BrisomarApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
