#include "base/qt_seams.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace brisomar {

LocalDateTime QtClock::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::chrono::milliseconds QtClock::steady() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void QtBeeper::asteriskBeep() {
    QApplication::beep();
}

namespace {

// `escape` is the answer of Escape and of the close button; by default the box's own choice.
int showBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
            const QString& detail = {},
            QMessageBox::StandardButton escape = QMessageBox::NoButton) {
    QMessageBox box(icon, QApplication::applicationName(), text, buttons,
                    QApplication::activeWindow());
    box.setInformativeText(detail);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    return box.exec();
}

Dialogs::Answer yesNo(QMessageBox::Icon icon, const QString& text) {
    const int button = showBox(icon, text, QMessageBox::Yes | QMessageBox::No);
    return button == QMessageBox::Yes ? Dialogs::Answer::Yes : Dialogs::Answer::No;
}

} // namespace

void QtDialogs::showMessage(const QString& text) {
    showBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void QtDialogs::warning(const QString& text) {
    showBox(QMessageBox::Warning, text, QMessageBox::Ok);
}

void QtDialogs::information(const QString& text) {
    showBox(QMessageBox::Information, text, QMessageBox::Ok);
}

Dialogs::Answer QtDialogs::confirmYesNo(const QString& text) {
    return yesNo(QMessageBox::Question, text);
}

Dialogs::Answer QtDialogs::informationYesNo(const QString& text) {
    return yesNo(QMessageBox::Information, text);
}

// Escape and the close button count as Retry: only Abort gives up. (The box would take Abort
// for them, its one rejecting button.)
Dialogs::Answer QtDialogs::abortRetry(const QString& text, const QString& detail) {
    const int button = showBox(QMessageBox::Warning, text, QMessageBox::Abort | QMessageBox::Retry,
                               detail, QMessageBox::Retry);
    return button == QMessageBox::Abort ? Answer::Abort : Answer::Retry;
}

} // namespace brisomar

namespace brisomar {

namespace {

std::optional<QString> firstFile(const std::optional<QStringList>& files) {
    return files ? std::optional<QString>(files->first()) : std::nullopt;
}

} // namespace

std::optional<QStringList> QtDialogs::run(QFileDialog& dialog, const FileChoice& choice) {
    dialog.setWindowTitle(choice.title);
    dialog.setNameFilter(choice.filter);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    dialog.setDirectory(lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(dialog.selectedFiles().first()).absolutePath();
    return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::openFileName(const FileChoice& choice) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return firstFile(run(dialog, choice));
}

std::optional<QStringList> QtDialogs::openFileNames(const FileChoice& choice) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return run(dialog, choice);
}

std::optional<QString> QtDialogs::saveFileName(const FileChoice& choice, bool confirmOverwrite) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    return firstFile(run(dialog, choice));
}

} // namespace brisomar
