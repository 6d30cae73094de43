#include "input/reception.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace brisomar {
namespace {

const std::string rmcMessage =
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

class ReceptionTest : public testing::Test {
protected:
    // Delivers a message on a port and runs the next 200 ms tick.
    void receive(const std::string& message, int port = 1) {
        reception.deliver(port, message);
        reception.tick(nav, now);
    }

    NavState nav;
    Reception reception;
    LocalDateTime now{2026, 12, 7, 10, 0, 0, 0};
};

TEST_F(ReceptionTest, StoresTheFixOfTheRecommendedMinimumSentence) {
    now.second = 30;
    receive(rmcMessage);
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(nav.GpsLon, Real48(-(11 + 31 / 60.0L)));
    EXPECT_EQ(nav.GpsSpeed, Real48(22.4L));
    EXPECT_EQ(nav.GpsCourse, Real48(84.4L));
    EXPECT_EQ(nav.GpsTime, timeOfDay(now));
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(0.0L));
    EXPECT_EQ(reception.LastFixSecond(), 36030);
}

TEST_F(ReceptionTest, AVoidFixChangesNothing) {
    receive(rmcMessage);
    const NavState before = nav;
    now.minute = 1;
    receive("$GPRMC,123519,V,,,,,,,230394,,*6A");
    EXPECT_EQ(nav.GpsLat, before.GpsLat);
    EXPECT_EQ(nav.GpsSpeed, before.GpsSpeed);
    EXPECT_EQ(nav.GpsCourse, before.GpsCourse);
    EXPECT_EQ(nav.GpsTime, before.GpsTime);
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(60.0L));
}

TEST_F(ReceptionTest, SpeedAndCourseAreTakenEvenWhenThePositionIsRefused) {
    receive("$GPRMC,1,A,9107.038,N,01131.000,E,5.5,123,x*00");
    EXPECT_EQ(nav.GpsSpeed, Real48(5.5L));
    EXPECT_EQ(nav.GpsCourse, Real48(123.0L));
    EXPECT_TRUE(nav.GpsLat.isZero());
    EXPECT_TRUE(nav.GpsTime.isZero());
}

TEST_F(ReceptionTest, CourseUpTo400AndSpeedBelow10000) {
    receive("$GPRMC,1,A,,,,,10000,450,x");
    EXPECT_TRUE(nav.GpsSpeed.isZero());
    EXPECT_TRUE(nav.GpsCourse.isZero());
    receive("$GPRMC,1,A,,,,,-9999,400,x");
    EXPECT_EQ(nav.GpsSpeed, Real48(-9999.0L));
    EXPECT_EQ(nav.GpsCourse, Real48(400.0L));
}

TEST_F(ReceptionTest, StoresTheExtendedValueWithItsTime) {
    now.hour = 11;
    receive("$PTTKD,12.5,M", 2);
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
    EXPECT_EQ(nav.ExtendedTime, timeOfDay(now));
    receive("$PTTKD,,M", 2);
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
}

TEST_F(ReceptionTest, EverySentenceSinceTheLastTickIsCheckedInArrivalOrder) {
    using Use = Reception::SentenceUse;
    std::vector<std::pair<Use, Real48>> checked; // what each check made, with the latitude
    reception.onChecked = [&](Use use, const NavState& n) { checked.emplace_back(use, n.GpsLat); };
    reception.deliver(1, "$GPRM"); // 6 characters or fewer: dropped
    reception.deliver(1, "$GPRMC");
    reception.deliver(1, rmcMessage);
    reception.deliver(2, "$PTTKD,12.5,M");
    reception.deliver(1, "$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x*00");
    reception.deliver(2, "$GPGGA,1,2");
    reception.deliver(2, "$PTTKD,7.5," + std::string(100, 'x')); // cut to 80 characters
    EXPECT_EQ(reception.uncheckedCount(), 5u);
    const auto shown = reception.tick(nav, now);

    const std::vector<std::pair<Use, Real48>> expected = {
        {Use::fix, Real48(48 + 7.038L / 60)},
        {Use::extendedValue, Real48(48 + 7.038L / 60)},
        {Use::fix, Real48(50.0L)},
        {Use::ignored, Real48(50.0L)},
        {Use::extendedValue, Real48(50.0L)}};
    EXPECT_EQ(checked, expected);
    EXPECT_EQ(nav.GpsSpeed, Real48(6.0L));
    EXPECT_EQ(nav.ExtendedValue, Real48(7.5L));
    EXPECT_EQ(shown[0], "GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x*00"); // each port's last
    EXPECT_EQ(shown[1], "PTTKD,7.5," + std::string(70, 'x'));
    EXPECT_EQ(reception.uncheckedCount(), 0u);
    EXPECT_EQ(reception.tick(nav, now), (std::array<std::string, 2>{}));
}

