#include "base/coord_text.h"

#include "base/number_text.h"
#include "base/utf8.h"

#include <cctype>
#include <cmath>

namespace brisomar {

namespace {

std::string integerText(long double value) {
    return std::to_string(static_cast<long long>(std::trunc(value)));
}

std::string padFront(std::string text, std::size_t width) {
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

// Degrees, minutes and thousandths of |angle| with the Real48 steps of the stored program values.
std::string angleText(Real48 angle, std::size_t degreeWidth) {
    const Real48 x(std::fabs(angle.value()));
    const long double whole = std::trunc(x.value());
    const Real48 minutes((x.value() - whole) * 60);
    const long double wholeMinutes = std::trunc(minutes.value());
    const Real48 thousandths((minutes.value() - wholeMinutes) * 1000);
    return padFront(integerText(whole), degreeWidth) + "°" +
           padFront(integerText(wholeMinutes), 2) + "." +
           padFront(integerText(thousandths.value()).substr(0, 3), 3) + "'";
}

long double numberOrZero(std::string_view text) {
    return readNumber(text).value_or(0.0L);
}

long double textToAngle(std::string_view text, long double limit) {
    const Real48 degrees(numberOrZero(utf8Substring(text, 0, 3)));
    Real48 minutes(numberOrZero(utf8Substring(text, 4, 2)));
    const Real48 thousandths(numberOrZero(utf8Substring(text, 7, 3)));
    minutes = Real48(minutes.value() + thousandths.value() * 0.001L);
    if (minutes.value() >= 60)
        minutes = Real48(59.999L);
    if (degrees.value() >= limit)
        return limit;
    return degrees.value() + minutes.value() * (1.0L / 60.0L);
}

} // namespace

std::string LatToText(Real48 latitude) {
    if (latitude.value() < -90 || latitude.value() > 90)
        return "0";
    return (latitude.value() >= 0 ? "LAT N " : "LAT S ") + angleText(latitude, 2);
}

std::string LonToText(Real48 longitude) {
    if (longitude.value() < -180 || longitude.value() > 180)
        return "0";
    return (longitude.value() >= 0 ? "LON W" : "LON E") + angleText(longitude, 3);
}

std::string hemisphereOnwards(const std::string& positionText) {
    return std::string(utf8Substring(positionText, 4, 13));
}

long double signedByHemisphere(long double degrees, std::string_view field, char negativeLetter) {
    const bool negative =
        field.size() == 1 && std::toupper(static_cast<unsigned char>(field[0])) == negativeLetter;
    return negative ? -degrees : degrees;
}

long double TextToLat(std::string_view text) {
    return textToAngle(text, 90);
}

long double TextToLon(std::string_view text) {
    return textToAngle(text, 180);
}

} // namespace brisomar
