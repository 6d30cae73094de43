#pragma once

#include "app/help.h"

#include <QWidget>

class QTextBrowser;

namespace brisomar {

// The program's help pages, one per help context, shown in a small browser window.
class HelpBrowser : public QWidget, public Help {
    Q_OBJECT

public:
    HelpBrowser();

    void showContext(int context) override;
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

// The page of a help context, or the contents page when none is written for it.
QUrl helpPageUrl(int context);

} // namespace brisomar
