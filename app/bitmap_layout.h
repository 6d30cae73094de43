#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace brisomar {

// Where the pixels of an uncompressed Windows bitmap lie in its bytes. The pictures stored with
// the program are kept in this form so that they are shown straight from memory: the start-up
// then loads no image decoder.
struct BitmapLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0; // 24: blue, green, red; 32: blue, green, red, alpha
    std::size_t pixelOffset = 0;
    std::size_t rowStride = 0;
    bool bottomUp = true; // the first row stored is the bottom one
};

// The layout of a 24-bit bitmap, or of a 32-bit one whose masks give the byte order above;
// nothing for any other kind or when the pixels would run past the end of `file`.
std::optional<BitmapLayout> uncompressedBitmapLayout(std::span<const std::uint8_t> file);

} // namespace brisomar
