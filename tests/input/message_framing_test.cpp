#include "input/message_framing.h"

#include <gtest/gtest.h>

#include <vector>

namespace brisomar {
namespace {

using namespace std::string_literals;

struct FramingCase {
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> messages; // finished, oldest first
    std::string unfinished;
    char start = '$', stop = '$';
};

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, CutsTheReadsIntoWholeMessages) {
    const FramingCase& c = GetParam();
    MessageFramer framer;
    for (const std::string& read : c.reads)
        framer.take(read, c.start, c.stop);
    std::vector<std::string> messages;
    while (framer.ready())
        messages.push_back(framer.next());
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(framer.unfinished(), c.unfinished);
    EXPECT_EQ(framer.next(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Reads, Framing,
    testing::Values(
        FramingCase{"leadingGarbageDropped", {"xx$GPRMC,1,2\r\n"}, {"$GPRMC,1,2"}, ""},
        FramingCase{"noStartDropped", {"GPRMC,1,2\r\n"}, {}, ""},
        FramingCase{"everySentenceOfARead",
                    {"$GPRMC,1*00\r\n$PTTKD,2,M\r\n$GPGGA,3"},
                    {"$GPRMC,1*00", "$PTTKD,2,M"},
                    "$GPGGA,3"},
        FramingCase{"cutByReadsAndJoined", {"$GPRMC,12", "3,A", "\r\n"}, {"$GPRMC,123,A"}, ""},
        FramingCase{"lineEndsOfEveryKind",
                    {"$A,1\r$B,2\n$C,3\r\n$D,4\0$E,5\r\r\n"s},
                    {"$A,1", "$B,2", "$C,3", "$D,4", "$E,5"},
                    ""},
        FramingCase{"theNextStartEndsASentence", {"$A,1$B,2", "$C"}, {"$A,1", "$B,2"}, "$C"},
        FramingCase{"aNulEndsTheSentenceTheRestIsDropped", {"$GPRMC,1\0,2\r\n"s}, {"$GPRMC,1"}, ""},
        FramingCase{"longSentenceCutTo81Characters",
                    {"$" + std::string(50, 'A'), std::string(50, 'B') + "\r\n"},
                    {"$" + std::string(50, 'A') + std::string(30, 'B')},
                    ""},
        FramingCase{"startAndStopDiffer", {"\x01"s + "abc"}, {}, "\x01"s + "abc", '\x01', '\x02'},
        FramingCase{"completedByALaterReadTheRestDropped",
                    {"\x01"s + "abc", "de\x02"s + "fg"},
                    {"\x01"s + "abcde\x02"},
                    "",
                    '\x01',
                    '\x02'},
        FramingCase{"aStopBeforeAnyStartIsGarbage",
                    {"\x02xx\x01"s + "abc"},
                    {},
                    "\x01"s + "abc",
                    '\x01',
                    '\x02'},
        FramingCase{"aisSentencesFramedLikeGps",
                    {"$GPRMC,1\r\n!AIVDM,1,1,,A,1,0*00$GPGGA", ",2\r\n!AB"},
                    {"$GPRMC,1", "!AIVDM,1,1,,A,1,0*00", "$GPGGA,2"},
                    "!AB"},
        FramingCase{"emptyReadsChangeNothing", {"", "$A,", ""}, {}, "$A,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, AFloodKeepsTheNewestMessagesOnly) {
    MessageFramer framer;
    std::string flood;
    for (std::size_t i = 0; i < MessageFramer::maxWaitingMessages + 10; ++i)
        flood += "$" + std::to_string(i) + "\n";
    framer.take(flood, '$', '$');
    EXPECT_EQ(framer.next(), "$10");
    std::string last;
    std::size_t count = 1;
    for (; framer.ready(); ++count)
        last = framer.next();
    EXPECT_EQ(count, MessageFramer::maxWaitingMessages);
    EXPECT_EQ(last, "$" + std::to_string(MessageFramer::maxWaitingMessages + 9));
}

} // namespace
} // namespace brisomar
