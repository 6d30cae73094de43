#include "tools/info.h"

#include "app/coord_text.h"
#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "tools/local_time.h"
#include "tools/tool_files.h"

#include <algorithm>
#include <functional>
#include <map>
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

std::string calibrationLines(const MapRecord& r) {
    std::string text;
    for (int point = 1; point <= 7; ++point) {
        if (r.lat(point).isZero() && r.lon(point).isZero() && r.row(point) == 0 &&
            r.col(point) == 0)
            continue;
        text += "  point " + std::to_string(point) + ": " + LatToText(r.lat(point)) + "  row " +
                padded(std::to_string(r.row(point)), 12) + LonToText(r.lon(point)) + "  column " +
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
        text += "\n  file name: " + r.FileName + "\n  info text: " + r.InfoText + "\n" +
                calibrationLines(r);
    }
    return text;
}

std::string logInfo(const std::vector<TLogRecord>& records) {
    std::string text = "Log file: " + plural(records.size(), "record") + "\n";
    int number = 0;
    for (const TLogRecord& r : records)
        text += std::to_string(++number) + "  " + localTimeText(r.DateTime) + "  " +
                LatToText(r.Lat) + "  " + LonToText(r.Lon) + "  course " + numberText(r.Course) +
                "  speed " + numberText(r.Speed) + " kn" + (r.Text.empty() ? "" : "  " + r.Text) +
                "\n";
    return text;
}

std::string routeInfo(const WaypointRoute& route) {
    const std::vector<TWaypoint> entries = routeEntries(route);
    std::string text = "Route file: " + plural(entries.size(), "waypoint") + "\n";
    int number = 0;
    for (const TWaypoint& w : entries)
        text += padded(std::to_string(++number), 4) + LatToText(w.Lat) + "  " + LonToText(w.Lon) +
                "  distance " + numberText(w.Dist) + " nm  course " + numberText(w.Dir) +
                "  minutes " + numberText(w.Minutes) + "\n";
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

using Describe = std::function<std::string(const Bytes&)>;

// What describes each kind of file info reads; the size is checked on reading.
const std::map<FileKind, Describe>& describers() {
    static const std::map<FileKind, Describe> table = {
        {FileKind::Map, [](const Bytes& b) { return mapInfo(*decodeMapFile(b)); }},
        {FileKind::Log, [](const Bytes& b) { return logInfo(decodeLogFile(b)); }},
        {FileKind::Way, [](const Bytes& b) { return routeInfo(WaypointRoute::fromFile(b)); }},
        {FileKind::Speed,
         [](const Bytes& b) { return tableInfo(*decodeBoatTable(b), "Boat speed table (knots)"); }},
        {FileKind::Leeway,
         [](const Bytes& b) { return tableInfo(*decodeBoatTable(b), "Leeway table (degrees)"); }},
    };
    return table;
}

} // namespace

std::string fileInfo(FileSystem& files, const std::string& path) {
    return aboutFile(path, [&] {
        const auto describe = describers().find(kindOf(path));
        if (describe == describers().end())
            throw ToolError("unknown file type (info reads .MAP, .LOG, .WAY, .SPE and .LEE)");
        return describe->second(readDataFile(files, path));
    });
}

} // namespace brisomar::tool
