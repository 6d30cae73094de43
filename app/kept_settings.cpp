#include "app/kept_settings.h"

#include "base/number_text.h"
#include "base/utf8.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <type_traits>

namespace brisomar {

namespace {

constexpr const char* formatKey = "Navigator/Format";
constexpr const char* formatVersion = "1";

constexpr std::size_t pathCharacters = 4096;
constexpr std::size_t deviceCharacters = 255;
constexpr std::size_t logTextCharacters = 255; // what a log record holds
constexpr int farthestPlace = 100000;          // pixels a window corner or size may reach

const char* const positionMask = "000°00.000";

// A value kept under a name instead of its number.
template <typename Value> struct Named {
    Value value;
    const char* name;
};
using enum ChartWindowMode;
const std::initializer_list<Named<ChartWindowMode>> chartModes = {{ShowPosition, "ShowPosition"},
                                                                  {ShowTrack, "ShowTrack"},
                                                                  {ShowWaypoints, "ShowWaypoints"},
                                                                  {ShowLogFile, "ShowLogFile"},
                                                                  {SearchOptimum, "SearchOptimum"},
                                                                  {SetWaypoints, "SetWaypoints"},
                                                                  {None, "None"}};
constexpr std::string_view northSouth[] = {"N", "S"};
constexpr std::string_view westEast[] = {"W", "E"};
const std::initializer_list<Named<int>> trackStyles = {{0, "Solid"}, {1, "Dash"}, {2, "Dot"}};
const std::initializer_list<Named<int>> trackColors = {{0, "Black"}, {1, "Blue"}, {2, "Red"}};
const std::initializer_list<Named<PaletteChoice>> palettes = {
    {PaletteChoice::Day, "Day"}, {PaletteChoice::Dusk, "Dusk"}, {PaletteChoice::Night, "Night"}};
const std::initializer_list<Named<PositionSymbol>> positionSymbols = {
    {PositionSymbol::Cross, "Cross"}, {PositionSymbol::Boat, "Boat"}};

const char* const windowGroups[keptWindowCount] = {
    "ChartWindow",         "WaypointWindow",     "SteeringWindow", "SailTimeWindow",
    "MousePositionWindow", "DragDistanceWindow", "OptimumWindow",  "DistanceWindow"};

const char* const alarmNames[alarmSlotCount] = {
    "Course",      "Speed",           "WindDirection",    "WindForce",          "GpsSilence",
    "Divergence",  "LatitudePassage", "LongitudePassage", "OutsideDetailChart", "DepthBelow",
    "AnchorWatch", "Arrival",         "AisCollision"};

const int tableKnots[tableForces] = {4, 8, 12, 16, 20};
constexpr long double lowestCell = 0, highestCell = 90;

// Characters are the bytes that do not continue a UTF-8 sequence.
std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string tableRowText(const std::array<Real48, tableAngles>& row) {
    std::string text;
    for (const Real48& value : row)
        text += (text.empty() ? "" : " ") + FloatToStr(value);
    return text;
}

// The sixteen values of a row, each within the cells' range; nothing otherwise.
std::optional<std::array<Real48, tableAngles>> tableRowFrom(const std::string& text) {
    std::istringstream words(text);
    std::array<Real48, tableAngles> row{};
    std::string word;
    for (Real48& value : row) {
        if (!(words >> word))
            return std::nullopt;
        const auto number = readNumber(word);
        if (!number || *number < lowestCell || *number > highestCell)
            return std::nullopt;
        value = Real48(*number);
    }
    if (words >> word)
        return std::nullopt;
    return row;
}

// Turns every value into its text.
class Writer {
public:
    SettingsValues values;

