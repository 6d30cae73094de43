#include "input/manual_values.h"

#include "base/coord_text.h"
#include "base/number_text.h"

namespace brisomar {

Real48 typedNumber(const std::string& text) {
    return Real48(readNumber(text).value_or(0.0L));
}

void ApplyManualValues(NavState& nav, const ManualEntry& entry) {
    nav.ManualLatValue =
        Real48(signedByHemisphere(TextToLat(entry.latitude), entry.northSouth, 'S'));
    nav.ManualLonValue =
        Real48(signedByHemisphere(TextToLon(entry.longitude), entry.westEast, 'E'));
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
        return hemisphereOnwards(LatToText(nav.PosLat));
    case ManualField::Lon:
        return hemisphereOnwards(LonToText(nav.PosLon));
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
