#pragma once

#include <QLineEdit>

#include <initializer_list>
#include <span>
#include <string>

class QSpinBox;

namespace brisomar {

class Dialogs;

// Qt's input mask for a form's edit mask such as "000°00.000;1;_". In the form's masks "0" is a
// digit that must be typed and "9" one that may be left blank; Qt reads the two the other way
// round. The middle part (whether literals are kept in the text) is dropped: the text always
// holds them.
QString qtInputMask(const QString& formMask);

// A field with a form's edit mask, named for the sailor by the caption of its row ("Course",
// "Communication GPS"). Leaving it, or reading it, with some places filled and others that must
// be filled still blank is refused as the form refuses it: a warning names the field and the
// focus goes back to it. Its text counts however it came there, typed or restored; a field left
// wholly blank holds no value and reads as the form reads it.
class MaskedField : public QLineEdit {
    Q_OBJECT

public:
    MaskedField(const QString& formMask, const QString& name, Dialogs& dialogs, QWidget* parent);

    // Some places are filled, and not every place that must be.
    bool incomplete() const { return !hasAcceptableInput() && displayText() != blankText_; }
    // Warns that the field is incomplete and puts the focus back into it.
    void refuse();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refuseIfLeftIncomplete();

    QString name_;
    QString example_;
    QString blankText_; // as it shows with no place filled
    Dialogs& dialogs_;
    // Refused since the focus last left it: a button that took the focus to read it has warned
    // already, and the check of the field left, which the warning box runs, stays silent.
    bool refused_ = false;
};

// A masked field showing `text`, with its hint.
MaskedField* maskedEdit(const QString& formMask, const QString& name, const QString& text,
                        const QString& hint, Dialogs& dialogs, QWidget* parent);

// True when no field is incomplete; otherwise the first incomplete one is refused, and whatever
// was to read the fields stores nothing.
bool fieldsComplete(std::span<MaskedField* const> fields);
inline bool fieldsComplete(std::initializer_list<MaskedField*> fields) {
    return fieldsComplete(std::span(fields.begin(), fields.size()));
}

// A number field changed with its arrows only.
QSpinBox* arrowsOnlySpinBox(int minimum, int maximum, int step, int value, const QString& hint,
                            QWidget* parent);

// A masked field's text as the sailor sees it: literals kept, empty places as blanks.
std::string maskedText(const QLineEdit* edit);

// A read-only one-letter hemisphere field that a click toggles: `first` becomes `other`,
// anything else becomes `first` ("N"/"S", "W"/"E").
class HemisphereField : public QLineEdit {
    Q_OBJECT

public:
    HemisphereField(QChar first, QChar other, QWidget* parent);
    void toggle();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString first_, other_;
};

} // namespace brisomar