    void flag(const std::string& key, bool value) { values[key] = value ? "true" : "false"; }
    void text(const std::string& key, const std::string& value, std::size_t) {
        values[key] = value;
    }
    void masked(const std::string& key, const std::string& value, std::string_view) {
        values[key] = value;
    }
    void choice(const std::string& key, const std::string& value,
                std::span<const std::string_view>) {
        values[key] = value;
    }
    template <typename Value>
    void named(const std::string& key, Value value, std::initializer_list<Named<Value>> names) {
        for (const Named<Value>& n : names)
            if (n.value == value)
                values[key] = n.name;
    }
    void integer(const std::string& key, int value, int, int, int = 1) {
        values[key] = std::to_string(value);
    }
    void number(const std::string& key, Real48 value, long double, long double) {
        values[key] = FloatToStr(value);
    }
    void limit(AlarmSlot, const std::string& key, Real48 value, long double low, long double high) {
        number(key, value, low, high);
    }
    void limit(AlarmSlot, const std::string& key, int value, int low, int high) {
        integer(key, value, low, high);
    }
    void tableRow(const std::string& key, const std::array<Real48, tableAngles>& row) {
        values[key] = tableRowText(row);
    }
    // A closed window has no place.
    void place(const std::string& group, const WindowPlace& w) {
        flag(group + "/Open", w.open);
        if (!w.open)
            return;
        integer(group + "/X", w.x, -farthestPlace, farthestPlace);
        integer(group + "/Y", w.y, -farthestPlace, farthestPlace);
        integer(group + "/Width", w.width, 1, farthestPlace);
        integer(group + "/Height", w.height, 1, farthestPlace);
    }
};

// The values' bytes one after the other, much quicker to make than their texts: equal prints
// give equal texts.
class Printer {
public:
    std::string print;

    void flag(const std::string&, bool value) { print += value ? '1' : '0'; }
    void text(const std::string&, const std::string& value, std::size_t) { add(value); }
    void masked(const std::string&, const std::string& value, std::string_view) { add(value); }
    void choice(const std::string&, const std::string& value, std::span<const std::string_view>) {
        add(value);
    }
    template <typename Value>
    void named(const std::string&, Value value, std::initializer_list<Named<Value>>) {
        add(static_cast<int>(value));
    }
    void integer(const std::string&, int value, int, int, int = 1) { add(value); }
    void number(const std::string&, Real48 value, long double, long double) { add(value); }
    template <typename T, typename Bound>
    void limit(AlarmSlot, const std::string&, const T& value, Bound, Bound) {
        add(value);
    }
    void tableRow(const std::string&, const std::array<Real48, tableAngles>& row) {
        for (const Real48& value : row)
            add(value);
    }
    void place(const std::string&, const WindowPlace& w) {
        for (const int value : {static_cast<int>(w.open), w.x, w.y, w.width, w.height})
            add(value);
    }

private:
    void add(const std::string& value) {
        add(static_cast<int>(value.size()));
        print += value;
    }
    void add(int value) { print.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void add(const Real48& value) {
        print.append(reinterpret_cast<const char*>(value.bytes().data()), value.bytes().size());
    }
};

// Takes every value found whose text is in range; the others keep their defaults.
class Reader {
public:
    explicit Reader(const SettingsValues& values) : values_(values) {}

    std::set<AlarmSlot> unarmed; // alarms a limit of which did not read

