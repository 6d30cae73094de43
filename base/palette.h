#pragma once

#include <cstdint>
#include <span>

namespace brisomar {

// The colours the navigator shows itself in: as drawn by day, darker at dusk, and at night only
// dim reds on dark, so that a helmsman's eyes keep their adaptation to the dark.
enum class PaletteChoice { Day, Dusk, Night };

// A colour (0xAARRGGBB, alpha kept) of a window as `palette` shows it. Day: as it is. Dusk: at
// five eighths of its brightness. Night: its brightness as a dim red, red colours brighter and
// blue ones darker than greys; black stays black.
std::uint32_t paletteColour(PaletteChoice palette, std::uint32_t argb);

// A colour of a chart, or of what is drawn on it, as `palette` shows it: as paletteColour, but at
// night the paper goes dark and the ink dim red (white black, black at most a red of 200), so
// that the chart lights the cockpit least and its lines, figures and the boat stand out.
std::uint32_t chartColour(PaletteChoice palette, std::uint32_t argb);

// chartColour over every pixel of a bitmap's rows, or over its colour table.
void applyChartPalette(PaletteChoice palette, std::span<std::uint32_t> argb);

} // namespace brisomar
