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

// For each column, a text as wide as the widest it is expected to show: a name of twenty wide
// letters, ranges below 1000 Nm, a receding target's TCPA, the age of a target about to be
// removed. The window sizes its columns from these once, never from the rows, which change
// every second.
inline constexpr std::array<const char*, aisColumns.size()> aisColumnSamples = {
    "MMMMMMMMMMMMMMMMMMMM",
    "999.99",
    "359",
    "999.99",
    "-9999.9",
    "99.9",
    "359",
    "AtoN",
    "10 min 0 s"};

// A target's row in the AIS targets window: nautical miles, degrees true, minutes, knots; "-"
// where the value is not known.
std::array<std::string, aisColumns.size()> targetRow(const AisTarget& target);

// A target's details, label and text, as the details window shows them.
std::vector<std::pair<std::string, std::string>> targetDetails(const AisTarget& target);

} // namespace brisomar
