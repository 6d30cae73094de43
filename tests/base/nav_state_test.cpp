#include "base/nav_state.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

NavState withGpsAndManualValues() {
    NavState s;
    s.GpsLat = Real48(57.5L);
    s.GpsLon = Real48(-11.25L);
    s.GpsCourse = Real48(84.4L);
    s.GpsSpeed = Real48(6.2L);
    s.GpsTime = Real48(0.25L);
    s.ManualLatValue = Real48(-33.5L);
    s.ManualLonValue = Real48(151.0L);
    s.ManualCourseValue = Real48(270.0L);
    s.ManualSpeedValue = Real48(4.0L);
    return s;
}

TEST(NavState, StartsAtZeroWithAFiveMinuteLogInterval) {
    const NavState s;
    EXPECT_TRUE(s.PosLat.isZero() && s.PosLon.isZero() && s.GpsTime.isZero());
    EXPECT_EQ(s.ActiveAlarmCount, 0);
    EXPECT_FALSE(s.ManualLat || s.ManualLon || s.ManualCourse || s.ManualSpeed || s.LogOn);
    EXPECT_TRUE(s.ExtendedName.empty());
    EXPECT_EQ(s.LogInterval, 5);
}

TEST(SelectInUseValues, TakesTheGpsValuesByDefault) {
    NavState s = withGpsAndManualValues();
    SelectInUseValues(s);
    EXPECT_EQ(s.PosLat, s.GpsLat);
    EXPECT_EQ(s.PosLon, s.GpsLon);
    EXPECT_EQ(s.PosCourse, s.GpsCourse);
    EXPECT_EQ(s.PosSpeed, s.GpsSpeed);
    EXPECT_EQ(s.LastUpdate, s.GpsTime);
}

TEST(SelectInUseValues, TakesEachManualValueOnItsOwn) {
    NavState s = withGpsAndManualValues();
    s.ManualCourse = true;
    SelectInUseValues(s);
    EXPECT_EQ(s.PosCourse, s.ManualCourseValue);
    EXPECT_EQ(s.PosSpeed, s.GpsSpeed);
    s.ManualSpeed = true;
    SelectInUseValues(s);
    EXPECT_EQ(s.PosSpeed, s.ManualSpeedValue);
    EXPECT_EQ(s.PosLat, s.GpsLat);
}

TEST(SelectInUseValues, ManualLatitudeAloneFreezesLastUpdateButLongitudeFollowsTheGps) {
    NavState s = withGpsAndManualValues();
    SelectInUseValues(s);
    s.ManualLat = true;
    s.GpsLon = Real48(-12.0L);
    s.GpsTime = Real48(0.5L);
    SelectInUseValues(s);
    EXPECT_EQ(s.PosLat, s.ManualLatValue);
    EXPECT_EQ(s.PosLon, Real48(-12.0L));
    EXPECT_EQ(s.LastUpdate, Real48(0.25L));
}

TEST(SelectInUseValues, CopiesTheStoredBytesUnchanged) {
    NavState s;
    s.GpsSpeed = Real48::fromBytes({0x00, 0x12, 0x34, 0x56, 0x78, 0x9A}); // reads as zero
    SelectInUseValues(s);
    EXPECT_EQ(s.PosSpeed.bytes(), s.GpsSpeed.bytes());
}

} // namespace
} // namespace brisomar
