#include "input/nmea_output.h"

#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace brisomar {

namespace {

constexpr long double metresPerNm = 1852;
// The largest cross-track error RMB carries; beyond, it says 9.99.
constexpr long double largestRmbCrossTrack = 9.99L;

std::string flag(bool set) {
    return set ? "A" : "V";
}

// Degrees true, 0.0 to 359.9.
std::string bearingText(long double degrees) {
    const long double tenths = std::fmod(std::round(degrees * 10), 3600.0L);
    return FormatFloat("000.0", (tenths < 0 ? tenths + 3600 : tenths) / 10);
}

std::string waypointId(int number) {
    char id[12];
    std::snprintf(id, sizeof id, "%03d", number);
    return id;
}

// "ddmm.mmm" (longitudes "dddmm.mmm"), a comma and the hemisphere.
std::string angleText(long double degrees, int degreeDigits, char positive, char negative) {
    const long long thousandths = std::llround(std::fabs(degrees) * 60000);
    char text[24];
    std::snprintf(text, sizeof text, "%0*lld%02lld.%03lld,%c", degreeDigits, thousandths / 60000,
                  thousandths % 60000 / 1000, thousandths % 1000,
                  degrees < 0 ? negative : positive);
    return text;
}

// Right of the leg (positive), the boat steers left to regain it.
std::string steerSide(long double crossTrackMetres) {
    return crossTrackMetres > 0 ? "L" : "R";
}

std::string rmb(const WaypointFigures& w, const std::string& status) {
    const long double offNm = std::fabs(w.crossTrackMetres) / metresPerNm;
    return "ECRMB," + status + "," + FormatFloat("0.00", std::min(offNm, largestRmbCrossTrack)) +
           "," + steerSide(w.crossTrackMetres) + "," + waypointId(w.number - 1) + "," +
           waypointId(w.number) + "," + angleText(w.lat.value(), 2, 'N', 'S') + "," +
           angleText(w.lon.value(), 3, 'W', 'E') + "," + FormatFloat("0.00", w.distanceNm) + "," +
           bearingText(w.bearing) + "," + FormatFloat("0.0", w.madeGoodKnots) + "," +
           flag(w.inArrivalCircle || w.perpendicularPassed);
}

// The heading to steer is the bearing to the waypoint: the navigator knows no better one.
std::string apb(const WaypointFigures& w, const std::string& status) {
    const std::string to = bearingText(w.bearing);
    return "ECAPB," + status + "," + status + "," +
           FormatFloat("0.000", std::fabs(w.crossTrackMetres) / metresPerNm) + "," +
           steerSide(w.crossTrackMetres) + ",N," + flag(w.inArrivalCircle) + "," +
           flag(w.perpendicularPassed) + "," + bearingText(w.legBearing) + ",T," +
           waypointId(w.number) + "," + to + ",T," + to + ",T";
}

std::string xte(const WaypointFigures& w, const std::string& status) {
    return "ECXTE," + status + "," + status + "," +
           FormatFloat("0.000", std::fabs(w.crossTrackMetres) / metresPerNm) + "," +
           steerSide(w.crossTrackMetres) + ",N";
}

} // namespace

std::string nmeaSentence(std::string_view body) {
    return "$" + std::string(body) + "*" + nmeaChecksum(body) + "\r\n";
}

bool positionIsLive(const NavState& nav) {
    return !nav.ManualLat && !nav.ManualLon && nav.GpsFixReceived &&
           nav.GpsSilenceSeconds.value() <= positionLostSeconds;
}

std::string routeSentences(const NavState& nav) {
    const WaypointFigures& w = nav.Waypoint;
    if (w.progress == RouteProgress::NoRoute || w.progress == RouteProgress::Done)
        return {};
    const std::string status = flag(positionIsLive(nav));
    return nmeaSentence(rmb(w, status)) + nmeaSentence(apb(w, status)) +
           nmeaSentence(xte(w, status));
}

void SentenceOutput::received(int port, std::string_view message) {
    for (int output = 0; output < outputCount; ++output) {
        std::string& pending = pending_[output];
        if (!choices[output].received || output == port - 1 ||
            pending.size() + message.size() + 2 > maxPendingBytes)
            continue;
        pending.append(message);
        pending.append("\r\n");
    }
}

bool SentenceOutput::routeDue(std::chrono::milliseconds steady) {
    if (lastRoute_ && steady - *lastRoute_ < routeInterval)
        return false;
    // Once a second on average, however the ticks fall; a pause starts the count anew.
    lastRoute_ = lastRoute_ && steady - *lastRoute_ < 2 * routeInterval
                     ? *lastRoute_ + routeInterval
                     : steady;
    return true;
}

std::array<std::string, SentenceOutput::outputCount>
SentenceOutput::tick(const NavState& nav, std::chrono::milliseconds steady) {
    std::array<std::string, outputCount> due;
    due.swap(pending_);
    if (!routeDue(steady))
        return due;
    const std::string route = routeSentences(nav);
    for (int output = 0; output < outputCount; ++output)
        if (choices[output].route)
            due[output] += route;
    return due;
}

} // namespace brisomar
