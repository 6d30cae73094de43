#include "ais/ais_reader.h"

#include "base/nmea_checksum.h"

#include <array>
#include <string_view>
#include <vector>

namespace brisomar {

namespace {

constexpr std::size_t checksumLength = 3; // "*hh"
constexpr std::size_t fieldCount = 7;

bool hasChecksum(std::string_view s) {
    return s.size() > checksumLength && s[s.size() - checksumLength] == '*';
}

// The comma-separated fields between the "!" and the checksum; fewer or more refuse the sentence.
std::optional<std::array<std::string_view, fieldCount>> fields(std::string_view body) {
    std::array<std::string_view, fieldCount> f;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        const std::size_t comma = body.find(',');
        if ((comma == std::string_view::npos) != (i == fieldCount - 1))
            return std::nullopt;
        f[i] = body.substr(0, comma);
        body.remove_prefix(comma == std::string_view::npos ? body.size() : comma + 1);
    }
    return f;
}

// A single digit from `lowest` to 9.
std::optional<int> digit(std::string_view field, int lowest) {
    if (field.size() != 1 || field[0] < '0' + lowest || field[0] > '9')
        return std::nullopt;
    return field[0] - '0';
}

// Empty, or one of the characters `allowed`.
std::optional<char> oneOf(std::string_view field, std::string_view allowed) {
    if (field.empty())
        return char{0};
    if (field.size() != 1 || allowed.find(field[0]) == std::string_view::npos)
        return std::nullopt;
    return field[0];
}

} // namespace

std::variant<AisSentence, std::string> parseAisSentence(std::string_view sentence) {
    if (sentence.empty() || sentence[0] != '!')
        return std::string("not an AIS sentence");
    const std::string_view body = sentence.substr(1);
    if (!hasChecksum(body))
        return std::string("no checksum");
    if (checksumIsWrong(body))
        return std::string("wrong checksum");
    const auto f = fields(body.substr(0, body.size() - checksumLength));
    if (!f || (*f)[0].size() != 5 || !((*f)[0].ends_with("VDM") || (*f)[0].ends_with("VDO")))
        return std::string("not an AIS sentence");
    AisSentence s;
    s.own = (*f)[0].ends_with("VDO");
    const auto fragments = digit((*f)[1], 1), fragment = digit((*f)[2], 1);
    const auto sequence = oneOf((*f)[3], "0123456789");
    const auto channel = oneOf((*f)[4], "AB12");
    const auto fill = digit((*f)[6], 0);
    if (!fragments || !fragment || *fragment > *fragments || !sequence || !channel || !fill ||
        *fill > 5)
        return std::string("unreadable fragment fields");
    s.fragments = *fragments;
    s.fragment = *fragment;
    s.sequence = *sequence;
    s.channel = *channel;
    s.payload = (*f)[5];
    s.fillBits = *fill;
    return s;
}

AisReading AisReader::read(std::string_view sentence, std::chrono::milliseconds now) {
    ++counts_.sentences;
    dropStale(now);
    auto parsed = parseAisSentence(sentence);
    AisReading reading;
    if (const auto* refusal = std::get_if<std::string>(&parsed))
        reading.refusal = *refusal;
    else
        reading = assemble(std::get<AisSentence>(parsed), now);
    if (!reading.refusal.empty())
        ++counts_.refused;
    return reading;
}

AisReading AisReader::assemble(const AisSentence& s, std::chrono::milliseconds now) {
    if (s.fragments == 1)
        return decode(s.payload, s.fillBits, s.own);
    const std::pair key{s.sequence, s.channel};
    if (s.fragment == 1) {
        if (begun_.size() >= maxOpen && !begun_.contains(key))
            return {{}, false, "too many messages begun"};
        begun_[key] = {s.fragments, 1, s.own, {}, now};
    }
    const auto found = begun_.find(key);
    if (found == begun_.end())
        return {{}, false, "fragment without its beginning"};
    Begun& b = found->second;
    if (b.fragments != s.fragments || b.next != s.fragment || b.own != s.own) {
        begun_.erase(found);
        return {{}, false, "fragment out of order"};
    }
    if (b.payload.size() + s.payload.size() > maxPayload) {
        begun_.erase(found);
        return {{}, false, "message too long"};
    }
    b.payload += s.payload;
    if (++b.next <= b.fragments)
        return {};
    const std::string payload = std::move(b.payload);
    const bool own = b.own;
    begun_.erase(found);
    return decode(payload, s.fillBits, own);
}

AisReading AisReader::decode(std::string_view payload, int fillBits, bool own) {
    if (payload.size() > maxPayload)
        return {{}, own, "message too long"};
    const auto bits = AisBits::fromPayload(payload, fillBits);
    if (!bits)
        return {{}, own, "characters outside the six-bit set"};
    auto decoded = decodeAisMessage(*bits);
    if (auto* message = std::get_if<AisMessage>(&decoded)) {
        ++counts_.messages;
        return {std::move(*message), own, {}};
    }
    if (std::get<AisRefusal>(decoded) == AisRefusal::otherType) {
        ++counts_.otherTypes;
        return {{}, own, {}};
    }
    return {{}, own, "length does not fit message type " + std::to_string(bits->unsignedAt(0, 6))};
}

void AisReader::dropStale(std::chrono::milliseconds now) {
    std::erase_if(begun_,
                  [now](const auto& entry) { return now - entry.second.started > fragmentLife; });
}

} // namespace brisomar
