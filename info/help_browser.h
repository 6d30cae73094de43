#pragma once

#include "base/help.h"

#include <QWidget>

#include <QPointer>

class QTextBrowser;

namespace brisomar {

// The small browser window that shows the help pages.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow();

    void showContext(int context);
    QTextBrowser* browser() const { return browser_; }

protected:
    bool event(QEvent* event) override;

private:
    void stayUsableBeside(QWidget* dialog);

    QTextBrowser* browser_ = nullptr;
};

// The program's help pages, one per help context. The window is made when help is first asked
// for: most runs never open it, and making it would slow every start.
class HelpBrowser : public Help {
public:
    HelpBrowser() = default;
    HelpBrowser(const HelpBrowser&) = delete;
    HelpBrowser& operator=(const HelpBrowser&) = delete;
    ~HelpBrowser() override;

    void showContext(int context) override;
    HelpWindow* window() const { return window_; } // null until help was shown

private:
    // While a modal dialog is open the window is the dialog's child, and goes with it.
    QPointer<HelpWindow> window_;
};

// Where a help window of `size` stands beside `dialog` on `screen`: on the side with more room,
// narrowed to that room (not below `minimumHelpWidth`), its top level with the dialog's.
constexpr int minimumHelpWidth = 320;
QRect besideRect(const QRect& dialog, QSize size, const QRect& screen);

// The page of a help context, or the contents page when none is written for it.
QUrl helpPageUrl(int context);

} // namespace brisomar
