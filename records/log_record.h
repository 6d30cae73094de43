#pragma once

#include "base/real48.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace brisomar {

// One logbook entry as the log file stores it: 288 bytes, little-endian.
//   0  256  Text: length byte, then up to 255 bytes of Windows-1252 text
//   256  6  Lat (north positive)   262  6  Lon (west positive)
//   268  6  Course (degrees)       274  6  Speed (knots)
//   280  8  DateTime: IEEE double, days since 1899-12-30, local time
struct TLogRecord {
    std::string Text; // UTF-8 in memory
    Real48 Lat, Lon, Course, Speed;
    double DateTime = 0;
};

inline constexpr std::size_t logRecordSize = 288;
using LogRecordBytes = std::array<std::uint8_t, logRecordSize>;

// The text is cut to 255 characters of the code page; unused text bytes are written as 0.
LogRecordBytes encodeLogRecord(const TLogRecord& record);
TLogRecord decodeLogRecord(const LogRecordBytes& bytes);

} // namespace brisomar
