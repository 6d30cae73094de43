#include "tools/info.h"

#include "base/coord_text.h"
#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "tools/local_time.h"
#include "tools/tool_files.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace brisomar::tool {

namespace {

std::string plural(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// `text` padded with spaces to `width` characters (UTF-8 counted by character).
std::string padded(const std::string& text, std::size_t width) {
    const auto characters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

bool isEmpty(const MapRecord& r) {
    const MapRecord empty;
    return r.FileName.empty() && r.InfoText.empty() && r.CalLat == empty.CalLat &&
           r.CalLon == empty.CalLon && r.CalRow == empty.CalRow && r.CalCol == empty.CalCol;
}

// A position of a map record in its text form, or what is wrong with it: beyond the limit the
// text form would show a wrong position.
std::string positionText(Real48 degrees, long double limit, std::string (*text)(Real48)) {
    return std::fabs(degrees.value()) <= limit ? text(degrees) : "out of range";
}

std::string calibrationLines(const MapRecord& r) {
    std::string text;
    for (int point = 1; point <= 7; ++point) {
        if (r.lat(point).isZero() && r.lon(point).isZero() && r.row(point) == 0 &&
            r.col(point) == 0)
            continue;
        text += "  point " + std::to_string(point) + ": " +
                positionText(r.lat(point), 90, LatToText) + "  row " +
                padded(std::to_string(r.row(point)), 12) +
                positionText(r.lon(point), 180, LonToText) + "  column " +
                std::to_string(r.col(point)) + "\n";
    }
    return text;
}

std::string mapInfo(const MapTable& table) {
    std::string text = "Map file: 25 records\n";
    for (int number = 1; number <= mapRecordCount; ++number) {
        const MapRecord& r = table[number - 1];
        text += "Record " + std::to_string(number) + ":";
        if (isEmpty(r)) {
            text += " empty\n";
            continue;
        }
        text += "\n  file name: " + shownText(r.FileName) +
                "\n  info text: " + shownText(r.InfoText) + "\n" + calibrationLines(r);
    }
    return text;
}

// The line of an entry whose values are out of range says so instead of showing them.
template <typename Entry>
std::string problemsOr(const Entry& entry, const std::function<std::string()>& line) {
    const std::vector<std::string> problems = rangeProblems(entry);
    if (problems.empty())
        return line();
    std::string text = "out of range: ";
    for (std::size_t i = 0; i < problems.size(); ++i)
        text += (i == 0 ? "" : "; ") + problems[i];
    return text;
}

std::string logLine(const TLogRecord& r) {
    return localTimeText(r.DateTime) + "  " + LatToText(r.Lat) + "  " + LonToText(r.Lon) +
           "  course " + numberText(r.Course) + "  speed " + numberText(r.Speed) + " kn" +
           (r.Text.empty() ? "" : "  " + shownText(r.Text));
}

// Record by record, so that a log of any size is listed.
void logInfo(FileSystem& files, const std::string& path, std::ostream& out) {
    const LogFileReader log(files, path);
    out << "Log file: " << plural(log.records(), "record") << "\n";
    std::uintmax_t number = 0;
    log.forEach([&](const TLogRecord& r) {
        out << ++number << "  " << problemsOr(r, [&r] { return logLine(r); }) << "\n";
    });
    if (log.tornBytes() != 0)
        out << "A torn record at the end holds " << plural(log.tornBytes(), "byte")
            << ", left out.\n";
}

std::string routeLine(const TWaypoint& w) {
    return LatToText(w.Lat) + "  " + LonToText(w.Lon) + "  distance " + numberText(w.Dist) +
           " nm  course " + numberText(w.Dir) + "  minutes " + numberText(w.Minutes);
}

std::string routeInfo(const WaypointRoute& route) {
    const std::vector<TWaypoint> entries = routeEntries(route);
    std::string text = "Route file: " + plural(entries.size(), "waypoint") + "\n";
    int number = 0;
    for (const TWaypoint& w : entries)
        text += padded(std::to_string(++number), 4) + problemsOr(w, [&w] { return routeLine(w); }) +
                "\n";
    return text;
}

// Cells in columns of 18 characters, the last one unpadded.
std::string gridLine(const std::vector<std::string>& cells) {
    constexpr std::size_t width = 18;
    std::string line;
    for (std::size_t i = 0; i + 1 < cells.size(); ++i)
        line += padded(cells[i], width);
    return line + cells.back() + "\n";
}

std::string tableInfo(const BoatTable& table, const std::string& title) {
    std::vector<std::string> header = {cornerHeading};
    for (int force = 1; force <= tableForces; ++force)
        header.push_back(forceHeading(force));
    std::string text = title + "\n" + gridLine(header);
    for (int angle = 1; angle <= tableAngles; ++angle) {
        std::vector<std::string> row = {angleHeading(angle)};
        for (const auto& force : table)
            row.push_back(" " + numberText(force[angle - 1]));
        text += gridLine(row);
    }
    return text;
}

using Describe = std::function<void(FileSystem&, const std::string&, std::ostream&)>;

// A file of a fixed size, described whole.
template <typename Text> Describe whole(Text text) {
    return [text](FileSystem& files, const std::string& path, std::ostream& out) {
        out << text(readDataFile(files, path));
    };
}

// What describes each kind of file info reads; the size is checked on reading.
const std::map<FileKind, Describe>& describers() {
    static const std::map<FileKind, Describe> table = {
        {FileKind::Map, whole([](const Bytes& b) { return mapInfo(*decodeMapFile(b)); })},
        {FileKind::Log, logInfo},
        {FileKind::Way,
         whole([](const Bytes& b) { return routeInfo(WaypointRoute::fromFile(b)); })},
        {FileKind::Speed, whole([](const Bytes& b) {
             return tableInfo(*decodeBoatTable(b), "Boat speed table (knots)");
         })},
        {FileKind::Leeway, whole([](const Bytes& b) {
             return tableInfo(*decodeBoatTable(b), "Leeway table (degrees)");
         })},
    };
    return table;
}

} // namespace

void fileInfo(FileSystem& files, const std::string& path, std::ostream& out) {
    aboutFile(path, [&] {
        const auto describe = describers().find(kindOf(path));
        if (describe == describers().end())
            throw ToolError("unknown file type (info reads .MAP, .LOG, .WAY, .SPE and .LEE)");
        describe->second(files, path, out);
    });
}

} // namespace brisomar::tool
