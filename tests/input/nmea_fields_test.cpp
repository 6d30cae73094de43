#include "input/nmea_fields.h"

#include <gtest/gtest.h>

#include <optional>

#include <utility>

namespace brisomar {
namespace {

const std::string rmc = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

long double field(std::string_view sentence, int n, std::string_view name = "GPRMC") {
    return NmeaFieldValue(sentence, ",", n, name).value();
}

TEST(NmeaFieldValue, ReadsTheRecommendedMinimumSentence) {
    EXPECT_EQ(NmeaFieldValue(rmc, ",", 7, "GPRMC"), Real48(22.4L));
    EXPECT_EQ(NmeaFieldValue(rmc, ",", 8, "GPRMC"), Real48(84.4L));
    EXPECT_EQ(NmeaFieldValue(rmc, ",", 10, "GPRMC"), Real48(3.1L));
    EXPECT_EQ(NmeaFieldText(rmc, ",", 3, "GPRMC"), "4807.038");
    EXPECT_EQ(field(rmc, 11), NmeaNoValue); // no closing separator
    EXPECT_EQ(NmeaFieldText(rmc, ",", 11, "GPRMC"), "");
}

TEST(NmeaFieldValue, EveryFailureGivesNoValue) {
    EXPECT_EQ(field("GPGGA,1,2,3", 1), NmeaNoValue);   // other sentence
    EXPECT_EQ(field("GPRM", 1), NmeaNoValue);          // shorter than the name
    EXPECT_EQ(field("GPRMC,,2,", 1), NmeaNoValue);     // empty field
    EXPECT_EQ(field("GPRMC,x,2,", 1), NmeaNoValue);    // unreadable
    EXPECT_EQ(field("GPRMC,1.,2,", 1), NmeaNoValue);   // the number must be whole
    EXPECT_EQ(field("GPRMC,1,2,", 0), NmeaNoValue);    // numbers run from 1
    EXPECT_EQ(field("GPRMC,1,2,", 15), NmeaNoValue);   // to 14
    EXPECT_EQ(field("GPRMC,1e39,2,", 1), NmeaNoValue); // beyond what can be stored
    EXPECT_EQ(NmeaFieldValue("GPRMC,1,2,", ",,", 1, "GPRMC").value(), NmeaNoValue);
    EXPECT_EQ(NmeaFieldValue("GPRMC,1,2,", "", 1, "GPRMC").value(), NmeaNoValue);
    EXPECT_EQ(NmeaFieldText("GPRMC,1,2,", "", 1, "GPRMC"), "");
}

TEST(NmeaFieldValue, NameIsComparedExactlyAndAnEmptyNameMatchesAll) {
    EXPECT_EQ(field("gprmc,5,", 1), NmeaNoValue);
    EXPECT_EQ(field("XYZ,5,", 1, ""), 5.0L);
    EXPECT_EQ(NmeaFieldText("GPRMC,,", ",", 1, "GPRMC"), ""); // an empty field is a text
}

TEST(NmeaFieldValue, AQuestionMarkInTheNameTakesAnyOneCharacter) {
    EXPECT_EQ(field("GNRMC,5,", 1, "??RMC"), 5.0L);
    EXPECT_EQ(field("GPRMC,5,", 1, "??RMC"), 5.0L);
    EXPECT_EQ(field("GPXRMC,5,", 1, "??RMC"), NmeaNoValue); // shares only the end
    EXPECT_EQ(field("GNrmc,5,", 1, "??RMC"), NmeaNoValue);  // still case-sensitive
    EXPECT_EQ(field("RMC,5,", 1, "??RMC"), NmeaNoValue);
    EXPECT_EQ(NmeaFieldText("GLRMC,4807.038,", ",", 1, "GL?MC"), "4807.038");
}

TEST(SentenceName, IsAPrefixWhereQuestionMarksTakeAnyCharacter) {
    EXPECT_TRUE(sentenceHasName("INRMC,1", "??RMC"));
    EXPECT_TRUE(sentenceHasName("GPRMC", "GPRMC"));
    EXPECT_TRUE(sentenceHasName("?PRMC", "??RMC"));
    EXPECT_TRUE(sentenceHasName("anything", ""));
    EXPECT_TRUE(sentenceHasName("", ""));
    EXPECT_FALSE(sentenceHasName("GPRM", "GPRMC"));
    EXPECT_FALSE(sentenceHasName("GN", "???"));
    EXPECT_FALSE(sentenceHasName("GPRMC", "?PRMB"));
    EXPECT_FALSE(sentenceHasName("GPRMC", "GP?MC?"));
}

TEST(NmeaFieldValue, OnlyTheFirstFifteenSeparatorsCount) {
    std::string twenty = "GPXXX";
    for (int i = 1; i <= 20; ++i)
        twenty += "," + std::to_string(i);
    EXPECT_EQ(field(twenty, 14, "GPXXX"), 14.0L);
    EXPECT_EQ(field(twenty, 15, "GPXXX"), NmeaNoValue);
}

TEST(NmeaFieldValue, TextsAreCutTo255Characters) {
    const std::string longSentence = "GPRMC," + std::string(247, 'x') + ",7,8,";
    EXPECT_EQ(longSentence.find(",7"), 253u);
    EXPECT_EQ(field(longSentence, 2), NmeaNoValue); // its closing separator lies beyond 255
    const std::string fits = "GPRMC," + std::string(244, 'x') + ",7,8,";
    EXPECT_EQ(field(fits, 2), 7.0L);
}

TEST(NmeaPosition, HemispheresSignTheDegrees) {
    const long double north = Real48(48 + 7.038L / 60).value();
    EXPECT_EQ(NmeaLatitude("4807.038", "N").value(), north);
    EXPECT_EQ(NmeaLatitude("4807.038", "S").value(), -north);
    EXPECT_EQ(NmeaLatitude("4807.038", "s").value(), -north);
    const long double west = Real48(11 + 31 / 60.0L).value();
    EXPECT_EQ(NmeaLongitude("01131.000", "E").value(), -west);
    EXPECT_EQ(NmeaLongitude("01131.000", "e").value(), -west);
    EXPECT_EQ(NmeaLongitude("01131.000", "W").value(), west);
    EXPECT_EQ(NmeaLongitude("01131.000", "").value(), west);
    EXPECT_EQ(NmeaLongitude("01131.000", "EE").value(), west);
}

TEST(NmeaPosition, IgnoresDecimalsBeyondTheSixthMinuteCharacter) {
    EXPECT_EQ(NmeaLatitude("4807.0389999", "N"), NmeaLatitude("4807.038", "N"));
}

TEST(NmeaPosition, UnreadableDegreesOrMinutesGiveNoValue) {
    EXPECT_EQ(NmeaLatitude("", "N").value(), NmeaNoValue);
    EXPECT_EQ(NmeaLatitude("48", "S").value(), NmeaNoValue);
    EXPECT_EQ(NmeaLatitude("4x07.038", "N").value(), NmeaNoValue);
    EXPECT_EQ(NmeaLongitude("011", "E").value(), NmeaNoValue);
    EXPECT_EQ(NmeaLatitude("999e9999", "S").value(), NmeaNoValue); // beyond what can be stored
}

// A "*" at the end starts a checksum of two hexadecimal digits; one that is not is wrong, and
// without one nothing is.
TEST(Checksum, AChecksumThatDoesNotMatchOrIsNoHexadecimalNumberIsWrong) {
    const std::pair<const char*, bool> cases[] = {{"GPGSV,1,1,00*79", false},
                                                  {"GPGSV,1,1,00*78", true},
                                                  {"GNRMC,2*4b", false},
                                                  {"GNRMC,2*4B", false},
                                                  {"GNRMC,2*4A", true},
                                                  {"GPGSV,1,1,00", false},
                                                  {"GPGSV,1,1,00*7", true},
                                                  {"GPGLL,1,A*hh", true},
                                                  {"*00", false},
                                                  {"GPRMC,1,A*ZZ", true},
                                                  {"GPRMC,1,A*4G", true},
                                                  {"GPRMC,1,A*", true},
                                                  {"*", true},
                                                  {"", false}};
    for (const auto& [sentence, wrong] : cases)
        EXPECT_EQ(checksumIsWrong(sentence), wrong) << sentence;
}

// Measured sentences of compasses and gyros ("$" dropped): HDG corrected by deviation and
// variation, east added, west taken off.
TEST(TrueHeading, HdtAsSentAndHdgCorrectedByItsVariation) {
    const std::pair<const char*, std::optional<long double>> cases[] = {
        {"HEHDT,274.07,T*19", 274.07L},
        {"INHDG,180,5,W,10,W*6D", 165},
        {"HCHDG,98.3,0.0,E,12.6,W*57", 98.3L - 12.6L},
        {"HCHDG,350.0,,,15.0,E*1B", 5}, // no deviation; past north
        {"HEHDT,360,T", 0},
        {"HCHDG,101.1,,,,", std::nullopt},        // magnetic only
        {"HCHDG,101.1,2.0,,3.0,E", std::nullopt}, // deviation without its letter
        {"HEHDT,274.0,M", std::nullopt},
        {"HEHDT,361,T", std::nullopt},
        {"HEHDT,-1,T", std::nullopt},
        {"HEHDT,nan,T", std::nullopt},
        {"HEHDT,1e999,T", std::nullopt},
        {"HCHDG,2.0,,,5.0,W", 357},
        {"HEHDT,,T", std::nullopt},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", std::nullopt}};
    for (const auto& [sentence, heading] : cases) {
        const auto read = readTrueHeading(sentence);
        ASSERT_EQ(read.has_value(), heading.has_value()) << sentence;
        if (heading) {
            EXPECT_NEAR(static_cast<double>(*read), static_cast<double>(*heading), 1e-9)
                << sentence;
        }
    }
}

} // namespace
} // namespace brisomar
