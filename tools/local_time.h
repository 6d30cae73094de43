#pragma once

#include "base/clock.h"

#include <string>

namespace brisomar::tool {

// A log's date and time (days since 1899-12-30, local time) as "2024-06-01 14:30:00".
std::string localTimeText(double dateTime);
// The same moment in UTC, ISO 8601: "2024-06-01T12:30:00Z", by the machine's time zone.
std::string utcTimeText(double dateTime);

// The machine's clock, local time.
LocalDateTime localNow();

} // namespace brisomar::tool
