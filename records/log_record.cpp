#include "records/log_record.h"

#include "base/cp1252.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace brisomar {

namespace {

constexpr std::size_t textOffset = 0, latOffset = 256, lonOffset = 262, courseOffset = 268,
                      speedOffset = 274, dateTimeOffset = 280;
constexpr std::size_t maxTextBytes = 255;

void putReal48(LogRecordBytes& bytes, std::size_t offset, const Real48& value) {
    std::copy(value.bytes().begin(), value.bytes().end(), bytes.begin() + offset);
}

Real48 getReal48(const LogRecordBytes& bytes, std::size_t offset) {
    Real48::Bytes raw;
    std::copy_n(bytes.begin() + offset, raw.size(), raw.begin());
    return Real48::fromBytes(raw);
}

void putDouble(LogRecordBytes& bytes, std::size_t offset, double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i, bits >>= 8)
        bytes[offset + i] = static_cast<std::uint8_t>(bits);
}

double getDouble(const LogRecordBytes& bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;)
        bits = (bits << 8) | bytes[offset + i];
    return std::bit_cast<double>(bits);
}

} // namespace

LogRecordBytes encodeLogRecord(const TLogRecord& record) {
    LogRecordBytes bytes{};
    const std::string text = utf8ToCp1252(record.Text).substr(0, maxTextBytes);
    bytes[textOffset] = static_cast<std::uint8_t>(text.size());
    std::memcpy(bytes.data() + textOffset + 1, text.data(), text.size());
    putReal48(bytes, latOffset, record.Lat);
    putReal48(bytes, lonOffset, record.Lon);
    putReal48(bytes, courseOffset, record.Course);
    putReal48(bytes, speedOffset, record.Speed);
    putDouble(bytes, dateTimeOffset, record.DateTime);
    return bytes;
}

TLogRecord decodeLogRecord(const LogRecordBytes& bytes) {
    TLogRecord record;
    const auto* text = reinterpret_cast<const char*>(bytes.data() + textOffset + 1);
    record.Text = cp1252ToUtf8(std::string_view(text, bytes[textOffset]));
    record.Lat = getReal48(bytes, latOffset);
    record.Lon = getReal48(bytes, lonOffset);
    record.Course = getReal48(bytes, courseOffset);
    record.Speed = getReal48(bytes, speedOffset);
    record.DateTime = getDouble(bytes, dateTimeOffset);
    return record;
}

} // namespace brisomar
