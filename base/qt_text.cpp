#include "base/qt_text.h"

#include "base/clock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace brisomar {

char systemDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : '.';
}

QString longTimeText(long double dayFraction) {
    const QLocale locale;
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+"))); // the time zone
    const TimeOfDayParts t = splitTimeOfDay(dayFraction);
    return locale.toString(QTime(t.hour, t.minute, t.second, t.millisecond), format.trimmed());
}

StatusTextFormat systemTextFormat() {
    return {systemDecimalSeparator(),
            [](long double dayFraction) { return longTimeText(dayFraction).toStdString(); }};
}

} // namespace brisomar
