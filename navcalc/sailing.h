#pragma once

#include "base/nav_state.h"
#include "navcalc/boat_tables.h"

#include <functional>
#include <string>
#include <vector>

namespace brisomar {

// The working values of the wind, current and steering sums. Directions in degrees 0..360
// clockwise from north: the wind where it comes from, the current and the boat where they go.
// Speeds in knots.
struct SailingValues {
    Real48 OptGeoDir;
    Real48 OptWindDir, OptWindSpeed;
    Real48 OptCurrentDir, OptCurrentSpeed;
    Real48 OptFalseWindDir, OptFalseWindSpeed; // the wind felt drifting with the current
    Real48 OptSteerDir;
    Real48 OptBoatSpeed;
    Real48 OptLeeway;
    Real48 OptResultDir, OptResultSpeed; // over the ground
};

// Speed through the water steering `heading` in a wind of `force` knots from `fromDir`:
// 0.01 closer than 29° to the wind.
Real48 BoatSpeed(const BoatTables& tables, Real48 heading, Real48 force, Real48 fromDir);
// Leeway in degrees, from the leeway table.
Real48 Leeway(const BoatTables& tables, Real48 heading, Real48 force, Real48 fromDir);

void ComputeFalseWind(SailingValues& v);
void ComputeResultCourse(SailingValues& v);

// The wind and current in use and the course last measured on the chart as working values.
void LoadWindCurrent(SailingValues& v, const NavState& nav, Real48 chartCourse);

// The best speed at which `course` can be made good with the wind and current in use, trying
// headings up to 100° either side; 0.00001 when none makes it good within 3° at over 1.5 kn.
// Overwrites the working values.
Real48 SpeedAlongCourse(SailingValues& v, const BoatTables& tables, const NavState& nav,
                        Real48 chartCourse, Real48 course);

// The texts of the wind and steering dialog's fields.
struct OptFields {
    std::string geoDir = "000";
    std::string windDir = "000", windSpeed = "000";
    std::string currentDir = "000", currentSpeed = "000";
    std::string steerDir = "000";
};

// What reading the fields shows: the warnings, in order, and the computed fields.
struct OptEvaluation {
    std::vector<std::string> warnings; // "Error at position: 2"
    std::string falseWindDir, falseWindSpeed, steerSpeed, leeway;
};

// Reads the fields into the working values (an out-of-range field is reset in `fields`), then
// computes the false wind, the boat speed and the leeway.
OptEvaluation EvaluateOptInputs(SailingValues& v, const BoatTables& tables, OptFields& fields,
                                char decimalSeparator);

// The result fields after ComputeResultCourse: "000" and "00.0".
std::string resultDirText(const SailingValues& v, char decimalSeparator);
std::string resultSpeedText(const SailingValues& v, char decimalSeparator);
// The speed panel warns below 1.5 knots.
bool lowBoatSpeed(const SailingValues& v);

// "Steer?": the whole heading whose result comes nearest the wanted direction at over 1.5 kn.
// `progress` is told every ninth heading. Leaves the working values at the last heading tried.
struct SteerSearch {
    int bestHeading = 0;
    long double bestDeviation = 1000;
    bool found() const { return bestDeviation < 4; }
};
SteerSearch searchSteerHeading(SailingValues& v, const BoatTables& tables,
                               const std::function<void(int heading)>& progress);

// The spin buttons: directions by 10 within 0..359, speeds by 1 within 0..20 (wrapping).
std::string spinDirection(const std::string& fieldText, int steps);
std::string spinSpeed(const std::string& fieldText, int steps);

} // namespace brisomar
