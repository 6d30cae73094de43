#include "app/real48.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace brisomar {

namespace {

constexpr int exponentBias = 129;
constexpr int fractionBits = 39;
constexpr std::uint64_t hiddenBit = std::uint64_t{1} << fractionBits;

// 2^(E - 129 - 39) for every exponent byte E: the weight of the significand's lowest bit.
constexpr auto significandScales = [] {
    std::array<long double, 256> scales{};
    long double scale = 1.0L;
    for (int i = 0; i < exponentBias + fractionBits; ++i)
        scale /= 2;
    for (auto& s : scales) {
        s = scale;
        scale *= 2;
    }
    return scales;
}();

// The x87 extended format: 64-bit significand with an explicit leading bit, 15-bit exponent.
constexpr bool isX87Extended = std::numeric_limits<long double>::digits == 64 &&
                               std::numeric_limits<long double>::max_exponent == 16384;

// A finite, non-zero |value| as significand / 2^64 * 2^exponent with the significand's top bit
// set. Bits below the 64th do not matter: rounding looks at the 41st bit only.
struct Magnitude {
    std::uint64_t significand = 0;
    int exponent = 0;
    bool negative = false;
};

// Splits a finite value; gives false for infinities and NaNs. Zero gives a zero significand.
bool splitFinite(long double value, Magnitude& m) {
    if constexpr (isX87Extended) {
        // Two loads that lie inside the 10 bytes the x87 stores, so the store forwards to them.
        const auto* raw = reinterpret_cast<const unsigned char*>(&value);
        std::uint16_t signAndExponent = 0;
        std::memcpy(&m.significand, raw, 8);
        std::memcpy(&signAndExponent, raw + 8, 2);
        const int biased = signAndExponent & 0x7FFF;
        m.negative = signAndExponent & 0x8000;
        if (biased == 0x7FFF)
            return false;
        if (biased != 0) {
            m.exponent = biased - 16382;
        } else if (m.significand != 0) {
            // x87 denormals lie far below the smallest Real48; normalise them anyway.
            const int shift = std::countl_zero(m.significand);
            m.significand <<= shift;
            m.exponent = -16381 - shift;
        }
        return true;
    } else {
        if (!std::isfinite(value))
            return false;
        m.negative = std::signbit(value);
        const long double f = std::frexp(std::fabs(value), &m.exponent);
        m.significand = static_cast<std::uint64_t>(std::ldexp(f, 64));
        return true;
    }
}

} // namespace

long double Real48::value() const {
    if (bytes_[0] == 0)
        return 0.0L;
    std::uint64_t fraction = bytes_[5] & 0x7F;
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | bytes_[i];
    const long double magnitude =
        static_cast<long double>(hiddenBit | fraction) * significandScales[bytes_[0]];
    return (bytes_[5] & 0x80) ? -magnitude : magnitude;
}

bool Real48::encode(long double value, Bytes& bytes) {
    Magnitude m;
    if (!splitFinite(value, m))
        return false;
    if (m.significand == 0) {
        bytes = {};
        return true;
    }
    // Cut to 40 bits and round by adding the first dropped bit.
    std::uint64_t significand40 = (m.significand >> 24) + ((m.significand >> 23) & 1);
    int biased = m.exponent - 1 + exponentBias;
    if (significand40 >> (fractionBits + 1)) { // the rounding carried into a new bit
        significand40 >>= 1;
        ++biased;
    }
    if (biased <= 0) {
        bytes = {};
        return true;
    }
    if (biased > 255)
        return false;
    // The six bytes as one little-endian number, written at once.
    const std::uint64_t packed = static_cast<std::uint64_t>(biased) |
                                 (significand40 & (hiddenBit - 1)) << 8 |
                                 static_cast<std::uint64_t>(m.negative) << 47;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes.data(), &packed, bytes.size());
    } else {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(packed >> (8 * i));
    }
    return true;
}

} // namespace brisomar
