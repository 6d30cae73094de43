#include "input/manual_values.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

TEST(ApplyManualValues, EmptyFieldsStoreZeroEverywhere) {
    NavState nav;
    nav.WindDir = Real48(270.0L);
    nav.CurrentSpeed = Real48(2.0L);
    nav.ManualLatValue = Real48(10.0L);
    ApplyManualValues(nav, ManualEntry{});
    for (const Real48& v :
         {nav.ManualLatValue, nav.ManualLonValue, nav.ManualCourseValue, nav.ManualSpeedValue,
          nav.CurrentDir, nav.CurrentSpeed, nav.WindDir, nav.WindSpeed})
        EXPECT_TRUE(v.isZero());
}

TEST(ApplyManualValues, HemispheresNegateSouthAndEast) {
    NavState nav;
    ManualEntry entry;
    entry.latitude = "015°30.000";
    entry.northSouth = "S";
    entry.longitude = "005°00.000";
    entry.westEast = "e";
    ApplyManualValues(nav, entry);
    EXPECT_EQ(nav.ManualLatValue, Real48(-15.5L));
    EXPECT_EQ(nav.ManualLonValue, Real48(-5.0L));
    entry.northSouth = "N";
    entry.westEast = "W";
    ApplyManualValues(nav, entry);
    EXPECT_EQ(nav.ManualLatValue, Real48(15.5L));
    EXPECT_EQ(nav.ManualLonValue, Real48(5.0L));
}

TEST(ApplyManualValues, StoresNumbersAsTypedWithoutRangeChecks) {
    NavState nav;
    ManualEntry entry;
    entry.course = "999";
    entry.speed = "6  "; // a partly filled mask does not read: 0
    entry.currentDir = "045";
    entry.currentSpeed = "  2";
    entry.windDir = "270";
    entry.windSpeed = "015";
    ApplyManualValues(nav, entry);
    EXPECT_EQ(nav.ManualCourseValue, Real48(999.0L));
    EXPECT_TRUE(nav.ManualSpeedValue.isZero());
    EXPECT_EQ(nav.CurrentDir, Real48(45.0L));
    EXPECT_EQ(nav.CurrentSpeed, Real48(2.0L));
    EXPECT_EQ(nav.WindDir, Real48(270.0L));
    EXPECT_EQ(nav.WindSpeed, Real48(15.0L));
}

TEST(ValueInUseText, ShowsTheValueInUseOfEachField) {
    NavState nav;
    nav.PosLat = Real48(15.392583333333333L);
    nav.PosLon = Real48(23.8L);
    nav.PosSpeed = Real48(6.24L);
    nav.PosCourse = Real48(84.5L);
    nav.WindSpeed = Real48(12.25L);
    EXPECT_EQ(valueInUseText(ManualField::Lat, nav, '.'), "N 15°23.555'");
    EXPECT_EQ(valueInUseText(ManualField::Lon, nav, '.'), "W023°47.999'");
    EXPECT_EQ(valueInUseText(ManualField::Speed, nav, '.'), "6.2");
    EXPECT_EQ(valueInUseText(ManualField::Speed, nav, ','), "6,2");
    EXPECT_EQ(valueInUseText(ManualField::Course, nav, '.'), "85");
    EXPECT_EQ(valueInUseText(ManualField::WindSpeed, nav, '.'), "12.3");
    EXPECT_EQ(valueInUseText(ManualField::WindDir, nav, '.'), "0");
    EXPECT_EQ(valueInUseText(ManualField::CurrentSpeed, nav, '.'), "0.0");
}

} // namespace
} // namespace brisomar
