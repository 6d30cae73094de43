#pragma once

#include "base/program_window.h"

#include <QDialog>

namespace brisomar {

// A dialog that builds its controls the first time it is shown, or asked for them, rather than
// when the program starts. Only for dialogs whose controls show state kept elsewhere or hold
// what the sailor types into that dialog alone, which no other window reads: the dialog itself
// exists from the start, so nothing tells the difference but a quicker start.
class ControlsOnDemandDialog : public ProgramWindow<QDialog> {
public:
    using ProgramWindow::ProgramWindow;

    bool controlsBuilt() const { return built_; }

    void ensureControls() {
        if (built_)
            return;
        built_ = true;
        buildControls();
    }

    void setVisible(bool visible) override {
        if (visible)
            ensureControls();
        ProgramWindow::setVisible(visible);
    }

protected:
    virtual void buildControls() = 0;

private:
    bool built_ = false;
};

} // namespace brisomar
