#include "input/manual_values.h"

#include "app/coord_text.h"
#include "app/number_text.h"
#include "app/utf8.h"

#include <cctype>

namespace brisomar {

namespace {

bool isLetter(const std::string& text, char upperCase) {
    return text.size() == 1 && std::toupper(static_cast<unsigned char>(text[0])) == upperCase;
}

// Characters 5 to 17 of a position text: from the hemisphere letter on.
std::string fromHemisphere(const std::string& text) {
    return std::string(utf8Substring(text, 4, 13));
}

} // namespace

Real48 typedNumber(const std::string& text) {
    return Real48(readNumber(text).value_or(0.0L));
}

void ApplyManualValues(NavState& nav, const ManualEntry& entry) {
    const long double lat = TextToLat(entry.latitude);
    nav.ManualLatValue = Real48(isLetter(entry.northSouth, 'S') ? -lat : lat);
    const long double lon = TextToLon(entry.longitude);
    nav.ManualLonValue = Real48(isLetter(entry.westEast, 'E') ? -lon : lon);
    nav.ManualCourseValue = typedNumber(entry.course);
    nav.ManualSpeedValue = typedNumber(entry.speed);
    nav.CurrentDir = typedNumber(entry.currentDir);
    nav.CurrentSpeed = typedNumber(entry.currentSpeed);
    nav.WindDir = typedNumber(entry.windDir);
    nav.WindSpeed = typedNumber(entry.windSpeed);
}

std::string valueInUseText(ManualField field, const NavState& nav, char decimalSeparator) {
    switch (field) {
    case ManualField::Lat:
        return fromHemisphere(LatToText(nav.PosLat));
    case ManualField::Lon:
        return fromHemisphere(LonToText(nav.PosLon));
    case ManualField::Course:
        return FormatFloat("0", nav.PosCourse, decimalSeparator);
    case ManualField::CurrentDir:
        return FormatFloat("0", nav.CurrentDir, decimalSeparator);
    case ManualField::WindDir:
        return FormatFloat("0", nav.WindDir, decimalSeparator);
    case ManualField::Speed:
        return FormatFloat("0.0", nav.PosSpeed, decimalSeparator);
    case ManualField::CurrentSpeed:
        return FormatFloat("0.0", nav.CurrentSpeed, decimalSeparator);
    case ManualField::WindSpeed:
        return FormatFloat("0.0", nav.WindSpeed, decimalSeparator);
    }
    return {};
}

} // namespace brisomar
