#include "app/qt_seams.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>

namespace brisomar {

LocalDateTime QtClock::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

void QtBeeper::asteriskBeep() {
    QApplication::beep();
}

void QtDialogs::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

Dialogs::Answer QtDialogs::confirmYesNo(const QString& text) {
    const auto button =
        QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace brisomar
