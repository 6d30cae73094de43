#pragma once

#include "base/file_system.h"
#include "base/real48.h"
#include "navcalc/waypoint.h"

#include <array>
#include <cstdint>
#include <string>

namespace brisomar {

// The leg from the previous waypoint (nautical miles, degrees, minutes).
struct WaypointLeg {
    Real48 Dist, Dir, Minutes;
};

inline constexpr int maxWaypoints = 100;
inline constexpr std::size_t waypointFileSize = 3000; // 100 entries of five Real48

// How the route is sailed; the route follower (records/active_waypoint) keeps it.
struct RouteSailing {
    int ActiveWaypoint = 0; // the waypoint sailed to, 1..100; 0 while the route is empty
    // Where the route was started: the first leg runs from there.
    bool RouteStarted = false;
    Real48 StartLat, StartLon;
    // The position at the follower's last step since the active waypoint was chosen by hand:
    // a waypoint is passed by crossing its line between two such positions.
    bool HasPrevious = false;
    Real48 PreviousLat, PreviousLon;
    // The last waypoint has been reached and the boat is still within its arrival radius.
    bool Arrived = false;
    bool RouteDone = false; // the last waypoint has been reached and left behind
};

// The one route of the program: 100 entries numbered 1 to 100, the current one and the count
// in use. An entry at exactly 0/0 ends the route wherever it is scanned. The current waypoint
// is the one shown and the one after which the chart sets the next; laying out the route never
// changes the one sailed to, choosing a waypoint in the waypoint window does.
class WaypointRoute {
public:
    TWaypoint& operator[](int number) { return entries_[number - 1]; }
    const TWaypoint& operator[](int number) const { return entries_[number - 1]; }

    int WaypointIndex = 0; // 0 while empty, else 1..100
    int WaypointCount = 0;
    RouteSailing sailing;

    void ClearWaypoints();

    // A route laid out from empty is sailed from its first waypoint; whatever else was laid
    // out leaves the waypoint sailed to as it was.
    void sailFirstOfNewRoute();

    // The route's length as loading counts it: the entries before the first at 0/0.
    int countedRoute() const;

    // Puts `inserted` in as waypoint i + 1 and moves entries i + 1 to 99 one place up; the
    // former i + 1 keeps its position and takes `toNext` as its leg. Refused, the list
    // unchanged, when there is no room: with the 100th entry in use (or a route of 100), the
    // entries moved up would need a 101st.
    bool insertAfter(int i, const TWaypoint& inserted, const WaypointLeg& toNext);

    // Navigation; each gives whether the current waypoint changed, and makes it the one
    // sailed to.
    bool first();
    bool last();
    bool previous();
    bool next();
    bool forward7();
    bool back7();

    // The number to show when the window is activated, or 0 for none.
    int shownOnActivation() const;

    // The .WAY file: the 100 entries, fields Lat, Lon, Dist, Dir, Minutes, no header.
    Bytes toFile() const;
    static WaypointRoute fromFile(const Bytes& block); // `block` holds at least 3000 bytes

private:
    bool goTo(int number);

    std::array<TWaypoint, maxWaypoints> entries_{};
};

// The line that shows waypoint k: "Nr:k LAT ... LON ... Dir:.. NM:.. Minutes:.. ".
std::string waypointLine(int number, const TWaypoint& waypoint, char decimalSeparator);

// How loading or saving a route went.
enum class WaypointFileResult { Done, Ignored, IoError, NoValues };

// Loads a .WAY file into `route` (the list stays as it was on any failure); other extensions
// are ignored. A route loaded is a new route, sailed from its first waypoint.
WaypointFileResult loadWaypoints(FileSystem& files, const std::string& path, WaypointRoute& route);
// Saves the whole list at once, so a failed save leaves the previous file; other extensions
// are ignored.
WaypointFileResult saveWaypoints(FileSystem& files, const std::string& path,
                                 const WaypointRoute& route);

} // namespace brisomar
