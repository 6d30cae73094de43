#pragma once

#include "app/help.h"

#include <QWidget>

#include <memory>

class QTextBrowser;

namespace brisomar {

// The small browser window that shows the help pages.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow();

    void showContext(int context);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

// The program's help pages, one per help context. The window is made when help is first asked
// for: most runs never open it, and making it would slow every start.
class HelpBrowser : public Help {
public:
    void showContext(int context) override;
    HelpWindow* window() const { return window_.get(); } // null until help was shown

private:
    std::unique_ptr<HelpWindow> window_;
};

// The page of a help context, or the contents page when none is written for it.
QUrl helpPageUrl(int context);

} // namespace brisomar
