#include "tools/tool_files.h"

#include "app/number_text.h"
#include "charts/map_file.h"
#include "navcalc/boat_tables.h"

#include <algorithm>
#include <cctype>
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

void requireWholeRecords(std::uintmax_t size) {
    if (size % logRecordSize == 0)
        return;
    const auto whole = size / logRecordSize;
    throw ToolError(sizeText(size) + " is not a whole number of " + std::to_string(logRecordSize) +
                    "-byte log records (" + std::to_string(whole) + " whole record" +
                    (whole == 1 ? "" : "s") + ")");
}

void checkSize(FileKind kind, std::uintmax_t size) {
    switch (kind) {
    case FileKind::Map:
        return requireAtLeast(size, mapFileSize, "a map file");
    case FileKind::Way:
        return requireAtLeast(size, waypointFileSize, "a route file");
    case FileKind::Speed:
    case FileKind::Leeway:
        return requireAtLeast(size, boatTableFileSize, "a boat table");
    case FileKind::Log:
        return requireWholeRecords(size);
    default:
        return;
    }
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
    std::string error;
    const auto size = files.size(path, error);
    if (!size)
        throw ToolError(error);
    checkSize(kindOf(path), *size);
    auto bytes = files.read(path, 0, *size, error);
    if (!bytes)
        throw ToolError(error);
    return *bytes;
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

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::vector<TLogRecord> decodeLogFile(const Bytes& bytes) {
    std::vector<TLogRecord> records;
    for (auto at = bytes.begin(); bytes.end() - at >= std::ptrdiff_t{logRecordSize};
         at += logRecordSize) {
        LogRecordBytes record;
        std::copy_n(at, logRecordSize, record.begin());
        records.push_back(decodeLogRecord(record));
    }
    return records;
}

std::vector<TWaypoint> routeEntries(const WaypointRoute& route) {
    std::vector<TWaypoint> entries;
    for (int number = 1; number <= route.countedRoute(); ++number)
        entries.push_back(route[number]);
    return entries;
}

WaypointRoute routeOf(const std::vector<TWaypoint>& entries) {
    if (entries.size() > maxWaypoints)
        throw ToolError(std::to_string(entries.size()) + " route points; a route holds at most " +
                        std::to_string(maxWaypoints));
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

} // namespace brisomar::tool
