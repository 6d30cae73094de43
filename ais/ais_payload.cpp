#include "ais/ais_payload.h"

#include <cmath>
#include <cstdio>

namespace brisomar {

namespace {

constexpr int bitsPerCharacter = 6;

// The six-bit value a payload character stands for.
std::optional<unsigned> sixBitValue(char c) {
    if (c >= '0' && c <= 'W')
        return static_cast<unsigned>(c - '0');
    if (c >= '`' && c <= 'w')
        return static_cast<unsigned>(c - '`' + 40);
    return std::nullopt;
}

} // namespace

std::optional<AisBits> AisBits::fromPayload(std::string_view payload, int fillBits) {
    const std::size_t total = payload.size() * bitsPerCharacter;
    if (fillBits < 0 || fillBits >= bitsPerCharacter || static_cast<std::size_t>(fillBits) > total)
        return std::nullopt;
    AisBits bits;
    bits.bits_.reserve(total);
    for (const char c : payload) {
        const auto value = sixBitValue(c);
        if (!value)
            return std::nullopt;
        for (int bit = bitsPerCharacter - 1; bit >= 0; --bit)
            bits.bits_.push_back(((*value >> bit) & 1U) != 0);
    }
    bits.bits_.resize(total - static_cast<std::size_t>(fillBits));
    return bits;
}

std::uint32_t AisBits::unsignedAt(std::size_t start, std::size_t length) const {
    std::uint32_t value = 0;
    for (std::size_t i = start; i < start + length; ++i)
        value = (value << 1) | (i < bits_.size() && bits_[i] ? 1U : 0U);
    return value;
}

std::int32_t AisBits::signedAt(std::size_t start, std::size_t length) const {
    const std::uint32_t value = unsignedAt(start, length);
    const std::uint32_t sign = 1U << (length - 1);
    return static_cast<std::int32_t>(value ^ sign) - static_cast<std::int32_t>(sign);
}

std::string AisBits::textAt(std::size_t start, std::size_t count) const {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = unsignedAt(start + i * bitsPerCharacter, bitsPerCharacter);
        if (value == 0)
            break; // "@": the padding that fills the field
        text += static_cast<char>(value < 32 ? value + 64 : value);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

AisPayloadWriter& AisPayloadWriter::put(long long value, int bits) {
    for (int bit = bits - 1; bit >= 0; --bit)
        bits_.push_back(bit < 63 && ((value >> bit) & 1) != 0); // wider fields: zeros
    return *this;
}

AisPayloadWriter& AisPayloadWriter::text(const std::string& t, int characters) {
    for (int i = 0; i < characters; ++i) {
        const int c = i < static_cast<int>(t.size()) ? t[static_cast<std::size_t>(i)] : '@';
        put(c >= 64 ? c - 64 : c, 6);
    }
    return *this;
}

AisPayloadWriter& AisPayloadWriter::position(long double lat, long double lon) {
    put(std::llround(-lon * 600000), 28);
    return put(std::llround(lat * 600000), 27);
}

std::string AisPayloadWriter::sentences(int sequence) const {
    constexpr std::size_t perSentence = 60;
    const int fill =
        static_cast<int>((bitsPerCharacter - bits_.size() % bitsPerCharacter) % bitsPerCharacter);
    std::string payload;
    for (std::size_t i = 0; i < bits_.size(); i += bitsPerCharacter) {
        unsigned v = 0;
        for (std::size_t j = i; j < i + bitsPerCharacter; ++j)
            v = v * 2 + (j < bits_.size() && bits_[j] ? 1 : 0);
        payload += static_cast<char>(v < 40 ? v + '0' : v - 40 + '`');
    }
    const std::size_t count = (payload.size() + perSentence - 1) / perSentence;
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string body = "AIVDM," + std::to_string(count) + "," + std::to_string(i + 1) +
                                 "," + (count > 1 ? std::to_string(sequence) : "") + ",A," +
                                 payload.substr(i * perSentence, perSentence) + "," +
                                 std::to_string(i + 1 == count ? fill : 0);
        unsigned sum = 0;
        for (const char c : body)
            sum ^= static_cast<unsigned char>(c);
        char tail[8];
        std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
        out += "!" + body + tail;
    }
    return out;
}

} // namespace brisomar
