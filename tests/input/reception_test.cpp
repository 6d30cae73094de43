#include "input/reception.h"

#include <gtest/gtest.h>

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

TEST_F(ReceptionTest, DeliveryKeepsOneSentenceOfAtMost80CharactersPerPort) {
    reception.deliver(1, "$GPRM");
    reception.deliver(1, "$GPRMC");
    EXPECT_EQ(reception.receiveBuffer(1), "");
    reception.deliver(1, "$GPRMC,");
    EXPECT_EQ(reception.receiveBuffer(1), "GPRMC,");
    reception.deliver(1, rmcMessage); // the buffer is still full: dropped
    EXPECT_EQ(reception.receiveBuffer(1), "GPRMC,");
    reception.deliver(2, "$" + std::string(100, 'A'));
    EXPECT_EQ(reception.receiveBuffer(2), std::string(80, 'A'));
    const auto shown = reception.tick(nav, now);
    EXPECT_EQ(shown[0], "GPRMC,");
    EXPECT_EQ(shown[1], std::string(80, 'A'));
    EXPECT_EQ(reception.receiveBuffer(1), "");
    EXPECT_EQ(reception.receiveBuffer(2), "");
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
