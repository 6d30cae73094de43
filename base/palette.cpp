#include "base/palette.h"

#include <algorithm>

namespace brisomar {

namespace {

constexpr std::uint32_t channel(std::uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

// Night: 45 % of the brightness, plus 40 % of how much the red exceeds the other two and a
// quarter of how much it exceeds the blue, so that red marks stand out and blue water lies
// darker than yellow land, as it does by day.
std::uint32_t nightRed(int r, int g, int b) {
    const int brightness = (77 * r + 150 * g + 29 * b) >> 8;
    const int redness = std::max(0, r - (g + b) / 2);
    const int red = (brightness * 45 + redness * 40 + (r - b) * 25) / 100;
    return static_cast<std::uint32_t>(std::clamp(red, 0, 255));
}

} // namespace

std::uint32_t paletteColour(PaletteChoice palette, std::uint32_t argb) {
    const std::uint32_t alpha = argb & 0xFF000000;
    const std::uint32_t r = channel(argb, 16), g = channel(argb, 8), b = channel(argb, 0);
    switch (palette) {
    case PaletteChoice::Day:
        return argb;
    case PaletteChoice::Dusk:
        return alpha | (r * 5 / 8) << 16 | (g * 5 / 8) << 8 | b * 5 / 8;
    case PaletteChoice::Night:
        return alpha | nightRed(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b))
                           << 16;
    }
    return argb;
}

void applyPalette(PaletteChoice palette, std::span<std::uint32_t> argb) {
    if (palette == PaletteChoice::Day)
        return;
    for (std::uint32_t& pixel : argb)
        pixel = paletteColour(palette, pixel);
}

} // namespace brisomar
