#pragma once

#include "base/file_system.h"
#include "base/real48.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// A boat performance table: [wind force 1..5 = 4, 8, 12, 16, 20 knots][wind angle 1..16 =
// 30°, 40° ... 180°], speeds in knots or leeway in degrees. Indices here count from 0.
inline constexpr int tableForces = 5;
inline constexpr int tableAngles = 16;
using BoatTable = std::array<std::array<Real48, tableAngles>, tableForces>;

struct BoatTables {
    BoatTable SpeedTable{};
    BoatTable LeewayTable{};
    // The file each table was last loaded from; empty once it is set from the grid or defaults.
    std::string SpeedFile{}, LeewayFile{};
};

BoatTable defaultSpeedTable();
BoatTable defaultLeewayTable();

// Bilinear interpolation in the speed table ("speed") or the leeway table (any other name),
// from zero below 4 knots and below 30°; force clamped to 0..20, angle to 0..180, result 0..90.
Real48 BoatTableLookup(const BoatTables& tables, std::string_view tableName, Real48 force,
                       Real48 angle);
// The same in one table, as the heading searches call it: the value the Real48 result holds.
long double interpolateBoatTable(const BoatTable& table, long double force, long double angle);
// The lookup in two steps: first along the force, in every angle column, then along the angle
// between two of those columns. A heading search, whose wind force is the same for every
// heading, takes the first step once.
using BoatTableColumns = std::array<long double, tableAngles>;
BoatTableColumns columnsAtForce(const BoatTable& table, long double force);
long double interpolateAtAngle(const BoatTableColumns& columns, long double angle);

// A grid cell as typed: "." or "," as the decimal separator (not both), unreadable parts 0,
// then raised to `low` or lowered to `high`.
Real48 ParseTableCell(std::string_view text, Real48 low, Real48 high);

// A cell as the grid shows it: "00.0".
std::string tableCellText(Real48 value, char decimalSeparator);

// The grid's headings: " 04 knots" ... over the columns, "Windage 30°" ... beside the rows.
std::string forceHeading(int force); // 1..5
std::string angleHeading(int angle); // 1..16
inline constexpr const char* cornerHeading = "Windforce->";

// The .SPE and .LEE files: the 80 values, 4 knots with every angle first, as Real48.
inline constexpr std::size_t boatTableFileSize = 480;
Bytes encodeBoatTable(const BoatTable& table);
std::optional<BoatTable> decodeBoatTable(const Bytes& bytes); // the first 480 bytes

// Whether a file of that name can be opened for reading (an empty name cannot).
bool FileReadable(FileSystem& files, const std::string& path);

enum class BoatFileResult { Done, Ignored, IoError };
// Loads a table from a file with the given extension (".SPE" or ".LEE", any case); other
// names and unreadable files are ignored, a short file is an I/O error; the table changes only
// on success.
BoatFileResult loadBoatTable(FileSystem& files, const std::string& path, std::string_view extension,
                             BoatTable& table);
// Saves a table whole, so a failed save leaves the previous file.
BoatFileResult saveBoatTable(FileSystem& files, const std::string& path, std::string_view extension,
                             const BoatTable& table);

} // namespace brisomar
