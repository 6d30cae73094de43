#include "base/masked_fields.h"

#include "base/dialogs.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QSpinBox>

namespace brisomar {

namespace {

// The mask part of a form's edit mask, before its first unescaped ";".
QString maskPart(const QString& formMask) {
    for (qsizetype i = 0; i < formMask.size(); ++i) {
        if (formMask[i] == QLatin1Char('\\'))
            ++i;
        else if (formMask[i] == QLatin1Char(';'))
            return formMask.left(i);
    }
    return formMask;
}

// The blank character of a form's edit mask: its last part, "_" by default.
QChar blankCharacter(const QString& formMask) {
    const QString mask = maskPart(formMask);
    const QString rest = formMask.mid(mask.size());
    const qsizetype last = rest.lastIndexOf(QLatin1Char(';'));
    return last >= 0 && last + 1 < rest.size() ? rest[last + 1] : QLatin1Char('_');
}

} // namespace

QString qtInputMask(const QString& formMask) {
    QString mask = maskPart(formMask);
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('\\'))
            ++i;
        else if (mask[i] == QLatin1Char('0'))
            mask[i] = QLatin1Char('9');
        else if (mask[i] == QLatin1Char('9'))
            mask[i] = QLatin1Char('0');
    }
    return mask + QLatin1Char(';') + blankCharacter(formMask);
}

MaskedField::MaskedField(const QString& formMask, const QString& name, Dialogs& dialogs,
                         QWidget* parent)
    : QLineEdit(parent), name_(name), example_(maskPart(formMask)), dialogs_(dialogs) {
    setInputMask(qtInputMask(formMask));
    blankText_ = displayText();
}

void MaskedField::refuse() {
    refused_ = true;
    dialogs_.warning(QStringLiteral("Incomplete value for %1: fill every place, as in %2.")
                         .arg(name_, example_));
    setFocus(Qt::OtherFocusReason);
}

// Moving within the window checks the field; the window losing the focus to another window,
// a menu or a message box does not.
void MaskedField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    refused_ = false;
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
        QMetaObject::invokeMethod(this, &MaskedField::refuseIfLeftIncomplete, Qt::QueuedConnection);
}

// Checked once the focus has settled: a button pressed to leave the field may already have
// refused it, and a window closed meanwhile asks nothing.
void MaskedField::refuseIfLeftIncomplete() {
    if (incomplete() && !refused_ && !hasFocus() && isVisible())
        refuse();
}

MaskedField* maskedEdit(const QString& formMask, const QString& name, const QString& text,
                        const QString& hint, Dialogs& dialogs, QWidget* parent) {
    auto* edit = new MaskedField(formMask, name, dialogs, parent);
    edit->setText(text);
    edit->setToolTip(hint);
    return edit;
}

bool fieldsComplete(std::span<MaskedField* const> fields) {
    for (MaskedField* field : fields)
        if (field->incomplete()) {
            field->refuse();
            return false;
        }
    return true;
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
