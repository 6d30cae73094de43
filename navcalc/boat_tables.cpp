#include "navcalc/boat_tables.h"

#include "base/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace brisomar {

namespace {

// Speeds in knots by wind force (4 .. 20 knots), each over the angles 30° .. 180°.
constexpr long double defaultSpeeds[tableForces][tableAngles] = {
    {2.0, 3.0, 3.5, 3.8, 4.0, 4.1, 4.2, 4.3, 4.3, 4.0, 3.6, 3.3, 2.9, 2.5, 2.3, 2.2},
    {3.9, 5.1, 5.9, 6.2, 6.3, 6.5, 6.7, 6.9, 6.8, 6.6, 6.3, 5.8, 5.3, 4.7, 4.3, 4.1},
    {5.3, 6.4, 6.8, 7.1, 7.2, 7.3, 7.5, 7.7, 7.8, 7.8, 7.5, 7.2, 6.8, 6.5, 6.0, 5.8},
    {5.6, 6.6, 7.0, 7.4, 7.6, 7.9, 8.1, 8.3, 8.4, 8.4, 8.3, 8.1, 7.7, 7.4, 7.2, 7.0},
    {6.0, 6.8, 7.1, 7.5, 7.8, 8.1, 8.4, 8.7, 8.9, 9.0, 9.1, 8.9, 8.5, 8.3, 8.0, 7.9}};

// Leeway in degrees by wind force; none from 130° on.
constexpr long double defaultLeeways[tableForces][tableAngles] = {{1, 1, 1, 1, 1, 1, 0, 0, 0, 0},
                                                                  {2, 2, 2, 1, 1, 1, 1, 0, 0, 0},
                                                                  {3, 3, 3, 2, 1, 1, 1, 1, 0, 0},
                                                                  {4, 3, 3, 2, 2, 1, 1, 1, 1, 0},
                                                                  {5, 4, 4, 3, 2, 2, 1, 1, 1, 1}};

BoatTable tableOf(const long double (&values)[tableForces][tableAngles]) {
    BoatTable table;
    for (int f = 0; f < tableForces; ++f)
        for (int a = 0; a < tableAngles; ++a)
            table[f][a] = Real48(values[f][a]);
    return table;
}

// Element [force 1..5, angle 1..16] as the lookup numbers them.
long double element(const BoatTable& t, int force, int angle) {
    return t[force - 1][angle - 1];
}

int forceCell(long double force) {
    for (const int g : {4, 8, 12, 16})
        if (force < g)
            return g - 4;
    return 16;
}

int angleCell(long double angle) {
    if (angle < 30)
        return 0;
    return std::min(170, static_cast<int>(angle / 10) * 10);
}

// A number read whole, or 0.
long double numberOrZero(std::string_view text) {
    return readNumber(text).value_or(0.0L);
}

bool sameExtension(const std::string& path, std::string_view extension) {
    std::string own = extensionOf(path);
    std::transform(own.begin(), own.end(), own.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return own == extension;
}

} // namespace

BoatTable defaultSpeedTable() {
    return tableOf(defaultSpeeds);
}

BoatTable defaultLeewayTable() {
    return tableOf(defaultLeeways);
}

BoatTableColumns columnsAtForce(const BoatTable& t, long double forceIn) {
    const long double force = std::clamp<long double>(forceIn, 0, 20);
    const int g = forceCell(force), m = g / 4, r = m + 1;
    const long double tf = Real48::rounded((force - g) * 0.25L);
    BoatTableColumns columns;
    // Between rows m and r, from zero below the first row.
    for (int column = 1; column <= tableAngles; ++column) {
        const long double upper = element(t, m > 0 ? r : 1, column);
        if (m == 0) {
            columns[column - 1] = Real48::rounded(tf * upper);
        } else {
            const long double lower = element(t, m, column);
            columns[column - 1] = Real48::rounded(lower + tf * (upper - lower));
        }
    }
    return columns;
}

long double interpolateAtAngle(const BoatTableColumns& columns, long double angleIn) {
    const long double angle = std::clamp<long double>(angleIn, 0, 180);
    const int a = angleCell(angle);
    const int b = a / 10 > 2 ? a / 10 - 2 : a / 10, d = b + 1;
    const long double ta = Real48::rounded((angle - a) * 0.1L);
    const long double high = columns[d - 1], low = b > 0 ? columns[b - 1] : 0;
    const long double result =
        b > 0 ? low + ta * (high - low) : low + (high - low) * ta * (1.0L / 3);
    return Real48::rounded(std::clamp<long double>(result, 0, 90));
}

long double interpolateBoatTable(const BoatTable& t, long double force, long double angle) {
    return interpolateAtAngle(columnsAtForce(t, force), angle);
}

Real48 BoatTableLookup(const BoatTables& tables, std::string_view tableName, Real48 force,
                       Real48 angle) {
    return Real48(interpolateBoatTable(
        tableName == "speed" ? tables.SpeedTable : tables.LeewayTable, force, angle));
}

Real48 ParseTableCell(std::string_view text, Real48 low, Real48 high) {
    const auto comma = text.find(','), point = text.find('.');
    long double value = 0;
    if (comma != std::string_view::npos && point != std::string_view::npos) {
        value = 0;
    } else if (comma == std::string_view::npos && point == std::string_view::npos) {
        value = numberOrZero(text);
    } else {
        const auto separator = std::min(comma, point);
        const std::string_view digits = text.substr(separator + 1);
        value = numberOrZero(text.substr(0, separator));
        const bool allDigits =
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits.empty() && allDigits)
            value += numberOrZero("0." + std::string(digits));
    }
    return Real48(std::clamp<long double>(value, low, high));
}

