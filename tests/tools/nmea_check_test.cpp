#include "tools/nmea_check.h"

#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace brisomar::tool {
namespace {

const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

struct CheckCase {
    const char* name;
    std::string recording;
    std::vector<std::string> options; // after the file name; 1000 baud unless given
    std::string output;
};

class Check : public testing::TestWithParam<CheckCase> {};

// At 1000 baud 100 bytes arrive a second: a byte's arrival in ms is ten times its number.
TEST_P(Check, WritesEachFixAndExtendedValueAtTheTickThatTookIt) {
    const CheckCase& c = GetParam();
    std::vector<std::string> words = {"recording.nmea", "--baud", "1000"};
    words.insert(words.end(), c.options.begin(), c.options.end());
    std::ostringstream out;
    checkRecording(c.recording, parseCheckOptions(words), out);
    EXPECT_EQ(out.str(), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, Check,
    testing::Values(
        CheckCase{"headerSkippedThenOnePollBringsBoth",
                  "# made with $GPRMC in mind\n" + rmc + "\r\n$PTTKD,12.5,M\r\n",
                  {},
                  "fix\t0.800\t48.1172999999835\t-11.5166666666628\t22.3999999999942\t"
                  "84.4000000000233\n"
                  "extended\t1.000\t12.5\n"
                  "summary\tsentences 2\tgps 1\tfixes 1\trejected 0\tlongest-gap 0.000\n"},
        CheckCase{"fixesEveryTickAndTheLongestGapBetweenThem",
                  "$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x\n"     // read at 0.50 s
                  "$GPRMC,2,A,5001.000,N,00100.000,W,6.5,91.0,x\n"     // at 1.00 s
                  "$GPRMC,3,V,,,,,,,x\n"                               // at 1.25 s: no fix
                  "$GPRMC,4,A,5002.000,S,00100.000,E,,,x\n$GPRMC,5,A", // at 1.50 s; unfinished
                  {},
                  "fix\t0.600\t50\t1\t6\t90\n"
                  "fix\t1.000\t50.0166666666628\t1\t6.5\t91\n"
                  "fix\t1.600\t-50.0333333333256\t-1\t6.5\t91\n"
                  "summary\tsentences 4\tgps 4\tfixes 3\trejected 1 (no fix 1)\t"
                  "longest-gap 0.600\n"},
        CheckCase{"otherSentencesAndFieldsAsTheWindowSetsThem",
                  "$GPGLL,4807.038,N,01131.000,E,123519,A*25\r\n$SDDBT,12.5,f,3.8,M\r\n",
                  {"--sentence", "GPGLL", "--fields", "1,2,3,4,,", "--extended", "SDDBT",
                   "--extended-field", "3"},
                  "fix\t0.600\t48.1172999999835\t-11.5166666666628\t0\t0\n"
                  "extended\t0.800\t3.79999999999927\n"
                  "summary\tsentences 2\tgps 1\tfixes 1\trejected 0\tlongest-gap 0.000\n"},
        CheckCase{"nothingReceived",
                  "",
                  {},
                  "summary\tsentences 0\tgps 0\tfixes 0\trejected 0\tlongest-gap 0.000\n"},
        CheckCase{"refusedSentencesCounted",
                  "$GPRMC,1,A,4630.000,N,00300.000,W,5.0,090.0,x*00\n" // wrong checksum
                  "$GPRMC,2,A,-4700.000,S,00300.000,W,-6,-90,x\n"      // signed latitude
                  "$GPRMC,3,A,4630.000,N,00300.000,W,5.0,090.0,x\n",
                  {},
                  "fix\t1.600\t46.5\t3\t5\t90\n"
                  "summary\tsentences 3\tgps 2\tfixes 1\trejected 2 (checksum 1, out of range "
                  "1)\tlongest-gap 0.000\n"},
        CheckCase{"theNamesSeenWhenTheSentenceMatchedNothing",
                  "$GNRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x\n$GNGGA,1\n$GNGSA,1\n"
                  "$GNRMC,2,A,5000.000,N,00100.000,W,6.0,90.0,x\n$GNGGA,2\n",
                  {},
                  "summary\tsentences 5\tgps 0\tfixes 0\trejected 0\tlongest-gap 0.000\tseen "
                  "GNRMC 2, GNGGA 2, GNGSA 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckOptions, DefaultsAreTheCommunicationWindowsAndEachOptionSetsItsValue) {
    const CheckOptions defaults = parseCheckOptions({"trip.nmea"});
    EXPECT_EQ(defaults.path, "trip.nmea");
    EXPECT_EQ(defaults.baud, 4800);
    EXPECT_EQ(defaults.gps.sentence, "GPRMC");
    EXPECT_EQ(defaults.extended.sentence, "PTTKD");
    EXPECT_EQ(defaults.extended.field, "1");
    const CheckOptions set =
        parseCheckOptions({"--baud", "38400", "trip.nmea", "--sentence", "??RMC", "--extended", "",
                           "--fields", "1,2,12345678,4,,6", "--extended-field", "2"});
    EXPECT_EQ(set.baud, 38400);
    EXPECT_EQ(set.gps.sentence, "??RMC");
    EXPECT_EQ(set.extended.sentence, "");
    const std::vector<std::string> fields = {set.gps.latitudeField,  set.gps.northSouthField,
                                             set.gps.longitudeField, set.gps.westEastField,
                                             set.gps.speedField,     set.gps.courseField};
    EXPECT_EQ(fields, (std::vector<std::string>{"1", "2", "12345678", "4", "", "6"}));
    EXPECT_EQ(set.extended.field, "2");
}

TEST(CheckOptions, WrongWordsAreRefusedWithTheReason) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "expected 1 file name, got 0"},
        {{"a.nmea", "b.nmea"}, "expected 1 file name, got 2"},
        {{"a.nmea", "--fast"}, "nmea check does not take --fast"},
        {{"a.nmea", "--baud"}, "--baud needs a value"},
        {{"a.nmea", "--baud", "0"}, "--baud needs a positive whole number, not '0'"},
        {{"a.nmea", "--baud", "-5"}, "--baud needs a positive whole number, not '-5'"},
        {{"a.nmea", "--sentence", "GPRMCXYZW"},
         "--sentence takes at most 8 characters, not "
         "'GPRMCXYZW'"},
        {{"a.nmea", "--fields", "3,4,5,6"},
         "--fields takes six numbers LAT,NS,LON,EW,SPEED,COURSE, not '3,4,5,6'"},
        {{"a.nmea", "--fields", "3,4,5,6,7,x"}, "--fields takes field numbers or nothing, not 'x'"},
        {{"a.nmea", "--fields", "123,4,5,6,7,8"},
         "--fields takes field numbers or nothing, not '123'"},
        {{"a.nmea", "--extended-field", "1.5"},
         "--extended-field takes field numbers or nothing, not '1.5'"}};
    for (const auto& [words, reason] : cases) {
        try {
            parseCheckOptions(words);
            ADD_FAILURE() << "accepted: " << reason;
        } catch (const CheckUsageError& e) {
            EXPECT_EQ(e.what(), reason);
        }
    }
}

TEST(CheckFile, AMissingRecordingIsAnErrorNamingIt) {
    StdFileSystem files;
    std::ostringstream out;
    CheckOptions options;
    options.path = "/nonexistent/trip.nmea";
    try {
        checkFile(files, options, out);
        ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("/nonexistent/trip.nmea: "));
    }
    EXPECT_EQ(out.str(), "");
}

} // namespace
} // namespace brisomar::tool
