#include "info/help_browser.h"

#include "base/qt_palette.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brisomar {

namespace {

// A browser whose pictures of windows show in the palette of the windows, shown anew when it
// changes.
class PaletteBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::ImageResource || shownPalette() == PaletteChoice::Day)
            return resource;
        const QImage day = resource.typeId() == QMetaType::QImage
                               ? resource.value<QImage>()
                               : QImage::fromData(resource.toByteArray());
        return day.isNull() ? resource : QVariant(shownImage(day));
    }

    void changeEvent(QEvent* event) override {
        QTextBrowser::changeEvent(event);
        const bool paletteChange = event->type() == QEvent::PaletteChange ||
                                   event->type() == QEvent::ApplicationPaletteChange;
        if (paletteChange && !source().isEmpty())
            reload();
    }
};

} // namespace

QRect besideRect(const QRect& dialog, QSize size, const QRect& screen) {
    const int gap = 8;
    const int roomRight = screen.right() - dialog.right() - gap;
    const int roomLeft = dialog.left() - screen.left() - gap;
    const bool right = roomRight >= roomLeft;
    size.setWidth(std::min(size.width(), std::max(right ? roomRight : roomLeft, minimumHelpWidth)));
    const int besideLeft = right ? dialog.right() + 1 + gap : dialog.left() - gap - size.width();
    // Wholly on the screen, over the dialog's edge if the room beside it is too narrow.
    const int left = std::clamp(besideLeft, screen.left(),
                                std::max(screen.left(), screen.right() + 1 - size.width()));
    const int top = std::clamp(dialog.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() - size.height()));
    return {QPoint(left, top), size};
}

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
    browser_ = new PaletteBrowser(this);
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
    stayUsableBeside(QApplication::activeModalWidget());
    show();
    raise();
    activateWindow();
}

// A modal dialog blocks every window but its own: while one is open, the help window becomes
// one of the dialog's windows, so it can be scrolled, followed and closed, and it stands beside
// the dialog rather than over it.
void HelpWindow::stayUsableBeside(QWidget* dialog) {
    if (dialog == this || parentWidget() == dialog)
        return;
    const Qt::WindowFlags flags = windowFlags();
    setParent(dialog, flags | Qt::Window);
    if (dialog)
        setGeometry(
            besideRect(dialog->frameGeometry(), size(), dialog->screen()->availableGeometry()));
}

// Help already on screen when a modal dialog opens joins that dialog where it stands.
bool HelpWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked && isVisible())
        QTimer::singleShot(0, this, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == parentWidget() || !isVisible())
                return;
            const QRect place = geometry();
            setParent(dialog, windowFlags() | Qt::Window);
            setGeometry(place);
            show();
        });
    return QWidget::event(event);
}

HelpBrowser::~HelpBrowser() {
    delete window_;
}

void HelpBrowser::showContext(int context) {
    if (!window_)
        window_ = new HelpWindow;
    window_->showContext(context);
}

} // namespace brisomar
