#include "info/info_dialog.h"

#include "base/qt_palette.h"
#include "base/stored_pictures.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomar {

namespace {

// The program icon, in the palette of the windows.
class IconLabel : public QLabel {
public:
    explicit IconLabel(QWidget* parent) : QLabel(parent) { showIcon(); }

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::PaletteChange ||
            event->type() == QEvent::ApplicationPaletteChange)
            showIcon();
    }

private:
    void showIcon() {
        const QImage day = QApplication::windowIcon().pixmap(programIconSide).toImage();
        setPixmap(QPixmap::fromImage(shownImage(day)));
    }
};

} // namespace

QPushButton* buildInfoDialog(QDialog* dialog, const QString& caption, const QString& text) {
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
    auto* column = new QVBoxLayout(dialog);
    auto* row = new QHBoxLayout;
    auto* icon = new IconLabel(dialog);
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* label = new QLabel(text, dialog);
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    row->addWidget(label, 1);
    column->addLayout(row);
    // A plain button: a standard button box looks up the icon theme, which slows the start.
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    column->addWidget(ok, 0, Qt::AlignRight);
    column->setSizeConstraint(QLayout::SetFixedSize);
    return ok;
}

} // namespace brisomar
