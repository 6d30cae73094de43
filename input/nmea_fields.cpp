#include "input/nmea_fields.h"

#include "base/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace brisomar {

namespace {

constexpr std::size_t maxTextLength = 255;
constexpr int recordedSeparators = 15;
constexpr int lastField = 14;
constexpr std::size_t minutesLength = 6; // mm.mmm: further decimals are not read
constexpr char checksumMark = '*';

std::string_view shortString(std::string_view text) {
    return text.substr(0, maxTextLength);
}

// The text of field n, or nothing when the sentence name, the separator or n does not fit.
std::optional<std::string_view> fieldText(std::string_view sentence, std::string_view separator,
                                          int n, std::string_view name) {
    sentence = shortString(sentence);
    name = shortString(name);
    if (!sentenceHasName(sentence, name) || separator.size() != 1 || n < 1 || n > lastField)
        return std::nullopt;
    std::array<std::size_t, recordedSeparators + 1> positions{};
    int count = 0;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        if (sentence[i] == separator[0] && ++count <= recordedSeparators)
            positions[count] = i;
    }
    if (count <= n)
        return std::nullopt;
    return sentence.substr(positions[n] + 1, positions[n + 1] - positions[n] - 1);
}

// A number as a stored value: NmeaNoValue when it is missing or beyond Real48's range.
Real48 storedOrNoValue(std::optional<long double> value) {
    const auto stored = value ? Real48::tryFrom(*value) : std::nullopt;
    return stored ? *stored : Real48(NmeaNoValue);
}

NmeaAngle nmeaAngle(std::string_view field, std::size_t degreeDigits, long double maxDegrees,
                    std::string_view hemisphere, std::string_view negativeHemisphere) {
    field = shortString(field);
    const auto degrees = readNumber(field.substr(0, degreeDigits));
    const auto minutes =
        readNumber(field.substr(std::min(degreeDigits, field.size()), minutesLength));
    if (!degrees || !minutes)
        return {Real48(NmeaNoValue)};
    const Real48 v = storedOrNoValue(*degrees + *minutes * (1.0L / 60.0L));
    if (v.value() == NmeaNoValue)
        return {v};
    const bool unsignedDecimal = std::all_of(field.begin(), field.end(), [](unsigned char c) {
        return std::isdigit(c) != 0 || c == '.';
    });
    const bool negative = hemisphere.size() == 1 && (hemisphere[0] == negativeHemisphere[0] ||
                                                     hemisphere[0] == negativeHemisphere[1]);
    return {negative ? Real48(-v.value()) : v,
            unsignedDecimal && *minutes < 60 && v.value() <= maxDegrees};
}

int hexDigit(char c) {
    const auto digit = std::string_view("0123456789ABCDEF")
                           .find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
}

} // namespace

std::string_view sentenceName(std::string_view sentence) {
    return sentence.substr(0, sentence.find_first_of(",*"));
}

bool checksumIsWrong(std::string_view sentence) {
    constexpr std::size_t checksumLength = 3; // "*hh"
    if (sentence.size() < checksumLength)
        return false;
    const std::size_t mark = sentence.size() - checksumLength;
    const int high = hexDigit(sentence[mark + 1]), low = hexDigit(sentence[mark + 2]);
    if (sentence[mark] != checksumMark || high < 0 || low < 0)
        return false;
    unsigned char sum = 0;
    for (const char c : sentence.substr(0, mark))
        sum ^= static_cast<unsigned char>(c);
    return sum != high * 16 + low;
}

bool sentenceHasName(std::string_view sentence, std::string_view name) {
    constexpr char anyCharacter = '?';
    return sentence.size() >= name.size() &&
           std::equal(name.begin(), name.end(), sentence.begin(), [](char wanted, char got) {
               return wanted == anyCharacter || wanted == got;
           });
}

Real48 NmeaFieldValue(std::string_view sentence, std::string_view separator, int n,
                      std::string_view name) {
    const auto text = fieldText(sentence, separator, n, name);
    return storedOrNoValue(text ? readNumber(*text) : std::nullopt);
}

std::string NmeaFieldText(std::string_view sentence, std::string_view separator, int n,
                          std::string_view name) {
    return std::string(fieldText(sentence, separator, n, name).value_or(""));
}

Real48 NmeaLatitude(std::string_view field, std::string_view hemisphere) {
    return readLatitude(field, hemisphere).degrees;
}

Real48 NmeaLongitude(std::string_view field, std::string_view hemisphere) {
    return readLongitude(field, hemisphere).degrees;
}

NmeaAngle readLatitude(std::string_view field, std::string_view hemisphere) {
    return nmeaAngle(field, 2, 90, hemisphere, "Ss");
}

NmeaAngle readLongitude(std::string_view field, std::string_view hemisphere) {
    return nmeaAngle(field, 3, 180, hemisphere, "Ee");
}

} // namespace brisomar
