#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace brisomar {

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

} // namespace brisomar
