#include "tools/tool_files.h"

#include "base/number_text.h"
#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "tools/local_time.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace brisomar::tool {

namespace {

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string sizeText(std::uintmax_t size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes");
}

void requireAtLeast(std::uintmax_t size, std::size_t needed, const char* what) {
    if (size < needed)
        throw ToolError(std::string(what) + " holds " + sizeText(needed) + ", this one has " +
                        sizeText(size));
}

void requireAtMost(std::uintmax_t size, std::uintmax_t most, const char* what) {
    if (size > most)
        throw ToolError(std::string(what) + " holds at most 64 MB (" + sizeText(most) +
                        "), this one has " + sizeText(size));
}

// How much of a file of this kind and size is read; throws for a size the kind cannot have.
std::uintmax_t bytesToRead(FileKind kind, std::uintmax_t size) {
    const auto fixed = [size](std::size_t needed, const char* what) {
        requireAtLeast(size, needed, what);
        return needed;
    };
    switch (kind) {
    case FileKind::Map:
        return fixed(mapFileSize, "a map file");
    case FileKind::Way:
        return fixed(waypointFileSize, "a route file");
    case FileKind::Speed:
    case FileKind::Leeway:
        return fixed(boatTableFileSize, "a boat table");
    default:
        requireAtMost(size, maxInputBytes, "a text input");
        return size;
    }
}

std::uintmax_t sizeOf(FileSystem& files, const std::string& path) {
    std::string error;
    const auto size = files.size(path, error);
    if (!size)
        throw ToolError(error);
    return *size;
}

std::string doubleText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void addIfOutside(std::vector<std::string>& problems, const char* what, Real48 value, int limit) {
    if (std::fabs(value.value()) > limit)
        problems.push_back(std::string(what) + " " + numberText(value) + " is outside -" +
                           std::to_string(limit) + " to " + std::to_string(limit));
}

template <typename Entry>
void requireEachInRange(const std::vector<Entry>& entries, const char* noun) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::vector<std::string> problems = rangeProblems(entries[i]);
        if (problems.empty())
            continue;
        std::string text = std::string(noun) + " " + std::to_string(i + 1) + ": ";
        for (std::size_t p = 0; p < problems.size(); ++p)
            text += (p == 0 ? "" : "; ") + problems[p];
        throw ToolError(text);
    }
}

void appendHex(std::string& text, const char* prefix, unsigned value) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s%02x", prefix, value);
    text += hex;
}

// The value rounded to `digits` significant digits: fixed notation from 1e-5 to below 1e15,
// else with an exponent ("1.5e+30").
std::string withDigits(long double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", digits - 1, value);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    if (exponent >= -5 && exponent < 15)
        std::snprintf(text, sizeof text, "%.*Lf", std::max(0, digits - 1 - exponent), value);
    return text;
}

} // namespace

FileKind kindOf(const std::string& path) {
    static const std::map<std::string, FileKind, std::less<>> kinds = {
        {".MAP", FileKind::Map},   {".LOG", FileKind::Log},    {".WAY", FileKind::Way},
        {".SPE", FileKind::Speed}, {".LEE", FileKind::Leeway}, {".GPX", FileKind::Gpx},
        {".CSV", FileKind::Csv},   {".JSON", FileKind::Json},
    };
    const auto found = kinds.find(upperCase(extensionOf(path)));
    return found == kinds.end() ? FileKind::Other : found->second;
}

Bytes readDataFile(FileSystem& files, const std::string& path) {
    return readDataFileHead(files, path, UINTMAX_MAX);
}

Bytes readDataFileHead(FileSystem& files, const std::string& path, std::uintmax_t count) {
    const std::uintmax_t wanted = std::min(bytesToRead(kindOf(path), sizeOf(files, path)), count);
    std::string error;
    auto bytes = files.read(path, 0, wanted, error);
    if (!bytes)
        throw ToolError(error);
    return *bytes;
}

LogFileReader::LogFileReader(FileSystem& files, const std::string& path)
    : files_(files), path_(path), size_(sizeOf(files, path)) {}

