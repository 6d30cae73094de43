#pragma once

#include <QString>

namespace brisomar {

// The only path to message boxes: production shows them, tests script the answers and read back
// every text shown. Captions are the application title.
class Dialogs {
public:
    enum class Answer { Yes, No, Abort, Retry };

    virtual ~Dialogs() = default;
    virtual void showMessage(const QString& text) = 0;    // plain message with OK
    virtual void warning(const QString& text) = 0;        // warning with OK
    virtual void information(const QString& text) = 0;    // information with OK
    virtual Answer confirmYesNo(const QString& text) = 0; // confirmation with Yes and No
    // Warning with Abort and Retry; `detail` says more for whoever asks (may be empty).
    virtual Answer abortRetry(const QString& text, const QString& detail) = 0;
};

} // namespace brisomar
