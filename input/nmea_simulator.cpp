#include "input/nmea_simulator.h"

#include "input/network_address.h"
#include "navcalc/navigation_math.h"

#include <cmath>
#include <cstdio>

namespace brisomar {

namespace {

constexpr long double secondsPerDay = 86400;
constexpr double yawDegrees = 6;

// Degrees as NMEA writes them: "ddmm.mmm" or "dddmm.mmm" with the hemisphere letter.
std::string nmeaAngle(long double degrees, int degreeDigits, char positive, char negative) {
    const long double a = std::fabs(degrees);
    const int whole = static_cast<int>(a);
    char text[32];
    std::snprintf(text, sizeof text, "%0*d%06.3f,%c", degreeDigits, whole,
                  static_cast<double>((a - whole) * 60), degrees >= 0 ? positive : negative);
    return text;
}

} // namespace

// A loop round the island of the demo chart, west positive.
NmeaSimulator::NmeaSimulator()
    : route_({{45.2500L, 30.3200L},
              {45.2600L, 30.2000L},
              {45.2050L, 30.1300L},
              {45.1350L, 30.1700L},
              {45.1000L, 30.3000L},
              {45.1800L, 30.3800L}}) {}

NmeaSimulator::Point NmeaSimulator::positionAt(long double seconds, long double* course) const {
    const auto legLength = [this](std::size_t i) {
        const Point& a = route_[i];
        const Point& b = route_[(i + 1) % route_.size()];
        return DistanceNm(Real48(a.lat), Real48(a.lon), Real48(b.lat), Real48(b.lon)).value();
    };
    long double lap = 0;
    for (std::size_t i = 0; i < route_.size(); ++i)
        lap += legLength(i);
    if (lap <= 0)
        return route_.empty() ? Point{0, 0} : route_.front();
    long double miles = std::fmod(seconds * speedKnots / 3600, lap);
    for (std::size_t i = 0;; i = (i + 1) % route_.size()) {
        const long double leg = legLength(i);
        if (miles < leg) {
            const Point& a = route_[i];
            const Point& b = route_[(i + 1) % route_.size()];
            if (course)
                *course = CourseBetween(Real48(a.lat), Real48(a.lon), Real48(b.lat), Real48(b.lon));
            const long double f = miles / leg;
            return {a.lat + (b.lat - a.lat) * f, a.lon + (b.lon - a.lon) * f};
        }
        miles -= leg;
    }
}

std::string NmeaSimulator::sentenceFor(long long slot, const LocalDateTime& t) const {
    const long double seconds = static_cast<long double>(slot) / 2;
    long double course = 0;
    const Point p = positionAt(seconds, &course);
    if (slot % 2 != 0) {
        char depth[32];
        std::snprintf(depth, sizeof depth, "$PTTKD,%.1f,M",
                      12 + 6 * std::sin(static_cast<double>(seconds) / 40));
        // The bow swings a few degrees about the course, as a boat's does in a sea.
        char heading[32];
        std::snprintf(heading, sizeof heading, "$HEHDT,%.1f,T",
                      std::fmod(static_cast<double>(course) + 360 +
                                    yawDegrees * std::sin(static_cast<double>(seconds) / 9),
                                360.0));
        return withChecksum(depth) + withChecksum(heading);
    }
    char fix[128];
    std::snprintf(fix, sizeof fix, "$GPRMC,%02d%02d%02d,A,%s,%s,%.1f,%.1f,%02d%02d%02d,,", t.hour,
                  t.minute, t.second, nmeaAngle(p.lat, 2, 'N', 'S').c_str(),
                  nmeaAngle(p.lon, 3, 'W', 'E').c_str(), static_cast<double>(speedKnots),
                  static_cast<double>(course), t.day, t.month, t.year % 100);
    return withChecksum(fix);
}

std::string withChecksum(const std::string& sentence) {
    unsigned char sum = 0;
    for (std::size_t i = 1; i < sentence.size(); ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return sentence + tail;
}

bool SimulatorDevice::open(const std::string&, const LineSettings&, std::string&) {
    open_ = true;
    openedAt_ = dateTimeValue(clock_.now());
    nextSlot_ = 0;
    waiting_.clear();
    return true;
}

long double SimulatorDevice::secondsSinceOpen() const {
    return (dateTimeValue(clock_.now()) - openedAt_) * secondsPerDay;
}

std::size_t SimulatorDevice::bytesWaiting() {
    if (!open_)
        return 0;
    const auto due = static_cast<long long>(secondsSinceOpen() * 2);
    nextSlot_ = std::max(nextSlot_, due - 1); // after a pause, only the latest second
    for (; nextSlot_ <= due; ++nextSlot_) {
        waiting_ += simulator_.sentenceFor(nextSlot_, clock_.now());
        if (nextSlot_ % 2 != 0)
            waiting_ += traffic_.sentencesAt(nextSlot_ / 2);
    }
    return waiting_.size();
}

std::string SimulatorDevice::read(std::size_t count) {
    std::string taken = waiting_.substr(0, count);
    waiting_.erase(0, count);
    return taken;
}

bool ChoosingSerialDevice::open(const std::string& path, const LineSettings& settings,
                                std::string& reason) {
    current_->close();
    current_ = &deviceFor(path);
    return current_->open(path, settings, reason);
}

SerialDevice& ChoosingSerialDevice::deviceFor(const std::string& path) {
    if (path == SimulatorDevice::deviceName)
        return simulator_;
    if (!isNetworkAddress(path))
        return *serial_;
    if (!network_)
        network_ = makeNetwork_();
    return *network_;
}

} // namespace brisomar
