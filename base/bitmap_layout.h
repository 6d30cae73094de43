#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace brisomar {

// The compressions a bitmap header names.
inline constexpr std::uint32_t bitmapUncompressed = 0;
inline constexpr std::uint32_t bitmapRunLengths8 = 1;
inline constexpr std::uint32_t bitmapRunLengths4 = 2;
inline constexpr std::uint32_t bitmapWithMasks = 3;

// The file header and the information header of a Windows bitmap, as stored: the old 12-byte
// information header with 16-bit sizes, or a header of 40 bytes or more with 32-bit ones.
struct BitmapHeader {
    std::size_t headerSize = 0; // of the information header
    int width = 0;
    int storedHeight = 0; // negative: the first row stored is the top one
    int planes = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = bitmapUncompressed;
    std::size_t pixelOffset = 0;
};

// The headers `file` begins with; nothing unless it begins with "BM" and a whole information
// header of a size above.
std::optional<BitmapHeader> readBitmapHeader(std::span<const std::uint8_t> file);

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

// The bytes of one stored row of `width` pixels of `bitsPerPixel`, padded to whole 32-bit words.
std::uint64_t bitmapRowBytes(std::uint64_t width, int bitsPerPixel);

// The layout of a 24-bit bitmap, or of a 32-bit one whose masks give the byte order above;
// nothing for any other kind or when the pixels would run past the end of `file`.
std::optional<BitmapLayout> uncompressedBitmapLayout(std::span<const std::uint8_t> file);

} // namespace brisomar
