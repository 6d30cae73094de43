#pragma once

#include <cstdint>
#include <span>

namespace brisomar {

// The colours the navigator shows itself in: as drawn by day, darker at dusk, and at night only
// dim reds on dark, so that a helmsman's eyes keep their adaptation to the dark.
enum class PaletteChoice { Day, Dusk, Night };

// A colour (0xAARRGGBB, alpha kept) as `palette` shows it. Day: as it is. Dusk: at five eighths
// of its brightness. Night: its brightness as a dim red, red colours brighter and blue ones
// darker than grey ones, so that red marks stand out from white paper and water from land;
// white becomes a dim red, black stays black.
std::uint32_t paletteColour(PaletteChoice palette, std::uint32_t argb);

// paletteColour over every pixel of a bitmap's rows, or over its colour table.
void applyPalette(PaletteChoice palette, std::span<std::uint32_t> argb);

} // namespace brisomar
