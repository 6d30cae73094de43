#include "charts/chart_bitmap.h"

#include "base/bitmap_layout.h"
#include "charts/chart_selection.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace brisomar {

namespace {

// The information headers the chart reader knows: the old one, Windows 3, OS/2 2, Windows 4
// and 5. It would misread any other size.
bool knownHeaderSize(std::size_t size) {
    return size == 12 || size == 40 || size == 64 || size == 108 || size == 124;
}

bool knownKind(int bitsPerPixel, std::uint32_t compression) {
    switch (compression) {
    case bitmapUncompressed:
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 24 || bitsPerPixel == 32;
    case bitmapRunLengths8:
        return bitsPerPixel == 8;
    case bitmapRunLengths4:
        return bitsPerPixel == 4;
    case bitmapWithMasks:
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
        return false;
    }
}

} // namespace

std::optional<ChartBitmapShape> chartBitmapShape(std::span<const std::uint8_t> head,
                                                 std::uintmax_t fileSize) {
    const auto header = readBitmapHeader(head);
    if (!header || !knownHeaderSize(header->headerSize) || header->planes != 1 ||
        !knownKind(header->bitsPerPixel, header->compression) || header->width <= 0 ||
        header->storedHeight == 0 || header->storedHeight == INT_MIN)
        return std::nullopt;
    const ChartBitmapShape shape{header->width, std::abs(header->storedHeight),
                                 header->bitsPerPixel};
    const std::uint64_t pixelBytes =
        bitmapRowBytes(static_cast<std::uint64_t>(shape.width), shape.bitsPerPixel) *
        static_cast<std::uint64_t>(shape.height);
    if (pixelBytes >= maxChartFileBytes)
        return std::nullopt;
    const bool stored =
        header->compression == bitmapUncompressed || header->compression == bitmapWithMasks;
    if (stored && (header->pixelOffset > fileSize || fileSize - header->pixelOffset < pixelBytes))
        return std::nullopt;
    return shape;
}

std::int64_t ReducedPicture::Axis::first(std::int64_t t) const {
    return t * source / reduced;
}

std::int64_t ReducedPicture::Axis::end(std::int64_t t) const {
    return std::max(first(t) + 1, (t + 1) * source / reduced);
}

std::int64_t ReducedPicture::Axis::firstCovering(std::int64_t s) const {
    std::int64_t t = s * reduced / source;
    while (t + 1 < reduced && end(t) <= s)
        ++t;
    return t;
}

void ReducedPicture::Sum::add(const Sum& other) {
    r += other.r;
    g += other.g;
    b += other.b;
    count += other.count;
}

ReducedPicture::ReducedPicture(int sourceWidth, int sourceHeight, int width, int height)
    : columns_{std::max(sourceWidth, 1), std::max(width, 1)}, rows_{std::max(sourceHeight, 1),
                                                                    std::max(height, 1)},
      sums_(static_cast<std::size_t>(columns_.reduced) * static_cast<std::size_t>(rows_.reduced)) {}

void ReducedPicture::add(int x, int y, std::span<const Rgb> pixels) {
    if (y < 0 || y >= rows_.source || x < 0 || x >= columns_.source)
        return;
    const std::int64_t stop =
        std::min<std::int64_t>(columns_.source, x + static_cast<std::int64_t>(pixels.size()));
    for (std::int64_t column = columns_.firstCovering(x);
         column < columns_.reduced && columns_.first(column) < stop; ++column) {
        Sum part;
        for (std::int64_t s = std::max<std::int64_t>(columns_.first(column), x);
             s < std::min(columns_.end(column), stop); ++s) {
            const Rgb c = pixels[static_cast<std::size_t>(s - x)];
            part.add({c.r, c.g, c.b, 1});
        }
        for (std::int64_t row = rows_.firstCovering(y);
             row < rows_.reduced && rows_.first(row) <= y; ++row)
            sums_[static_cast<std::size_t>(row * columns_.reduced + column)].add(part);
    }
}

Rgb ReducedPicture::pixel(int x, int y) const {
    const Sum& s = sums_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width()) +
                            static_cast<std::size_t>(x));
    if (s.count == 0)
        return black;
    const auto mean = [&](std::uint64_t total) {
        return static_cast<std::uint8_t>((total + s.count / 2) / s.count);
    };
    return {mean(s.r), mean(s.g), mean(s.b)};
}

} // namespace brisomar
