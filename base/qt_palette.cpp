#include "base/qt_palette.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace brisomar {

namespace {

PaletteChoice shown = PaletteChoice::Day;
constexpr const char* dayPaletteProperty = "brisomarDayPalette";

struct RoleColours {
    QPalette::ColorRole role;
    QColor dusk, night;
};

// Dusk: greys and a light text; night: dark reds and a dim red text, never a light area.
const RoleColours roleColours[] = {
    {QPalette::Window, {70, 70, 74}, {22, 4, 4}},
    {QPalette::WindowText, {225, 222, 210}, {190, 45, 40}},
    {QPalette::Base, {52, 52, 56}, {10, 0, 0}},
    {QPalette::AlternateBase, {62, 62, 66}, {30, 6, 6}},
    {QPalette::Text, {225, 222, 210}, {200, 50, 45}},
    {QPalette::PlaceholderText, {150, 150, 150}, {120, 30, 28}},
    {QPalette::Button, {82, 82, 86}, {40, 8, 8}},
    {QPalette::ButtonText, {225, 222, 210}, {200, 50, 45}},
    {QPalette::BrightText, {255, 170, 120}, {230, 70, 60}},
    {QPalette::Light, {120, 120, 124}, {70, 14, 14}},
    {QPalette::Midlight, {100, 100, 104}, {55, 11, 11}},
    {QPalette::Mid, {60, 60, 64}, {34, 7, 7}},
    {QPalette::Dark, {40, 40, 44}, {16, 3, 3}},
    {QPalette::Shadow, {15, 15, 15}, {0, 0, 0}},
    {QPalette::Highlight, {50, 80, 130}, {100, 10, 10}},
    {QPalette::HighlightedText, {240, 240, 240}, {235, 90, 80}},
    {QPalette::Link, {140, 180, 240}, {220, 80, 60}},
    {QPalette::LinkVisited, {180, 150, 230}, {170, 60, 50}},
    {QPalette::ToolTipBase, {60, 60, 64}, {30, 6, 6}},
    {QPalette::ToolTipText, {225, 222, 210}, {200, 50, 45}},
};

QPalette applicationPalette(PaletteChoice palette, const QPalette& day) {
    if (palette == PaletteChoice::Day)
        return day;
    QPalette p = day;
    for (const RoleColours& c : roleColours) {
        const QColor colour = palette == PaletteChoice::Dusk ? c.dusk : c.night;
        p.setColor(c.role, colour);
        p.setColor(QPalette::Disabled, c.role, colour.darker(160));
    }
    return p;
}

bool isText(QPalette::ColorRole role) {
    return role == QPalette::WindowText || role == QPalette::Text || role == QPalette::ButtonText ||
           role == QPalette::PlaceholderText;
}

// The colours a window set for a control, on the application's palette; by day the control's
// own palette as it was.
void showControlIn(QWidget* widget, PaletteChoice palette) {
    QVariant day = widget->property(dayPaletteProperty);
    if (!day.isValid()) {
        day = QVariant::fromValue(widget->palette());
        widget->setProperty(dayPaletteProperty, day);
    }
    const auto dayPalette = day.value<QPalette>();
    if (palette == PaletteChoice::Day) {
        widget->setPalette(dayPalette);
        return;
    }
    QPalette shownPalette = QApplication::palette(widget);
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = static_cast<QPalette::ColorGroup>(g);
            const auto role = static_cast<QPalette::ColorRole>(r);
            if (dayPalette.isBrushSet(group, role))
                shownPalette.setColor(group, role,
                                      shownColour(dayPalette.color(group, role), role, group));
        }
    widget->setPalette(shownPalette);
}

} // namespace

PaletteChoice shownPalette() {
    return shown;
}

// A dark text and a white ground take the palette's own colours, so that a text stays readable
// on the dark grounds and no white is left; other colours are recoloured.
QColor shownColour(const QColor& day, QPalette::ColorRole role, QPalette::ColorGroup group) {
    constexpr int darkText = 128, whiteGround = 224;
    const bool own = isText(role) ? day.lightness() < darkText : day.lightness() >= whiteGround;
    if (shown != PaletteChoice::Day && own)
        return QApplication::palette().color(group, role);
    return QColor::fromRgba(paletteColour(shown, day.rgba()));
}

QImage shownImage(const QImage& day) {
    if (shown == PaletteChoice::Day || day.isNull())
        return day;
    QImage image = day.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = paletteColour(shown, row[x]);
    }
    return image;
}

void showWindowsIn(PaletteChoice palette) {
    static const QPalette day = QApplication::palette();
    if (palette == shown)
        return;
    shown = palette;
    QApplication::setPalette(applicationPalette(palette, day));
    for (QWidget* widget : QApplication::allWidgets())
        if (widget->testAttribute(Qt::WA_SetPalette) ||
            widget->property(dayPaletteProperty).isValid())
            showControlIn(widget, palette);
}

} // namespace brisomar
