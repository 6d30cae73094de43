#pragma once

#include "base/nav_state.h"

#include <string>

namespace brisomar {

// The texts of the data source dialog's fields, as typed (masked fields keep their blanks).
struct ManualEntry {
    std::string latitude = "   °  .   ", northSouth = "N";
    std::string longitude = "   °  .   ", westEast = "W";
    std::string course = "   ", speed = "   ";
    std::string currentDir = "   ", currentSpeed = "   ";
    std::string windDir = "   ", windSpeed = "   ";
};

// Stores every typed value, whatever the source switches say: the position with its hemisphere
// (S and E negate), course, speed, current and wind. A text that does not read stores 0; no
// range is checked.
void ApplyManualValues(NavState& nav, const ManualEntry& entry);

// A typed number as the dialog stores it: 0 when it does not read.
Real48 typedNumber(const std::string& text);

// The value in use that the dialog shows while the mouse is over one of its fields.
enum class ManualField { Lat, Lon, Course, Speed, CurrentDir, CurrentSpeed, WindDir, WindSpeed };
std::string valueInUseText(ManualField field, const NavState& nav, char decimalSeparator);

} // namespace brisomar
