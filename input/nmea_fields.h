#pragma once

#include "base/nmea_checksum.h"
#include "base/real48.h"

#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// "No value": what the field readers give for a missing or unreadable field.
inline constexpr long double NmeaNoValue = -10000.0L;

// Whether a sentence ("$" dropped) begins with `name`, case-sensitive, where "?" in the name
// stands for any one character: "??RMC" takes GPRMC and GNRMC from any talker. An empty name
// matches every sentence.
bool sentenceHasName(std::string_view sentence, std::string_view name);

// The sentence's name: what comes before its first separator (or its checksum), "GPRMC".
std::string_view sentenceName(std::string_view sentence);

// A sentence's checksum is checked by checksumIsWrong (base/nmea_checksum.h), as an AIS
// sentence's is.

// Field n (1..14) of a received sentence ("$" already dropped): the text between separators n
// and n+1; only the first 15 separators count. The sentence must have `name` (sentenceHasName).
// A separator that is not exactly one character never matches. Texts are cut to 255 characters.
// A missing, unreadable or too large (beyond Real48) field gives NmeaNoValue.
Real48 NmeaFieldValue(std::string_view sentence, std::string_view separator, int n,
                      std::string_view name);
// The text of field n, or "" where NmeaFieldValue gives no value.
std::string NmeaFieldText(std::string_view sentence, std::string_view separator, int n,
                          std::string_view name);

// "ddmm.mmm" and a hemisphere letter to degrees, north positive ("S"/"s" negates); NmeaNoValue
// when the degrees or minutes do not read.
Real48 NmeaLatitude(std::string_view field, std::string_view hemisphere);
// "dddmm.mmm" and a hemisphere letter to degrees, west positive ("E"/"e" negates).
Real48 NmeaLongitude(std::string_view field, std::string_view hemisphere);

// A latitude or longitude field as NmeaLatitude and NmeaLongitude read it, and whether it is a
// position: only digits and a decimal point (no sign), minutes below 60, at most 90 degrees
// (longitude: 180).
struct NmeaAngle {
    Real48 degrees;
    bool position = false;
};
NmeaAngle readLatitude(std::string_view field, std::string_view hemisphere);
NmeaAngle readLongitude(std::string_view field, std::string_view hemisphere);

// The true heading, degrees 0 up to 360, that an HDT or HDG sentence ("$" dropped) of any talker
// carries. HDT: the heading, marked "T". HDG: the magnetic sensor's heading corrected by its
// deviation (when given) and by its variation, easterly added and westerly taken off. Nothing
// from any other sentence, from an HDG without variation (a magnetic heading is no true one),
// nor from a field that does not read, lies out of range or misses its E or W.
std::optional<long double> readTrueHeading(std::string_view sentence);

} // namespace brisomar