std::string tableCellText(Real48 value, char decimalSeparator) {
    return FormatFloat("00.0", value, decimalSeparator);
}

std::string forceHeading(int force) {
    const int knots = 4 * force;
    return std::string(knots < 10 ? " 0" : " ") + std::to_string(knots) + " knots";
}

std::string angleHeading(int angle) {
    return "Windage " + std::to_string(20 + 10 * angle) + "°";
}

Bytes encodeBoatTable(const BoatTable& table) {
    Bytes bytes;
    bytes.reserve(boatTableFileSize);
    for (const auto& force : table)
        for (const Real48& value : force)
            bytes.insert(bytes.end(), value.bytes().begin(), value.bytes().end());
    return bytes;
}

std::optional<BoatTable> decodeBoatTable(const Bytes& bytes) {
    if (bytes.size() < boatTableFileSize)
        return std::nullopt;
    BoatTable table;
    auto at = bytes.begin();
    for (auto& force : table)
        for (Real48& value : force) {
            Real48::Bytes raw;
            std::copy_n(at, raw.size(), raw.begin());
            value = Real48::fromBytes(raw);
            at += raw.size();
        }
    return table;
}

bool FileReadable(FileSystem& files, const std::string& path) {
    std::string error;
    return !path.empty() && files.read(path, 0, 0, error).has_value();
}

BoatFileResult loadBoatTable(FileSystem& files, const std::string& path, std::string_view extension,
                             BoatTable& table) {
    if (!FileReadable(files, path) || !sameExtension(path, extension))
        return BoatFileResult::Ignored;
    std::string error;
    const auto bytes = files.read(path, 0, boatTableFileSize, error);
    const auto loaded = bytes ? decodeBoatTable(*bytes) : std::nullopt;
    if (!loaded)
        return BoatFileResult::IoError;
    table = *loaded;
    return BoatFileResult::Done;
}

BoatFileResult saveBoatTable(FileSystem& files, const std::string& path, std::string_view extension,
                             const BoatTable& table) {
    if (!sameExtension(path, extension))
        return BoatFileResult::Ignored;
    std::string error;
    return files.replace(path, encodeBoatTable(table), error) ? BoatFileResult::Done
                                                              : BoatFileResult::IoError;
}

} // namespace brisomar
