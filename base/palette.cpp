#include "base/palette.h"

#include <algorithm>

namespace brisomar {

namespace {

struct Channels {
    int r, g, b;
    int brightness() const { return (77 * r + 150 * g + 29 * b) >> 8; }
    int redness() const { return std::max(0, r - (g + b) / 2); }
};

Channels channels(std::uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

std::uint32_t onlyRed(std::uint32_t argb, int red, int brightest) {
    return (argb & 0xFF000000) | static_cast<std::uint32_t>(std::clamp(red, 0, brightest)) << 16;
}

std::uint32_t dusk(std::uint32_t argb) {
    const Channels c = channels(argb);
    return (argb & 0xFF000000) | static_cast<std::uint32_t>(c.r * 5 / 8) << 16 |
           static_cast<std::uint32_t>(c.g * 5 / 8) << 8 | static_cast<std::uint32_t>(c.b * 5 / 8);
}

// Red colours a little brighter, and blue ones darker, than greys of their brightness: red marks
// stand out, and water stays apart from land.
int hueShift(const Channels& c) {
    return (c.redness() * 30 + (c.r - c.b) * 25) / 100;
}

} // namespace

std::uint32_t paletteColour(PaletteChoice palette, std::uint32_t argb) {
    if (palette == PaletteChoice::Dusk)
        return dusk(argb);
    if (palette == PaletteChoice::Day)
        return argb;
    const Channels c = channels(argb);
    return onlyRed(argb, c.brightness() * 45 / 100 + hueShift(c), 255);
}

std::uint32_t chartColour(PaletteChoice palette, std::uint32_t argb) {
    constexpr int brightestInk = 200;
    if (palette != PaletteChoice::Night)
        return paletteColour(palette, argb);
    const Channels c = channels(argb);
    return onlyRed(argb, (255 - c.brightness()) * 55 / 100 + hueShift(c), brightestInk);
}

void applyChartPalette(PaletteChoice palette, std::span<std::uint32_t> argb) {
    if (palette == PaletteChoice::Day)
        return;
    for (std::uint32_t& pixel : argb)
        pixel = chartColour(palette, pixel);
}

} // namespace brisomar
