#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace brisomar {

// The conversions are inline: the navigation sums decode and round hundreds of these a search.
namespace real48_detail {

constexpr int exponentBias = 129;
constexpr int fractionBits = 39;
constexpr std::uint64_t hiddenBit = std::uint64_t{1} << fractionBits;

// 2^(E - 129 - 39) for every exponent byte E: the weight of the significand's lowest bit.
inline constexpr auto significandScales = [] {
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
inline bool splitFinite(long double value, Magnitude& m) {
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

// Rounds a split value to Real48's 40 significant bits and exponent byte; false when it does not
// fit. `biased` 0 stands for zero (tiny values included).
inline bool roundToReal48(const Magnitude& m, std::uint64_t& significand40, int& biased) {
    if (m.significand == 0) {
        biased = 0;
        return true;
    }
    // Cut to 40 bits and round by adding the first dropped bit.
    significand40 = (m.significand >> 24) + ((m.significand >> 23) & 1);
    biased = m.exponent - 1 + exponentBias;
    if (significand40 >> (fractionBits + 1)) { // the rounding carried into a new bit
        significand40 >>= 1;
        ++biased;
    }
    if (biased <= 0)
        biased = 0;
    return biased <= 255;
}

} // namespace real48_detail

// A conversion into Real48 that does not fit: the destination keeps its old value.
class FloatOverflow : public std::overflow_error {
public:
    FloatOverflow() : std::overflow_error("Floating point overflow") {}
};

// The 6-byte floating-point number in which every navigation value is held and which the data
// files store. Byte 0 is the exponent biased by 129 (0 means zero), bytes 1-5 the 39-bit fraction
// from least to most significant, bit 7 of byte 5 the sign. No denormals, infinities or NaNs.
class Real48 {
public:
    using Bytes = std::array<std::uint8_t, 6>;

    constexpr Real48() = default;
    // Rounds to 40 significant bits, half away from zero; tiny values become 0.
    // Throws FloatOverflow above about 1.7e38 (and for infinities and NaNs).
    explicit Real48(long double value) {
        if (!encode(value, bytes_))
            throw FloatOverflow();
    }

    // The same rounding without the exception: nothing when the value does not fit.
    static std::optional<Real48> tryFrom(long double value) {
        Real48 r;
        if (!encode(value, r.bytes_))
            return std::nullopt;
        return r;
    }

    static constexpr Real48 fromBytes(const Bytes& bytes) {
        Real48 r;
        r.bytes_ = bytes;
        return r;
    }

    // The value exactly as a Real48 would hold it, without making the six bytes: for sums that
    // round every step as stored values do. Throws FloatOverflow as the constructor does.
    static long double rounded(long double value);

    const Bytes& bytes() const { return bytes_; }
    long double value() const;                       // exact
    operator long double() const { return value(); } // NOLINT: reads like a number

    bool isZero() const { return bytes_[0] == 0; }

    friend bool operator==(const Real48&, const Real48&) = default;

private:
    // Gives false, leaving `bytes` as they were, for a value that does not fit.
    static bool encode(long double value, Bytes& bytes);

    Bytes bytes_{};
};

inline long double Real48::value() const {
    using namespace real48_detail;
    if (bytes_[0] == 0)
        return 0.0L;
    std::uint64_t fraction = bytes_[5] & 0x7F;
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | bytes_[i];
    const long double magnitude =
        static_cast<long double>(hiddenBit | fraction) * significandScales[bytes_[0]];
    return (bytes_[5] & 0x80) ? -magnitude : magnitude;
}

inline bool Real48::encode(long double value, Bytes& bytes) {
    using namespace real48_detail;
    Magnitude m;
    std::uint64_t significand40 = 0;
    int biased = 0;
    if (!splitFinite(value, m) || !roundToReal48(m, significand40, biased))
        return false;
    if (biased == 0) {
        bytes = {};
        return true;
    }
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

inline long double Real48::rounded(long double value) {
    using namespace real48_detail;
    Magnitude m;
    std::uint64_t significand40 = 0;
    int biased = 0;
    if (!splitFinite(value, m) || !roundToReal48(m, significand40, biased))
        throw FloatOverflow();
    if (biased == 0)
        return 0.0L;
    long double result = 0;
    if constexpr (isX87Extended && std::endian::native == std::endian::little) {
        // Built in place: the x87 significand keeps its leading bit, the exponent is biased by
        // 16383 where Real48's is biased by 129.
        const std::uint64_t significand64 = significand40 << 24;
        const auto signAndExponent =
            static_cast<std::uint16_t>((biased + 16383 - exponentBias) | (m.negative << 15));
        auto* raw = reinterpret_cast<unsigned char*>(&result);
        std::memcpy(raw, &significand64, 8);
        std::memcpy(raw + 8, &signAndExponent, 2);
    } else {
        result = std::ldexp(static_cast<long double>(significand40),
                            biased - exponentBias - fractionBits);
        if (m.negative)
            result = -result;
    }
    return result;
}

} // namespace brisomar
