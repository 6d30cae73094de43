#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

#include <functional>

class QWidget;

namespace brisomar {

class Help;

// What every window of the program shares, whatever Qt class it is built on.
namespace program_window {

// Notes that `window` was shown by the program, so it counts as the program's active window.
void noteShown(QWidget* window);
// Notes that `window` became the active window; true when it took the place of another window of
// the program, false when focus came back from another program or from a file, print or colour
// dialog that the window itself opened.
bool tookActivationFromAnother(QWidget* window);
// F1 in `window` calls `showHelp`.
void addHelpKey(QWidget* window, std::function<void()> showHelp);
void showHelp(Help* help, int context);
// Moves `window` to the middle of its screen.
void centreOnScreen(QWidget* window);
// The main window's strip, which the windows shown later leave in sight.
void setStrip(QWidget* strip);
// Places `window` wholly inside its screen's available area, a window never placed below the
// strip, and narrows or shortens a resizable window too large for the area.
void placeOnScreen(QWidget* window);
// Draws the controls of a fixed-size window close together, as the form placed them, so they fit
// its client area.
void compactLayouts(QWidget* window);
// Enter presses no button but the one that has the focus: a sailor typing into a field and
// pressing Enter must not switch anything on or off.
void releaseDefaultButtons(QWidget* window);
bool pressFocusedButton(QWidget* window, QKeyEvent* event);

} // namespace program_window

// The base of the program's windows. `FormActivate` runs when the window is shown and when it
// becomes the program's active window in place of another of its windows; never when focus comes
// back from another program, or on a click inside the active window. F1 opens the window's help
// page, Enter presses only the focused button, and a window may be centred on the screen each
// time it is shown and keep a fixed client size.
template <class QtWindow> class ProgramWindow : public QtWindow {
public:
    using QtWindow::QtWindow;

    virtual void FormActivate() {}

    // Opens the window's help page (its Help button, menu item and F1).
    void showHelp() { program_window::showHelp(help_, helpContext_); }

    void setVisible(bool visible) override {
        if (visible) {
            program_window::releaseDefaultButtons(this);
            if (fixedClientSize_)
                program_window::compactLayouts(this);
            if (centred_ && !this->isVisible())
                program_window::centreOnScreen(this);
            if (!this->isVisible())
                program_window::placeOnScreen(this);
        }
        QtWindow::setVisible(visible);
    }

protected:
    void setHelpContext(Help& help, int context) {
        help_ = &help;
        helpContext_ = context;
        program_window::addHelpKey(this, [this] { showHelp(); });
    }
    void setCentredOnScreen() { centred_ = true; }
    void setFixedClientSize(int width, int height) {
        fixedClientSize_ = true;
        this->setFixedSize(width, height);
    }

    bool event(QEvent* event) override {
        const bool handled = QtWindow::event(event);
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            program_window::noteShown(this);
            FormActivate();
        } else if (event->type() == QEvent::WindowActivate &&
                   program_window::tookActivationFromAnother(this)) {
            FormActivate();
        }
        return handled;
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (!program_window::pressFocusedButton(this, event))
            QtWindow::keyPressEvent(event);
    }

private:
    Help* help_ = nullptr;
    int helpContext_ = 0;
    bool centred_ = false;
    bool fixedClientSize_ = false;
};

} // namespace brisomar
