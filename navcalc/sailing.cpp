#include "navcalc/sailing.h"

#include "app/number_text.h"

#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

constexpr long double pi = std::numbers::pi_v<long double>;

long double radians(long double degrees) {
    return (degrees * pi) * (1.0L / 180);
}
long double degrees(long double radians) {
    return (radians * 180) * (1.0L / pi);
}

// The wind angle off the bow, 0..180.
Real48 windAngle(Real48 heading, Real48 fromDir) {
    Real48 a(std::fabs(fromDir - heading));
    if (a.value() > 180)
        a = Real48(360 - a);
    return a;
}

struct Polar {
    Real48 dir, speed;
};

Real48 wrapped(long double dir) {
    if (dir >= 360)
        dir -= 360;
    else if (dir < 0)
        dir += 360;
    return Real48(dir);
}

struct SinCos {
    long double sin, cos;
};

SinCos sinCos(Real48 direction) {
    SinCos sc;
    ::sincosl(radians(direction), &sc.sin, &sc.cos);
    return sc;
}

// The heading searches add the same current to every heading: its sine and cosine are kept
// from the last call rather than worked out a hundred times over.
SinCos currentSinCos(Real48 direction) {
    thread_local Real48 last = Real48::fromBytes({0xFF, 0, 0, 0, 0, 0});
    thread_local SinCos lastSinCos{};
    if (!(direction == last)) {
        last = direction;
        lastSinCos = sinCos(direction);
    }
    return lastSinCos;
}

// The sum of two vectors given as speed and direction, as direction and speed.
Polar addVectors(Real48 speed1, Real48 dir1, Real48 speed2, Real48 dir2) {
    const SinCos a = sinCos(dir1), b = currentSinCos(dir2);
    const Real48 x(speed1 * a.cos + speed2 * b.cos);
    const Real48 y(speed1 * a.sin + speed2 * b.sin);
    Real48 s(std::sqrt(x * x + y * y));
    if (s.value() < 0.0001L)
        s = Real48(0.0001L);
    const Real48 q(y / s);
    Real48 d;
    if (1 - q * q < 0.0001L)
        d = Real48(y.value() > 0 ? 90.0L : 270.0L);
    else
        d = Real48(degrees(std::atan(q / std::sqrt(1 - q * q))));
    if (x.value() < 0)
        d = Real48(180 - d);
    return {wrapped(d), s};
}

// The boat's figures for one heading in the working wind and current.
void tryHeading(SailingValues& v, const BoatTables& tables, Real48 heading) {
    v.OptSteerDir = heading;
    v.OptBoatSpeed = BoatSpeed(tables, heading, v.OptFalseWindSpeed, v.OptFalseWindDir);
    v.OptLeeway = Leeway(tables, heading, v.OptWindSpeed, v.OptWindDir);
    ComputeResultCourse(v);
}

// A field read as Pascal reads a number: leading blanks skipped, then as much as forms a
// number; `errorAt` is the 1-based position of the first character left over, 0 when none.
long double readField(const std::string& text, std::size_t& errorAt) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        start = text.size();
    for (std::size_t end = text.size(); end > start; --end)
        if (const auto value = readNumber(text.substr(start, end - start))) {
            errorAt = end == text.size() ? 0 : end + 1;
            return *value;
        }
    errorAt = start + 1;
    return 0;
}

// Reads a field into a working value; out of range it takes `reset` and the field `resetText`.
Real48 takeField(std::string& field, bool (*inRange)(long double), long double reset,
                 const char* resetText, std::vector<std::string>& warnings) {
    std::size_t errorAt = 0;
    long double value = readField(field, errorAt);
    if (errorAt > 0)
        warnings.push_back("Error at position: " + std::to_string(errorAt));
    if (!inRange(value)) {
        value = reset;
        field = resetText;
    }
    return Real48(value);
}

bool isDirection(long double v) {
    return v >= 0 && v < 360;
}
bool isSpeed(long double v) {
    return v >= 0 && v <= 20;
}

Real48 takeDirection(std::string& field, std::vector<std::string>& warnings) {
    return takeField(field, isDirection, 0, "000", warnings);
}

Real48 takeSpeed(std::string& field, std::vector<std::string>& warnings) {
    return takeField(field, isSpeed, 20, "020", warnings);
}

} // namespace

Real48 BoatSpeed(const BoatTables& tables, Real48 heading, Real48 force, Real48 fromDir) {
    const Real48 a = windAngle(heading, fromDir);
    if (a.value() < 29)
        return Real48(0.01L);
    return BoatTableLookup(tables, "speed", force, a);
}

Real48 Leeway(const BoatTables& tables, Real48 heading, Real48 force, Real48 fromDir) {
    return BoatTableLookup(tables, "leeweay", force, windAngle(heading, fromDir));
}

void ComputeFalseWind(SailingValues& v) {
    Polar wind{v.OptWindDir, v.OptWindSpeed};
    if (v.OptWindSpeed.value() <= 0)
        wind = {v.OptCurrentDir, v.OptCurrentSpeed};
    else if (v.OptCurrentSpeed.value() > 0)
        wind = addVectors(v.OptWindSpeed, v.OptWindDir, v.OptCurrentSpeed, v.OptCurrentDir);
    v.OptFalseWindDir = wind.dir;
    v.OptFalseWindSpeed = wind.speed;
}

