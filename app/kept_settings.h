#pragma once

#include "alarms/alarm_monitor.h"
#include "base/file_system.h"
#include "base/palette.h"
#include "charts/chart_settings.h"
#include "charts/chart_state.h"
#include "input/manual_values.h"
#include "input/network_output.h"
#include "input/reception.h"
#include "input/serial_device.h"
#include "navcalc/boat_tables.h"
#include "records/waypoint_route.h"

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace brisomar {

// Everything the navigator keeps between runs, as the sailor last set it. A default-made one
// holds the program's defaults; reading settings replaces only the values found and in range.

// A serial port: switched on or off, its device and line settings, as its groups show them, and
// what it sends.
struct KeptPort {
    bool on = false;
    std::string device; // empty: the port's default device
    std::string baudRate{baudRateChoice.initialItem()}, byteSize{byteSizeChoice.initialItem()},
        parity{parityChoice.initialItem()}, stopBits{stopBitsChoice.initialItem()};
    bool sendRoute = false, sendReceived = false;
};

// The windows that are not modal, each open or not, with its place while open (frame corner,
// client size). The main window is always open, always as wide and high, always at the left;
// only its top is the sailor's.
enum class KeptWindow {
    Chart,
    Waypoints,
    Steering,
    SailTime,
    MousePosition,
    DragDistance,
    Optimum,
    Distance
};
inline constexpr int keptWindowCount = 8;

struct WindowPlace {
    bool open = false;
    int x = 0, y = 0, width = 0, height = 0;
};

struct KeptSource {
    bool manualLat = false, manualLon = false, manualCourse = false, manualSpeed = false;
    Real48 lat, lon, course, speed; // the manual values stored
    Real48 windDir, windSpeed, currentDir, currentSpeed;
    ManualEntry typed; // the texts of the data source window's fields
};

struct KeptChart {
    std::string mapFile;
    int record = 1;
    bool autoSelect = false;
    ChartWindowMode mode = ChartWindowMode::ShowPosition;
    ChartSettings settings;
    bool followBoat = true; // the chart scrolls to keep the boat in sight
    int zoom = 0;           // the chart window's zoom step, 1:1 by default
};

struct KeptAlarms {
    std::array<bool, alarmSlotCount> on{};
    AlarmLimits limits; // in force, captured when each alarm was switched on
    AlarmFieldTexts fields;
    int intervalSeconds = 4;
};

struct KeptLog {
    std::string file;
    bool on = false;
    int interval = 5; // minutes
    std::string text; // written into each record
};

// The route as its .WAY file holds it, with the current waypoint, the count in use, the
// waypoint sailed to, where the route was started and whether it is done.
struct KeptRoute {
    Bytes entries = Bytes(waypointFileSize, 0);
    int current = 0;
    int count = 0;
    int active = 0;
    bool started = false;
    Real48 startLat, startLon;
    bool done = false; // arrived at the last waypoint counts: nothing is left to sail to
};

// The route to keep, and the route as kept: a new route (none sailed to) is sailed from its
// first waypoint.
KeptRoute keptRouteOf(const WaypointRoute& route);
WaypointRoute keptRoute(const KeptRoute& kept);

// The network output as its boxes set it.
struct KeptNetworkOutput {
    NetworkOutputSettings where;
    bool sendReceived = false;
};

struct KeptSettings {
    std::array<KeptPort, 2> ports;
    KeptNetworkOutput network;
    GpsSentenceSettings gps;
    ExtendedSentenceSettings extended;
    KeptSource source;
    KeptChart chart;
    int mainWindowTop = 0;
    std::array<WindowPlace, keptWindowCount> windows;
    KeptAlarms alarms;
    KeptLog log;
    BoatTables boat; // with the files the tables were loaded from
    KeptRoute route; // in a file of its own
    PaletteChoice palette = PaletteChoice::Day;
    int aisOwnMmsi = 0; // the own ship's MMSI as the sailor gives it; 0 when none
};

// The settings file's values by key ("Group/Key"), as text: what QSettings writes as INI.
using SettingsValues = std::map<std::string, std::string>;

// Every kept value but the route's entries, with the key that says the file is the navigator's.
SettingsValues keptValues(const KeptSettings& settings);

// The same values as bytes, quick to make and compare: equal prints give equal values.
std::string keptPrint(const KeptSettings& settings);

// Whether the values come from a settings file this navigator writes.
bool readableSettings(const SettingsValues& values);

// The values read over the defaults: a value missing, unreadable or out of range is left at its
// default. The route's entries stay as they are.
KeptSettings keptSettingsFrom(const SettingsValues& values);

// Whether a value of `group` ("AlarmFields") differs from the program's default: a window that
// builds its controls when first opened needs them built only then.
bool differsFromDefaults(const KeptSettings& settings, std::string_view group);

// Whether a masked field's text fits its form mask ("000°00.000": a digit or a blank for each 0,
// the other characters as they stand).
bool fitsMask(std::string_view text, std::string_view formMask);

// The device a port keeps: empty when it is the port's default one.
std::string keptDevice(const std::string& shown, const std::string& portDefault);

} // namespace brisomar
