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

pugi::xml_node firstRoute(std::string_view text, pugi::xml_document& document) {
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed)
        throw ToolError("not XML: " + std::string(parsed.description()) + " at byte " +
                        std::to_string(parsed.offset));
    const pugi::xml_node gpx = document.document_element();
    if (std::string_view(gpx.name()) != "gpx")
        throw ToolError("the document is <" + std::string(gpx.name()) + ">, not <gpx>");
    const pugi::xml_node route = gpx.child("rte");
    if (!route)
        throw ToolError("no route <rte> in the document");
    return route;
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

WaypointRoute routeFromGpx(std::string_view text) {
    pugi::xml_document document;
    std::vector<TWaypoint> entries;
    for (const pugi::xml_node point : firstRoute(text, document).children("rtept")) {
        const int number = static_cast<int>(entries.size()) + 1;
        const Real48 lat = coordinate(point, number, "lat", 90);
        const Real48 lon = flippedLongitude(coordinate(point, number, "lon", 180));
        entries.push_back(waypointAfter(entries.empty() ? nullptr : &entries.back(), lat, lon));
    }
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
