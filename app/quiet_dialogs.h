#pragma once

#include "base/dialogs.h"

namespace brisomar {

// Dialogs that can be silenced: while `quiet`, messages are dropped and questions take the answer
// that changes nothing (No, Abort, no file). The start restores what was kept quietly, since
// nobody may be at the screen and a box would hold the start until someone answers it.
class QuietableDialogs : public Dialogs {
public:
    explicit QuietableDialogs(Dialogs& shown) : shown_(shown) {}

    bool quiet = false;

    void showMessage(const QString& text) override {
        if (!quiet)
            shown_.showMessage(text);
    }
    void warning(const QString& text) override {
        if (!quiet)
            shown_.warning(text);
    }
    void information(const QString& text) override {
        if (!quiet)
            shown_.information(text);
    }
    Answer confirmYesNo(const QString& text) override {
        return quiet ? Answer::No : shown_.confirmYesNo(text);
    }
    Answer informationYesNo(const QString& text) override {
        return quiet ? Answer::No : shown_.informationYesNo(text);
    }
    Answer abortRetry(const QString& text, const QString& detail) override {
        return quiet ? Answer::Abort : shown_.abortRetry(text, detail);
    }
    std::optional<QString> openFileName(const FileChoice& choice) override {
        return quiet ? std::nullopt : shown_.openFileName(choice);
    }
    std::optional<QString> saveFileName(const FileChoice& choice, bool confirmOverwrite) override {
        return quiet ? std::nullopt : shown_.saveFileName(choice, confirmOverwrite);
    }

private:
    Dialogs& shown_;
};

} // namespace brisomar
