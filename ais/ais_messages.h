#pragma once

#include "ais/ais_payload.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace brisomar {

// One decoded AIS message, in the units of AIS practice: positions in degrees, north and EAST
// positive; speed in knots; course and heading in degrees true; sizes and draught in metres. A
// value the sender marks "not available" (latitude 91, longitude 181, speed 102.3, course 360,
// heading 511, ...) is absent.
struct AisMessage {
    int type = 0;
    std::uint32_t mmsi = 0;
    std::optional<double> lat, lon, speed, course, draught;
    std::optional<int> heading, status, turn, second, shiptype, alt;
    std::optional<int> toBow, toStern, toPort, toStarboard, aidType, part;
    std::optional<std::uint32_t> imo;
    std::optional<bool> accuracy, offPosition, virtualAid;
    std::optional<std::string> shipname, callsign, destination, eta, name, text;
};

// Navigational status 1 "at anchor" and 5 "moored".
inline constexpr int aisStatusAtAnchor = 1;
inline constexpr int aisStatusMoored = 5;

// Why a message was not decoded.
enum class AisRefusal {
    otherType, // a type the navigator does not read: counted, never an error
    wrongLength,
};

// Decodes types 1, 2, 3, 4, 5, 9, 14, 18, 19, 21, 24 (parts A and B) and 27. A message whose
// length does not fit its type is refused.
std::variant<AisMessage, AisRefusal> decodeAisMessage(const AisBits& bits);

// Whether the message comes from a class B transceiver (types 18, 19, 24).
bool isClassB(int type);

} // namespace brisomar
