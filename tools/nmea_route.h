#pragma once

#include "base/file_system.h"
#include "navcalc/geodesy.h"

#include <optional>
#include <string>
#include <string_view>

namespace brisomar::tool {

// "LAT,LON" in decimal degrees, latitude north positive and longitude EAST positive, as GPX and
// CSV have them; the navigator's position (longitude west positive), or nothing when the text
// is no position.
std::optional<GeoPoint> readToolPosition(std::string_view text);

// The route sentences the navigator sends for the route of the .WAY file `path` with the boat
// at `from`, heading for its first waypoint at `speedKnots`, the route started there: its first
// leg, unless the boat is already within the arrival radius of that waypoint. Throws ToolError
// for a file that is no route.
std::string routeSentencesAt(FileSystem& files, const std::string& path, GeoPoint from,
                             long double speedKnots);

} // namespace brisomar::tool
