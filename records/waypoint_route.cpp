#include "records/waypoint_route.h"

#include "base/coord_text.h"
#include "base/number_text.h"

#include <algorithm>
#include <cctype>

namespace brisomar {

namespace {

bool hasWayExtension(const std::string& path) {
    std::string extension = extensionOf(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".WAY";
}

} // namespace

void WaypointRoute::ClearWaypoints() {
    *this = WaypointRoute{};
}

void WaypointRoute::sailFirstOfNewRoute() {
    if (sailing.ActiveWaypoint == 0 && WaypointCount > 0) {
        sailing = RouteSailing{};
        sailing.ActiveWaypoint = 1;
    }
}

int WaypointRoute::countedRoute() const {
    const auto end = std::find_if(entries_.begin(), entries_.end(),
                                  [](const TWaypoint& w) { return w.isEnd(); });
    return static_cast<int>(end - entries_.begin());
}

bool WaypointRoute::insertAfter(int i, const TWaypoint& inserted, const WaypointLeg& toNext) {
    if (i < 1 || i + 2 > maxWaypoints || WaypointCount >= maxWaypoints ||
        !(*this)[maxWaypoints].isEnd())
        return false;
    std::move_backward(entries_.begin() + i, entries_.end() - 1, entries_.end());
    (*this)[i + 1] = inserted;
    TWaypoint& next = (*this)[i + 2];
    next.Dist = toNext.Dist;
    next.Dir = toNext.Dir;
    next.Minutes = toNext.Minutes;
    ++WaypointCount;
    if (sailing.ActiveWaypoint > i)
        ++sailing.ActiveWaypoint; // the same waypoint, moved up
    return true;
}

// A waypoint chosen by hand is sailed to afresh, reached only by what the boat does from now
// on; going back to the first restarts the route from where the boat is.
bool WaypointRoute::goTo(int number) {
    WaypointIndex = number;
    sailing.ActiveWaypoint = number;
    sailing.RouteStarted = sailing.RouteStarted && number != 1;
    sailing.HasPrevious = false;
    sailing.Arrived = sailing.RouteDone = false;
    return true;
}

// The first and the last may be the current waypoint yet not the one sailed to: choosing them
// then sails to them.
bool WaypointRoute::first() {
    return WaypointCount > 0 && (WaypointIndex > 1 || sailing.ActiveWaypoint != 1) && goTo(1);
}

bool WaypointRoute::last() {
    return WaypointCount > 0 &&
           (WaypointIndex < WaypointCount || sailing.ActiveWaypoint != WaypointCount) &&
           goTo(WaypointCount);
}

bool WaypointRoute::previous() {
    return WaypointIndex >= 2 && goTo(WaypointIndex - 1);
}

bool WaypointRoute::next() {
    return WaypointCount > 0 && WaypointIndex < WaypointCount && goTo(WaypointIndex + 1);
}

bool WaypointRoute::forward7() {
    return WaypointCount > 0 && WaypointIndex < WaypointCount &&
           goTo(std::min(WaypointIndex + 7, WaypointCount));
}

bool WaypointRoute::back7() {
    return WaypointIndex >= 2 && goTo(std::max(WaypointIndex - 7, 1));
}

int WaypointRoute::shownOnActivation() const {
    if (WaypointCount <= 0)
        return 0;
    return WaypointIndex >= 1 && WaypointIndex <= WaypointCount ? WaypointIndex : WaypointCount;
}

Bytes WaypointRoute::toFile() const {
    Bytes block;
    block.reserve(waypointFileSize);
    for (const TWaypoint& w : entries_)
        for (const Real48& field : {w.Lat, w.Lon, w.Dist, w.Dir, w.Minutes})
            block.insert(block.end(), field.bytes().begin(), field.bytes().end());
    return block;
}

WaypointRoute WaypointRoute::fromFile(const Bytes& block) {
    WaypointRoute route;
    auto at = block.begin();
    const auto take = [&at] {
        Real48::Bytes raw;
        std::copy_n(at, raw.size(), raw.begin());
        at += raw.size();
        return Real48::fromBytes(raw);
    };
    for (TWaypoint& w : route.entries_)
        for (Real48* field : {&w.Lat, &w.Lon, &w.Dist, &w.Dir, &w.Minutes})
            *field = take();
    return route;
}

std::string waypointLine(int number, const TWaypoint& w, char separator) {
    return "Nr:" + std::to_string(number) + " " + LatToText(w.Lat) + " " + LonToText(w.Lon) + " " +
           "Dir:" + FormatFloat("0.0", w.Dir, separator) + " " +
           "NM:" + FormatFloat("0.0", w.Dist, separator) + " " +
           "Minutes:" + FormatFloat("0.0", w.Minutes, separator) + " ";
}

WaypointFileResult loadWaypoints(FileSystem& files, const std::string& path, WaypointRoute& route) {
    if (!hasWayExtension(path) || !files.exists(path))
        return WaypointFileResult::Ignored;
    std::string error;
    const auto block = files.read(path, 0, waypointFileSize, error);
    if (!block || block->size() < waypointFileSize)
        return WaypointFileResult::IoError;
    WaypointRoute loaded = WaypointRoute::fromFile(*block);
    const int count = loaded.countedRoute();
    if (count == 0)
        return WaypointFileResult::NoValues;
    loaded.WaypointCount = count;
    loaded.WaypointIndex = 1;
    loaded.sailFirstOfNewRoute();
    route = loaded;
    return WaypointFileResult::Done;
}

WaypointFileResult saveWaypoints(FileSystem& files, const std::string& path,
                                 const WaypointRoute& route) {
    if (!hasWayExtension(path))
        return WaypointFileResult::Ignored;
    std::string error;
    return files.replace(path, route.toFile(), error) ? WaypointFileResult::Done
                                                      : WaypointFileResult::IoError;
}

} // namespace brisomar
