#include "base/palette.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

constexpr std::uint32_t white = 0xFFFFFFFF, black = 0xFF000000, red = 0xFFFF0000;
constexpr std::uint32_t sea = 0xFFCDE4F5, land = 0xFFEBDCA0; // the demo chart's

std::uint32_t nightRed(std::uint32_t colour, bool chart = false) {
    return ((chart ? chartColour : paletteColour)(PaletteChoice::Night, colour) >> 16) & 0xFF;
}

// At night a window keeps its light and dark, a chart turns its paper dark and its ink red.
TEST(Palette, DayKeepsDuskDarkensNightLeavesOnlyDimRed) {
    EXPECT_EQ(paletteColour(PaletteChoice::Day, sea), sea);
    EXPECT_EQ(chartColour(PaletteChoice::Dusk, white), 0xFF9F9F9Fu);
    for (const std::uint32_t colour : {white, black, red, sea, land, 0x80FF00FFu})
        for (const auto recolour : {paletteColour, chartColour})
            EXPECT_EQ(recolour(PaletteChoice::Night, colour) & 0xFF00FFFF, colour & 0xFF000000);
    EXPECT_EQ(nightRed(black), 0u);
    EXPECT_LT(nightRed(white), 128u);
    EXPECT_EQ(nightRed(white, true), 0u);
    EXPECT_EQ(nightRed(black, true), 140u);
    for (const bool chart : {false, true}) {
        EXPECT_GT(nightRed(red, chart), nightRed(white, chart));
        EXPECT_LT(nightRed(sea, chart) + 30, nightRed(land, chart));
    }
}

} // namespace
} // namespace brisomar