    bool flag(const std::string& key, bool& value) {
        const std::string* t = find(key);
        if (!t || (*t != "true" && *t != "false"))
            return false;
        value = *t == "true";
        return true;
    }
    void text(const std::string& key, std::string& value, std::size_t maxCharacters) {
        if (const std::string* t = find(key); t && characterCount(*t) <= maxCharacters)
            value = *t;
    }
    void masked(const std::string& key, std::string& value, std::string_view mask) {
        if (const std::string* t = find(key); t && fitsMask(*t, mask))
            value = *t;
    }
    void choice(const std::string& key, std::string& value,
                std::span<const std::string_view> allowed) {
        if (const std::string* t = find(key))
            for (std::string_view a : allowed)
                if (*t == a)
                    value = *t;
    }
    template <typename Value>
    void named(const std::string& key, Value& value, std::initializer_list<Named<Value>> names) {
        if (const std::string* t = find(key))
            for (const Named<Value>& n : names)
                if (*t == n.name)
                    value = n.value;
    }
    bool integer(const std::string& key, int& value, int low, int high, int step = 1) {
        const std::string* t = find(key);
        const auto read = t ? readInteger(*t) : std::nullopt;
        if (!read || *read < low || *read > high || (*read - low) % step != 0)
            return false;
        value = *read;
        return true;
    }
    bool number(const std::string& key, Real48& value, long double low, long double high) {
        const std::string* t = find(key);
        const auto read = t ? readNumber(*t) : std::nullopt;
        if (!read || *read < low || *read > high)
            return false;
        value = Real48(*read);
        return true;
    }
    template <typename T, typename Bound>
    void limit(AlarmSlot slot, const std::string& key, T& value, Bound low, Bound high) {
        bool read = false;
        if constexpr (std::is_same_v<T, int>)
            read = integer(key, value, low, high);
        else
            read = number(key, value, low, high);
        if (!read)
            unarmed.insert(slot);
    }
    void tableRow(const std::string& key, std::array<Real48, tableAngles>& row) {
        if (const std::string* t = find(key))
            if (const auto read = tableRowFrom(*t))
                row = *read;
    }
    // A window whose place does not read whole opens where the window system puts it.
    void place(const std::string& group, WindowPlace& w) {
        flag(group + "/Open", w.open);
        WindowPlace read = w;
        if (integer(group + "/X", read.x, -farthestPlace, farthestPlace) &&
            integer(group + "/Y", read.y, -farthestPlace, farthestPlace) &&
            integer(group + "/Width", read.width, 1, farthestPlace) &&
            integer(group + "/Height", read.height, 1, farthestPlace))
            w = read;
    }

private:
    const std::string* find(const std::string& key) const {
        const auto found = values_.find(key);
        return found == values_.end() ? nullptr : &found->second;
    }

