#pragma once

#include "charts/chart_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace brisomar {

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb magenta{255, 0, 255};

// The pixels of a picture the program does not draw on (a loaded chart bitmap).
class PixelSource {
public:
    virtual ~PixelSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual Rgb pixel(int x, int y) const = 0; // inside the picture
};

enum class PenStyle { Solid, Dash, Dot };

struct Pen {
    int width = 1;
    PenStyle style = PenStyle::Solid;
    Rgb colour = black;
    bool invert = false; // inverts the colour under the pen instead of painting
};

// The pixels a line of `pen` covers from `from` towards `to`, the end pixel not drawn: each once,
// by rows.
std::vector<PixelPoint> lineFootprint(PixelPoint from, PixelPoint to, const Pen& pen);

// A picture to draw on: a base picture and, apart from it, the pixels drawn over it, kept in
// tiles. A fresh copy of the base is one call, the base is never copied, and a mark drawn or
// erased touches only its own pixels however large the chart.
class ChartSurface {
public:
    ChartSurface() = default;
    explicit ChartSurface(const PixelSource* base) { reset(base); }

    // A fresh copy of `base` (may be null: an empty picture); every drawing is gone.
    void reset(const PixelSource* base);

    int width() const { return base_ ? base_->width() : 0; }
    int height() const { return base_ ? base_->height() : 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }

    // Outside the picture a pixel reads black and cannot be set.
    Rgb pixel(int x, int y) const;
    void setPixel(int x, int y, Rgb colour);

    // A line from `from` towards `to`, the end pixel not drawn. Widths above 1 draw solid;
    // a dash is 18 pixels on and 6 off, a dot 3 on and 3 off.
    void line(PixelPoint from, PixelPoint to, const Pen& pen);

    // The drawn pixels within `area` (inclusive), for painting them over the base.
    void forEachDrawn(const PixelRect& area,
                      const std::function<void(int x, int y, Rgb colour)>& paint) const;

    // The region changed since the last call (Right < Left when nothing changed).
    PixelRect takeChangedRegion();

private:
    static constexpr int tileSide = 64;
    struct Tile {
        std::array<std::uint32_t, tileSide * tileSide> pixels{}; // 0: not drawn
    };
    static std::uint64_t tileKey(int tileX, int tileY);
    void noteChange(int x, int y);

    const PixelSource* base_ = nullptr;
    std::unordered_map<std::uint64_t, std::unique_ptr<Tile>> tiles_;
    PixelRect changed_{0, 0, -1, -1};
};

} // namespace brisomar
