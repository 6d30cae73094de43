#include "tools/calc.h"

#include "ais/closest_approach.h"
#include "base/coord_text.h"
#include "base/number_text.h"
#include "base/real48.h"
#include "charts/chart_geometry.h"
#include "charts/map_file.h"
#include "input/nmea_fields.h"
#include "input/reception.h"
#include "navcalc/navigation_math.h"
#include "navcalc/sailing.h"
#include "records/active_waypoint.h"

#include <cstdio>
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace brisomar::tool {

namespace {

struct CalcError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string_view>;

} // namespace

struct CalcSession::State {
    ChartState chart;
    BoatTables tables{defaultSpeedTable(), defaultLeewayTable()};
};

namespace {

using State = CalcSession::State;

struct Function {
    std::vector<std::string_view> arguments; // their names
    std::function<std::string(State&, const Args&)> evaluate;
};

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

long double wide(std::string_view text) {
    const auto value = readNumber(text);
    if (!value)
        throw CalcError("unreadable number '" + std::string(text) + "'");
    return *value;
}

Real48 real48(std::string_view text) {
    return Real48(wide(text));
}

std::string hexText(const Real48& value) {
    std::string text;
    char pair[3];
    for (const auto byte : value.bytes()) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw CalcError("not 12 hex digits: '" + std::string(1, c) + "'");
}

Real48 fromHex(std::string_view text) {
    if (text.size() != 12)
        throw CalcError("not 12 hex digits: '" + std::string(text) + "'");
    Real48::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] =
            static_cast<std::uint8_t>(hexDigit(text[2 * i]) * 16 + hexDigit(text[2 * i + 1]));
    return Real48::fromBytes(bytes);
}

std::string wideText(long double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", static_cast<double>(value));
    return text;
}

int integer(std::string_view text) {
    const auto value = readInteger(text);
    if (!value)
        throw CalcError("unreadable integer '" + std::string(text) + "'");
    return *value;
}

std::string boolText(bool value) {
    return value ? "true" : "false";
}

std::string pairText(Real48 a, Real48 b) {
    return hexText(a) + " " + hexText(b);
}

// The working values with the wind and current of the arguments.
SailingValues windAndCurrent(const Args& a) {
    SailingValues v;
    v.OptWindDir = real48(a[0]);
    v.OptWindSpeed = real48(a[1]);
    v.OptCurrentDir = real48(a[2]);
    v.OptCurrentSpeed = real48(a[3]);
    ComputeFalseWind(v);
    return v;
}

std::string resultCourse(const State& state, const Args& a) {
    SailingValues v = windAndCurrent(a);
    v.OptSteerDir = real48(a[4]);
    v.OptBoatSpeed = BoatSpeed(state.tables, v.OptSteerDir, v.OptFalseWindSpeed, v.OptFalseWindDir);
    v.OptLeeway = Leeway(state.tables, v.OptSteerDir, v.OptWindSpeed, v.OptWindDir);
    ComputeResultCourse(v);
    return pairText(v.OptResultDir, v.OptResultSpeed);
}

std::string speedAlongCourse(const State& state, const Args& a) {
    NavState nav;
    nav.WindDir = real48(a[1]);
    nav.WindSpeed = real48(a[2]);
    nav.CurrentDir = real48(a[3]);
    nav.CurrentSpeed = real48(a[4]);
    SailingValues v;
    return hexText(SpeedAlongCourse(v, state.tables, nav, Real48(), real48(a[0])));
}

// Loads a map file and takes record n as the chart in use, corners as the record gives them;
// a failure changes nothing.
std::string useMap(State& state, std::string_view path, int n) {
    if (n < 1 || n > mapRecordCount)
        throw CalcError("record number " + std::to_string(n) + " is not 1 to 25");
    StdFileSystem files;
    std::string error;
    const auto table = readMapFile(files, std::string(path), error);
    if (!table)
        throw CalcError("cannot read " + std::string(path) + ": " + error);
    ChartState& chart = state.chart;
    chart.Table = *table;
    chart.MapIndex = n;
    useRecordCorners(chart);
    return "ok";
}

GeoPoint geoPoint(std::string_view lat, std::string_view lon) {
    return {real48(lat), real48(lon)};
}

std::string arrivalText(Arrival arrival) {
    switch (arrival) {
    case Arrival::Radius:
        return "radius";
    case Arrival::Line:
        return "line";
    case Arrival::None:
        break;
    }
    return "none";
}

// One message through delivery and the check, on a fresh state with the factory settings.
std::string receive(std::string_view message) {
    NavState nav;
    Reception reception;
    reception.deliver(1, message);
    reception.tick(nav, ClockReading{});
    std::string text;
    for (const Real48& value :
         {nav.GpsLat, nav.GpsLon, nav.GpsSpeed, nav.GpsCourse, nav.ExtendedValue}) {
        if (!text.empty())
            text += ' ';
        text += hexText(value);
    }
    return text;
}

const std::map<std::string, Function, std::less<>>& functions() {
    static const std::map<std::string, Function, std::less<>> table = {
        {"Real48", {{"number"}, [](State&, const Args& a) { return hexText(real48(a[0])); }}},
        {"Real48Value",
         {{"hex"}, [](State&, const Args& a) { return wideText(fromHex(a[0]).value()); }}},
        {"LatToText",
         {{"latitude"}, [](State&, const Args& a) { return LatToText(real48(a[0])); }}},
        {"LonToText",
         {{"longitude"}, [](State&, const Args& a) { return LonToText(real48(a[0])); }}},
        {"TextToLat", {{"text"}, [](State&, const Args& a) { return wideText(TextToLat(a[0])); }}},
        {"TextToLon", {{"text"}, [](State&, const Args& a) { return wideText(TextToLon(a[0])); }}},
        {"FloatToStr",
         {{"number"}, [](State&, const Args& a) { return FloatToStr(real48(a[0])); }}},
        {"FormatFloat",
         {{"pattern", "number"},
          [](State&, const Args& a) {
              const auto pattern = parseFloatPattern(a[0]);
              if (!pattern)
                  throw CalcError("unknown pattern '" + std::string(a[0]) + "'");
              return FormatFloat(*pattern, real48(a[1]).value());
          }}},
        {"NmeaFieldValue",
         {{"sentence", "separator", "field", "name"},
          [](State&, const Args& a) {
              return hexText(NmeaFieldValue(a[0], a[1], integer(a[2]), a[3]));
          }}},
        {"NmeaFieldText",
         {{"sentence", "separator", "field", "name"},
          [](State&, const Args& a) { return NmeaFieldText(a[0], a[1], integer(a[2]), a[3]); }}},
        {"NmeaLatitude",
         {{"field", "hemisphere"},
          [](State&, const Args& a) { return hexText(NmeaLatitude(a[0], a[1])); }}},
        {"NmeaLongitude",
         {{"field", "hemisphere"},
          [](State&, const Args& a) { return hexText(NmeaLongitude(a[0], a[1])); }}},
        {"Receive", {{"message"}, [](State&, const Args& a) { return receive(a[0]); }}},
        {"InterpolatePixel",
         {{"pixelA", "pixelB", "value", "valueA", "valueB"},
          [](State&, const Args& a) {
              return std::to_string(InterpolatePixel(integer(a[0]), integer(a[1]), real48(a[2]),
                                                     real48(a[3]), real48(a[4])));
          }}},
        {"UseMap",
         {{"mapFile", "record"},
          [](State& s, const Args& a) { return useMap(s, a[0], integer(a[1])); }}},
        {"LatToChartY",
         {{"latitude"},
          [](State& s, const Args& a) {
              return std::to_string(LatToChartY(s.chart, real48(a[0])));
          }}},
        {"LonToChartX",
         {{"longitude"},
          [](State& s, const Args& a) {
              return std::to_string(LonToChartX(s.chart, real48(a[0])));
          }}},
        {"ChartYToLat",
         {{"row"},
          [](State& s, const Args& a) { return hexText(ChartYToLat(s.chart, integer(a[0]))); }}},
        {"ChartXToLon",
         {{"column"},
          [](State& s, const Args& a) { return hexText(ChartXToLon(s.chart, integer(a[0]))); }}},
        {"DistanceNm",
         {{"lat1", "lon1", "lat2", "lon2"},
          [](State&, const Args& a) {
              return hexText(DistanceNm(real48(a[0]), real48(a[1]), real48(a[2]), real48(a[3])));
          }}},
        {"CourseBetween",
         {{"lat1", "lon1", "lat2", "lon2"},
          [](State&, const Args& a) {
              return hexText(CourseBetween(real48(a[0]), real48(a[1]), real48(a[2]), real48(a[3])));
          }}},
        {"BoatTableLookup",
         {{"table", "force", "angle"},
          [](State& s, const Args& a) {
              return hexText(BoatTableLookup(s.tables, a[0], real48(a[1]), real48(a[2])));
          }}},
        {"BoatSpeed",
         {{"heading", "force", "fromDir"},
          [](State& s, const Args& a) {
              return hexText(BoatSpeed(s.tables, real48(a[0]), real48(a[1]), real48(a[2])));
          }}},
        {"Leeway",
         {{"heading", "force", "fromDir"},
          [](State& s, const Args& a) {
              return hexText(Leeway(s.tables, real48(a[0]), real48(a[1]), real48(a[2])));
          }}},
        {"FalseWind",
         {{"windDir", "windSpeed", "currentDir", "currentSpeed"},
          [](State&, const Args& a) {
              const SailingValues v = windAndCurrent(a);
              return pairText(v.OptFalseWindDir, v.OptFalseWindSpeed);
          }}},
        {"ResultCourse",
         {{"windDir", "windSpeed", "currentDir", "currentSpeed", "steerDir"},
          [](State& s, const Args& a) { return resultCourse(s, a); }}},
        {"SpeedAlongCourse",
         {{"course", "windDir", "windSpeed", "currentDir", "currentSpeed"},
          [](State& s, const Args& a) { return speedAlongCourse(s, a); }}},
        {"WaypointBearing",
         {{"lat", "lon", "wpLat", "wpLon"},
          [](State&, const Args& a) {
              const BearingDistance to =
                  WaypointBearing(geoPoint(a[0], a[1]), geoPoint(a[2], a[3]));
              return wideText(to.bearing) + " " + wideText(to.distanceNm);
          }}},
        {"CrossTrack",
         {{"startLat", "startLon", "wpLat", "wpLon", "lat", "lon"},
          [](State&, const Args& a) {
              return wideText(
                  CrossTrack(geoPoint(a[0], a[1]), geoPoint(a[2], a[3]), geoPoint(a[4], a[5])));
          }}},
        {"ArrivalCheck",
         {{"startLat", "startLon", "wpLat", "wpLon", "previousLat", "previousLon", "lat", "lon",
           "radiusMetres"},
          [](State&, const Args& a) {
              return arrivalText(ArrivalCheck(geoPoint(a[0], a[1]), geoPoint(a[2], a[3]),
                                              geoPoint(a[4], a[5]), geoPoint(a[6], a[7]),
                                              wide(a[8])));
          }}},
        {"Cpa",
         {{"lat", "lon", "course", "speed", "targetLat", "targetLon", "targetCourse",
           "targetSpeed"},
          [](State&, const Args& a) {
              const Approach approach =
                  ClosestApproach({geoPoint(a[0], a[1]), wide(a[2]), wide(a[3])},
                                  {geoPoint(a[4], a[5]), wide(a[6]), wide(a[7])});
              return wideText(approach.cpaNm) + " " + wideText(approach.tcpaMinutes);
          }}},
        {"PositionOnChart",
         {{"lat", "lon", "north", "west", "south", "east"},
          [](State&, const Args& a) {
              return boolText(PositionOnChart(real48(a[0]), real48(a[1]), real48(a[2]),
                                              real48(a[3]), real48(a[4]), real48(a[5])));
          }}},
    };
    return table;
}

} // namespace

