#include "tools/ais_decode.h"

#include "ais/ais_reader.h"
#include "tools/tool_files.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <ostream>

namespace brisomar::tool {

namespace {

using Json = nlohmann::ordered_json;

// Degrees to a ten-millionth, the fineness of the report and no noise beyond.
double degrees(double d) {
    return std::round(d * 1e7) / 1e7;
}

double tenths(double v) {
    return std::round(v * 10) / 10;
}

template <typename T> void add(Json& j, const char* key, const std::optional<T>& value) {
    if (value)
        j[key] = *value;
}

void add(Json& j, const char* key, const std::optional<double>& value, double (*shown)(double)) {
    if (value)
        j[key] = shown(*value);
}

} // namespace

std::string aisMessageJson(const AisMessage& m) {
    Json j;
    j["type"] = m.type;
    j["mmsi"] = m.mmsi;
    add(j, "lat", m.lat, degrees);
    add(j, "lon", m.lon, degrees);
    add(j, "speed", m.speed, tenths);
    add(j, "course", m.course, tenths);
    add(j, "heading", m.heading);
    add(j, "status", m.status);
    add(j, "turn", m.turn);
    add(j, "accuracy", m.accuracy);
    add(j, "second", m.second);
    add(j, "shipname", m.shipname);
    add(j, "callsign", m.callsign);
    add(j, "imo", m.imo);
    add(j, "shiptype", m.shiptype);
    add(j, "to_bow", m.toBow);
    add(j, "to_stern", m.toStern);
    add(j, "to_port", m.toPort);
    add(j, "to_starboard", m.toStarboard);
    add(j, "draught", m.draught, tenths);
    add(j, "destination", m.destination);
    add(j, "eta", m.eta);
    add(j, "aid_type", m.aidType);
    add(j, "name", m.name);
    add(j, "off_position", m.offPosition);
    add(j, "virtual_aid", m.virtualAid);
    add(j, "text", m.text);
    add(j, "alt", m.alt);
    // Six-bit text holds no byte that is not ASCII; a replacement keeps any other safe.
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

int decodeAisRecording(std::string_view recording, std::ostream& out, std::ostream& err) {
    AisReader reader;
    int refused = 0;
    std::size_t number = 0;
    while (!recording.empty()) {
        const std::size_t end = recording.find('\n');
        std::string_view line = recording.substr(0, end);
        recording.remove_prefix(end == std::string_view::npos ? recording.size() : end + 1);
        ++number;
        const std::size_t start = line.find('!');
        if (start == std::string_view::npos)
            continue;
        line.remove_prefix(start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        // A recording has no times: fragments wait for their message however long it takes.
        const AisReading reading = reader.read(line, std::chrono::milliseconds{0});
        if (reading.message)
            out << aisMessageJson(*reading.message) << '\n';
        else if (!reading.refusal.empty()) {
            err << "line " << number << ": " << reading.refusal << '\n';
            ++refused;
        }
    }
    return refused;
}

int decodeAisFile(FileSystem& files, const std::string& path, std::ostream& out,
                  std::ostream& err) {
    const std::string text = aboutFile(path, [&] { return textOf(readDataFile(files, path)); });
    return decodeAisRecording(text, out, err);
}

} // namespace brisomar::tool
