#pragma once

#include "base/real48.h"

#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// Reads blanks* [+-]? digits ("." digits)? ([eE] [+-]? digits)? with nothing after, whatever the
// locale; `decimalSeparator` stands for ".". Only the space is a blank. The value is correctly
// rounded; a text that does not read completely, or a number beyond long double, gives nothing.
std::optional<long double> readNumber(std::string_view text, char decimalSeparator = '.');

// Reads blanks* [+-]? digits with nothing after as an int; nothing when it does not read or fit.
std::optional<int> readInteger(std::string_view text);

// The general number format: the value held as Real48 rounded to 15 significant digits (ties away
// from zero), fixed notation while the decimal exponent is -5 to 14, else "1E15", "9.99E-6".
std::string FloatToStr(Real48 value, char decimalSeparator = '.');

// A fixed-point pattern of zeros such as "0", "0.0", "00.0", "000", "0.00". A pattern written
// in the code is checked when the program is built: one parseFloatPattern refuses does not
// compile.
struct FloatPattern {
    constexpr FloatPattern(int integerDigits, int decimals)
        : integerDigits(integerDigits), decimals(decimals) {}
    consteval FloatPattern(const char* pattern); // NOLINT: reads like the text it stands for

    int integerDigits = 1;
    int decimals = 0;
};

// Reads a pattern of zeros: at least one before the optional ".", at least one after it.
constexpr std::optional<FloatPattern> parseFloatPattern(std::string_view pattern) {
    const auto point = pattern.find('.');
    const auto integerPart = pattern.substr(0, point);
    const auto fractionPart =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const auto allZeros = [](std::string_view part) {
        return part.find_first_not_of('0') == std::string_view::npos;
    };
    if (integerPart.empty() || !allZeros(integerPart) || !allZeros(fractionPart) ||
        (point != std::string_view::npos && fractionPart.empty()))
        return std::nullopt;
    return FloatPattern{static_cast<int>(integerPart.size()),
                        static_cast<int>(fractionPart.size())};
}

consteval FloatPattern::FloatPattern(const char* pattern) : FloatPattern(1, 0) {
    const auto parsed = parseFloatPattern(pattern);
    if (!parsed)
        throw "unknown number pattern"; // evaluated while compiling: the build stops here
    *this = *parsed;
}

// The value rounded at the pattern's decimals (ties away from zero), fixed notation at every
// magnitude, the integer part padded with zeros; a negative value that rounds to zero keeps its
// sign ("-0.0").
std::string FormatFloat(FloatPattern pattern, long double value, char decimalSeparator = '.');

} // namespace brisomar