CalcSession::CalcSession() : state_(std::make_unique<State>()) {}

void CalcSession::useTables(const BoatTables& tables) {
    state_->tables = tables;
}

CalcSession::~CalcSession() = default;

std::string functionList() {
    std::string list;
    for (const auto& [name, function] : functions()) {
        list += name;
        for (const std::string_view argument : function.arguments)
            list += "\t" + std::string(argument);
        list += "\n";
    }
    return list;
}

CalcAnswer calcLine(std::string_view line) {
    return CalcSession().line(line);
}

CalcAnswer CalcSession::line(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty())
        return {};
    const auto fields = splitFields(line);
    const auto found = functions().find(fields[0]);
    if (found == functions().end())
        return {"error: unknown function " + std::string(fields[0]), true};
    const Function& function = found->second;
    const Args args(fields.begin() + 1, fields.end());
    if (args.size() != function.arguments.size())
        return {"error: " + std::string(fields[0]) + " takes " +
                    std::to_string(function.arguments.size()) + " argument(s), got " +
                    std::to_string(args.size()),
                true};
    try {
        return {function.evaluate(*state_, args), false};
    } catch (const FloatOverflow&) {
        return {"error: overflow", true};
    } catch (const std::exception& e) {
        return {std::string("error: ") + e.what(), true};
    }
}

int runCalc(std::istream& in, std::ostream& out, CalcSession& session) {
    bool anyFailed = false;
    for (std::string line; std::getline(in, line);) {
        const CalcAnswer answer = session.line(line);
        anyFailed = anyFailed || answer.failed;
        out << answer.line << '\n';
    }
    out.flush();
    return anyFailed ? 1 : 0;
}

} // namespace brisomar::tool
