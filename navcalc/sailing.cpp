#include "navcalc/sailing.h"

#include "base/number_text.h"
#include "navcalc/trigonometry.h"

#include <cmath>

namespace brisomar {

namespace {

// The sums round every step to a Real48 as the stored values do; working in long doubles that
// hold exactly those values spares making and reading six bytes at each step.
long double stored(long double value) {
    return Real48::rounded(value);
}

// The wind angle off the bow, 0..180.
long double windAngle(long double heading, long double fromDir) {
    const long double a = stored(std::fabs(fromDir - heading));
    return a > 180 ? stored(360 - a) : a;
}

struct Polar {
    long double dir, speed;
};

long double wrapped(long double dir) {
    if (dir >= 360)
        dir -= 360;
    else if (dir < 0)
        dir += 360;
    return stored(dir);
}

// The current as the sums add it to the wind or the boat: where it sets and how fast, with the
// sine and cosine of its direction, worked out once for a whole heading search.
struct Current {
    long double dir, speed;
    SinCos dirSinCos;
};

Current currentOf(const SailingValues& v) {
    return {v.OptCurrentDir, v.OptCurrentSpeed, sinCos(radiansFromDegrees(v.OptCurrentDir))};
}

// The sum of a vector given as speed and direction and the current, as direction and speed.
Polar addCurrent(long double speed, long double dir, const Current& current) {
    const SinCos a = sinCos(radiansFromDegrees(dir));
    const long double x = stored(speed * a.cos + current.speed * current.dirSinCos.cos);
    const long double y = stored(speed * a.sin + current.speed * current.dirSinCos.sin);
    long double s = stored(std::sqrt(x * x + y * y));
    if (s < 0.0001L)
        s = stored(0.0001L);
    const long double q = stored(y / s);
    long double d = 0;
    if (1 - q * q < 0.0001L)
        d = y > 0 ? 90 : 270;
    else
        d = stored(degreesFromRadians(arcTan(q / std::sqrt(1 - q * q))));
    if (x < 0)
        d = stored(180 - d);
    return {wrapped(d), s};
}

// The boat speed and the leeway from their tables at the wind's force.
long double boatSpeed(const BoatTableColumns& speeds, long double heading, long double fromDir) {
    const long double a = windAngle(heading, fromDir);
    return a < 29 ? stored(0.01L) : interpolateAtAngle(speeds, a);
}

long double leeway(const BoatTableColumns& leeways, long double heading, long double fromDir) {
    return interpolateAtAngle(leeways, windAngle(heading, fromDir));
}

// Where the boat goes over the ground steering `heading` at `speed` with `leeway`, with the wind
// felt `feltWind`.
Polar resultCourse(const Polar& feltWind, const Current& current, long double heading,
                   long double speed, long double leewayAngle) {
    if (feltWind.speed <= 0) // no wind felt: drifting with the current
        return {current.dir, current.speed};
    Polar over{heading, speed};
    if (current.speed > 0)
        over = addCurrent(speed, heading, current);
    // The leeway takes the boat away from the side the wind comes from.
    const long double opposite = heading + 180 >= 360 ? heading + 180 - 360 : heading + 180;
    const long double wind = feltWind.dir;
    const bool fromStarboard = heading < opposite ? (heading < wind && wind < opposite)
                                                  : (wind > heading || wind < opposite);
    return {wrapped(stored(fromStarboard ? over.dir - leewayAngle : over.dir + leewayAngle)),
            over.speed};
}

// What every heading of a search reads, worked out once for the search: the wind felt (for the
// boat speed and the leeway side), the true wind's direction (for the leeway), the current, and
// the two tables at the forces of those winds.
struct SearchConditions {
    Polar feltWind;
    long double windDir;
    Current current;
    BoatTableColumns speeds, leeways;
};

SearchConditions searchConditionsOf(const SailingValues& v, const BoatTables& tables) {
    return {{v.OptFalseWindDir, v.OptFalseWindSpeed},
            v.OptWindDir,
            currentOf(v),
            columnsAtForce(tables.SpeedTable, v.OptFalseWindSpeed),
            columnsAtForce(tables.LeewayTable, v.OptWindSpeed)};
}

// The boat's figures for one heading in the working wind and current.
struct HeadingFigures {
    long double heading, speed, leeway;
    Polar result;
};

HeadingFigures tryHeading(const SearchConditions& c, long double heading) {
    const long double speed = boatSpeed(c.speeds, heading, c.feltWind.dir);
    const long double leewayAngle = leeway(c.leeways, heading, c.windDir);
    return {heading, speed, leewayAngle,
            resultCourse(c.feltWind, c.current, heading, speed, leewayAngle)};
}

// A search leaves the working values as the last heading it tried made them.
void keepWorkingValues(SailingValues& v, const HeadingFigures& last) {
    v.OptSteerDir = Real48(last.heading);
    v.OptBoatSpeed = Real48(last.speed);
    v.OptLeeway = Real48(last.leeway);
    v.OptResultDir = Real48(last.result.dir);
    v.OptResultSpeed = Real48(last.result.speed);
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
    return Real48(boatSpeed(columnsAtForce(tables.SpeedTable, force), heading, fromDir));
}

Real48 Leeway(const BoatTables& tables, Real48 heading, Real48 force, Real48 fromDir) {
    return Real48(leeway(columnsAtForce(tables.LeewayTable, force), heading, fromDir));
}

void ComputeFalseWind(SailingValues& v) {
    Polar wind{v.OptWindDir, v.OptWindSpeed};
    if (v.OptWindSpeed.value() <= 0)
        wind = {v.OptCurrentDir, v.OptCurrentSpeed};
    else if (v.OptCurrentSpeed.value() > 0)
        wind = addCurrent(v.OptWindSpeed, v.OptWindDir, currentOf(v));
    v.OptFalseWindDir = Real48(wind.dir);
    v.OptFalseWindSpeed = Real48(wind.speed);
}

void ComputeResultCourse(SailingValues& v) {
    const Polar result = resultCourse({v.OptFalseWindDir, v.OptFalseWindSpeed}, currentOf(v),
                                      v.OptSteerDir, v.OptBoatSpeed, v.OptLeeway);
    v.OptResultDir = Real48(result.dir);
    v.OptResultSpeed = Real48(result.speed);
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
    const SearchConditions conditions = searchConditionsOf(v, tables);
    const long double wanted = course;
    HeadingFigures tried{};
    for (int i = 0; i <= 50; ++i) {
        long double starboard = wanted + 2 * i, port = wanted - 2 * i;
        if (starboard > 360)
            starboard -= 360;
        if (port < 0)
            port += 360;
        for (const long double heading : {starboard, port}) {
            tried = tryHeading(conditions, stored(heading));
            const long double deviation = std::fabs(wanted - tried.result.dir);
            if (deviation < bestDeviation && tried.result.speed > 1.5) {
                bestDeviation = deviation;
                bestSpeed = tried.result.speed;
            }
        }
    }
    keepWorkingValues(v, tried);
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
    const SearchConditions conditions = searchConditionsOf(v, tables);
    const long double wanted = v.OptGeoDir;
    HeadingFigures tried{};
    for (int heading = 0; heading < 360; ++heading) {
        if (heading % 9 == 0 && progress)
            progress(heading);
        tried = tryHeading(conditions, heading);
        const long double deviation = std::fabs(wanted - tried.result.dir);
        if (deviation < best.bestDeviation && tried.result.speed > 1.5) {
            best.bestDeviation = deviation;
            best.bestHeading = heading;
        }
    }
    keepWorkingValues(v, tried);
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
