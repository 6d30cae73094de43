#pragma once

#include "base/palette.h"

#include <QColor>
#include <QImage>
#include <QPalette>

namespace brisomar {

// The palette every window of the program is shown in; Day until the sailor chooses another.
PaletteChoice shownPalette();

// Shows every window in `palette`: the application's colours, and those a window set for a
// control of its own, taken from what they are by day. Day gives back exactly the colours the
// program started with.
void showWindowsIn(PaletteChoice palette);

// A colour a window sets or paints by day for `role`, as the palette shown makes it.
QColor shownColour(const QColor& day, QPalette::ColorRole role = QPalette::Window,
                   QPalette::ColorGroup group = QPalette::Active);

// A picture of windows, as the palette shown makes its colours.
QImage shownImage(const QImage& day);

} // namespace brisomar
