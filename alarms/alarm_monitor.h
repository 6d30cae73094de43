#pragma once

#include "base/nav_state.h"

#include <array>
#include <optional>
#include <string>

namespace brisomar {

// The watch alarms in their fixed order.
enum class AlarmSlot {
    Course,
    Speed,
    WindDirection,
    WindForce,
    GpsSilence,
    Divergence,
    LatitudePassage,
    LongitudePassage,
    OutsideDetailChart,
    DepthBelow,
    AnchorWatch,
    Arrival,
    AisCollision
};
inline constexpr int alarmSlotCount = 13;

// The alarm's row caption, as the alarm window shows it and the alarm page names it.
const char* alarmCaption(AlarmSlot slot);

// Seconds without a value after which the depth and the GPS count as silent for the depth and
// anchor watches.
inline constexpr int watchSilenceSeconds = 10;

// The texts of the alarm window's limit fields; the initial values are the fields' initial texts.
struct AlarmFieldTexts {
    std::string minDir = "000", maxDir = "090";
    std::string minSpe = "05", maxSpe = "09";
    std::string minWind = "000", maxWind = "090";
    std::string minWindForce = "002", maxWindForce = "007";
    std::string seconds = "010";
    std::string meter = "00100";
    std::string latNS = "N", lat = "057°00.000";
    std::string lonWE = "W", lon = "020°00.000";
    std::string depth = "002.0";        // the extended value's unit, usually metres
    std::string anchorRadius = "0050";  // metres
    std::string arrivalRadius = "0100"; // metres
    std::string aisCpa = "0.5";         // nautical miles
    std::string aisTcpa = "12";         // minutes
};

// The limits in force: captured from the fields when an alarm is switched on.
struct AlarmLimits {
    Real48 MinDir, MaxDir, MinSpe, MaxSpe, MinWind, MaxWind, MinWindForce, MaxWindForce;
    int CommSeconds = 0;
    Real48 DivMeter, PassLat, PassLon, PassStartLat, PassStartLon;
    Real48 MinDepth;
    Real48 AnchorRadius, AnchorLat, AnchorLon; // metres; the position when the watch was set
    // Metres: a waypoint is reached within it, whether the arrival alarm is on or not.
    Real48 ArrivalRadius = Real48(100.0L);
    // A target raises the AIS alarm while its closest approach comes within AisCpa nautical miles
    // in 0 to AisTcpa minutes; the AIS targets are coloured by them, on or off.
    Real48 AisCpa = Real48(0.5L), AisTcpa = Real48(12.0L);
};

// The limit shown while the mouse is over a field.
enum class AlarmLimit {
    MinDir,
    MaxDir,
    MinSpe,
    MaxSpe,
    MinWind,
    MaxWind,
    MinWindForce,
    MaxWindForce,
    CommSeconds,
    DivMeter,
    PassLat,
    PassLon,
    MinDepth,
    AnchorRadius,
    ArrivalRadius,
    AisCpa,
    AisTcpa
};

// Watches the navigation values against the limits. A raised alarm stays raised (latched)
// until the sailor unticks it or switches the alarm off; the AIS alarm only while a target raises
// it (NavState::AisCollision), so that acknowledging the target clears it.
class AlarmMonitor {
public:
    std::array<bool, alarmSlotCount> AlarmOn{};
    std::array<bool, alarmSlotCount> AlarmActive{};
    AlarmLimits limits;
    bool AlarmPhase = false;
    int IntervalSeconds = 4; // between two ticks, 4 to 30
    // The limit fields' texts as typed: the alarm window shows them and keeps them up to date.
    AlarmFieldTexts fields;

    // Captures the slot's limits from the field texts and switches it on. When a field does not
    // convert, gives the message to show and leaves the slot off (limits converted before the
    // failing one are kept).
    std::optional<std::string> switchOn(AlarmSlot slot, const NavState& nav);
    void switchOff(AlarmSlot slot) { on(slot) = false; }

    bool& on(AlarmSlot slot) { return AlarmOn[static_cast<int>(slot)]; }
    bool& active(AlarmSlot slot) { return AlarmActive[static_cast<int>(slot)]; }

    // The alarm timer: evaluates every second tick, counts and names the raised alarms on every
    // tick.
    void tick(NavState& nav);

    std::string limitText(AlarmLimit limit, char decimalSeparator) const;

private:
    void evaluate(const NavState& nav);
    bool conditionHolds(AlarmSlot slot, const NavState& nav) const;
    std::string raisedNames(const NavState& nav) const;

    int arrivalsSeen_ = 0; // the route's arrivals counted at the last evaluation
};

} // namespace brisomar
