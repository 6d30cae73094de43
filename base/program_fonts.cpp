#include "base/program_fonts.h"

#include <QApplication>

namespace brisomar {

namespace {

constexpr int formPixelSize = 11;

QFont face(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont formFont(bool bold) {
    return face(QStringLiteral("Liberation Sans"), formPixelSize, bold);
}

QFont systemFont(int pixelSize) {
    return face(QStringLiteral("Liberation Sans Narrow"), pixelSize, true);
}

void useFormFonts() {
    QApplication::setFont(formFont());
}

} // namespace brisomar
