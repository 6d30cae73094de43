#pragma once

#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// GPX 1.1 (decimal degrees, longitude east positive as GPX has it).

// The route as <rte> of <rtept lat lon>.
std::string routeToGpx(const WaypointRoute& route);
// The points of the first <rte>, each leg's distance and course computed from the previous
// point (0 for the first), minutes 0. Throws ToolError for a document that is no GPX route or
// has more than 100 points.
WaypointRoute routeFromGpx(std::string_view text);

// The log as one track segment: each record a <trkpt> with its time in UTC (the machine's time
// zone), its text as <name> and its course and speed as <desc>.
std::string logToGpx(const std::vector<TLogRecord>& records);

} // namespace brisomar::tool
