#include "ais/ais_texts.h"

#include <chrono>
#include <cstdio>

namespace brisomar {

namespace {

const std::string unknown = "-";

template <typename T> std::string fixed(const std::optional<T>& value, const char* format) {
    if (!value)
        return unknown;
    char text[48];
    std::snprintf(text, sizeof text, format, static_cast<double>(*value));
    return text;
}

std::string nonEmpty(const std::string& text) {
    return text.empty() ? unknown : text;
}

std::optional<long double> rangeOf(const AisTarget& t) {
    return t.approach ? std::optional(t.approach->rangeNm) : std::nullopt;
}
std::optional<long double> bearingOf(const AisTarget& t) {
    return t.approach ? std::optional(t.approach->bearing) : std::nullopt;
}
std::optional<long double> cpaOf(const AisTarget& t) {
    return t.approach ? std::optional(t.approach->cpaNm) : std::nullopt;
}
std::optional<long double> tcpaOf(const AisTarget& t) {
    return t.approach ? std::optional(t.approach->tcpaMinutes) : std::nullopt;
}

const char* className(AisKind kind) {
    switch (kind) {
    case AisKind::classA:
        return "A";
    case AisKind::classB:
        return "B";
    case AisKind::baseStation:
        return "Base";
    case AisKind::aidToNavigation:
        return "AtoN";
    case AisKind::aircraft:
        return "SAR";
    }
    return "";
}

// "2 min 5 s" since the last report.
std::string ageText(std::chrono::milliseconds age) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(age).count();
    return (seconds >= 60 ? std::to_string(seconds / 60) + " min " : std::string()) +
           std::to_string(seconds % 60) + " s";
}

std::string statusText(const std::optional<int>& status) {
    static const char* const names[] = {"Under way using engine",
                                        "At anchor",
                                        "Not under command",
                                        "Restricted manoeuvrability",
                                        "Constrained by her draught",
                                        "Moored",
                                        "Aground",
                                        "Engaged in fishing",
                                        "Under way sailing"};
    if (!status)
        return unknown;
    if (*status < static_cast<int>(std::size(names)))
        return names[*status];
    return *status == 14 ? "AIS-SART active" : std::to_string(*status);
}

std::string shipTypeText(const std::optional<int>& type) {
    if (!type)
        return unknown;
    const int t = *type;
    const char* name = t == 30              ? "Fishing"
                       : t == 36            ? "Sailing"
                       : t == 37            ? "Pleasure craft"
                       : t >= 60 && t <= 69 ? "Passenger"
                       : t >= 70 && t <= 79 ? "Cargo"
                       : t >= 80 && t <= 89 ? "Tanker"
                       : t == 50            ? "Pilot"
                       : t == 51            ? "Search and rescue"
                       : t == 52            ? "Tug"
                                            : nullptr;
    return name ? std::string(name) + " (" + std::to_string(t) + ")" : std::to_string(t);
}

// "120 x 17 m" from the distances to bow, stern, port and starboard.
std::string sizeText(const AisTarget& t) {
    if (!t.toBow && !t.toStern && !t.toPort && !t.toStarboard)
        return unknown;
    return std::to_string(t.toBow.value_or(0) + t.toStern.value_or(0)) + " x " +
           std::to_string(t.toPort.value_or(0) + t.toStarboard.value_or(0)) + " m";
}

} // namespace

std::array<std::string, aisColumns.size()> targetRow(const AisTarget& t) {
    return {t.label(),
            fixed(rangeOf(t), "%.2f"),
            fixed(bearingOf(t), "%03.0f"),
            fixed(cpaOf(t), "%.2f"),
            fixed(tcpaOf(t), "%.1f"),
            fixed(t.speed, "%.1f"),
            fixed(t.course, "%03.0f"),
            className(t.kind),
            ageText(t.age)};
}

std::vector<std::pair<std::string, std::string>> targetDetails(const AisTarget& t) {
    return {{"Name", nonEmpty(t.name)},
            {"MMSI", std::to_string(t.mmsi)},
            {"Call sign", nonEmpty(t.callsign)},
            {"IMO", t.imo ? std::to_string(*t.imo) : unknown},
            {"Type", shipTypeText(t.shiptype) + ", class " + className(t.kind)},
            {"Size", sizeText(t)},
            {"Destination", nonEmpty(t.destination)},
            {"ETA", nonEmpty(t.eta)},
            {"Status", statusText(t.status)},
            {"Speed", fixed(t.speed, "%.1f kn")},
            {"Course", fixed(t.course, "%05.1f°")},
            {"Heading", fixed(t.heading, "%03.0f°")},
            {"Range", fixed(rangeOf(t), "%.2f Nm")},
            {"Bearing", fixed(bearingOf(t), "%03.0f°")},
            {"CPA", fixed(cpaOf(t), "%.2f Nm")},
            {"TCPA", fixed(tcpaOf(t), "%.1f min")},
            {"Last report", ageText(t.age) + (t.lost ? " ago, lost" : " ago")}};
}

} // namespace brisomar
