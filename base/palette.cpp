#include "base/palette.h"

#include <algorithm>

namespace brisomar {

namespace {

constexpr std::uint32_t channel(std::uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

// Night: 45 % of the brightness, and 40 % of how much the red exceeds the other two.
std::uint32_t nightRed(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    const std::uint32_t brightness = (77 * r + 150 * g + 29 * b) >> 8;
    const std::uint32_t others = (g + b) / 2;
    const std::uint32_t redness = r > others ? r - others : 0;
    return std::min<std::uint32_t>(255, (brightness * 45 + redness * 40) / 100);
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
        return alpha | nightRed(r, g, b) << 16;
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
