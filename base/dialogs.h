#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace brisomar {

// The only path to message boxes: production shows them, tests script the answers and read back
// every text shown. Captions are the application title.
class Dialogs {
public:
    enum class Answer { Yes, No, Abort, Retry };

    // A file dialog: its title, a filter such as "Log-files (*.LOG *.log)" and the suffix given
    // to a name typed without one.
    struct FileChoice {
        QString title;
        QString filter;
        QString defaultSuffix;
    };

    virtual ~Dialogs() = default;
    virtual void showMessage(const QString& text) = 0;    // plain message with OK
    virtual void warning(const QString& text) = 0;        // warning with OK
    virtual void information(const QString& text) = 0;    // information with OK
    virtual Answer confirmYesNo(const QString& text) = 0; // confirmation with Yes and No
    // An information box with Yes and No.
    virtual Answer informationYesNo(const QString& text) = 0;
    // Warning with Abort and Retry; `detail` says more for whoever asks (may be empty).
    virtual Answer abortRetry(const QString& text, const QString& detail) = 0;
    // The chosen path of an existing file, or nothing when cancelled.
    virtual std::optional<QString> openFileName(const FileChoice& choice) = 0;
    // The chosen paths of one or more existing files, or nothing when cancelled; one file
    // unless the platform's dialog offers more.
    virtual std::optional<QStringList> openFileNames(const FileChoice& choice) {
        const auto one = openFileName(choice);
        return one ? std::optional<QStringList>(QStringList{*one}) : std::nullopt;
    }
    // The chosen path to write to (its folder exists; the file may not); `confirmOverwrite`
    // asks before an existing file is chosen.
    virtual std::optional<QString> saveFileName(const FileChoice& choice,
                                                bool confirmOverwrite) = 0;
};

} // namespace brisomar
