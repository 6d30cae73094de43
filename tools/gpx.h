#pragma once

#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// GPX 1.1 (decimal degrees, longitude east positive as GPX has it).

// The route as <rte> of <rtept lat lon>.
std::string routeToGpx(const WaypointRoute& route);
// A route is looked for in a GPX file's first 512 KB only, far more than 100 points take.
inline constexpr std::size_t mostGpxRouteBytes = 1 << 19;

// The points of the first <rte>, each leg's distance and course computed from the previous
// point (0 for the first), minutes 0. Throws ToolError for a document that is no GPX route or
// has more than 100 points. When `text` is only the document's first bytes, `cut` after a '>',
// the route must end within them, or be refused for holding more than 100 points there.
WaypointRoute routeFromGpx(std::string_view text, bool cut = false);

// The log as one track segment: each record a <trkpt> with its time in UTC (the machine's time
// zone), its text as <name> and its course and speed as <desc>.
std::string logToGpx(const std::vector<TLogRecord>& records);

} // namespace brisomar::tool
