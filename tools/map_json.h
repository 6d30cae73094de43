#pragma once

#include "charts/chart_state.h"

#include <string>
#include <string_view>

namespace brisomar::tool {

// A map file as JSON: {"records": [{"record": 1, "fileName": "...", "infoText": "...",
// "calLat": [7 numbers], "calLon": [7], "calRow": [7 integers], "calCol": [7]}, ...]}.
// Every record is written, its numbers as the file holds them (longitudes west positive) and
// reading back to the file's exact values.
std::string mapToJson(const MapTable& table);

// Records may be fewer than 25 (the others stay empty) and fields may be left out (empty, 0);
// "record" places a record, by default the one after the previous. Throws ToolError naming
// the field at fault.
MapTable mapFromJson(std::string_view text);

} // namespace brisomar::tool
