#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisomar {

// The bits of one AIS message, as the six-bit characters of its sentences carry them, most
// significant bit first. Reading past the end gives zero bits: a decoder checks the length it
// needs before it reads.
class AisBits {
public:
    // The payload's characters ("0" to "W" and "`" to "w", six bits each) less the fill bits at
    // its end (0 to 5); nothing when a character lies outside that set or the fill bits do not fit.
    static std::optional<AisBits> fromPayload(std::string_view payload, int fillBits);

    std::size_t size() const { return bits_.size(); }
    std::uint32_t unsignedAt(std::size_t start, std::size_t length) const;
    std::int32_t signedAt(std::size_t start, std::size_t length) const; // two's complement
    // `count` six-bit characters from `start` ("@" is 0, " " is 32) without the "@" padding and
    // the blanks that end them; the text ends at its first "@".
    std::string textAt(std::size_t start, std::size_t count) const;

private:
    std::vector<bool> bits_;
};

// Writes a message field by field, as a transponder does, and the sentences that carry it: for
// the demo's traffic and the benchmarks.
class AisPayloadWriter {
public:
    AisPayloadWriter& put(long long value, int bits);
    // Six-bit text, "@" padding it to `characters`.
    AisPayloadWriter& text(const std::string& t, int characters);
    // Degrees (north and west positive, as the program holds them) as AIS sends them, east
    // positive, in 1/10000 minute.
    AisPayloadWriter& position(long double lat, long double lon);

    // The "!AIVDM" sentences carrying the message, 60 payload characters each at most, each
    // ended by CR LF; `sequence` is the sequential id of a message in several.
    std::string sentences(int sequence) const;

private:
    std::vector<bool> bits_;
};

} // namespace brisomar
