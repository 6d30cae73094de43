#pragma once

#include <QApplication>

namespace brisomar {

class Dialogs;

// The application object. An exception escaping any event handler is shown in a message box and
// the program goes on, so a sailor never loses the navigator to one bad value.
class BrisomarApplication : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* title = "BRISOMAR";

    BrisomarApplication(int& argc, char** argv);

    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};

} // namespace brisomar
