#pragma once

#include "app/file_system.h"
#include "app/real48.h"
#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// A failure the tool reports, "brisomar-tool: <what>", and ends with exit status 1.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs `step`, putting "path: " in front of the reason of any failure it reports.
template <typename Step> decltype(auto) aboutFile(const std::string& path, Step&& step) {
    try {
        return step();
    } catch (const ToolError& e) {
        throw ToolError(path + ": " + e.what());
    }
}

// The kinds of files the tool reads and writes, told by the extension in any case.
enum class FileKind { Map, Log, Way, Speed, Leeway, Gpx, Csv, Json, Other };
FileKind kindOf(const std::string& path);

// A whole file; the navigator's data files must have a size their kind allows.
Bytes readDataFile(FileSystem& files, const std::string& path);
// Writes a whole file at once (a temporary file renamed over it), refusing to replace an
// existing file unless `force`.
void writeDataFile(FileSystem& files, const std::string& path, const Bytes& bytes, bool force);

std::string textOf(const Bytes& bytes);
Bytes bytesOf(std::string_view text);

// Every record of a log file's bytes (a whole number of records).
std::vector<TLogRecord> decodeLogFile(const Bytes& bytes);

// The route's entries before the first at 0/0.
std::vector<TWaypoint> routeEntries(const WaypointRoute& route);
// A route of at most 100 entries, none at 0/0 (which would end the route there).
WaypointRoute routeOf(const std::vector<TWaypoint>& entries);

// A number in the fewest significant digits that read back as the same Real48: "6.1", "150",
// "0.00125", "1.5e+30".
std::string numberText(Real48 value);
// A number of a data file's text, `what` naming it in the failure.
Real48 numberValue(std::string_view text, const std::string& what);
// The same, within -limit..limit.
Real48 numberWithin(std::string_view text, const std::string& what, long double limit);

// Longitudes turned between the program's (west positive) and the usual (east positive).
Real48 flippedLongitude(Real48 longitude);

} // namespace brisomar::tool
