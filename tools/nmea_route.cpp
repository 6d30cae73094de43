#include "tools/nmea_route.h"

#include "alarms/alarm_monitor.h"
#include "base/number_text.h"
#include "input/nmea_output.h"
#include "records/active_waypoint.h"
#include "tools/tool_files.h"

namespace brisomar::tool {

std::optional<GeoPoint> readToolPosition(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto lat = readNumber(text.substr(0, comma));
    const auto lon = readNumber(text.substr(comma + 1));
    if (!lat || !lon || std::abs(*lat) > 90 || std::abs(*lon) > 180)
        return std::nullopt;
    return GeoPoint{Real48(*lat), Real48(-*lon)};
}

// The boat has a fix this instant: the sentences say so.
std::string routeSentencesAt(FileSystem& files, const std::string& path, GeoPoint from,
                             long double speedKnots) {
    WaypointRoute route = aboutFile(path, [&] {
        WaypointRoute read = WaypointRoute::fromFile(readDataFile(files, path));
        requireInRange(routeEntries(read));
        if (read.countedRoute() == 0)
            throw ToolError("the route has no waypoints");
        return read;
    });
    route.WaypointCount = route.countedRoute();
    route.WaypointIndex = 1;
    route.sailFirstOfNewRoute();
    NavState nav;
    nav.GpsFixReceived = true;
    nav.PosLat = from.lat;
    nav.PosLon = from.lon;
    nav.PosSpeed = Real48(speedKnots);
    nav.PosCourse = Real48(WaypointBearing(from, {route[1].Lat, route[1].Lon}).bearing);
    FollowRoute(route, nav, 0, AlarmLimits{}.ArrivalRadius.value());
    return routeSentences(nav);
}

} // namespace brisomar::tool
