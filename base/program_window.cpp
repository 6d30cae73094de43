#include "base/program_window.h"

#include "base/help.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace brisomar::program_window {

namespace {

// The window of the program that was active last. Dialogs of the platform (files, printer,
// colours, message boxes) and other programs never take its place.
QPointer<QWidget>& lastActiveWindow() {
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void noteShown(QWidget* window) {
    lastActiveWindow() = window;
}

bool tookActivationFromAnother(QWidget* window) {
    if (lastActiveWindow() == window)
        return false;
    lastActiveWindow() = window;
    return true;
}

void addHelpKey(QWidget* window, std::function<void()> showHelp) {
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, std::move(showHelp));
}

void showHelp(Help* help, int context) {
    if (help)
        help->showContext(context);
}

void centreOnScreen(QWidget* window) {
    const QWidget* owner = window->parentWidget() ? window->parentWidget() : window;
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize(); // as showing it would, so the size centred is the size shown
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

namespace {

QPointer<QWidget>& stripWindow() {
    static QPointer<QWidget> strip;
    return strip;
}

} // namespace

void setStrip(QWidget* strip) {
    stripWindow() = strip;
}

void placeOnScreen(QWidget* window) {
    const QWidget* strip = stripWindow();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!strip || strip == window || !strip->isVisible() || !screen)
        return;
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize(); // as showing it would, so the size placed is the size shown
    const QRect stripFrame = strip->frameGeometry();
    // A window not shown yet has no frame: the strip's tells how large the frame will be.
    const QSize frame = window->isVisible() ? window->frameGeometry().size() - window->size()
                                            : stripFrame.size() - strip->size();
    QRect place(window->pos(), window->size() + frame);
    if (!window->testAttribute(Qt::WA_Moved)) // where the sailor put it stays his choice
        place.moveTo(stripFrame.center().x() - place.width() / 2, stripFrame.bottom() + 1);
    const QRect area = screen->availableGeometry();
    if (window->minimumSize() != window->maximumSize()) {
        place.setBottom(std::min(
            place.bottom(),
            std::max(area.bottom(), place.top() + frame.height() + window->minimumHeight() - 1)));
        place.setWidth(std::min(place.width(),
                                std::max(area.width(), frame.width() + window->minimumWidth())));
    }
    place.moveLeft(std::clamp(place.left(), area.left(),
                              std::max(area.left(), area.right() + 1 - place.width())));
    place.moveTop(std::clamp(place.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - place.height())));
    // Only a change is applied: moving a window whose client area was placed would make the
    // window manager place its frame there instead.
    if (place.size() - frame != window->size())
        window->resize(place.size() - frame);
    if (place.topLeft() != window->pos())
        window->move(place.topLeft());
}

void compactLayouts(QWidget* window) {
    constexpr int margin = 2;
    constexpr int spacing = 2;
    for (QLayout* layout : window->findChildren<QLayout*>()) {
        const QMargins current = layout->contentsMargins();
        layout->setContentsMargins(
            std::min(current.left(), margin), std::min(current.top(), margin),
            std::min(current.right(), margin), std::min(current.bottom(), margin));
        if (layout->spacing() > spacing)
            layout->setSpacing(spacing);
    }
    // A button may be as narrow as its caption with its frame, not the style's wider default,
    // and never narrower.
    constexpr int captionPadding = 12;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (!button->text().isEmpty())
            button->setMinimumWidth(
                button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
                captionPadding);
}

void releaseDefaultButtons(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

bool pressFocusedButton(QWidget* window, QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier))
        return false;
    if (auto* button = qobject_cast<QPushButton*>(window->focusWidget());
        button && button->isEnabled())
        button->click();
    return true;
}

} // namespace brisomar::program_window
