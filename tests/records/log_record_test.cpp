#include "records/log_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace brisomar {
namespace {

TLogRecord sample() {
    return {"Kurs 180° Ærø — ok", Real48(57.5L), Real48(-11.25L),
            Real48(84.4L),        Real48(6.5L),  45631.75};
}

TEST(LogRecord, LaysOutTheFieldsAtTheirOffsets) {
    const LogRecordBytes bytes = encodeLogRecord(sample());
    const std::string cp1252 = "Kurs 180\xB0 \xC6r\xF8 \x97 ok";
    EXPECT_EQ(bytes[0], cp1252.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[1]), cp1252.size()), cp1252);
    EXPECT_EQ(bytes[1 + cp1252.size()], 0); // unused text bytes are zero
    const auto at = [&](std::size_t offset) {
        Real48::Bytes raw;
        std::memcpy(raw.data(), &bytes[offset], raw.size());
        return Real48::fromBytes(raw);
    };
    EXPECT_EQ(at(256), Real48(57.5L));
    EXPECT_EQ(at(262), Real48(-11.25L));
    EXPECT_EQ(at(268), Real48(84.4L));
    EXPECT_EQ(at(274), Real48(6.5L));
    // 45631.75 as a little-endian IEEE double: 0x40E647F800000000.
    const std::uint8_t dateTime[8] = {0x00, 0x00, 0x00, 0x00, 0xF8, 0x47, 0xE6, 0x40};
    EXPECT_EQ(std::memcmp(&bytes[280], dateTime, 8), 0);
}

TEST(LogRecord, RoundTripsAndCutsTheTextTo255Characters) {
    TLogRecord record = sample();
    EXPECT_EQ(decodeLogRecord(encodeLogRecord(record)).Text, record.Text);
    record.Text = std::string(300, 'x');
    const TLogRecord back = decodeLogRecord(encodeLogRecord(record));
    EXPECT_EQ(back.Text, std::string(255, 'x'));
    EXPECT_EQ(back.Lat, record.Lat);
    EXPECT_EQ(back.DateTime, record.DateTime);
}

TEST(LogRecord, ReadsAnyLengthByteWithinTheRecord) {
    LogRecordBytes bytes{};
    bytes[0] = 255;
    std::memset(&bytes[1], 'A', 255);
    bytes[5] = static_cast<std::uint8_t>(0x80); // the euro sign
    const TLogRecord record = decodeLogRecord(bytes);
    EXPECT_EQ(record.Text.substr(0, 8), "AAAA€A");
    EXPECT_TRUE(record.Lat.isZero());
}

} // namespace
} // namespace brisomar
