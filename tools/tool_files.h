#pragma once

#include "base/file_system.h"
#include "base/real48.h"
#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <cstdint>
#include <functional>
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

// Text inputs (GPX, CSV, JSON, NMEA) are refused above this size, and so are logs to convert.
inline constexpr std::uintmax_t maxInputBytes = std::uintmax_t{64} << 20;

// What a file's kind holds, checked against its size before anything is read: the first 16300
// bytes of a map file, 3000 of a route, 480 of a boat table (a shorter file is refused); a whole
// text input of at most 64 MB. Logs are read with LogFileReader.
Bytes readDataFile(FileSystem& files, const std::string& path);
// The same, no more than its first `count` bytes.
Bytes readDataFileHead(FileSystem& files, const std::string& path, std::uintmax_t count);

// A log file, read record by record in blocks, never whole. A torn record at the end (left by
// a crash during a write) is left out.
class LogFileReader {
public:
    LogFileReader(FileSystem& files, const std::string& path); // throws ToolError

    std::uintmax_t size() const { return size_; }
    std::uintmax_t records() const { return size_ / logRecordSize; }
    std::uintmax_t tornBytes() const { return size_ % logRecordSize; }
    // Hands every whole record to `each`, in order.
    void forEach(const std::function<void(const TLogRecord&)>& each) const;

private:
    FileSystem& files_;
    std::string path_;
    std::uintmax_t size_ = 0;
};

// The whole records of a log file to convert, which holds at most 64 MB.
std::vector<TLogRecord> logRecordsOf(FileSystem& files, const std::string& path);
// Writes a whole file at once (a temporary file renamed over it), refusing to replace an
// existing file unless `force`.
void writeDataFile(FileSystem& files, const std::string& path, const Bytes& bytes, bool force);

std::string textOf(const Bytes& bytes);
// The bytes seen as text, without a copy.
std::string_view textView(const Bytes& bytes);
Bytes bytesOf(std::string_view text);

// The route's entries before the first at 0/0.
std::vector<TWaypoint> routeEntries(const WaypointRoute& route);
// "N route points; a route holds at most 100", N given as "101" or "more than 100".
ToolError tooManyRoutePoints(const std::string& count);
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

// What no position or date can be, each said as "latitude 91 is outside -90 to 90"; empty
// when every value of the waypoint or record is in range.
std::vector<std::string> rangeProblems(const TWaypoint& waypoint);
std::vector<std::string> rangeProblems(const TLogRecord& record);
// Refuses a route or log with a value out of range, naming the first waypoint or record.
void requireInRange(const std::vector<TWaypoint>& entries);
void requireInRange(const std::vector<TLogRecord>& records);

// Text from a file, fit for a terminal: control characters shown as "\x1b" or "\u0081".
std::string shownText(std::string_view utf8);

} // namespace brisomar::tool
