#include "navcalc/accumulators.h"

#include "base/number_text.h"
#include "navcalc/navigation_math.h"

namespace brisomar {

namespace {

void count(int& counter) {
    if (counter < maxAccumulatorCount)
        ++counter;
}

std::string metresAndMiles(Real48 metres, char separator) {
    return FormatFloat("0", metres, separator) + " m, " +
           FormatFloat("0.0", metres / metresPerNm, separator) + " Nm";
}

} // namespace

void SailTimeAdd(ToolValues& t) {
    count(t.SailTimeCount);
    t.SailTimeSum = Real48(t.SailTimeSum + t.SailTimeThis);
}

void DistanceAdd(ToolValues& t) {
    count(t.ChartDistanceCount);
    t.ChartDistanceSum = Real48(t.ChartDistanceSum + t.ChartDistanceThis);
}

void clearSailTime(ToolValues& t) {
    t.SailTimeCount = 0;
    t.SailTimeSum = Real48();
}

void clearDistance(ToolValues& t) {
    t.ChartDistanceCount = 0;
    t.ChartDistanceSum = Real48();
}

std::string sailTimeThisText(const ToolValues& t, char separator) {
    return "Sailtime: " + FormatFloat("0", t.SailTimeThis, separator) + " minutes";
}

std::string sailTimeSumText(const ToolValues& t, char separator) {
    return "Sum.minutes: " + FormatFloat("0", t.SailTimeSum, separator);
}

std::string distanceThisText(const ToolValues& t, char separator) {
    return "Distance: " + metresAndMiles(t.ChartDistanceThis, separator);
}

std::string distanceSumText(const ToolValues& t, char separator) {
    return "Sum.distance: " + metresAndMiles(t.ChartDistanceSum, separator);
}

} // namespace brisomar
