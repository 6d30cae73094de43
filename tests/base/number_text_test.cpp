#include "base/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <random>

namespace brisomar {
namespace {

TEST(ReadNumber, AcceptsTheWholeGrammar) {
    EXPECT_EQ(readNumber("12.5"), 12.5L);
    EXPECT_EQ(readNumber("   -3"), -3.0L);
    EXPECT_EQ(readNumber("+4e2"), 400.0L);
    EXPECT_EQ(readNumber("1E-3"), 1e-3L);
    EXPECT_EQ(readNumber("007"), 7.0L);
    EXPECT_EQ(readNumber("2.5e+1"), 25.0L);
    EXPECT_EQ(readNumber("0.1"), 0.1L); // correctly rounded into long double
}

TEST(ReadNumber, RefusesIncompleteOrTrailingText) {
    for (const char* text : {"", "   ", "5.", ".5", ".", "5 ", "1,5", "1e", "e5", "\t5", "--1",
                             "0x10", "+", "1e+", "5°", "1.5.2", "١"})
        EXPECT_FALSE(readNumber(text).has_value()) << '"' << text << '"';
}

TEST(ReadNumber, RoundsEveryNumberAsTheLibraryDoes) {
    // Short numbers take a quicker road than long ones; both must round alike.
    std::mt19937_64 random(7);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        std::string text = digits(1 + random() % 12);
        if (random() % 2)
            text += "." + digits(1 + random() % 12);
        if (random() % 3 == 0)
            text += "e" + std::string(random() % 2 ? "-" : "") + std::to_string(random() % 40);
        long double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        EXPECT_EQ(readNumber(text), expected) << text;
        EXPECT_EQ(readNumber("-" + text), -expected) << text;
    }
}

TEST(ReadNumber, RefusesNumbersBeyondLongDouble) {
    EXPECT_FALSE(readNumber("1e5000").has_value());
}

TEST(ReadNumber, TakesTheSeparatorItIsGivenWhateverTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may be missing; the reader must not care
    EXPECT_EQ(readNumber("1.5"), 1.5L);
    EXPECT_FALSE(readNumber("1,5").has_value());
    EXPECT_EQ(readNumber("1,5", ','), 1.5L);
    EXPECT_FALSE(readNumber("1.5", ',').has_value());
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct GeneralExample {
    long double value;
    const char* text;
};

class GeneralFormat : public testing::TestWithParam<GeneralExample> {};

TEST_P(GeneralFormat, ShowsFifteenDigitsOfTheStoredValue) {
    EXPECT_EQ(FloatToStr(Real48(GetParam().value)), GetParam().text)
        << static_cast<double>(GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, GeneralFormat,
                         testing::Values(GeneralExample{22.4L, "22.3999999999942"},
                                         GeneralExample{84.4L, "84.4000000000233"},
                                         GeneralExample{0.0L, "0"}, GeneralExample{1.0L, "1"},
                                         GeneralExample{-1.5L, "-1.5"},
                                         GeneralExample{0.1L, "0.100000000000023"},
                                         GeneralExample{1e14L, "100000000000000"},
                                         GeneralExample{1e15L, "1E15"},
                                         GeneralExample{-0x1p70L, "-1.18059162071741E21"},
                                         GeneralExample{0.0001L, "0.000099999999999989"},
                                         GeneralExample{0.00001L, "9.99999999999612E-6"},
                                         GeneralExample{0.000015L, "0.0000150000000000011"},
                                         GeneralExample{0x1p-20L, "9.5367431640625E-7"},
                                         GeneralExample{-10000.0L, "-10000"}));

TEST(GeneralFormatRounding, CarriesIntoANewDigit) {
    // 0.99999999999999996 stores as a value whose 16th digit rounds the 15 nines up to 1.
    EXPECT_EQ(FloatToStr(Real48(0.9999999999999999L)), "1");
    EXPECT_EQ(FloatToStr(Real48(99999.99999999999L)), "100000");
}

TEST(GeneralFormatRounding, UsesTheGivenSeparator) {
    EXPECT_EQ(FloatToStr(Real48(22.4L), ','), "22,3999999999942");
    EXPECT_EQ(FloatToStr(Real48(0.00001L), ','), "9,99999999999612E-6");
}

struct PatternExample {
    const char* pattern;
    long double value;
    const char* text;
};

class Pattern : public testing::TestWithParam<PatternExample> {};

TEST_P(Pattern, RoundsAtThePatternsDecimals) {
    const PatternExample& e = GetParam();
    const auto pattern = parseFloatPattern(e.pattern);
    ASSERT_TRUE(pattern.has_value()) << e.pattern;
    EXPECT_EQ(FormatFloat(*pattern, e.value), e.text) << e.pattern << " " << double(e.value);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, Pattern,
    testing::Values(PatternExample{"0", 2.5L, "3"}, PatternExample{"0", -2.5L, "-3"},
                    PatternExample{"0", 2.4999L, "2"}, PatternExample{"0.0", 2.25L, "2.3"},
                    PatternExample{"0.0", -0.04L, "-0.0"}, PatternExample{"0", -0.4L, "-0"},
                    PatternExample{"0", 0.0L, "0"}, PatternExample{"00.0", 5.25L, "05.3"},
                    PatternExample{"00.0", 0.96L, "01.0"}, PatternExample{"000", 7.0L, "007"},
                    PatternExample{"000", 1234.5L, "1235"}, PatternExample{"0.00", 0.125L, "0.13"},
                    PatternExample{"0.00", 9.996L, "10.00"},
                    PatternExample{"0.00", 1e20L, "100000000000000000000.00"},
                    PatternExample{"0", 0.5L, "1"}, PatternExample{"0.0", 0.04L, "0.0"}));

TEST(PatternSyntax, AcceptsOnlyZerosWithAnOptionalFraction) {
    EXPECT_TRUE(parseFloatPattern("0.00").has_value());
    EXPECT_EQ(parseFloatPattern("00.0")->integerDigits, 2);
    EXPECT_EQ(parseFloatPattern("00.0")->decimals, 1);
    for (const char* bad : {"", ".0", "0.", "#.0", "0.0.0", "0,0", "1"})
        EXPECT_FALSE(parseFloatPattern(bad).has_value()) << bad;
    EXPECT_EQ(FormatFloat("0.00", 3.14159L, ','), "3,14");
}

// A pattern written in the code is read while compiling; one that does not read, such as
// "#.##", stops the build instead of failing while the program runs.
TEST(PatternSyntax, PatternsInTheCodeAreReadWhileCompiling) {
    static_assert(FloatPattern("00.0").integerDigits == 2 && FloatPattern("00.0").decimals == 1);
    static_assert(FloatPattern("0").integerDigits == 1 && FloatPattern("0").decimals == 0);
    static_assert(!parseFloatPattern("#.##").has_value());
    EXPECT_EQ(FormatFloat("000", 7.0L), "007");
}

} // namespace
} // namespace brisomar
