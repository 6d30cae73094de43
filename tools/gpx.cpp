#include "tools/gpx.h"

#include "navcalc/navigation_math.h"
#include "tools/local_time.h"
#include "tools/tool_files.h"

#include <pugixml.hpp>

#include <sstream>

namespace brisomar::tool {

namespace {

// An empty GPX document; gives its root.
pugi::xml_node startGpx(pugi::xml_document& document) {
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node gpx = document.append_child("gpx");
    gpx.append_attribute("version") = "1.1";
    gpx.append_attribute("creator") = "brisomar-tool";
    gpx.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
    return gpx;
}

std::string documentText(const pugi::xml_document& document) {
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return text.str();
}

pugi::xml_node appendPoint(pugi::xml_node parent, const char* name, Real48 lat, Real48 lon) {
    pugi::xml_node point = parent.append_child(name);
    point.append_attribute("lat") = numberText(lat).c_str();
    point.append_attribute("lon") = numberText(flippedLongitude(lon)).c_str();
    return point;
}

void appendText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text() = text.c_str();
}

std::string routeNotEndedReason() {
    return "no route <rte> ends within the first " + std::to_string(mostGpxRouteBytes) +
           " bytes, where a route in GPX must end";
}

// The first <rte> element, and whether its end was read.
struct FirstRoute {
    pugi::xml_node element;
    bool ended;
};

// Put after a text cut after a '>': it lands in the innermost element left open there, so that
// a route ended before the cut has an element after it.
constexpr std::string_view cutMark = "<cut/>";

// Whether a parse failed only for the elements left open at the end of the text.
bool failedOnlyForTheCut(const pugi::xml_parse_result& parsed, std::size_t size) {
    return parsed.status == pugi::status_end_element_mismatch &&
           parsed.offset + 1 >= static_cast<std::ptrdiff_t>(size);
}

// pugixml keeps the elements read before a failure: those of a text cut short are used.
FirstRoute firstRoute(std::string_view text, bool cut, pugi::xml_document& document) {
    const std::string marked = cut ? std::string(text).append(cutMark) : std::string();
    const std::string_view parsedText = cut ? std::string_view(marked) : text;
    const pugi::xml_parse_result parsed =
        document.load_buffer(parsedText.data(), parsedText.size());
    const pugi::xml_node gpx = document.document_element();
    const pugi::xml_node route = gpx.child("rte");
    const bool ended = parsed || route.next_sibling();
    // Of a text cut short, what follows the route is not needed.
    if (!parsed && !(cut && (ended || failedOnlyForTheCut(parsed, parsedText.size()))))
        throw ToolError("not XML: " + std::string(parsed.description()) + " at byte " +
                        std::to_string(parsed.offset));
    if (std::string_view(gpx.name()) != "gpx")
        throw ToolError("the document is <" + std::string(gpx.name()) + ">, not <gpx>");
    if (!route)
        throw ToolError(parsed ? "no route <rte> in the document" : routeNotEndedReason());
    return {route, ended};
}

Real48 coordinate(pugi::xml_node point, int number, const char* name, long double limit) {
    const pugi::xml_attribute attribute = point.attribute(name);
    const std::string what = "route point " + std::to_string(number) + " " + name;
    if (!attribute)
        throw ToolError(what + ": missing");
    return numberWithin(attribute.value(), what, limit);
}

// A point with the leg from `previous` (none for the first).
TWaypoint waypointAfter(const TWaypoint* previous, Real48 lat, Real48 lon) {
    TWaypoint w{lat, lon, Real48(), Real48(), Real48()};
    if (previous) {
        w.Dist = DistanceNm(previous->Lat, previous->Lon, lat, lon);
        w.Dir = CourseBetween(previous->Lat, previous->Lon, lat, lon);
    }
    return w;
}

} // namespace

std::string routeToGpx(const WaypointRoute& route) {
    pugi::xml_document document;
    pugi::xml_node rte = startGpx(document).append_child("rte");
    for (const TWaypoint& w : routeEntries(route))
        appendPoint(rte, "rtept", w.Lat, w.Lon);
    return documentText(document);
}

WaypointRoute routeFromGpx(std::string_view text, bool cut) {
    pugi::xml_document document;
    const FirstRoute route = firstRoute(text, cut, document);
    std::vector<TWaypoint> entries;
    for (const pugi::xml_node point : route.element.children("rtept")) {
        const int number = static_cast<int>(entries.size()) + 1;
        const Real48 lat = coordinate(point, number, "lat", 90);
        const Real48 lon = flippedLongitude(coordinate(point, number, "lon", 180));
        entries.push_back(waypointAfter(entries.empty() ? nullptr : &entries.back(), lat, lon));
    }
    if (!route.ended && entries.size() > maxWaypoints)
        throw tooManyRoutePoints("more than " + std::to_string(maxWaypoints));
    if (!route.ended)
        throw ToolError(routeNotEndedReason());
    return routeOf(entries);
}

std::string logToGpx(const std::vector<TLogRecord>& records) {
    pugi::xml_document document;
    pugi::xml_node segment = startGpx(document).append_child("trk").append_child("trkseg");
    for (const TLogRecord& r : records) {
        pugi::xml_node point = appendPoint(segment, "trkpt", r.Lat, r.Lon);
        appendText(point, "time", utcTimeText(r.DateTime));
        if (!r.Text.empty())
            appendText(point, "name", r.Text);
        appendText(point, "desc",
                   "course " + numberText(r.Course) + " speed " + numberText(r.Speed) + " kn");
    }
    return documentText(document);
}

} // namespace brisomar::tool