TEST_F(ReceptionTest, AFloodBetweenTwoTicksKeepsTheNewestSentences) {
    int checks = 0;
    reception.onChecked = [&](Reception::SentenceUse, const NavState&) { ++checks; };
    for (std::size_t i = 0; i <= Reception::maxUncheckedSentences; ++i)
        reception.deliver(1, "$PTTKD," + std::to_string(i) + ",M");
    reception.tick(nav, now);
    EXPECT_EQ(checks, static_cast<int>(Reception::maxUncheckedSentences));
    EXPECT_EQ(nav.ExtendedValue,
              Real48(static_cast<long double>(Reception::maxUncheckedSentences)));
}

TEST_F(ReceptionTest, FieldSettingsApplyToTheNextSentence) {
    reception.gps.sentence = "GPXYZ";
    reception.gps.speedField = "1";
    reception.gps.courseField = "x"; // not an integer: the course is not read
    receive("$GPXYZ,7.5,9,");
    EXPECT_EQ(nav.GpsSpeed, Real48(7.5L));
    EXPECT_TRUE(nav.GpsCourse.isZero());
    receive(rmcMessage);
    EXPECT_EQ(nav.GpsSpeed, Real48(7.5L));
}

TEST_F(ReceptionTest, QuestionMarksInTheSentenceNameTakeAnyTalker) {
    reception.gps.sentence = "??RMC";
    receive("$GNRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x*00");
    EXPECT_EQ(nav.GpsLat, Real48(50.0L));
    EXPECT_EQ(nav.GpsSpeed, Real48(6.0L));
    receive(rmcMessage);
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    receive("$GPXRMC,1,A,5100.000,N,00100.000,W,7.0,91.0,x*00"); // only the end is shared
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(nav.GpsSpeed, Real48(22.4L));
    reception.extended.sentence = "??DBT";
    receive("$SDDBT,12.5,f,3.8,M");
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
}

TEST_F(ReceptionTest, SilenceCountsFromTheLastFixAndIsHeldAtZeroAfterMidnight) {
    reception.tick(nav, now); // nothing received since midnight
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(36000.0L));
    now = {2026, 12, 7, 23, 59, 50, 0};
    receive(rmcMessage);
    now = {2026, 12, 7, 23, 59, 58, 0};
    reception.tick(nav, now);
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(8.0L));
    now = {2026, 12, 8, 0, 0, 5, 0};
    reception.tick(nav, now);
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(0.0L));
    now = {2026, 12, 8, 0, 0, 9, 0};
    receive(rmcMessage);
    now.second = 12;
    reception.tick(nav, now);
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(3.0L));
}

TEST_F(ReceptionTest, SwitchingOnTakesTheLabelAndRestartsTheSilence) {
    reception.extended.alias = "Temp";
    now.hour = 12;
    reception.portSwitchedOn(nav, now);
    EXPECT_EQ(nav.ExtendedName, "Temp");
    now.second = 4;
    reception.tick(nav, now);
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(4.0L));
    EXPECT_EQ(nav.ExtendedSilenceSeconds, Real48(4.0L));
}

// The depth watch counts the seconds since the last extended value, as the GPS's are counted.
TEST_F(ReceptionTest, ExtendedSilenceCountsFromTheLastExtendedValue) {
    now.second = 10;
    receive("$PTTKD,12.5,M", 2);
    EXPECT_EQ(nav.ExtendedSilenceSeconds, Real48(0.0L));
    now.second = 20;
    receive("$PTTKD,,M", 2); // no value: still silent
    EXPECT_EQ(nav.ExtendedSilenceSeconds, Real48(10.0L));
    now.second = 25;
    receive(rmcMessage); // a fix is no depth
    EXPECT_EQ(nav.ExtendedSilenceSeconds, Real48(15.0L));
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(0.0L));
    receive("$PTTKD,3.5,M", 2);
    EXPECT_EQ(nav.ExtendedSilenceSeconds, Real48(0.0L));
}

TEST_F(ReceptionTest, GarbageChangesNoValue) {
    const std::string garbage[] = {"$\x01\x02\xff\xfe\x80garbage,,,,", "$GPRMC,,,,,,,,,,,,,,,,,,,,",
                                   "$GPRMC,1,A,4807.038,N,01131.000,E,1e39,1e39,", "$PTTKD,1e39,M",
                                   "$" + std::string(200, ',')};
    for (const std::string& message : garbage)
        receive(message);
    EXPECT_TRUE(nav.GpsSpeed.isZero());
    EXPECT_TRUE(nav.GpsCourse.isZero());
    EXPECT_TRUE(nav.ExtendedValue.isZero());
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60)); // the one valid position among them
}

} // namespace
} // namespace brisomar
