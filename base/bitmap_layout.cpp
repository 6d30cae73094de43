#include "base/bitmap_layout.h"

namespace brisomar {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t coreHeaderSize = 12; // the old header with 16-bit sizes
constexpr std::size_t infoHeaderSize = 40;
constexpr std::size_t maskOffset = fileHeaderSize + infoHeaderSize; // masks follow the header
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
        return compression == bitmapUncompressed;
    return bitsPerPixel == 32 && compression == bitmapWithMasks &&
           masksInByteOrder(file, headerSize);
}

} // namespace

std::optional<BitmapHeader> readBitmapHeader(std::span<const std::uint8_t> file) {
    if (file.size() < fileHeaderSize + coreHeaderSize || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    BitmapHeader header;
    header.headerSize = readU32(file, fileHeaderSize);
    header.pixelOffset = readU32(file, 10);
    if (header.headerSize == coreHeaderSize) {
        header.width = readU16(file, 18);
        header.storedHeight = readU16(file, 20);
        header.planes = readU16(file, 22);
        header.bitsPerPixel = readU16(file, 24);
        return header;
    }
    if (header.headerSize < infoHeaderSize || file.size() < fileHeaderSize + infoHeaderSize)
        return std::nullopt;
    header.width = readI32(file, 18);
    header.storedHeight = readI32(file, 22);
    header.planes = readU16(file, 26);
    header.bitsPerPixel = readU16(file, 28);
    header.compression = readU32(file, 30);
    return header;
}

std::uint64_t bitmapRowBytes(std::uint64_t width, int bitsPerPixel) {
    return (width * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32 * 4;
}

std::optional<BitmapLayout> uncompressedBitmapLayout(std::span<const std::uint8_t> file) {
    const auto header = readBitmapHeader(file);
    if (!header || header->headerSize < infoHeaderSize || header->headerSize > file.size() ||
        header->planes != 1 ||
        !kindIsTakenAsItLies(file, header->headerSize, header->bitsPerPixel, header->compression))
        return std::nullopt;
    const int width = header->width;
    const int storedHeight = header->storedHeight;
    if (width <= 0 || width > largestSide || storedHeight == 0 || storedHeight < -largestSide ||
        storedHeight > largestSide)
        return std::nullopt;

    BitmapLayout layout;
    layout.width = width;
    layout.height = storedHeight < 0 ? -storedHeight : storedHeight;
    layout.bitsPerPixel = header->bitsPerPixel;
    layout.bottomUp = storedHeight > 0;
    layout.pixelOffset = header->pixelOffset;
    layout.rowStride = static_cast<std::size_t>(bitmapRowBytes(width, layout.bitsPerPixel));
    const std::size_t pixelBytes = layout.rowStride * static_cast<std::size_t>(layout.height);
    if (layout.pixelOffset < fileHeaderSize + header->headerSize ||
        layout.pixelOffset > file.size() || file.size() - layout.pixelOffset < pixelBytes)
        return std::nullopt;
    return layout;
}

} // namespace brisomar
