#pragma once

#include "base/file_system.h"
#include "charts/chart_state.h"

#include <optional>
#include <string>

namespace brisomar {

// The .MAP file: 25 records of 652 bytes, no header, little-endian.
//   0 256 FileName: length byte + 255 bytes (Windows-1252)   256 256 InfoText, the same
//   512 42 CalLat[1..7] Real48   554 42 CalLon[1..7] Real48
//   596 28 CalRow[1..7] int32    624 28 CalCol[1..7] int32
inline constexpr std::size_t mapRecordSize = 652;
inline constexpr std::size_t mapFileSize = mapRecordSize * mapRecordCount; // 16300

// Texts longer than 255 bytes in the code page are cut; unused bytes are written as 0.
Bytes encodeMapFile(const MapTable& table);
// Reads the first 16300 bytes; nothing when there are fewer.
std::optional<MapTable> decodeMapFile(const Bytes& bytes);

// Reads a map file whole; nothing (and `error` says why) when it cannot be read.
std::optional<MapTable> readMapFile(FileSystem& files, const std::string& path, std::string& error);

} // namespace brisomar
