#pragma once

#include <QString>

namespace brisomar {

// The only path to message boxes: production shows them, tests script the answers and read back
// every text shown. Captions are the application title.
class Dialogs {
public:
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;
    virtual void showMessage(const QString& text) = 0;    // plain message with OK
    virtual Answer confirmYesNo(const QString& text) = 0; // confirmation with Yes and No
};

} // namespace brisomar
