#pragma once

#include "ais/ais_targets.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace brisomar {

// The AIS targets window's columns, as its header names them.
inline constexpr std::array<const char*, 9> aisColumns = {
    "Name or MMSI", "Range", "Bearing", "CPA", "TCPA", "Speed", "Course", "Class", "Age"};

// A target's row in the AIS targets window: nautical miles, degrees true, minutes, knots; "-"
// where the value is not known.
std::array<std::string, aisColumns.size()> targetRow(const AisTarget& target);

// A target's details, label and text, as the details window shows them.
std::vector<std::pair<std::string, std::string>> targetDetails(const AisTarget& target);

} // namespace brisomar
