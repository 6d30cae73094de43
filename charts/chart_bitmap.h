#pragma once

#include "charts/chart_surface.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brisomar {

// How many of a chart file's first bytes `chartBitmapShape` looks at.
inline constexpr std::size_t chartHeadBytes = 54;

struct ChartBitmapShape {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    friend bool operator==(const ChartBitmapShape&, const ChartBitmapShape&) = default;
};

// What a chart file holds, told from its first bytes `head` and its size before any pixel is
// read: nothing unless it is a Windows bitmap of a kind the chart reader decodes, whose pixel
// rows take fewer bytes than a chart file may have and, stored uncompressed, lie within the
// file. A chart that passes decodes to at most twice the size limit (4 bits become 8, 16 bits
// become 32).
std::optional<ChartBitmapShape> chartBitmapShape(std::span<const std::uint8_t> head,
                                                 std::uintmax_t fileSize);

// A picture reduced to a preview's size from the rows of a larger one as they come, so that
// only the reduction is ever held whole. Each reduced pixel is the average of the source pixels
// that fall on it; a source smaller than the reduction repeats its pixels.
class ReducedPicture {
public:
    ReducedPicture(int sourceWidth, int sourceHeight, int width, int height);

    // Source pixels x, x + 1, ... of source row y; what lies outside the source is ignored.
    void add(int x, int y, std::span<const Rgb> pixels);

    int width() const { return columns_.reduced; }
    int height() const { return rows_.reduced; }
    Rgb pixel(int x, int y) const; // black where no source pixel was added

private:
    // One direction: reduced index t covers source indices first(t) .. end(t) - 1.
    struct Axis {
        int source = 0;
        int reduced = 0;
        std::int64_t first(std::int64_t t) const;
        std::int64_t end(std::int64_t t) const;
        std::int64_t firstCovering(std::int64_t s) const;
    };
    struct Sum {
        std::uint64_t r = 0, g = 0, b = 0, count = 0;
        void add(const Sum& other);
    };

    Axis columns_;
    Axis rows_;
    std::vector<Sum> sums_;
};

} // namespace brisomar
