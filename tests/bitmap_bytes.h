#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace brisomar::testing {

inline void putU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void putU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// What the headers of a Windows bitmap say.
struct BitmapClaim {
    int width = 16;
    int height = 16; // negative: top-down
    int bits = 1;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40; // 12: the old header with 16-bit sizes
    int planes = 1;
};

// The bytes of the pixel rows `claim` makes, uncompressed: rows padded to four bytes.
inline std::uint64_t claimedPixelBytes(const BitmapClaim& claim) {
    const std::uint64_t rowBits = static_cast<std::uint64_t>(claim.width) * claim.bits;
    return (rowBits + 31) / 32 * 4 *
           static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(claim.height)));
}

// The headers and colour table of a bitmap that claims `claim`, without its pixel rows.
inline std::vector<std::uint8_t> bitmapHeaders(const BitmapClaim& claim) {
    const bool old = claim.headerSize == 12;
    const std::size_t colours = claim.bits <= 8 ? std::size_t{1} << claim.bits : 0;
    const std::size_t offset = 14 + claim.headerSize + colours * (old ? 3 : 4);
    std::vector<std::uint8_t> bytes(offset);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putU32(bytes, 2, static_cast<std::uint32_t>(offset + claimedPixelBytes(claim)));
    putU32(bytes, 10, static_cast<std::uint32_t>(offset));
    putU32(bytes, 14, claim.headerSize);
    if (old) {
        putU16(bytes, 18, static_cast<std::uint16_t>(claim.width));
        putU16(bytes, 20, static_cast<std::uint16_t>(claim.height));
        putU16(bytes, 22, static_cast<std::uint16_t>(claim.planes));
        putU16(bytes, 24, static_cast<std::uint16_t>(claim.bits));
        return bytes;
    }
    putU32(bytes, 18, static_cast<std::uint32_t>(claim.width));
    putU32(bytes, 22, static_cast<std::uint32_t>(claim.height));
    putU16(bytes, 26, static_cast<std::uint16_t>(claim.planes));
    putU16(bytes, 28, static_cast<std::uint16_t>(claim.bits));
    putU32(bytes, 30, claim.compression);
    return bytes;
}

} // namespace brisomar::testing
