#pragma once

#include "base/status_pages.h"

#include <QString>

#include <string>

namespace brisomar {

// The decimal separator of the locale in use (the system's) for numbers on screen.
char systemDecimalSeparator();

// A stored time of day in the locale's long time format, without a time zone.
QString longTimeText(long double dayFraction);

// Numbers and times as the system shows them, for the core's text builders.
StatusTextFormat systemTextFormat();

inline QString toQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace brisomar
