#include "app/qt_text.h"

#include "app/clock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace brisomar {

char systemDecimalSeparator() {
    const QString separator = QLocale::system().decimalPoint();
    return separator.size() == 1 && separator[0].unicode() < 0x80 ? separator[0].toLatin1() : '.';
}

QString longTimeText(long double dayFraction) {
    static const QString format = [] {
        QString f = QLocale::system().timeFormat(QLocale::LongFormat);
        f.remove(QRegularExpression(QStringLiteral("\\s*t+")));
        return f.trimmed();
    }();
    const TimeOfDayParts t = splitTimeOfDay(dayFraction);
    return QLocale::system().toString(QTime(t.hour, t.minute, t.second, t.millisecond), format);
}

StatusTextFormat systemTextFormat() {
    return {systemDecimalSeparator(),
            [](long double dayFraction) { return longTimeText(dayFraction).toStdString(); }};
}

} // namespace brisomar
