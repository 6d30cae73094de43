#include "base/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace brisomar {
namespace {

using Bytes = Real48::Bytes;

struct ByteExample {
    const char* name;
    long double value;
    Bytes bytes;
};

class Real48Examples : public testing::TestWithParam<ByteExample> {};

TEST_P(Real48Examples, EncodesToTheStoredBytesAndReadsBack) {
    const ByteExample& example = GetParam();
    const Real48 stored(example.value);
    EXPECT_EQ(stored.bytes(), example.bytes);
    EXPECT_EQ(Real48::fromBytes(example.bytes).value(), stored.value());
}

INSTANTIATE_TEST_SUITE_P(
    FileBytes, Real48Examples,
    testing::Values(ByteExample{"one", 1.0L, {0x81, 0, 0, 0, 0, 0}},
                    ByteExample{"minusOne", -1.0L, {0x81, 0, 0, 0, 0, 0x80}},
                    ByteExample{"half", 0.5L, {0x80, 0, 0, 0, 0, 0}},
                    ByteExample{"sixty", 60.0L, {0x86, 0, 0, 0, 0, 0x70}},
                    ByteExample{"ninety", 90.0L, {0x87, 0, 0, 0, 0, 0x34}},
                    ByteExample{"oneEighty", 180.0L, {0x88, 0, 0, 0, 0, 0x34}},
                    ByteExample{"noValueMarker", -10000.0L, {0x8E, 0, 0, 0, 0x40, 0x9C}},
                    ByteExample{"oneTenth", 0.1L, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}},
                    ByteExample{"minutesCap", 59.999L, {0x86, 0x23, 0xDB, 0xF9, 0xFE, 0x6F}},
                    ByteExample{"largest",
                                std::ldexp(2.0L - std::ldexp(1.0L, -39), 126),
                                {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
                    ByteExample{"smallest", std::ldexp(1.0L, -128), {0x01, 0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Real48, OneTenthReadsBackWithItsStoredError) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", static_cast<double>(Real48(0.1L).value()));
    EXPECT_STREQ(text, "0.10000000000002274");
}

TEST(Real48, RoundsHalfAwayFromZeroOnTheFirstDroppedBit) {
    const long double halfStep = std::ldexp(1.0L, -40);
    EXPECT_EQ(Real48(1.0L + halfStep).bytes(), (Bytes{0x81, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Real48(-(1.0L + halfStep)).bytes(), (Bytes{0x81, 1, 0, 0, 0, 0x80}));
    EXPECT_EQ(Real48(1.0L + halfStep - std::ldexp(1.0L, -63)).bytes(), Real48(1.0L).bytes());
}

TEST(Real48, RoundingCarriesIntoTheExponent) {
    const long double justBelowTwo = 2.0L - std::ldexp(1.0L, -40);
    EXPECT_EQ(Real48(justBelowTwo).bytes(), Real48(2.0L).bytes());
    // Below the smallest magnitude, but the carry lifts it back into range.
    const long double carriedUp = std::ldexp(1.0L - std::ldexp(1.0L, -41), -128);
    EXPECT_EQ(Real48(carriedUp).bytes(), (Bytes{0x01, 0, 0, 0, 0, 0}));
}

TEST(Real48, TooSmallBecomesZero) {
    EXPECT_EQ(Real48(std::ldexp(1.0L, -129)).bytes(), Bytes{});
    EXPECT_EQ(Real48(-std::ldexp(1.9L, -130)).bytes(), Bytes{});
    EXPECT_EQ(Real48(-0.0L).bytes(), Bytes{});
}

TEST(Real48, ZeroExponentReadsAsZeroWhateverTheOtherBytes) {
    const Real48 r = Real48::fromBytes({0x00, 0x12, 0x34, 0x56, 0x78, 0x9A});
    EXPECT_EQ(r.value(), 0.0L);
    EXPECT_FALSE(std::signbit(r.value()));
    EXPECT_TRUE(r.isZero());
}

TEST(Real48, OverflowThrowsAndKeepsTheDestination) {
    Real48 destination(22.4L);
    const Real48 before = destination;
    const long double carriesOutOfRange = std::ldexp(2.0L - std::ldexp(1.0L, -40), 126);
    EXPECT_THROW(destination = Real48(carriesOutOfRange), FloatOverflow);
    EXPECT_THROW(destination = Real48(-1e39L), FloatOverflow);
    EXPECT_THROW(destination = Real48(std::numeric_limits<long double>::infinity()), FloatOverflow);
    EXPECT_THROW(destination = Real48(std::numeric_limits<long double>::quiet_NaN()),
                 FloatOverflow);
    EXPECT_EQ(destination, before);
    EXPECT_THROW(Real48::rounded(carriesOutOfRange), FloatOverflow);
    EXPECT_THROW(Real48::rounded(std::numeric_limits<long double>::quiet_NaN()), FloatOverflow);
}

TEST(Real48, EveryStoredValueSurvivesARoundTrip) {
    for (const long double v : {22.4L, -179.99L, 1e-30L, 3.1e37L, 84.4L, -0.001L}) {
        const Real48 once(v);
        EXPECT_EQ(Real48(once.value()), once) << static_cast<double>(v);
    }
}

// The sums round without making bytes; they must land on exactly the stored value.
TEST(Real48, RoundedIsTheStoredValue) {
    std::mt19937_64 random(48);
    std::uniform_int_distribution<int> exponents(-140, 130);
    for (int i = 0; i < 20000; ++i) {
        const auto significand = static_cast<long double>(random() | (std::uint64_t{1} << 63));
        long double v = std::ldexp(significand, exponents(random) - 64);
        if (i % 2)
            v = -v;
        if (std::fabs(v) > 1.7e38L)
            continue;
        const long double stored = Real48(v).value(), rounded = Real48::rounded(v);
        ASSERT_EQ(std::signbit(rounded), std::signbit(stored)) << static_cast<double>(v);
        ASSERT_EQ(rounded, stored) << static_cast<double>(v);
    }
    EXPECT_EQ(Real48::rounded(0.0L), 0.0L);
    EXPECT_EQ(Real48::rounded(std::ldexp(1.0L, -140)), 0.0L);
}

} // namespace
} // namespace brisomar
