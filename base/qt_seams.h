#pragma once

#include "base/beeper.h"
#include "base/clock.h"
#include "base/dialogs.h"

class QFileDialog;

namespace brisomar {

// The PC's local clock.
class QtClock : public Clock {
public:
    LocalDateTime now() const override;
    std::chrono::milliseconds steady() const override;
};

class QtBeeper : public Beeper {
public:
    void asteriskBeep() override;
};

// Message boxes over the active window, captioned with the application title.
class QtDialogs : public Dialogs {
public:
    void showMessage(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
    Answer confirmYesNo(const QString& text) override;
    Answer informationYesNo(const QString& text) override;
    Answer abortRetry(const QString& text, const QString& detail) override;
    std::optional<QString> openFileName(const FileChoice& choice) override;
    std::optional<QStringList> openFileNames(const FileChoice& choice) override;
    std::optional<QString> saveFileName(const FileChoice& choice, bool confirmOverwrite) override;

private:
    // A file dialog opens in the folder of the file chosen last, else in the sailor's home.
    std::optional<QStringList> run(QFileDialog& dialog, const FileChoice& choice);
    QString lastFolder_;
};

} // namespace brisomar
