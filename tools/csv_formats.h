#pragma once

#include "navcalc/boat_tables.h"
#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// The navigator's files as comma-separated values. Positions are decimal degrees, latitude
// north positive and longitude EAST positive; numbers read back to the file's exact values.
// Reading throws ToolError naming the row and field at fault.

// The most rows a route or a table in CSV can use, its header included: a reader stops there.
inline constexpr std::size_t mostRouteCsvRows = 1 + maxWaypoints;
inline constexpr std::size_t mostTableCsvRows = 1 + tableAngles;

// "number,latitude,longitude,distance_nm,course,minutes", one row per route entry.
std::string routeToCsv(const WaypointRoute& route);
WaypointRoute routeFromCsv(std::string_view text);

// "record,date_time_local,latitude,longitude,course,speed_kn,text".
std::string logToCsv(const std::vector<TLogRecord>& records);

// The grid as the boat sheet shows it: the wind forces across, the wind angles down.
std::string tableToCsv(const BoatTable& table);
BoatTable tableFromCsv(std::string_view text);

} // namespace brisomar::tool
