#include "info/help_browser.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace brisomar {

QUrl helpPageUrl(int context) {
    const QString page = QStringLiteral("qrc:/help/context-%1.html").arg(context);
    if (QFile::exists(QStringLiteral(":/help/context-%1.html").arg(context)))
        return QUrl(page);
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow() {
    setWindowTitle(QStringLiteral("Brisomar - Help"));
    resize(560, 520);
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("Contents"), this);
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    column->addLayout(buttons);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    column->addWidget(browser_, 1);
    connect(contents, &QPushButton::clicked, this,
            [this] { browser_->setSource(QUrl(QStringLiteral("qrc:/help/index.html"))); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void HelpWindow::showContext(int context) {
    browser_->setSource(helpPageUrl(context));
    show();
    raise();
    activateWindow();
}

void HelpBrowser::showContext(int context) {
    if (!window_)
        window_ = std::make_unique<HelpWindow>();
    window_->showContext(context);
}

} // namespace brisomar
