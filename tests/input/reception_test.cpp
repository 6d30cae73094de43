#include "input/reception.h"

#include "alarms/alarm_monitor.h"
#include "fake_clock.h"

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
        reception.tick(nav, clock.reading());
    }

    NavState nav;
    Reception reception;
    FakeClock clock;
    LocalDateTime& now = clock.time;
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
    EXPECT_TRUE(nav.GpsFixReceived);
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
    receive("$GPRMC,1,A,9107.038,N,01131.000,E,5.5,123,x");
    EXPECT_EQ(nav.GpsSpeed, Real48(5.5L));
    EXPECT_EQ(nav.GpsCourse, Real48(123.0L));
    EXPECT_TRUE(nav.GpsLat.isZero());
    EXPECT_TRUE(nav.GpsTime.isZero());
}

TEST_F(ReceptionTest, CourseUpTo400AndSpeedBelow10000) {
    receive("$GPRMC,1,A,,,,,10000,450,x");
    EXPECT_TRUE(nav.GpsSpeed.isZero());
    EXPECT_TRUE(nav.GpsCourse.isZero());
    receive("$GPRMC,1,A,,,,,9999,400,x");
    EXPECT_EQ(nav.GpsSpeed, Real48(9999.0L));
    EXPECT_EQ(nav.GpsCourse, Real48(400.0L));
}

TEST_F(ReceptionTest, StoresTheExtendedValueWithItsTime) {
    now.hour = 11;
    receive("$PTTKD,12.5,M", 2);
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
    EXPECT_EQ(nav.ExtendedTime, timeOfDay(now));
    receive("$PTTKD,,M", 2);
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
    receive("$PTTKD,9.5,M*00", 2); // a wrong checksum: dropped whole
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
}

// The boat points where the compass says while it speaks, else along its course.
TEST_F(ReceptionTest, AHeadingIsInUseUntilItIsFiveSecondsOld) {
    receive(rmcMessage);
    SelectInUseValues(nav);
    EXPECT_EQ(HeadingInUse(nav), Real48(84.4L)); // none received yet
    receive("$INHDG,180,5,W,10,W*6D");
    EXPECT_EQ(HeadingInUse(nav), Real48(165.0L));
    clock.pass(std::chrono::seconds(5));
    reception.portSwitchedOn(nav, clock.reading());
    reception.tick(nav, clock.reading());
    EXPECT_EQ(HeadingInUse(nav), Real48(165.0L));
    clock.pass(std::chrono::milliseconds(200));
    reception.tick(nav, clock.reading());
    EXPECT_EQ(HeadingInUse(nav), Real48(84.4L));
}

TEST_F(ReceptionTest, EverySentenceSinceTheLastTickIsCheckedInArrivalOrder) {
    using Use = Reception::SentenceUse;
    std::vector<std::pair<Use, Real48>> checked; // what each check made, with the latitude
    reception.onChecked = [&](Use use, std::string_view, const NavState& n) {
        checked.emplace_back(use, n.GpsLat);
    };
    reception.deliver(1, "$GPRM"); // 6 characters or fewer: dropped
    reception.deliver(1, "$GPRMC");
    reception.deliver(1, rmcMessage);
    reception.deliver(2, "$PTTKD,12.5,M");
    reception.deliver(1, "$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x");
    reception.deliver(2, "$GPGGA,1,2");
    reception.deliver(2, "$PTTKD,7.5," + std::string(100, 'x')); // cut to 80 characters
    EXPECT_EQ(reception.uncheckedCount(), 5u);
    const auto shown = reception.tick(nav, clock.reading());

    const std::vector<std::pair<Use, Real48>> expected = {
        {Use::fix, Real48(48 + 7.038L / 60)},
        {Use::extendedValue, Real48(48 + 7.038L / 60)},
        {Use::fix, Real48(50.0L)},
        {Use::ignored, Real48(50.0L)},
        {Use::extendedValue, Real48(50.0L)}};
    EXPECT_EQ(checked, expected);
    EXPECT_EQ(nav.GpsSpeed, Real48(6.0L));
    EXPECT_EQ(nav.ExtendedValue, Real48(7.5L));
    EXPECT_EQ(shown[0], "GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x"); // each port's last
    EXPECT_EQ(shown[1], "PTTKD,7.5," + std::string(70, 'x'));
    EXPECT_EQ(reception.uncheckedCount(), 0u);
    EXPECT_EQ(reception.tick(nav, clock.reading()), (std::array<std::string, 2>{}));
}

