#include "input/nmea_fields.h"

#include "base/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

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

// The fields of a sentence after its name, its checksum cut off.
std::vector<std::string_view> fieldsAfterName(std::string_view sentence) {
    sentence = sentence.substr(0, sentence.find(checksumMark));
    std::vector<std::string_view> fields;
    for (std::size_t comma = sentence.find(','); comma != std::string_view::npos;) {
        const std::size_t next = sentence.find(',', comma + 1);
        fields.push_back(sentence.substr(comma + 1, next - comma - 1));
        comma = next;
    }
    return fields;
}

std::optional<long double> degreesUpTo(std::string_view text, long double most) {
    const auto degrees = readNumber(text);
    if (!degrees || *degrees < 0 || *degrees > most)
        return std::nullopt;
    return degrees;
}

// A deviation or variation with its letter: degrees, east positive.
std::optional<long double> eastPositive(std::string_view text, std::string_view letter) {
    constexpr long double mostCorrection = 180;
    const auto degrees = degreesUpTo(text, mostCorrection);
    if (!degrees || (letter != "E" && letter != "W"))
        return std::nullopt;
    return letter == "E" ? *degrees : -*degrees;
}

std::optional<long double> correctedHeading(const std::vector<std::string_view>& f) {
    enum { sensor, deviation, deviationLetter, variation, variationLetter, count };
    if (f.size() < count)
        return std::nullopt;
    const bool noDeviation = f[deviation].empty() && f[deviationLetter].empty();
    const auto heading = degreesUpTo(f[sensor], 360);
    const auto deviationEast = noDeviation ? std::optional<long double>(0)
                                           : eastPositive(f[deviation], f[deviationLetter]);
    const auto variationEast = eastPositive(f[variation], f[variationLetter]);
    if (!heading || !deviationEast || !variationEast)
        return std::nullopt;
    return *heading + *deviationEast + *variationEast;
}

} // namespace

std::optional<long double> readTrueHeading(std::string_view sentence) {
    constexpr std::size_t typeLength = 3, nameLength = 5; // "HEHDT"
    const std::string_view name = sentenceName(sentence);
    if (name.size() != nameLength)
        return std::nullopt;
    const std::string_view type = name.substr(nameLength - typeLength);
    const std::vector<std::string_view> f = fieldsAfterName(sentence);
    std::optional<long double> heading;
    if (type == "HDT" && f.size() >= 2 && f[1] == "T")
        heading = degreesUpTo(f[0], 360);
    else if (type == "HDG")
        heading = correctedHeading(f);
    if (!heading)
        return std::nullopt;
    return std::fmod(*heading + 720, 360.0L);
}

std::string_view sentenceName(std::string_view sentence) {
    return sentence.substr(0, sentence.find_first_of(",*"));
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
