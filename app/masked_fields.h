#pragma once

#include <QLineEdit>

class QSpinBox;

#include <string>

namespace brisomar {

// A field with an edit mask such as "000°00.000;_" showing `text`, with its hint.
QLineEdit* maskedEdit(const QString& mask, const QString& text, const QString& hint,
                      QWidget* parent);

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
