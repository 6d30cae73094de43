#include "base/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace brisomar {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a number text that follows the grammar.
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits, fractionDigits;
    bool negativeExponent = false;
    std::string_view exponentDigits;
};

std::string_view takeDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return text.substr(start, at - start);
}

bool takeSign(std::string_view text, std::size_t& at) {
    if (at >= text.size() || (text[at] != '+' && text[at] != '-'))
        return false;
    return text[at++] == '-';
}

std::optional<NumberParts> splitNumber(std::string_view text, char decimalSeparator) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    NumberParts parts;
    parts.negative = takeSign(text, at);
    parts.integerDigits = takeDigits(text, at);
    if (parts.integerDigits.empty())
        return std::nullopt;
    if (at < text.size() && text[at] == decimalSeparator) {
        parts.fractionDigits = takeDigits(text, ++at);
        if (parts.fractionDigits.empty())
            return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        parts.negativeExponent = takeSign(text, ++at);
        parts.exponentDigits = takeDigits(text, at);
        if (parts.exponentDigits.empty())
            return std::nullopt;
    }
    if (at != text.size())
        return std::nullopt;
    return parts;
}

// Powers of ten that long double holds exactly (5^27 < 2^64).
constexpr int maxExactPower = 27;
constexpr auto exactPowersOfTen = [] {
    std::array<long double, maxExactPower + 1> powers{};
    long double p = 1.0L;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// Up to 19 significant digits and a small exponent: one exact integer, one exact power of ten
// and one correctly rounded multiplication or division give the correctly rounded value.
std::optional<long double> exactlyComputed(const NumberParts& parts) {
    std::uint64_t significand = 0;
    int digits = 0;
    for (const std::string_view part : {parts.integerDigits, parts.fractionDigits})
        for (const char c : part) {
            if (significand == 0 && c == '0')
                continue;
            if (++digits > 19)
                return std::nullopt;
            significand = significand * 10 + static_cast<std::uint64_t>(c - '0');
        }
    if (parts.exponentDigits.size() > 4)
        return std::nullopt;
    int exponent = 0;
    for (const char c : parts.exponentDigits)
        exponent = exponent * 10 + (c - '0');
    exponent = (parts.negativeExponent ? -exponent : exponent) -
               static_cast<int>(parts.fractionDigits.size());
    if (exponent < -maxExactPower || exponent > maxExactPower)
        return significand == 0 ? std::optional<long double>(0.0L) : std::nullopt;
    const long double magnitude =
        exponent < 0 ? static_cast<long double>(significand) / exactPowersOfTen[-exponent]
                     : static_cast<long double>(significand) * exactPowersOfTen[exponent];
    return parts.negative ? -magnitude : magnitude;
}

std::optional<long double> parsedByTheLibrary(const NumberParts& parts) {
    std::string canonical = parts.negative ? "-" : "";
    canonical.append(parts.integerDigits);
    if (!parts.fractionDigits.empty())
        canonical.append(".").append(parts.fractionDigits);
    if (!parts.exponentDigits.empty())
        canonical.append(parts.negativeExponent ? "e-" : "e").append(parts.exponentDigits);
    long double value = 0;
    const char* end = canonical.data() + canonical.size();
    const auto [ptr, error] = std::from_chars(canonical.data(), end, value);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// The exact decimal expansion of a value: digits d1 d2 ... (no trailing zeros) standing for
// d1.d2d3... x 10^exponent. Empty digits mean zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void trimTrailingZeros(Decimal& d) {
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last == std::string::npos ? 0 : last + 1);
}

Decimal exactDecimal(long double value) {
    Decimal d;
    d.negative = value < 0;
    if (value == 0.0L)
        return d;
    // A Real48 has at most about 130 significant decimal digits, so 160 prints it exactly.
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%.160Le", std::fabs(value));
    const std::string_view text(buffer);
    const auto e = text.find('e');
    d.digits.reserve(e);
    d.digits.push_back(text[0]);
    d.digits.append(text.substr(2, e - 2));
    d.exponent = std::stoi(std::string(text.substr(e + 1)));
    trimTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the dropped ones.
void roundToDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool roundUp = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i < 0) { // every kept digit was 9: the value is now a power of ten
            d.digits.assign(1, '1');
            ++d.exponent;
        } else {
            ++d.digits[i];
        }
    }
    trimTrailingZeros(d);
}

// The digit at decimal position `power` (0 = units, -1 = tenths ...).
char digitAt(const Decimal& d, int power) {
    const int index = d.exponent - power;
    if (index < 0 || index >= static_cast<int>(d.digits.size()))
        return '0';
    return d.digits[index];
}

std::string fixedText(const Decimal& d, int minIntegerDigits, int decimals, char separator) {
    std::string text = d.negative ? "-" : "";
    const int highest = std::max(d.digits.empty() ? 0 : d.exponent, minIntegerDigits - 1);
    for (int power = highest; power >= 0; --power)
        text += digitAt(d, power);
    if (decimals > 0) {
        text += separator;
        for (int power = -1; power >= -decimals; --power)
            text += digitAt(d, power);
    }
    return text;
}

std::string scientificText(const Decimal& d, char separator) {
    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += separator;
        text.append(d.digits, 1);
    }
    text += 'E';
    text += std::to_string(d.exponent);
    return text;
}

} // namespace

std::optional<long double> readNumber(std::string_view text, char decimalSeparator) {
    const auto parts = splitNumber(text, decimalSeparator);
    if (!parts)
        return std::nullopt;
    if (const auto value = exactlyComputed(*parts))
        return value;
    return parsedByTheLibrary(*parts);
}

std::optional<int> readInteger(std::string_view text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    if (text[0] == '+')
        text.remove_prefix(1);
    const std::size_t firstDigit = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() <= firstDigit || !isDigit(text[firstDigit]))
        return std::nullopt;
    int value = 0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FloatToStr(Real48 value, char decimalSeparator) {
    constexpr int significantDigits = 15;
    Decimal d = exactDecimal(value.value());
    roundToDigits(d, significantDigits);
    if (d.digits.empty())
        return "0";
    if (d.exponent < -5 || d.exponent > 14)
        return scientificText(d, decimalSeparator);
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
    return fixedText(d, 1, decimals, decimalSeparator);
}

std::string FormatFloat(FloatPattern pattern, long double value, char decimalSeparator) {
    Decimal d = exactDecimal(value);
    roundToDigits(d, d.exponent + 1 + pattern.decimals);
    return fixedText(d, pattern.integerDigits, pattern.decimals, decimalSeparator);
}

} // namespace brisomar
