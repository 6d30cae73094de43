#include "input/message_framing.h"

#include <gtest/gtest.h>

#include <vector>

namespace brisomar {
namespace {

using namespace std::string_literals;

struct FramingCase {
    const char* name;
    std::vector<std::string> reads;
    char start, stop;
    std::string pending;
    bool ready;
};

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, CollectsReadsIntoTheMessage) {
    const FramingCase& c = GetParam();
    SerialMessage message;
    for (const std::string& read : c.reads)
        collectReceivedText(message, read, c.start, c.stop);
    EXPECT_EQ(message.PendingMessage, c.pending);
    EXPECT_EQ(message.MessageReady, c.ready);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, Framing,
    testing::Values(
        FramingCase{"leadingGarbage", {"xx$GPRMC,1,2"}, '$', '$', "$GPRMC,1,2", true},
        FramingCase{"noStartDropped", {"GPRMC,1,2\r\n"}, '$', '$', "", false},
        FramingCase{"severalSentences",
                    {"$GPRMC,1*00\r\n$PTTKD,2,M\r\n"},
                    '$',
                    '$',
                    "$GPRMC,1*00\r\n$PTTKD,2,M\r\n",
                    true},
        FramingCase{"cutAtNul", {"$GPRMC,1\0,2"s}, '$', '$', "$GPRMC,1", true},
        FramingCase{"nulBeforeStart", {"\0$GPRMC"s}, '$', '$', "", false},
        FramingCase{
            "startAndStopDiffer", {"\x01"s + "abc"}, '\x01', '\x02', "\x01"s + "abc", false},
        FramingCase{"completedByALaterRead",
                    {"\x01"s + "abc", "de\x02"
                                      "fg"},
                    '\x01',
                    '\x02',
                    "\x01"s + "abcde\x02",
                    true},
        FramingCase{"stopBeforeStartCountsInTheFirstRead",
                    {"\x02xx\x01"
                     "abc"},
                    '\x01',
                    '\x02',
                    "\x01"
                    "abc",
                    true},
        FramingCase{"emptyReadsChangeNothing",
                    {"",
                     "\x01"
                     "a",
                     ""},
                    '\x01',
                    '\x02',
                    "\x01"
                    "a",
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, AReadyMessageKeepsGrowingUntilFetched) {
    // The port purges before it reads again, so in practice this only happens across ports.
    SerialMessage message;
    collectReceivedText(message, "$A", '$', '$');
    collectReceivedText(message, "B$C", '$', '$');
    EXPECT_EQ(message.PendingMessage, "$AB$");
    EXPECT_TRUE(message.MessageReady);
}

} // namespace
} // namespace brisomar
