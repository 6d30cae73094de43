#include "tools/convert.h"

#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "tools/csv.h"
#include "tools/csv_formats.h"
#include "tools/gpx.h"
#include "tools/map_json.h"
#include "tools/tool_files.h"

#include <functional>
#include <map>
#include <utility>

namespace brisomar::tool {

namespace {

// Reads the input file and gives the output's bytes.
using Conversion = std::function<Bytes(FileSystem&, const std::string& in)>;

// A conversion of what `read` makes of the input file.
template <typename Read, typename Write> Conversion from(Read read, Write write) {
    return
        [read, write](FileSystem& files, const std::string& in) { return write(read(files, in)); };
}

// A route or log whose every position and date can be written as one.
WaypointRoute checkedRouteIn(FileSystem& files, const std::string& path) {
    WaypointRoute route = WaypointRoute::fromFile(readDataFile(files, path));
    requireInRange(routeEntries(route));
    return route;
}

std::vector<TLogRecord> checkedLogIn(FileSystem& files, const std::string& path) {
    std::vector<TLogRecord> records = logRecordsOf(files, path);
    requireInRange(records);
    return records;
}

BoatTable tableIn(FileSystem& files, const std::string& path) {
    return *decodeBoatTable(readDataFile(files, path)); // the size was checked on reading
}

MapTable mapIn(FileSystem& files, const std::string& path) {
    return *decodeMapFile(readDataFile(files, path));
}

// A text input, handed to `parse` without a copy.
template <typename Parse> auto textIn(Parse parse) {
    return [parse](FileSystem& files, const std::string& path) {
        return parse(textView(readDataFile(files, path)));
    };
}

// A route or table in CSV is read from its first megabyte only, far more than the rows either
// can use, and its rows no further than `mostRows`: a huge file is refused as soon as it holds
// more rows than are used, in bounded memory.
constexpr std::size_t mostCsvBytes = 1 << 20;

template <typename Parse> auto csvHeadIn(Parse parse, std::size_t mostRows) {
    return [parse, mostRows](FileSystem& files, const std::string& path) {
        std::string error;
        const auto head = files.read(path, 0, mostCsvBytes + 1, error);
        if (!head)
            throw ToolError(error);
        std::string_view text = textView(*head);
        if (text.size() > mostCsvBytes) { // whole lines only
            text = text.substr(0, text.rfind('\n', mostCsvBytes) + 1);
            if (parseCsv(text, mostRows).size() <= mostRows)
                throw ToolError("a route or boat table in CSV holds at most " +
                                std::to_string(mostCsvBytes) + " bytes, this one has more");
        }
        return parse(text);
    };
}

// A route in GPX, from the first bytes of the file where it must end: a huge file is refused as
// soon as its route holds more points than are used, in bounded memory.
WaypointRoute gpxRouteIn(FileSystem& files, const std::string& path) {
    const Bytes head = readDataFileHead(files, path, mostGpxRouteBytes + 1);
    std::string_view text = textView(head);
    const bool cut = text.size() > mostGpxRouteBytes;
    if (cut) // after a tag, so that only the elements left open are missing
        text = text.substr(0, text.rfind('>', mostGpxRouteBytes - 1) + 1);
    return routeFromGpx(text, cut);
}

// A writer of text as one of bytes.
template <typename Write> auto asBytes(Write write) {
    return [write](const auto& value) { return bytesOf(write(value)); };
}

const std::map<std::pair<FileKind, FileKind>, Conversion>& conversions() {
    using enum FileKind;
    const auto routeFile = [](const WaypointRoute& route) { return route.toFile(); };
    static const std::map<std::pair<FileKind, FileKind>, Conversion> table = {
        {{Way, Gpx}, from(checkedRouteIn, asBytes(routeToGpx))},
        {{Gpx, Way}, from(gpxRouteIn, routeFile)},
        {{Way, Csv}, from(checkedRouteIn, asBytes(routeToCsv))},
        {{Csv, Way}, from(csvHeadIn(routeFromCsv, mostRouteCsvRows), routeFile)},
        {{Log, Gpx}, from(checkedLogIn, asBytes(logToGpx))},
        {{Log, Csv}, from(checkedLogIn, asBytes(logToCsv))},
        {{Speed, Csv}, from(tableIn, asBytes(tableToCsv))},
        {{Leeway, Csv}, from(tableIn, asBytes(tableToCsv))},
        {{Csv, Speed}, from(csvHeadIn(tableFromCsv, mostTableCsvRows), encodeBoatTable)},
        {{Csv, Leeway}, from(csvHeadIn(tableFromCsv, mostTableCsvRows), encodeBoatTable)},
        {{Map, Json}, from(mapIn, asBytes(mapToJson))},
        {{Json, Map}, from(textIn(mapFromJson), encodeMapFile)},
    };
    return table;
}

const Conversion& conversionFor(const std::string& in, const std::string& out) {
    const auto found = conversions().find({kindOf(in), kindOf(out)});
    if (found == conversions().end())
        throw ToolError("cannot convert " + in + " into " + out +
                        " (see brisomar-tool --help for the pairs of formats)");
    return found->second;
}

} // namespace

void convertFile(FileSystem& files, const std::string& in, const std::string& out, bool force) {
    const Conversion& convert = conversionFor(in, out);
    const Bytes converted = aboutFile(in, [&] { return convert(files, in); });
    aboutFile(out, [&] { writeDataFile(files, out, converted, force); });
}

} // namespace brisomar::tool
