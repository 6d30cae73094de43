#include "ais/ais_encoder.h"
#include "ais/ais_reader.h"
#include "tools/ais_decode.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace brisomar {
namespace {

using test::AisEncoder;

AisEncoder header(int type, std::int64_t mmsi, int repeat = 0) {
    AisEncoder e;
    e.put(type, 6).put(repeat, 2).put(mmsi, 30);
    return e;
}

// Speed, accuracy, position, course, heading and second as classes A and B send them.
void motion(AisEncoder& e, int speed, double lat, double lon, int course, int heading, int second) {
    e.put(speed, 10).put(1, 1).degrees(lon, 28).degrees(lat, 27).put(course, 12);
    e.put(heading, 9).put(second, 6);
}

AisEncoder classA(int type, int status, int turn, int speed, double lat, double lon, int course,
                  int heading, int second) {
    AisEncoder e = header(type, 265547250);
    e.put(status, 4).put(turn, 8);
    motion(e, speed, lat, lon, course, heading, second);
    return e.put(0, 2 + 3 + 1 + 19);
}

struct DecodeCase {
    const char* name;
    std::function<AisEncoder()> message;
    const char* json;
};

class AisDecode : public testing::TestWithParam<DecodeCase> {};

// Each message is written field by field, sent in sentences of 60 characters at most, and read
// back as `ais decode` writes it.
TEST_P(AisDecode, ReadsEveryFieldOfItsType) {
    std::string recording = "$GPRMC,not,AIS*00\n"; // GPS sentences between are skipped
    for (const std::string& s : GetParam().message().sentences())
        recording += "2024-06-01T12:00:00 " + s + "\r\n";
    std::ostringstream out, err;
    EXPECT_EQ(tool::decodeAisRecording(recording, out, err), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), std::string(GetParam().json) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Types, AisDecode,
    testing::Values(
        DecodeCase{"ClassA", [] { return classA(1, 0, -2, 123, 57.75, 11.5, 2345, 235, 30); },
                   R"({"type":1,"mmsi":265547250,"lat":57.75,"lon":11.5,"speed":12.3,)"
                   R"("course":234.5,"heading":235,"status":0,"turn":-2,"accuracy":true,)"
                   R"("second":30})"},
        DecodeCase{"ClassANotAvailable",
                   [] { return classA(3, 15, -128, 1023, 91, 181, 3600, 511, 60); },
                   R"({"type":3,"mmsi":265547250,"accuracy":true})"},
        DecodeCase{"BaseStation",
                   [] {
                       return header(4, 2655619)
                           .put({{2024, 14}, {6, 4}, {1, 5}, {12, 5}, {0, 12}, {1, 1}})
                           .degrees(-12.125, 28)
                           .degrees(-33.5, 27)
                           .put(1, 4)
                           .put(0, 10 + 1 + 19);
                   },
                   R"({"type":4,"mmsi":2655619,"lat":-33.5,"lon":-12.125,"accuracy":true})"},
        DecodeCase{"ClassAStaticInTwoSentences",
                   [] {
                       return header(5, 265547250)
                           .put({{0, 2}, {9074729, 30}})
                           .text("SKVV", 7)
                           .text("NORDIC STAR  ", 20)
                           .put({{70, 8},
                                 {100, 9},
                                 {20, 9},
                                 {8, 6},
                                 {9, 6},
                                 {1, 4},
                                 {7, 4},
                                 {14, 5},
                                 {18, 5},
                                 {30, 6},
                                 {62, 8}})
                           .text("GOTEBORG", 20)
                           .put(0, 2);
                   },
                   R"({"type":5,"mmsi":265547250,"shipname":"NORDIC STAR","callsign":"SKVV",)"
                   R"("imo":9074729,"shiptype":70,"to_bow":100,"to_stern":20,"to_port":8,)"
                   R"("to_starboard":9,"draught":6.2,"destination":"GOTEBORG",)"
                   R"("eta":"07-14T18:30"})"},
        DecodeCase{"SarAircraft",
                   [] {
                       return header(9, 111265001)
                           .put({{150, 12}, {120, 10}, {0, 1}})
                           .degrees(12, 28)
                           .degrees(56, 27)
                           .put({{900, 12}, {15, 6}})
                           .put(0, 8 + 1 + 3 + 1 + 1 + 20);
                   },
                   R"({"type":9,"mmsi":111265001,"lat":56.0,"lon":12.0,"speed":120.0,)"
                   R"("course":90.0,"accuracy":false,"second":15,"alt":150})"},
        DecodeCase{"SafetyText",
                   [] { return header(14, 265547250).put(0, 2).text("MAN OVERBOARD", 13); },
                   R"({"type":14,"mmsi":265547250,"text":"MAN OVERBOARD"})"},
        DecodeCase{"ClassB",
                   [] {
                       AisEncoder e = header(18, 265000001);
                       e.put(0, 8);
                       motion(e, 55, 57.5, 11.25, 1800, 511, 20);
                       return e.put(0x7E, 2 + 7).put(0, 20);
                   },
                   R"({"type":18,"mmsi":265000001,"lat":57.5,"lon":11.25,"speed":5.5,)"
                   R"("course":180.0,"accuracy":true,"second":20})"},
        DecodeCase{"ClassBExtended",
                   [] {
                       AisEncoder e = header(19, 265000002);
                       e.put(0, 8);
                       motion(e, 40, 57.5, 11.25, 900, 91, 5);
                       return e.put(0, 4)
                           .text("SEA BREEZE", 20)
                           .put({{37, 8}, {10, 9}, {2, 9}, {2, 6}, {2, 6}, {1, 4}, {0, 7}});
                   },
                   R"({"type":19,"mmsi":265000002,"lat":57.5,"lon":11.25,"speed":4.0,)"
                   R"("course":90.0,"heading":91,"accuracy":true,"second":5,)"
                   R"("shipname":"SEA BREEZE","shiptype":37,"to_bow":10,"to_stern":2,)"
                   R"("to_port":2,"to_starboard":2})"},
        DecodeCase{"AidToNavigation",
                   [] {
                       return header(21, 992651001)
                           .put(1, 5)
                           .text("HOLMEN NORTH", 20)
                           .put(1, 1)
                           .degrees(11.5, 28)
                           .degrees(57.625, 27)
                           .put({{5, 9},
                                 {5, 9},
                                 {3, 6},
                                 {3, 6},
                                 {7, 4},
                                 {10, 6},
                                 {1, 1},
                                 {0, 8},
                                 {0, 1},
                                 {1, 1},
                                 {0, 2}});
                   },
                   R"({"type":21,"mmsi":992651001,"lat":57.625,"lon":11.5,"accuracy":true,)"
                   R"("second":10,"to_bow":5,"to_stern":5,"to_port":3,"to_starboard":3,)"
                   R"("aid_type":1,"name":"HOLMEN NORTH","off_position":true,)"
                   R"("virtual_aid":true})"},
        DecodeCase{"ClassBStaticPartA",
                   [] { return header(24, 265000003).put(0, 2).text("SEA BREEZE", 20); },
                   R"({"type":24,"mmsi":265000003,"shipname":"SEA BREEZE"})"},
        DecodeCase{"ClassBStaticPartB",
                   [] {
                       return header(24, 265000003)
                           .put({{1, 2}, {36, 8}, {0, 42}})
                           .text("SE1234", 7)
                           .put({{12, 9}, {3, 9}, {2, 6}, {2, 6}, {0, 6}});
                   },
                   R"({"type":24,"mmsi":265000003,"callsign":"SE1234","shiptype":36,)"
                   R"("to_bow":12,"to_stern":3,"to_port":2,"to_starboard":2})"},
        DecodeCase{"LongRange",
                   [] {
                       return header(27, 265547250, 3)
                           .put({{1, 1}, {0, 1}, {5, 4}})
                           .degrees(-70.5, 18, 600)
                           .degrees(-33.25, 17, 600)
                           .put({{3, 6}, {45, 9}, {0, 2}});
                   },
                   R"({"type":27,"mmsi":265547250,"lat":-33.25,"lon":-70.5,"speed":3.0,)"
                   R"("course":45.0,"status":5,"accuracy":true})"}),
    [](const auto& info) { return info.param.name; });

struct HostileCase {
    const char* name;
    std::vector<std::string> sentences;
    const char* refusal; // of the last sentence
};

std::string payloadOf(std::size_t characters) {
    return std::string(characters, '1');
}

std::string fragment(int count, int number, const std::string& payload, int fill = 0) {
    return AisEncoder::sentence("AIVDM," + std::to_string(count) + "," + std::to_string(number) +
                                ",7,B," + payload + "," + std::to_string(fill));
}

class AisHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(AisHostile, IsDroppedWithItsReason) {
    AisReader reader;
    AisReading last;
    for (const std::string& s : GetParam().sentences)
        last = reader.read(s, std::chrono::milliseconds{0});
    EXPECT_FALSE(last.message);
    EXPECT_EQ(last.refusal, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, AisHostile,
    testing::Values(
        HostileCase{
            "WrongChecksum", {"!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*25"}, "wrong checksum"},
        HostileCase{"NoChecksum", {"!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0"}, "no checksum"},
        HostileCase{"NotSixBit",
                    {fragment(1, 1, "13u?etPv2;0n:dDPwUM1U1Cb0X9D")},
                    "characters outside the six-bit set"},
        HostileCase{
            "FillBeyondFive", {fragment(1, 1, payloadOf(28), 6)}, "unreadable fragment fields"},
        HostileCase{"ShortForItsType",
                    {fragment(1, 1, payloadOf(27))},
                    "length does not fit message type 1"},
        HostileCase{"NotAis", {AisEncoder::sentence("AIVDX,1,1,,A,1,0")}, "not an AIS sentence"},
        HostileCase{"SecondWithoutFirst",
                    {fragment(2, 2, payloadOf(10))},
                    "fragment without its beginning"},
        HostileCase{"OutOfOrder",
                    {fragment(3, 1, payloadOf(10)), fragment(3, 3, payloadOf(10))},
                    "fragment out of order"},
        HostileCase{"LongerThanFiveSlots",
                    {fragment(4, 1, payloadOf(60)), fragment(4, 2, payloadOf(60)),
                     fragment(4, 3, payloadOf(60))},
                    "message too long"}),
    [](const auto& info) { return info.param.name; });

// A thousand fragments claiming one message, and fragments of messages never finished: memory
// stays bounded, and a later message still decodes.
TEST(AisReader, AThousandFragmentsOfOneMessageLeaveItWhole) {
    AisReader reader;
    for (int i = 0; i < 1000; ++i)
        reader.read(fragment(9, 1 + i % 9, payloadOf(20)), std::chrono::milliseconds{0});
    for (int id = 0; id < 100; ++id)
        reader.read(AisEncoder::sentence("AIVDM,2,1," + std::to_string(id % 10) + "," +
                                         "AB12"[id % 4] + "," + payloadOf(20) + ",0"),
                    std::chrono::milliseconds{0});
    const auto whole = classA(1, 0, 0, 0, 0, 0, 0, 0, 0).sentences();
    EXPECT_TRUE(reader.read(whole[0], std::chrono::milliseconds{0}).message);
}

// An incomplete message is dropped after a few seconds, so its last part alone is refused.
TEST(AisReader, DropsAMessageNotFinishedInTime) {
    const auto parts = header(5, 1).put(0, 386).sentences(40);
    ASSERT_EQ(parts.size(), 2u);
    AisReader reader;
    reader.read(parts[0], std::chrono::milliseconds{0});
    EXPECT_TRUE(reader.read(parts[1], AisReader::fragmentLife).message);
    reader.read(parts[0], std::chrono::milliseconds{0});
    EXPECT_EQ(reader.read(parts[1], AisReader::fragmentLife + std::chrono::milliseconds{1}).refusal,
              "fragment without its beginning");
}

TEST(AisReader, CountsTypesItDoesNotRead) {
    AisReader reader;
    const AisReading r = reader.read(header(8, 1).put(0, 100).sentences()[0], {});
    EXPECT_FALSE(r.message);
    EXPECT_EQ(r.refusal, "");
    EXPECT_EQ(reader.counts().otherTypes, 1u);
}

} // namespace
} // namespace brisomar
