#pragma once

#include "base/real48.h"

#include <optional>
#include <string>

namespace brisomar {

// How far the route has come: no route; a waypoint chosen but no position to sail from (none yet
// this run, or the fix lost); a waypoint being sailed to; the last one reached, the boat still
// within its arrival radius; the route done.
enum class RouteProgress { NoRoute, WaitingForPosition, Sailing, Arrived, Done };

// The waypoint being sailed to, as the route follower found it on the last main timer tick.
struct WaypointFigures {
    RouteProgress progress = RouteProgress::NoRoute;
    int number = 0;                     // the active waypoint, 1..100
    long double bearing = 0;            // degrees from the position in use to it
    long double distanceNm = 0;         // nautical miles
    long double crossTrackMetres = 0;   // off the leg; right of it positive, left negative
    long double madeGoodKnots = 0;      // velocity made good towards it, knots
    std::optional<long double> arrival; // time of day (fraction of a day); none while not closing
    // What an autopilot is told besides: where the waypoint lies, the bearing of the leg from its
    // start (degrees), and whether the boat is within the arrival radius or beyond the line
    // square to the leg through the waypoint.
    Real48 lat{}, lon{};
    long double legBearing = 0;
    bool inArrivalCircle = false;
    bool perpendicularPassed = false;
};

// The waypoints reached so far in this run: how many, the last one and the one then made
// active (0 when it ended the route).
struct WaypointArrivals {
    int count = 0;
    int reached = 0;
    int next = 0;
};

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
    bool GpsFixReceived = false; // a valid fix came in this run: until then there is no position

    // The true heading of the last HDT or HDG sentence, written by reception, and its age.
    Real48 Heading;
    Real48 HeadingSilenceSeconds;
    bool HeadingReceived = false;

    // Values typed in by hand and the switches that put them in use.
    bool ManualLat = false, ManualLon = false, ManualCourse = false, ManualSpeed = false;
    Real48 ManualLatValue, ManualLonValue, ManualCourseValue, ManualSpeedValue;

    Real48 WindDir, WindSpeed;       // where the wind comes from; knots
    Real48 CurrentDir, CurrentSpeed; // where the water flows to; knots

    std::string ExtendedName; // empty: no extended instrument value
    Real48 ExtendedValue;
    Real48 ExtendedTime;

    int ActiveAlarmCount = 0;
    std::string ActiveAlarmNames;  // the raised alarms' names, in alphabetical order, ", " between
    Real48 ExtendedSilenceSeconds; // seconds since the last extended value (or switching a port on)
    WaypointFigures Waypoint;
    WaypointArrivals Arrivals;
    bool PosOutsideDetailChart = false;
    bool LogOn = false;
    int LogInterval = 5;         // minutes
    std::string LogWriteFailure; // why the last log write failed; empty once one succeeds
    std::string LogRepairNotice; // what the last log write cut off the file's end; else empty
    std::string CommNotice;      // the ports not open since the start, tried again; else empty
    std::string SentenceNotice;  // another talker's sentence that the GPS sentence misses
    // The AIS target raising the collision alarm, "NORDIC STAR 0.3 Nm in 6 min"; else empty.
    std::string AisCollision;
    // An MMSI that comes both as the own ship and as another ship; else empty.
    std::string AisNotice;
};

// Copies the GPS or manual values into the values in use. LastUpdate follows GpsTime only while
// both latitude and longitude come from the GPS.
void SelectInUseValues(NavState& state);

// A fix older than this (seconds) is lost: the boat is no longer where it said.
inline constexpr int positionLostSeconds = 10;

// The position in use is one to sail by: latitude and longitude each typed in, or from a fix
// received in this run and not lost.
bool PositionKnown(const NavState& state);

// A received heading older than this is no longer the boat's: a compass sends every second or
// more often, and a boat turns several degrees a second.
inline constexpr long double headingStaleSeconds = 5;

// The heading the boat points to, degrees true: the received one while it is fresh, else the
// course in use.
Real48 HeadingInUse(const NavState& state);

} // namespace brisomar
