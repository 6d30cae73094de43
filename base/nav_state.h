#pragma once

#include "base/real48.h"

#include <string>

namespace brisomar {

// The navigation values the whole program shares, zero at start. Latitudes north positive,
// longitudes west positive (degrees); courses and directions degrees; speeds knots; times of day
// Real48 fractions of a day. Each value keeps the name the program gives it.
struct NavState {
    // In use: chosen from GPS or manual values by SelectInUseValues on every main timer tick.
    Real48 PosLat, PosLon, PosCourse, PosSpeed;
    Real48 LastUpdate;

    // The last valid GPS fix, written by reception.
    Real48 GpsLat, GpsLon, GpsCourse, GpsSpeed;
    Real48 GpsTime;
    Real48 GpsSilenceSeconds;

    // Values typed in by hand and the switches that put them in use.
    bool ManualLat = false, ManualLon = false, ManualCourse = false, ManualSpeed = false;
    Real48 ManualLatValue, ManualLonValue, ManualCourseValue, ManualSpeedValue;

    Real48 WindDir, WindSpeed;       // where the wind comes from; knots
    Real48 CurrentDir, CurrentSpeed; // where the water flows to; knots

    std::string ExtendedName; // empty: no extended instrument value
    Real48 ExtendedValue;
    Real48 ExtendedTime;

    int ActiveAlarmCount = 0;
    bool PosOutsideDetailChart = false;
    bool LogOn = false;
    int LogInterval = 5;         // minutes
    std::string LogWriteFailure; // why the last log write failed; empty once one succeeds
    std::string LogRepairNotice; // what the last log write cut off the file's end; else empty
    std::string CommNotice;      // the ports not open since the start, tried again; else empty
};

// Copies the GPS or manual values into the values in use. LastUpdate follows GpsTime only while
// both latitude and longitude come from the GPS.
void SelectInUseValues(NavState& state);

} // namespace brisomar
