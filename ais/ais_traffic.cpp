#include "ais/ais_traffic.h"

#include "ais/ais_payload.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace brisomar {

namespace {

constexpr long double metresPerNm = 1852;
constexpr long long cycleSeconds = 1800; // the crossing ship comes again every half hour
constexpr long double meetSeconds = 540; // nine minutes after it appears
constexpr long double crossingKnots = 12;
constexpr long double yachtKnots = 5;
constexpr long double yachtRadiusNm = 2.5;
const GeoPoint islandCentre{Real48(45.18L), Real48(30.25L)};
const GeoPoint mooring{Real48(45.2062L), Real48(30.1335L)};
const GeoPoint buoy{Real48(45.2400L), Real48(30.2600L)};

struct Ship {
    std::uint32_t mmsi;
    const char* name;
    const char* callsign;
    int shiptype, length, beam;
};

const Ship crossing{265547250, "NORDIC STAR", "SKVV", 70, 120, 18};
const Ship moored{265123400, "HARBOUR QUEEN", "SHQ2", 60, 45, 9};
const Ship yacht{265000123, "SEA BREEZE", "SB123", 36, 11, 4};

AisPayloadWriter header(int type, std::uint32_t mmsi) {
    AisPayloadWriter w;
    w.put(type, 6).put(0, 2).put(mmsi, 30);
    return w;
}

std::string classAPosition(const Ship& s, int status, GeoPoint at, long double course,
                           long double knots, long long second) {
    return header(1, s.mmsi)
        .put(status, 4)
        .put(0, 8)
        .put(std::llround(knots * 10), 10)
        .put(1, 1)
        .position(at.lat, at.lon)
        .put(std::llround(course * 10), 12)
        .put(std::llround(course) % 360, 9)
        .put(second % 60, 6)
        .put(0, 25)
        .sentences(0);
}

std::string classAStatic(const Ship& s, const char* destination, int sequence) {
    return header(5, s.mmsi)
        .put(0, 2)
        .put(9000000 + s.mmsi % 1000000, 30)
        .text(s.callsign, 7)
        .text(s.name, 20)
        .put(s.shiptype, 8)
        .put(s.length * 3 / 4, 9)
        .put(s.length / 4, 9)
        .put(s.beam / 2, 6)
        .put(s.beam - s.beam / 2, 6)
        .put(1, 4)
        .put(7, 4)
        .put(14, 5)
        .put(18, 5)
        .put(30, 6)
        .put(62, 8)
        .text(destination, 20)
        .put(0, 2)
        .sentences(sequence);
}

// The crossing ship: on the line through the own boat's place at the meeting, crossing from
// 120° on its bow at 12 knots.
std::string crossingShip(const DemoTraffic::BoatAt& boat, long long second) {
    const long long cycleStart = second / cycleSeconds * cycleSeconds;
    long double boatCourse = 0;
    const GeoPoint meet = boat(static_cast<long double>(cycleStart) + meetSeconds, &boatCourse);
    const long double course = std::fmod(boatCourse + 240, 360);
    const long double hoursToMeet =
        (static_cast<long double>(cycleStart) + meetSeconds - static_cast<long double>(second)) /
        3600;
    const GeoPoint at =
        GeodesicDestination(meet, std::fmod(course + 180, 360),
                            hoursToMeet * crossingKnots * metresPerNm); // behind: negative ahead
    return classAPosition(crossing, 0, at, course, crossingKnots, second);
}

std::string yachtReport(long long second) {
    const long double circle = 2 * 3.14159265358979L * yachtRadiusNm;
    const long double around = std::fmod(second * yachtKnots / 3600 / circle, 1) * 360;
    const GeoPoint at = GeodesicDestination(islandCentre, around, yachtRadiusNm * metresPerNm);
    const long double course = std::fmod(around + 90, 360);
    return header(18, yacht.mmsi)
        .put(0, 8)
        .put(std::llround(yachtKnots * 10), 10)
        .put(1, 1)
        .position(at.lat, at.lon)
        .put(std::llround(course * 10), 12)
        .put(511, 9)
        .put(second % 60, 6)
        .put(0x7E, 9)
        .put(0, 20)
        .sentences(0);
}

std::string yachtStatic() {
    return header(24, yacht.mmsi).put(0, 2).text(yacht.name, 20).sentences(0) +
           header(24, yacht.mmsi)
               .put(1, 2)
               .put(yacht.shiptype, 8)
               .put(0, 42)
               .text(yacht.callsign, 7)
               .put(8, 9)
               .put(3, 9)
               .put(2, 6)
               .put(2, 6)
               .put(0, 6)
               .sentences(0);
}

std::string buoyReport(long long second) {
    return header(21, 992650001)
        .put(10, 5) // a cardinal mark, north
        .text("HOLMEN NORTH", 20)
        .put(1, 1)
        .position(buoy.lat, buoy.lon)
        .put(1, 9)
        .put(1, 9)
        .put(1, 6)
        .put(1, 6)
        .put(7, 4)
        .put(second % 60, 6)
        .put(0, 13)
        .sentences(0);
}

} // namespace

std::string DemoTraffic::sentencesAt(long long second) const {
    std::string out;
    if (second % 2 == 0)
        out += crossingShip(boat_, second);
    if (second % 10 == 3)
        out += classAPosition(moored, 5, mooring, 0, 0, second);
    if (second % 5 == 1)
        out += yachtReport(second);
    if (second % 10 == 7)
        out += buoyReport(second);
    if (second % 30 == 1)
        out += classAStatic(crossing, "GOTEBORG", static_cast<int>(second / 30 % 10));
    if (second % 30 == 11)
        out += classAStatic(moored, "HARBOUR", static_cast<int>(second / 30 % 10));
    if (second % 30 == 21)
        out += yachtStatic();
    return out;
}

} // namespace brisomar
