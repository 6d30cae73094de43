#pragma once

#include "app/real48.h"

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

// A fixed-point pattern of zeros such as "0", "0.0", "00.0", "000", "0.00".
struct FloatPattern {
    int integerDigits = 1;
    int decimals = 0;
};
std::optional<FloatPattern> parseFloatPattern(std::string_view pattern);

// The value rounded at the pattern's decimals (ties away from zero), fixed notation at every
// magnitude, the integer part padded with zeros; a negative value that rounds to zero keeps its
// sign ("-0.0"). Throws std::invalid_argument for a pattern parseFloatPattern refuses.
std::string FormatFloat(std::string_view pattern, long double value, char decimalSeparator = '.');
std::string FormatFloat(FloatPattern pattern, long double value, char decimalSeparator = '.');

} // namespace brisomar
