#include "tools/convert.h"

#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "tools/csv_formats.h"
#include "tools/gpx.h"
#include "tools/map_json.h"
#include "tools/tool_files.h"

#include <functional>
#include <map>
#include <utility>

namespace brisomar::tool {

namespace {

using Conversion = std::function<Bytes(const Bytes&)>;

BoatTable boatTableOf(const Bytes& bytes) {
    return *decodeBoatTable(bytes); // the size was checked on reading
}

Bytes tableFileOf(const Bytes& csv) {
    return encodeBoatTable(tableFromCsv(textOf(csv)));
}

const std::map<std::pair<FileKind, FileKind>, Conversion>& conversions() {
    using enum FileKind;
    static const std::map<std::pair<FileKind, FileKind>, Conversion> table = {
        {{Way, Gpx},
         [](const Bytes& b) { return bytesOf(routeToGpx(WaypointRoute::fromFile(b))); }},
        {{Gpx, Way}, [](const Bytes& b) { return routeFromGpx(textOf(b)).toFile(); }},
        {{Way, Csv},
         [](const Bytes& b) { return bytesOf(routeToCsv(WaypointRoute::fromFile(b))); }},
        {{Csv, Way}, [](const Bytes& b) { return routeFromCsv(textOf(b)).toFile(); }},
        {{Log, Gpx}, [](const Bytes& b) { return bytesOf(logToGpx(decodeLogFile(b))); }},
        {{Log, Csv}, [](const Bytes& b) { return bytesOf(logToCsv(decodeLogFile(b))); }},
        {{Speed, Csv}, [](const Bytes& b) { return bytesOf(tableToCsv(boatTableOf(b))); }},
        {{Leeway, Csv}, [](const Bytes& b) { return bytesOf(tableToCsv(boatTableOf(b))); }},
        {{Csv, Speed}, tableFileOf},
        {{Csv, Leeway}, tableFileOf},
        {{Map, Json}, [](const Bytes& b) { return bytesOf(mapToJson(*decodeMapFile(b))); }},
        {{Json, Map}, [](const Bytes& b) { return encodeMapFile(mapFromJson(textOf(b))); }},
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
    const Bytes converted = aboutFile(in, [&] { return convert(readDataFile(files, in)); });
    aboutFile(out, [&] { writeDataFile(files, out, converted, force); });
}

} // namespace brisomar::tool