void LogFileReader::forEach(const std::function<void(const TLogRecord&)>& each) const {
    constexpr std::uintmax_t blockBytes = 4096 * logRecordSize;
    const std::uintmax_t whole = records() * logRecordSize;
    for (std::uintmax_t at = 0; at < whole; at += blockBytes) {
        std::string error;
        const auto block = files_.read(path_, at, std::min(blockBytes, whole - at), error);
        if (!block)
            throw ToolError(error);
        LogRecordBytes record;
        for (auto from = block->begin(); block->end() - from >= std::ptrdiff_t{logRecordSize};
             from += logRecordSize) {
            std::copy_n(from, logRecordSize, record.begin());
            each(decodeLogRecord(record));
        }
    }
}

std::vector<TLogRecord> logRecordsOf(FileSystem& files, const std::string& path) {
    const LogFileReader log(files, path);
    requireAtMost(log.size(), maxInputBytes, "a log to convert");
    std::vector<TLogRecord> records;
    records.reserve(log.records());
    log.forEach([&records](const TLogRecord& r) { records.push_back(r); });
    return records;
}

void writeDataFile(FileSystem& files, const std::string& path, const Bytes& bytes, bool force) {
    if (!force && files.exists(path))
        throw ToolError("already exists (add --force to replace it)");
    std::string error;
    if (!files.replace(path, bytes, error))
        throw ToolError(error);
}

std::string textOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string_view textView(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::vector<TWaypoint> routeEntries(const WaypointRoute& route) {
    std::vector<TWaypoint> entries;
    for (int number = 1; number <= route.countedRoute(); ++number)
        entries.push_back(route[number]);
    return entries;
}

ToolError tooManyRoutePoints(const std::string& count) {
    return ToolError(count + " route points; a route holds at most " +
                     std::to_string(maxWaypoints));
}

WaypointRoute routeOf(const std::vector<TWaypoint>& entries) {
    if (entries.size() > maxWaypoints)
        throw tooManyRoutePoints(std::to_string(entries.size()));
    WaypointRoute route;
    for (int number = 1; number <= static_cast<int>(entries.size()); ++number) {
        if (entries[number - 1].isEnd())
            throw ToolError("route point " + std::to_string(number) +
                            " lies at 0°/0°, which would end the route there");
        route[number] = entries[number - 1];
    }
    return route;
}

std::string numberText(Real48 value) {
    constexpr int mostDigits = 14; // enough for the 40 bits of any Real48
    std::string text;
    for (int digits = 1; digits <= mostDigits; ++digits) {
        text = withDigits(value.value(), digits);
        const auto back = readNumber(text);
        const auto real = back ? Real48::tryFrom(*back) : std::nullopt;
        if (real && real->value() == value.value())
            break;
    }
    return text;
}

Real48 numberValue(std::string_view text, const std::string& what) {
    const auto value = readNumber(text);
    const auto real = value ? Real48::tryFrom(*value) : std::nullopt;
    if (!real)
        throw ToolError(what + ": '" + std::string(text) + "' is not a number");
    return *real;
}

Real48 numberWithin(std::string_view text, const std::string& what, long double limit) {
    const Real48 value = numberValue(text, what);
    if (value.value() < -limit || value.value() > limit)
        throw ToolError(what + ": " + std::string(text) + " is outside -" +
                        numberText(Real48(limit)) + " to " + numberText(Real48(limit)));
    return value;
}

Real48 flippedLongitude(Real48 longitude) {
    return Real48(-longitude.value());
}

std::vector<std::string> rangeProblems(const TWaypoint& waypoint) {
    std::vector<std::string> problems;
    addIfOutside(problems, "latitude", waypoint.Lat, 90);
    addIfOutside(problems, "longitude", waypoint.Lon, 180);
    return problems;
}

std::vector<std::string> rangeProblems(const TLogRecord& record) {
    std::vector<std::string> problems;
    addIfOutside(problems, "latitude", record.Lat, 90);
    addIfOutside(problems, "longitude", record.Lon, 180);
    if (!isDateTime(record.DateTime))
        problems.push_back("date-time " + doubleText(record.DateTime) +
                           " is no date from the year 1 to 9999");
    return problems;
}

void requireInRange(const std::vector<TWaypoint>& entries) {
    requireEachInRange(entries, "waypoint");
}

void requireInRange(const std::vector<TLogRecord>& records) {
    requireEachInRange(records, "record");
}

std::string shownText(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F) {
            appendHex(text, "\\x", byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) { // U+0080 to U+009F
            appendHex(text, "\\u00", next);
            ++i;
        } else {
            text += utf8[i];
        }
    }
    return text;
}

} // namespace brisomar::tool