// AIS sentences on the GPS's port go whole to the AIS reader, in order, and leave the fix alone.
TEST_F(ReceptionTest, PassesAisSentencesOnWholeAndChecksOnlyTheOthers) {
    std::vector<std::string> ais;
    reception.onAisSentence = [&](std::string_view s, const ClockReading&) { ais.emplace_back(s); };
    reception.deliver(1, "!AIVDM,2,1,3,A,55,0*00");
    reception.deliver(1, rmcMessage);
    reception.deliver(2, "!BSVDM,2,2,3,A,1C,2*00");
    const auto shown = reception.tick(nav, clock.reading());
    EXPECT_EQ(ais, (std::vector<std::string>{"!AIVDM,2,1,3,A,55,0*00", "!BSVDM,2,2,3,A,1C,2*00"}));
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(shown, (std::array<std::string, 2>{rmcMessage.substr(1), ""}));
}

TEST_F(ReceptionTest, AFloodBetweenTwoTicksKeepsTheNewestSentences) {
    int checks = 0;
    reception.onChecked = [&](Reception::SentenceUse, std::string_view, const NavState&) {
        ++checks;
    };
    for (std::size_t i = 0; i <= Reception::maxUncheckedSentences; ++i)
        reception.deliver(1, "$PTTKD," + std::to_string(i) + ",M");
    reception.tick(nav, clock.reading());
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
    receive("$GNRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x");
    EXPECT_EQ(nav.GpsLat, Real48(50.0L));
    EXPECT_EQ(nav.GpsSpeed, Real48(6.0L));
    receive(rmcMessage);
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    receive("$GPXRMC,1,A,5100.000,N,00100.000,W,7.0,91.0,x"); // only the end is shared
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(nav.GpsSpeed, Real48(22.4L));
    reception.extended.sentence = "??DBT";
    receive("$SDDBT,12.5,f,3.8,M");
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
}

TEST_F(ReceptionTest, SilenceCountsFromTheFirstTickThenFromTheLastFixAcrossMidnight) {
    reception.tick(nav, clock.reading()); // the run begins: nothing received yet
    now.minute = 1;
    reception.tick(nav, clock.reading());
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(60.0L));
    now = {2026, 12, 7, 23, 59, 50, 0};
    receive(rmcMessage);
    now = {2026, 12, 7, 23, 59, 58, 0};
    reception.tick(nav, clock.reading());
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(8.0L));
    now = {2026, 12, 8, 0, 0, 5, 0};
    reception.tick(nav, clock.reading());
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(15.0L));
    now = {2026, 12, 8, 0, 0, 9, 0};
    receive(rmcMessage);
    now.second = 12;
    reception.tick(nav, clock.reading());
    EXPECT_EQ(nav.GpsSilenceSeconds, Real48(3.0L));
}

