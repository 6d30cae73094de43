#include "app/masked_fields.h"

#include <QMouseEvent>
#include <QSpinBox>

namespace brisomar {

QLineEdit* maskedEdit(const QString& mask, const QString& text, const QString& hint,
                      QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(mask);
    edit->setText(text);
    edit->setToolTip(hint);
    return edit;
}

QSpinBox* arrowsOnlySpinBox(int minimum, int maximum, int step, int value, const QString& hint,
                            QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setValue(value);
    spin->setToolTip(hint);
    spin->findChild<QLineEdit*>()->setReadOnly(true);
    return spin;
}

std::string maskedText(const QLineEdit* edit) {
    return edit->displayText().replace(QLatin1Char('_'), QLatin1Char(' ')).toStdString();
}

HemisphereField::HemisphereField(QChar first, QChar other, QWidget* parent)
    : QLineEdit(QString(first), parent), first_(first), other_(other) {
    setReadOnly(true);
    setMaxLength(1);
    setFixedWidth(24);
    setAlignment(Qt::AlignCenter);
    setToolTip(QStringLiteral("Click to change."));
}

void HemisphereField::toggle() {
    setText(text() == first_ ? other_ : first_);
}

void HemisphereField::mousePressEvent(QMouseEvent* event) {
    toggle();
    event->accept();
}

} // namespace brisomar