void ComputeResultCourse(SailingValues& v) {
    if (v.OptFalseWindSpeed.value() <= 0) { // no wind felt: drifting with the current
        v.OptResultDir = v.OptCurrentDir;
        v.OptResultSpeed = v.OptCurrentSpeed;
        return;
    }
    Polar over{v.OptSteerDir, v.OptBoatSpeed};
    if (v.OptCurrentSpeed.value() > 0)
        over = addVectors(v.OptBoatSpeed, v.OptSteerDir, v.OptCurrentSpeed, v.OptCurrentDir);
    // The leeway takes the boat away from the side the wind comes from.
    const long double h = v.OptSteerDir;
    const long double opposite = h + 180 >= 360 ? h + 180 - 360 : h + 180;
    const long double wind = v.OptFalseWindDir;
    const bool fromStarboard =
        h < opposite ? (h < wind && wind < opposite) : (wind > h || wind < opposite);
    const Real48 d(fromStarboard ? over.dir - v.OptLeeway : over.dir + v.OptLeeway);
    v.OptResultDir = wrapped(d);
    v.OptResultSpeed = over.speed;
}

void LoadWindCurrent(SailingValues& v, const NavState& nav, Real48 chartCourse) {
    v.OptWindDir = nav.WindDir;
    v.OptWindSpeed = nav.WindSpeed;
    v.OptCurrentDir = nav.CurrentDir;
    v.OptCurrentSpeed = nav.CurrentSpeed;
    v.OptGeoDir = chartCourse;
}

Real48 SpeedAlongCourse(SailingValues& v, const BoatTables& tables, const NavState& nav,
                        Real48 chartCourse, Real48 course) {
    long double bestDeviation = 1000, bestSpeed = 1000;
    LoadWindCurrent(v, nav, chartCourse);
    ComputeFalseWind(v);
    for (int i = 0; i <= 50; ++i) {
        long double starboard = course + 2 * i, port = course - 2 * i;
        if (starboard > 360)
            starboard -= 360;
        if (port < 0)
            port += 360;
        for (const long double heading : {starboard, port}) {
            tryHeading(v, tables, Real48(heading));
            const long double deviation = std::fabs(course - v.OptResultDir);
            if (deviation < bestDeviation && v.OptResultSpeed.value() > 1.5) {
                bestDeviation = deviation;
                bestSpeed = v.OptResultSpeed;
            }
        }
    }
    if (bestDeviation > 3 || bestSpeed < 0.00001L || bestSpeed > 999)
        return Real48(0.00001L);
    return Real48(bestSpeed);
}

OptEvaluation EvaluateOptInputs(SailingValues& v, const BoatTables& tables, OptFields& fields,
                                char separator) {
    OptEvaluation shown;
    std::vector<std::string>& warnings = shown.warnings;
    v.OptGeoDir = takeDirection(fields.geoDir, warnings);
    v.OptWindDir = takeDirection(fields.windDir, warnings);
    v.OptWindSpeed = takeSpeed(fields.windSpeed, warnings);
    v.OptCurrentDir = takeDirection(fields.currentDir, warnings);
    v.OptCurrentSpeed = takeSpeed(fields.currentSpeed, warnings);
    ComputeFalseWind(v);
    shown.falseWindDir = FormatFloat("000", v.OptFalseWindDir, separator);
    shown.falseWindSpeed = FormatFloat("00.0", v.OptFalseWindSpeed, separator);
    v.OptSteerDir = takeDirection(fields.steerDir, warnings);
    v.OptBoatSpeed = BoatSpeed(tables, v.OptSteerDir, v.OptFalseWindSpeed, v.OptFalseWindDir);
    shown.steerSpeed = FormatFloat("00.0", v.OptBoatSpeed, separator);
    v.OptLeeway = Leeway(tables, v.OptSteerDir, v.OptWindSpeed, v.OptWindDir);
    if (v.OptLeeway.value() < 0 || v.OptLeeway.value() > 30)
        v.OptLeeway = Real48(0.0L);
    shown.leeway = FormatFloat("000", v.OptLeeway, separator);
    return shown;
}

std::string resultDirText(const SailingValues& v, char separator) {
    return FormatFloat("000", v.OptResultDir, separator);
}

std::string resultSpeedText(const SailingValues& v, char separator) {
    return FormatFloat("00.0", v.OptResultSpeed, separator);
}

bool lowBoatSpeed(const SailingValues& v) {
    return v.OptBoatSpeed.value() < 1.5;
}

SteerSearch searchSteerHeading(SailingValues& v, const BoatTables& tables,
                               const std::function<void(int)>& progress) {
    SteerSearch best;
    for (int heading = 0; heading < 360; ++heading) {
        if (heading % 9 == 0 && progress)
            progress(heading);
        tryHeading(v, tables, Real48(static_cast<long double>(heading)));
        const long double deviation = std::fabs(v.OptGeoDir - v.OptResultDir);
        if (deviation < best.bestDeviation && v.OptResultSpeed.value() > 1.5) {
            best.bestDeviation = deviation;
            best.bestHeading = heading;
        }
    }
    return best;
}

std::string spinDirection(const std::string& fieldText, int steps) {
    std::size_t ignored = 0;
    long double v = readField(fieldText, ignored);
    if (!isDirection(v))
        v = 0;
    v += 10 * steps;
    if (v < 0)
        v += 360;
    else if (v >= 360)
        v -= 360;
    return FormatFloat("000", v);
}

std::string spinSpeed(const std::string& fieldText, int steps) {
    std::size_t ignored = 0;
    long double v = readField(fieldText, ignored);
    if (!isSpeed(v))
        v = 0;
    v += steps;
    if (v < 0)
        v = 20;
    else if (v > 20)
        v = 0;
    return FormatFloat("000", v);
}

} // namespace brisomar