TEST_F(ReceptionTest, SwitchingOnTakesTheLabelAndRestartsTheSilence) {
    reception.extended.alias = "Temp";
    now.hour = 12;
    reception.portSwitchedOn(nav, clock.reading());
    EXPECT_EQ(nav.ExtendedName, "Temp");
    now.second = 4;
    reception.tick(nav, clock.reading());
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

struct RefusalCase {
    const char* message;
    GpsSentenceSettings gps;
    Reception::SentenceUse use;
    bool speedAndCourse = false; // 5 knots, 90° taken
};

const GpsSentenceSettings gll{"GPGLL", "1", "2", "3", "4", "", ""},
    gga{"GPGGA", "2", "3", "4", "5", "", ""};

// Only a whole fix gives a position (46°30' N 3° W); a refused position leaves speed and course
// taken unless negative.
TEST_F(ReceptionTest, OnlyAWholeFixGivesAPosition) {
    using enum Reception::SentenceUse;
    const RefusalCase cases[] = {
        {"$GPRMC,1,A,4630.000,N,00300.000,W,5,90,x*78", {}, fix, true},
        {"$GPRMC,1,A,4630.000,N,00300.000,W,5,90,x*00", {}, wrongChecksum},
        {"$GPRMC,1,V,4630.000,N,00300.000,W,5,90,x*6F", {}, gpsNoFix},
        {"$GPGLL,4630.000,N,00300.000,W,1,V*1C", gll, gpsNoFix},
        {"$GPGGA,1,4630.000,N,00300.000,W,0,00,,*50", gga, gpsNoFix},
        {"$GPRMC,1,A,-4700.000,S,00300.000,W,-6,-90,x*49", {}, gpsPositionRefused},
        {"$GPRMC,1,A,4630.000,N,-00300.000,E,5,90,x*47", {}, gpsPositionRefused, true},
        {"$GPRMC,1,A,4660.000,N,00300.000,W,5,90,x*7D", {}, gpsPositionRefused, true},
        {"$GPRMC,1,A,4630.000,N,18000.600,W,5,90,x*74", {}, gpsPositionRefused, true},
    };
    for (const RefusalCase& c : cases) {
        NavState fresh;
        Reception reception;
        reception.gps = c.gps;
        Reception::SentenceUse use = ignored;
        reception.onChecked = [&](Reception::SentenceUse u, std::string_view, const NavState&) {
            use = u;
        };
        reception.portSwitchedOn(fresh, clock.reading());
        now.second += 5;
        reception.deliver(1, c.message);
        reception.tick(fresh, clock.reading());
        const bool position = c.use == fix;
        EXPECT_EQ(use, c.use) << c.message;
        EXPECT_EQ(fresh.GpsLat, Real48(position ? 46.5L : 0.0L)) << c.message;
        EXPECT_EQ(fresh.GpsSilenceSeconds, Real48(position ? 0.0L : 5.0L)) << c.message;
        EXPECT_EQ(fresh.GpsSpeed, Real48(c.speedAndCourse ? 5.0L : 0.0L)) << c.message;
        EXPECT_EQ(fresh.GpsCourse, Real48(c.speedAndCourse ? 90.0L : 0.0L)) << c.message;
    }
}

struct SilenceCase {
    const char* name;
    LocalDateTime lastFix;
    std::chrono::hours clockSet; // the PC clock set by, just after the fix
};

TEST_F(ReceptionTest, SilenceAlarmsRiseAfterTheirLimitsWhateverThePcClockDoes) {
    const SilenceCase cases[] = {
        {"within the day", {2026, 12, 7, 12, 0, 0, 0}, {}},
        {"across midnight", {2026, 12, 7, 23, 59, 50, 0}, {}},
        {"clock set an hour on", {2026, 12, 7, 12, 0, 0, 0}, std::chrono::hours(1)},
        {"clock set an hour back", {2026, 12, 8, 0, 30, 0, 0}, std::chrono::hours(-1)},
    };
    for (const SilenceCase& c : cases) {
        NavState fresh;
        Reception reception;
        AlarmMonitor monitor;
        now = c.lastFix;
        reception.deliver(1, rmcMessage);
        reception.deliver(2, "$PTTKD,12.5,M");
        reception.tick(fresh, clock.reading());
        SelectInUseValues(fresh);
        for (AlarmSlot slot :
             {AlarmSlot::GpsSilence, AlarmSlot::AnchorWatch, AlarmSlot::DepthBelow})
            monitor.switchOn(slot, fresh);
        clock.setBy(c.clockSet);
        for (const auto& [seconds, raised] :
             {std::pair{10, ""}, {1, "Anchor watch, Communication GPS, Depth below"}}) {
            clock.pass(std::chrono::seconds(seconds));
            reception.tick(fresh, clock.reading());
            monitor.tick(fresh);
            monitor.tick(fresh);
            EXPECT_EQ(fresh.ActiveAlarmNames, raised) << c.name;
        }
        EXPECT_EQ(fresh.GpsSilenceSeconds, Real48(11.0L)) << c.name;
    }
}

TEST_F(ReceptionTest, AnotherTalkersSentenceOfTheTypeIsNamedAfterTenSecondsOfNoMatch) {
    const std::string gnrmc = "$GNRMC,1,A,4630.000,N,00300.000,W,5,90,x";
    reception.portSwitchedOn(nav, clock.reading());
    now.second = 9;
    receive(gnrmc);
    EXPECT_EQ(nav.SentenceNotice, "");
    now.second = 10;
    receive(gnrmc);
    EXPECT_EQ(nav.SentenceNotice,
              "Receiving GNRMC, not GPRMC: set the sentence to ??RMC to read it.");
    reception.gps.sentence = "??RMC";
    receive(gnrmc);
    EXPECT_EQ(nav.SentenceNotice, "");
    EXPECT_EQ(nav.GpsLat, Real48(46.5L));
}

// A receiver whose every sentence is refused is named, with the reason, after 5 s of it; a fix
// ends the notice.
TEST_F(ReceptionTest, OnlyRefusedGpsSentencesForFiveSecondsAreNamedWithTheReason) {
    const struct {
        const char* sentence;
        const char* notice;
    } rows[] = {
        {"$GPRMC,1,A,4630.000,N,00300.000,W,5,90,x*00",
         "GPRMC refused: wrong checksum (*00, should be *78)."},
        {"$GPRMC,1,V,4630.000,N,00300.000,W,5,90,x",
         "GPRMC: the receiver reports no fix (status V)."},
        {"$GPRMC,1,A,9130.000,N,00300.000,W,5,90,x", "GPRMC: latitude out of range."},
    };
    for (const auto& row : rows) {
        reception.portSwitchedOn(nav, clock.reading());
        for (int second = 0; second <= 5; ++second) {
            EXPECT_EQ(nav.SentenceNotice, "") << row.sentence << " " << second;
            receive(row.sentence);
            clock.pass(std::chrono::seconds(1));
        }
        receive(row.sentence);
        EXPECT_EQ(nav.SentenceNotice, row.notice);
        receive("$GPRMC,1,A,4630.000,N,00300.000,W,5,90,x");
        EXPECT_EQ(nav.SentenceNotice, "");
    }
}

} // namespace
} // namespace brisomar
