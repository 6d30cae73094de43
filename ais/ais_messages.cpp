#include "ais/ais_messages.h"

#include <cmath>
#include <cstdio>

namespace brisomar {

namespace {

// Where a position's fields lie and how fine they are: 1/10000 minute in most messages, 1/10
// minute in the long-range one.
struct PositionLayout {
    std::size_t lonStart, lonBits, latStart, latBits;
    double perDegree;
};

// Degrees, absent beyond the globe: 181 and 91 say "not available".
std::optional<double> degreesAt(const AisBits& b, std::size_t start, std::size_t length,
                                double perDegree, double limit) {
    const double degrees = b.signedAt(start, length) / perDegree;
    if (std::fabs(degrees) > limit)
        return std::nullopt;
    return degrees;
}

void readPosition(const AisBits& b, const PositionLayout& p, AisMessage& m) {
    m.lon = degreesAt(b, p.lonStart, p.lonBits, p.perDegree, 180);
    m.lat = degreesAt(b, p.latStart, p.latBits, p.perDegree, 90);
    if (!m.lat || !m.lon)
        m.lat = m.lon = std::nullopt; // half a position is none
}

// A field's value unless it is the one that says "not available" (or beyond, where the values
// above are reserved).
std::optional<int> below(const AisBits& b, std::size_t start, std::size_t length,
                         int notAvailable) {
    const auto value = static_cast<int>(b.unsignedAt(start, length));
    return value < notAvailable ? std::optional(value) : std::nullopt;
}

std::optional<int> nonZero(const AisBits& b, std::size_t start, std::size_t length) {
    const auto value = static_cast<int>(b.unsignedAt(start, length));
    return value != 0 ? std::optional(value) : std::nullopt;
}

std::optional<double> tenths(std::optional<int> value) {
    return value ? std::optional(*value / 10.0) : std::nullopt;
}

std::optional<std::string> text(const AisBits& b, std::size_t start, std::size_t characters) {
    std::string t = b.textAt(start, characters);
    return t.empty() ? std::nullopt : std::optional(std::move(t));
}

bool flag(const AisBits& b, std::size_t at) {
    return b.unsignedAt(at, 1) != 0;
}

// From the speed field on: speed (1023 not available; tenths of a knot, whole knots for the
// aircraft), accuracy, position, course in tenths of a degree (3600).
void readMotion(const AisBits& b, std::size_t speedStart, AisMessage& m, double perKnot = 10) {
    if (const auto speed = below(b, speedStart, 10, 1023))
        m.speed = *speed / perKnot;
    m.accuracy = flag(b, speedStart + 10);
    readPosition(b, {speedStart + 11, 28, speedStart + 39, 27, 600000}, m);
    m.course = tenths(below(b, speedStart + 66, 12, 3600));
}

// The heading in degrees (511 not available) and the second of the report, after the course.
void readHeading(const AisBits& b, std::size_t speedStart, AisMessage& m) {
    m.heading = below(b, speedStart + 78, 9, 360);
    m.second = below(b, speedStart + 87, 6, 60);
}

// Bow, stern, port and starboard in metres from `start`; 0 is "not available".
void readDimensions(const AisBits& b, std::size_t start, AisMessage& m) {
    m.toBow = nonZero(b, start, 9);
    m.toStern = nonZero(b, start + 9, 9);
    m.toPort = nonZero(b, start + 18, 6);
    m.toStarboard = nonZero(b, start + 24, 6);
}

// "MM-DDTHH:MM", absent unless month, day, hour and minute are all given.
std::optional<std::string> eta(const AisBits& b, std::size_t start) {
    const unsigned month = b.unsignedAt(start, 4), day = b.unsignedAt(start + 4, 5);
    const unsigned hour = b.unsignedAt(start + 9, 5), minute = b.unsignedAt(start + 14, 6);
    if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59)
        return std::nullopt;
    char t[48];
    std::snprintf(t, sizeof t, "%02u-%02uT%02u:%02u", month, day, hour, minute);
    return t;
}

void classAPosition(const AisBits& b, AisMessage& m) {
    m.status = below(b, 38, 4, 15);
    const int turn = b.signedAt(42, 8);
    if (turn != -128)
        m.turn = turn;
    readMotion(b, 50, m);
    readHeading(b, 50, m);
}

void baseStation(const AisBits& b, AisMessage& m) {
    m.accuracy = flag(b, 78);
    readPosition(b, {79, 28, 107, 27, 600000}, m);
}

void classAStatic(const AisBits& b, AisMessage& m) {
    m.imo = nonZero(b, 40, 30);
    m.callsign = text(b, 70, 7);
    m.shipname = text(b, 112, 20);
    m.shiptype = nonZero(b, 232, 8);
    readDimensions(b, 240, m);
    m.eta = eta(b, 274);
    m.draught = tenths(nonZero(b, 294, 8));
    m.destination = text(b, 302, 20);
}

void searchAndRescueAircraft(const AisBits& b, AisMessage& m) {
    m.alt = below(b, 38, 12, 4095);
    readMotion(b, 50, m, 1);
    m.second = below(b, 128, 6, 60);
}

void safetyText(const AisBits& b, AisMessage& m) {
    m.text = text(b, 40, (b.size() - 40) / 6);
}

void classBPosition(const AisBits& b, AisMessage& m) {
    readMotion(b, 46, m);
    readHeading(b, 46, m);
}

void classBExtended(const AisBits& b, AisMessage& m) {
    classBPosition(b, m);
    m.shipname = text(b, 143, 20);
    m.shiptype = nonZero(b, 263, 8);
    readDimensions(b, 271, m);
}

void aidToNavigation(const AisBits& b, AisMessage& m) {
    m.aidType = static_cast<int>(b.unsignedAt(38, 5));
    std::string name = b.textAt(43, 20);
    if (b.size() > 272 && name.size() == 20) // the name goes on beyond its 20 characters
        name += b.textAt(272, (b.size() - 272) / 6);
    if (!name.empty())
        m.name = name;
    m.accuracy = flag(b, 163);
    readPosition(b, {164, 28, 192, 27, 600000}, m);
    readDimensions(b, 219, m);
    m.second = below(b, 253, 6, 60);
    m.offPosition = flag(b, 259);
    m.virtualAid = flag(b, 269);
}

void classBStatic(const AisBits& b, AisMessage& m) {
    m.part = static_cast<int>(b.unsignedAt(38, 2));
    if (*m.part == 0) {
        m.shipname = text(b, 40, 20);
        return;
    }
    m.shiptype = nonZero(b, 40, 8);
    m.callsign = text(b, 90, 7);
    readDimensions(b, 132, m);
}

void longRange(const AisBits& b, AisMessage& m) {
    m.accuracy = flag(b, 38);
    m.status = below(b, 40, 4, 15);
    readPosition(b, {44, 18, 62, 17, 600}, m);
    m.speed = below(b, 79, 6, 63);
    m.course = below(b, 85, 9, 360);
}

struct TypeLayout {
    int type;
    std::size_t shortest, longest; // bits
    void (*read)(const AisBits&, AisMessage&);
};

constexpr TypeLayout layouts[] = {
    {1, 168, 168, classAPosition},  {2, 168, 168, classAPosition},
    {3, 168, 168, classAPosition},  {4, 168, 168, baseStation},
    {5, 420, 424, classAStatic},    {9, 168, 168, searchAndRescueAircraft},
    {14, 40, 1008, safetyText},     {18, 168, 168, classBPosition},
    {19, 312, 312, classBExtended}, {21, 272, 360, aidToNavigation},
    {24, 160, 168, classBStatic},   {27, 96, 96, longRange},
};

// Part A (0) holds the name in 160 bits, part B (1) the rest in 168; there are no others.
bool staticPartFits(const AisBits& b) {
    const unsigned part = b.unsignedAt(38, 2);
    return part == 0 || (part == 1 && b.size() == 168);
}

} // namespace

std::variant<AisMessage, AisRefusal> decodeAisMessage(const AisBits& bits) {
    const auto type = static_cast<int>(bits.unsignedAt(0, 6));
    for (const TypeLayout& layout : layouts) {
        if (layout.type != type)
            continue;
        if (bits.size() < layout.shortest || bits.size() > layout.longest)
            return AisRefusal::wrongLength;
        if (type == 24 && !staticPartFits(bits))
            return AisRefusal::wrongLength;
        AisMessage m;
        m.type = type;
        m.mmsi = bits.unsignedAt(8, 30);
        layout.read(bits, m);
        return m;
    }
    return AisRefusal::otherType;
}

bool isClassB(int type) {
    return type == 18 || type == 19 || type == 24;
}

} // namespace brisomar