    const SettingsValues& values_;
};

template <class V, class Port> void visitPort(V& v, const std::string& group, Port& p) {
    v.flag(group + "/On", p.on);
    v.text(group + "/Device", p.device, deviceCharacters);
    v.choice(group + "/BaudRate", p.baudRate, baudRateItems);
    v.choice(group + "/ByteSize", p.byteSize, byteSizeItems);
    v.choice(group + "/Parity", p.parity, parityItems);
    v.choice(group + "/StopBits", p.stopBits, stopBitsItems);
    v.flag(group + "/SendRoute", p.sendRoute);
    v.flag(group + "/SendReceived", p.sendReceived);
}

template <class V, class Network> void visitNetwork(V& v, Network& n) {
    v.flag("NetworkOutput/TcpServer", n.where.tcp);
    v.text("NetworkOutput/TcpAddress", n.where.tcpAddress, deviceCharacters);
    v.flag("NetworkOutput/Udp", n.where.udp);
    v.text("NetworkOutput/UdpAddress", n.where.udpAddress, deviceCharacters);
    v.flag("NetworkOutput/SendReceived", n.sendReceived);
}

template <class V, class Gps, class Extended>
void visitSentences(V& v, Gps& gps, Extended& extended) {
    v.text("GPS/Sentence", gps.sentence, 8);
    v.text("GPS/LatitudeField", gps.latitudeField, 2);
    v.text("GPS/NorthSouthField", gps.northSouthField, 2);
    v.text("GPS/LongitudeField", gps.longitudeField, 8);
    v.text("GPS/WestEastField", gps.westEastField, 2);
    v.text("GPS/SpeedField", gps.speedField, 2);
    v.text("GPS/CourseField", gps.courseField, 2);
    v.text("Extended/Sentence", extended.sentence, 8);
    v.text("Extended/Field", extended.field, 2);
    v.text("Extended/Specification", extended.alias, 8);
}

template <class V, class Source> void visitSource(V& v, Source& s) {
    v.flag("Source/ManualLatitude", s.manualLat);
    v.flag("Source/ManualLongitude", s.manualLon);
    v.flag("Source/ManualCourse", s.manualCourse);
    v.flag("Source/ManualSpeed", s.manualSpeed);
    v.number("Source/Latitude", s.lat, -90, 90);
    v.number("Source/Longitude", s.lon, -180, 180);
    v.number("Source/Course", s.course, 0, 999);
    v.number("Source/Speed", s.speed, 0, 999);
    v.number("Source/WindDirection", s.windDir, 0, 999);
    v.number("Source/WindSpeed", s.windSpeed, 0, 999);
    v.number("Source/CurrentDirection", s.currentDir, 0, 999);
    v.number("Source/CurrentSpeed", s.currentSpeed, 0, 999);
    auto& t = s.typed;
    v.masked("SourceFields/Latitude", t.latitude, positionMask);
    v.choice("SourceFields/NorthSouth", t.northSouth, northSouth);
    v.masked("SourceFields/Longitude", t.longitude, positionMask);
    v.choice("SourceFields/WestEast", t.westEast, westEast);
    v.masked("SourceFields/Course", t.course, "000");
    v.masked("SourceFields/Speed", t.speed, "000");
    v.masked("SourceFields/CurrentDirection", t.currentDir, "000");
    v.masked("SourceFields/CurrentSpeed", t.currentSpeed, "000");
    v.masked("SourceFields/WindDirection", t.windDir, "000");
    v.masked("SourceFields/WindSpeed", t.windSpeed, "000");
}

template <class V, class Chart> void visitChart(V& v, Chart& c) {
    v.text("Chart/MapFile", c.mapFile, pathCharacters);
    v.integer("Chart/Record", c.record, 1, 25);
    v.flag("Chart/AutoSelect", c.autoSelect);
    v.named("Chart/Mode", c.mode, chartModes);
    v.flag("Chart/FollowBoat", c.followBoat);
    v.integer("Chart/Zoom", c.zoom, ChartZoom::minStep, ChartZoom::maxStep);
    auto& s = c.settings;
    v.integer("Chart/PositionTimer", s.PositionTimerMs, 1000, 60000, 1000);
    v.integer("Chart/PositionSize", s.PosSize, 3, 11, 2);
    v.integer("Chart/PositionWidth", s.PosWidth, 1, 3, 2);
    v.integer("Chart/LineWidth", s.LineWidth, 1, 5);
    v.named("Chart/TrackStyle", s.TrackStyle, trackStyles);
    v.named("Chart/TrackColor", s.TrackColor, trackColors);
    v.named("Chart/PositionSymbol", s.MarkSymbol, positionSymbols);
}

template <class V, class Alarms> void visitAlarms(V& v, Alarms& a) {
    using S = AlarmSlot;
    v.integer("Alarms/Interval", a.intervalSeconds, 4, 30, 2);
    for (int i = 0; i < alarmSlotCount; ++i)
        v.flag(std::string("Alarms/") + alarmNames[i] + "On", a.on[i]);
    auto& l = a.limits;
    v.limit(S::Course, "AlarmLimits/MinCourse", l.MinDir, 0.0L, 999.0L);
    v.limit(S::Course, "AlarmLimits/MaxCourse", l.MaxDir, 0.0L, 999.0L);
    v.limit(S::Speed, "AlarmLimits/MinSpeed", l.MinSpe, 0.0L, 99.0L);
    v.limit(S::Speed, "AlarmLimits/MaxSpeed", l.MaxSpe, 0.0L, 99.0L);
    v.limit(S::WindDirection, "AlarmLimits/MinWindDirection", l.MinWind, 0.0L, 999.0L);
    v.limit(S::WindDirection, "AlarmLimits/MaxWindDirection", l.MaxWind, 0.0L, 999.0L);
    v.limit(S::WindForce, "AlarmLimits/MinWindForce", l.MinWindForce, 0.0L, 999.0L);
    v.limit(S::WindForce, "AlarmLimits/MaxWindForce", l.MaxWindForce, 0.0L, 999.0L);
    v.limit(S::GpsSilence, "AlarmLimits/GpsSilenceSeconds", l.CommSeconds, 0, 999);
    v.limit(S::Divergence, "AlarmLimits/DivergenceMeters", l.DivMeter, 0.0L, 99999.0L);
    v.limit(S::LatitudePassage, "AlarmLimits/PassLatitude", l.PassLat, -90.0L, 90.0L);
    v.limit(S::LatitudePassage, "AlarmLimits/PassStartLatitude", l.PassStartLat, -90.0L, 90.0L);
    v.limit(S::LongitudePassage, "AlarmLimits/PassLongitude", l.PassLon, -180.0L, 180.0L);
    v.limit(S::LongitudePassage, "AlarmLimits/PassStartLongitude", l.PassStartLon, -180.0L, 180.0L);
    v.limit(S::DepthBelow, "AlarmLimits/DepthBelow", l.MinDepth, 0.0L, 999.9L);
    v.limit(S::AnchorWatch, "AlarmLimits/AnchorRadius", l.AnchorRadius, 0.0L, 9999.0L);
    v.limit(S::AnchorWatch, "AlarmLimits/AnchorLatitude", l.AnchorLat, -90.0L, 90.0L);
    v.limit(S::AnchorWatch, "AlarmLimits/AnchorLongitude", l.AnchorLon, -180.0L, 180.0L);
    v.limit(S::Arrival, "AlarmLimits/ArrivalRadius", l.ArrivalRadius, 0.0L, 9999.0L);
    v.limit(S::AisCollision, "AlarmLimits/AisCpaNm", l.AisCpa, 0.0L, 9.9L);
    v.limit(S::AisCollision, "AlarmLimits/AisTcpaMinutes", l.AisTcpa, 0.0L, 99.0L);
    auto& f = a.fields;
    v.masked("AlarmFields/MinCourse", f.minDir, "000");
    v.masked("AlarmFields/MaxCourse", f.maxDir, "000");
    v.masked("AlarmFields/MinSpeed", f.minSpe, "00");
    v.masked("AlarmFields/MaxSpeed", f.maxSpe, "00");
    v.masked("AlarmFields/MinWindDirection", f.minWind, "000");
    v.masked("AlarmFields/MaxWindDirection", f.maxWind, "000");
    v.masked("AlarmFields/MinWindForce", f.minWindForce, "000");
    v.masked("AlarmFields/MaxWindForce", f.maxWindForce, "000");
    v.masked("AlarmFields/GpsSilenceSeconds", f.seconds, "000");
    v.masked("AlarmFields/DivergenceMeters", f.meter, "00000");
    v.choice("AlarmFields/NorthSouth", f.latNS, northSouth);
    v.masked("AlarmFields/PassLatitude", f.lat, positionMask);
    v.choice("AlarmFields/WestEast", f.lonWE, westEast);
    v.masked("AlarmFields/PassLongitude", f.lon, positionMask);
    v.masked("AlarmFields/DepthBelow", f.depth, "000.0");
    v.masked("AlarmFields/AnchorRadius", f.anchorRadius, "0000");
    v.masked("AlarmFields/ArrivalRadius", f.arrivalRadius, "0000");
    v.masked("AlarmFields/AisCpaNm", f.aisCpa, "0.0");
    v.masked("AlarmFields/AisTcpaMinutes", f.aisTcpa, "00");
}

template <class V, class Tables> void visitBoat(V& v, Tables& t) {
    v.text("Boat/SpeedFile", t.SpeedFile, pathCharacters);
    v.text("Boat/LeewayFile", t.LeewayFile, pathCharacters);
    for (int force = 0; force < tableForces; ++force) {
        const std::string knots = std::to_string(tableKnots[force]);
        v.tableRow("Boat/Speed" + knots, t.SpeedTable[force]);
        v.tableRow("Boat/Leeway" + knots, t.LeewayTable[force]);
    }
}

// Every value of the settings file, once, with its key and what it may hold.
template <class V, class Settings> void visitValues(V& v, Settings& s) {
    visitPort(v, "Port1", s.ports[0]);
    visitPort(v, "Port2", s.ports[1]);
    visitNetwork(v, s.network);
    visitSentences(v, s.gps, s.extended);
    visitSource(v, s.source);
    visitChart(v, s.chart);
    v.integer("MainWindow/Top", s.mainWindowTop, -farthestPlace, farthestPlace);
    v.named("Windows/Palette", s.palette, palettes);
    for (int i = 0; i < keptWindowCount; ++i)
        v.place(windowGroups[i], s.windows[i]);
    visitAlarms(v, s.alarms);
    v.text("Log/File", s.log.file, pathCharacters);
    v.flag("Log/On", s.log.on);
    v.integer("Log/Interval", s.log.interval, 5, 60, 5);
    v.text("Log/Text", s.log.text, logTextCharacters);
    visitBoat(v, s.boat);
    v.integer("Route/Count", s.route.count, 0, maxWaypoints);
    v.integer("Route/Current", s.route.current, 0, maxWaypoints);
    v.integer("Route/Active", s.route.active, 0, maxWaypoints);
    v.flag("Route/Started", s.route.started);
    v.number("Route/StartLat", s.route.startLat, -90, 90);
    v.number("Route/StartLon", s.route.startLon, -180, 180);
    v.flag("Route/Done", s.route.done);
    v.integer("Ais/OwnMmsi", s.aisOwnMmsi, 0, 999999999);
}

} // namespace

SettingsValues keptValues(const KeptSettings& settings) {
    Writer writer;
    writer.values[formatKey] = formatVersion;
    visitValues(writer, settings);
    return writer.values;
}

std::string keptPrint(const KeptSettings& settings) {
    Printer printer;
    visitValues(printer, settings);
    return printer.print;
}

bool readableSettings(const SettingsValues& values) {
    const auto format = values.find(formatKey);
    return format != values.end() && format->second == formatVersion;
}

KeptSettings keptSettingsFrom(const SettingsValues& values) {
    KeptSettings settings;
    Reader reader(values);
    visitValues(reader, settings);
    // An alarm is armed only with every limit it watches.
    for (const AlarmSlot slot : reader.unarmed)
        settings.alarms.on[static_cast<int>(slot)] = false;
    if (settings.route.current > settings.route.count)
        settings.route.current = KeptRoute{}.current;
    // Settings written before the waypoint sailed to was kept apart sailed to the current one.
    if (!values.contains("Route/Active"))
        settings.route.active = settings.route.current;
    if (settings.route.active > settings.route.count)
        settings.route.active = KeptRoute{}.active;
    return settings;
}

KeptRoute keptRouteOf(const WaypointRoute& route) {
    const RouteSailing& s = route.sailing;
    return {route.toFile(), route.WaypointIndex, route.WaypointCount, s.ActiveWaypoint,
            s.RouteStarted, s.StartLat,          s.StartLon,          s.RouteDone || s.Arrived};
}

WaypointRoute keptRoute(const KeptRoute& kept) {
    WaypointRoute route = WaypointRoute::fromFile(kept.entries);
    route.WaypointCount = kept.count;
    route.WaypointIndex = kept.current;
    RouteSailing& sailing = route.sailing;
    sailing.ActiveWaypoint = kept.active;
    sailing.RouteStarted = kept.started && kept.active > 0;
    sailing.StartLat = kept.startLat;
    sailing.StartLon = kept.startLon;
    sailing.RouteDone = kept.done && kept.active > 0;
    route.sailFirstOfNewRoute();
    return route;
}

bool differsFromDefaults(const KeptSettings& settings, std::string_view group) {
    const SettingsValues defaults = keptValues(KeptSettings{});
    const std::string prefix = std::string(group) + "/";
    const SettingsValues values = keptValues(settings);
    return std::any_of(values.begin(), values.end(), [&](const SettingsValues::value_type& entry) {
        if (!entry.first.starts_with(prefix))
            return false;
        const auto fallback = defaults.find(entry.first);
        return fallback == defaults.end() || fallback->second != entry.second;
    });
}

bool fitsMask(std::string_view text, std::string_view formMask) {
    const std::size_t length = characterCount(formMask);
    if (characterCount(text) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const std::string_view m = utf8Substring(formMask, i, 1);
        const std::string_view t = utf8Substring(text, i, 1);
        const bool digitPlace = m == "0";
        if (digitPlace ? !(t == " " || (t.size() == 1 && t[0] >= '0' && t[0] <= '9')) : t != m)
            return false;
    }
    return true;
}

std::string keptDevice(const std::string& shown, const std::string& portDefault) {
    return shown == portDefault ? std::string() : shown;
}

} // namespace brisomar
