#pragma once

#include "app/program.h"

#include <memory>

class QDialog;
class QWidget;

namespace brisomar {

class Beeper;
class Clock;
class Dialogs;
class Help;
class TVimoMainDlg;

// The program's windows, each created once at start-up in the program's order and kept until it
// ends. A window not built yet stays null; whatever would open it then does nothing.
struct WindowRegistry {
    TVimoMainDlg* mainDlg = nullptr;
    QWidget* mapA = nullptr;
    QDialog* larmDlg = nullptr;
    QDialog* aboutDlg = nullptr;
    QDialog* comDlg = nullptr;
    QDialog* logDlg = nullptr;
    QDialog* sourDlg = nullptr;
    QDialog* msetDlg = nullptr;
    QDialog* warrDlg = nullptr;
};

// What every window reaches: the program's state, the seams to the platform and the other windows.
struct UiContext {
    Program& program;
    Clock& clock;
    Dialogs& dialogs;
    Beeper& beeper;
    Help& help;
    WindowRegistry windows;
};

// Creates the windows in the program's order. The first, the main window, owns the others and
// stays hidden until the caller shows it.
std::unique_ptr<TVimoMainDlg> createWindows(UiContext& context);

// Shows a window modally if it exists.
void showModal(QDialog* dialog);

} // namespace brisomar
