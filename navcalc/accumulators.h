#pragma once

#include "base/real48.h"

#include <string>

namespace brisomar {

// The last measured line and the sums of the sail-time and chart-distance windows.
struct ToolValues {
    Real48 ChartCourse; // course of the line last measured on the chart

    Real48 SailTimeThis; // minutes
    Real48 SailTimeSum;
    int SailTimeCount = 0;
    bool SailTimeAutoAdd = false;

    Real48 ChartDistanceThis; // metres
    Real48 ChartDistanceSum;
    int ChartDistanceCount = 0;
    bool ChartDistanceAutoAdd = false;
};

inline constexpr int maxAccumulatorCount = 30000;

// Adds the last measurement to its sum; the count stops at 30000.
void SailTimeAdd(ToolValues& t);
void DistanceAdd(ToolValues& t);
void clearSailTime(ToolValues& t);
void clearDistance(ToolValues& t);

// The windows' labels.
std::string sailTimeThisText(const ToolValues& t, char decimalSeparator); // "Sailtime: 13 minutes"
std::string sailTimeSumText(const ToolValues& t, char decimalSeparator);  // "Sum.minutes: 13"
std::string distanceThisText(const ToolValues& t,
                             char decimalSeparator); // "Distance: 926 m, 0.5 Nm"
std::string distanceSumText(const ToolValues& t, char decimalSeparator); // "Sum.distance: ..."

} // namespace brisomar
