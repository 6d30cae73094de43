#include "app/bitmap_layout.h"

namespace brisomar {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
constexpr std::size_t maskOffset = fileHeaderSize + infoHeaderSize; // masks follow the header
constexpr std::uint32_t uncompressed = 0;
constexpr std::uint32_t withMasks = 3;
constexpr int largestSide = 1 << 15;

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::int32_t readI32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(readU32(bytes, at));
}

// 32-bit pixels are taken as they lie, so their masks must say blue, green, red, alpha.
bool masksInByteOrder(std::span<const std::uint8_t> file, std::size_t headerSize) {
    constexpr std::size_t withAlphaMask = 56;
    if (headerSize < withAlphaMask || file.size() < fileHeaderSize + withAlphaMask)
        return false;
    return readU32(file, maskOffset) == 0x00FF0000 && readU32(file, maskOffset + 4) == 0x0000FF00 &&
           readU32(file, maskOffset + 8) == 0x000000FF &&
           readU32(file, maskOffset + 12) == 0xFF000000;
}

bool kindIsTakenAsItLies(std::span<const std::uint8_t> file, std::size_t headerSize,
                         int bitsPerPixel, std::uint32_t compression) {
    if (bitsPerPixel == 24)
        return compression == uncompressed;
    return bitsPerPixel == 32 && compression == withMasks && masksInByteOrder(file, headerSize);
}

} // namespace

std::optional<BitmapLayout> uncompressedBitmapLayout(std::span<const std::uint8_t> file) {
    if (file.size() < fileHeaderSize + infoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const std::size_t headerSize = readU32(file, fileHeaderSize);
    if (headerSize > file.size())
        return std::nullopt;
    const std::int32_t width = readI32(file, 18);
    const std::int32_t storedHeight = readI32(file, 22);
    const int bitsPerPixel = readU16(file, 28);
    if (headerSize < infoHeaderSize || readU16(file, 26) != 1 ||
        !kindIsTakenAsItLies(file, headerSize, bitsPerPixel, readU32(file, 30)))
        return std::nullopt;
    if (width <= 0 || width > largestSide || storedHeight == 0 || storedHeight < -largestSide ||
        storedHeight > largestSide)
        return std::nullopt;

    BitmapLayout layout;
    layout.width = width;
    layout.height = storedHeight < 0 ? -storedHeight : storedHeight;
    layout.bitsPerPixel = bitsPerPixel;
    layout.bottomUp = storedHeight > 0;
    layout.pixelOffset = readU32(file, 10);
    layout.rowStride =
        (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
    const std::size_t pixelBytes = layout.rowStride * static_cast<std::size_t>(layout.height);
    if (layout.pixelOffset < fileHeaderSize + headerSize || layout.pixelOffset > file.size() ||
        file.size() - layout.pixelOffset < pixelBytes)
        return std::nullopt;
    return layout;
}

} // namespace brisomar
