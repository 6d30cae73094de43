#include "base/clock.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

TEST(Clock, TimeOfDayIsAFractionOfADay) {
    EXPECT_EQ(dayFraction({2026, 12, 7, 12, 0, 0, 0}), 0.5L);
    EXPECT_EQ(dayFraction({2026, 12, 7, 0, 0, 0, 0}), 0.0L);
    EXPECT_EQ(timeOfDay({2026, 12, 7, 6, 0, 0, 0}), Real48(0.25L));
    EXPECT_LT(dayFraction({2026, 12, 7, 23, 59, 59, 999}), 1.0L);
    EXPECT_EQ(secondOfDay({2026, 12, 7, 1, 2, 3, 900}), 3723);
}

TEST(Clock, DateTimeCountsDaysSinceTheEndOf1899) {
    EXPECT_EQ(dateTimeValue({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_EQ(dateTimeValue({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_EQ(dateTimeValue({2000, 1, 1, 18, 0, 0, 0}), 36526.75);
    EXPECT_EQ(dateTimeValue({2024, 2, 29, 0, 0, 0, 0}), 45351.0);
}

TEST(Clock, SplitsAStoredTimeBackToTheMillisecond) {
    const LocalDateTime t{2026, 12, 7, 23, 59, 58, 999};
    const TimeOfDayParts parts = splitTimeOfDay(timeOfDay(t).value());
    EXPECT_EQ(parts.hour, 23);
    EXPECT_EQ(parts.minute, 59);
    EXPECT_EQ(parts.second, 58);
    EXPECT_EQ(parts.millisecond, 999);
    EXPECT_EQ(splitTimeOfDay(0.9999999999L).hour, 0); // rounds to midnight, never to hour 24
}

} // namespace
} // namespace brisomar
