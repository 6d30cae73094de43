#pragma once

#include <functional>
#include <memory>

class QDialog;
class QString;
class QWidget;

namespace brisomar {

class AisTargets;
class AlarmMonitor;
class Beeper;
class ChartPrinter;
class Clock;
class Dialogs;
class FileSystem;
class Help;
class Logbook;
class RasterLibrary;
class Reception;
class SentenceOutput;
class WaypointRoute;
class ChartSelection;
struct BoatTables;
struct GeoPoint;
struct ChartSettings;
struct ChartState;
class HeldDevices;
struct NavState;
struct SailingValues;
struct ToolValues;
class SerialDevice;
class NetworkOutput;
class TrayShell;
class TMapA;
class TMapB;
class TVimoAisDlg;
class TVimoAvstDlg;
class TVimoBoatSheet;
class TVimoDistDlg;
class TVimoOptDlg;
class TVimoPosiDlg;
class TVimoSailTimeDlg;
class TVimoSeekOptDlg;
class TVimoMainDlg;
class TVimoMsetDlg;
class TVimosemaDlg;
class TVimoComDlg;
class TVimoLarmDlg;
class TVimoLogDlg;
class TVimoSourDlg;
class TVimoWaypDlg;

// Makers of the platform's devices: a window that needs one asks here, so tests can hand it
// fakes or pseudo-terminals.
struct DeviceMakers {
    std::function<std::unique_ptr<SerialDevice>()> serialDevice;
    std::function<std::unique_ptr<TrayShell>()> trayShell;
    // Null, with the reason, when printing is not available.
    std::function<std::unique_ptr<ChartPrinter>(QString& reason)> chartPrinter;
    // Null, with the reason, when charts cannot be imported.
    std::function<std::unique_ptr<RasterLibrary>(QString& reason)> rasterLibrary;
    // Null, with the reason, when the network output is not available.
    std::function<std::unique_ptr<NetworkOutput>(std::string& reason)> networkOutput;
};

// The program's windows, each created once at start-up in the program's order and kept until it
// ends. A window not built yet stays null; whatever would open it then does nothing.
struct WindowRegistry {
    TVimoMainDlg* mainDlg = nullptr;
    TMapA* mapA = nullptr;
    TVimosemaDlg* semaDlg = nullptr;
    TVimoDistDlg* distDlg = nullptr;
    TMapB* mapB = nullptr;
    TVimoWaypDlg* waypDlg = nullptr;
    TVimoOptDlg* optDlg = nullptr;
    TVimoSailTimeDlg* sailTimeDlg = nullptr;
    TVimoPosiDlg* posiDlg = nullptr;
    TVimoAvstDlg* avstDlg = nullptr;
    TVimoSeekOptDlg* seekOptDlg = nullptr;
    TVimoLarmDlg* larmDlg = nullptr;
    TVimoBoatSheet* boatSheet = nullptr;
    QDialog* aboutDlg = nullptr;
    TVimoComDlg* comDlg = nullptr;
    TVimoLogDlg* logDlg = nullptr;
    TVimoSourDlg* sourDlg = nullptr;
    TVimoMsetDlg* msetDlg = nullptr;
    QDialog* unusDlg = nullptr;
    QDialog* warrDlg = nullptr;
    TVimoAisDlg* aisDlg = nullptr;
    // Centres the chart window on a position it shows. The chart window sets it, so that the
    // windows of the subsystems below the charts reach it without knowing it; empty until then.
    std::function<void(const GeoPoint&)> centreChartOn;
};

// The program's state as the windows reach it: references to the parts that the program object
// owns (the program's assembly in app/ builds it), so that no window depends on that assembly.
struct ProgramParts {
    NavState& nav;
    HeldDevices& heldDevices;
    Reception& reception;
    SentenceOutput& output; // what the ports and the network send
    AlarmMonitor& alarms;
    Logbook& logbook;
    WaypointRoute& route;
    ChartState& chart;
    ChartSettings& chartSettings;
    ChartSelection& selection;
    BoatTables& boatTables;
    SailingValues& sailing;
    ToolValues& tools;
    AisTargets& aisTargets;
};

// What every window reaches: the program's state, the seams to the platform and the other windows.
struct UiContext {
    ProgramParts program;
    Clock& clock;
    Dialogs& dialogs;
    Beeper& beeper;
    Help& help;
    FileSystem& files;
    DeviceMakers makers;
    WindowRegistry windows;
};

// Shows a window modally if it exists.
void showModal(QDialog* dialog);

} // namespace brisomar
