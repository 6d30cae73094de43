#include "charts/chart_surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace brisomar {

namespace {

constexpr std::uint32_t drawnFlag = 0xFF000000;

std::uint32_t packed(Rgb c) {
    return drawnFlag | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

Rgb unpacked(std::uint32_t p) {
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
            static_cast<std::uint8_t>(p)};
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Whether step n of a line is drawn with the pen's style.
bool styleDraws(PenStyle style, int width, int n) {
    if (width > 1 || style == PenStyle::Solid)
        return true;
    return style == PenStyle::Dash ? n % 24 < 18 : n % 6 < 3;
}

} // namespace

// Square-brushed for wide pens.
std::vector<PixelPoint> lineFootprint(PixelPoint from, PixelPoint to, const Pen& pen) {
    std::vector<PixelPoint> pixels;
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    const int low = -(pen.width - 1) / 2, high = pen.width / 2;
    int error = dx + dy;
    PixelPoint p = from;
    for (int n = 0; !(p == to); ++n) {
        if (styleDraws(pen.style, pen.width, n))
            for (int ox = low; ox <= high; ++ox)
                for (int oy = low; oy <= high; ++oy)
                    pixels.push_back({p.x + ox, p.y + oy});
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
    std::sort(pixels.begin(), pixels.end(),
              [](PixelPoint a, PixelPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

void ChartSurface::reset(const PixelSource* base) {
    base_ = base;
    tiles_.clear();
    changed_ = {0, 0, width() - 1, height() - 1};
}

std::uint64_t ChartSurface::tileKey(int tileX, int tileY) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(tileY)) << 32) |
           static_cast<std::uint32_t>(tileX);
}

Rgb ChartSurface::pixel(int x, int y) const {
    if (!contains(x, y))
        return black;
    const auto tile = tiles_.find(tileKey(x / tileSide, y / tileSide));
    if (tile != tiles_.end()) {
        const std::uint32_t p = tile->second->pixels[(y % tileSide) * tileSide + x % tileSide];
        if (p & drawnFlag)
            return unpacked(p);
    }
    return base_->pixel(x, y);
}

// A pixel set back to the base's colour shows the base again, so that however the base is
// painted (enlarged, reduced, several charts as one) an erased mark leaves nothing of itself.
void ChartSurface::setPixel(int x, int y, Rgb colour) {
    if (!contains(x, y))
        return;
    const std::uint64_t key = tileKey(x / tileSide, y / tileSide);
    const bool onBase = colour == base_->pixel(x, y);
    auto tile = tiles_.find(key);
    if (tile == tiles_.end()) {
        if (onBase)
            return;
        tile = tiles_.emplace(key, std::make_unique<Tile>()).first;
    }
    tile->second->pixels[(y % tileSide) * tileSide + x % tileSide] = onBase ? 0 : packed(colour);
    noteChange(x, y);
}

void ChartSurface::line(PixelPoint from, PixelPoint to, const Pen& pen) {
    for (const PixelPoint p : lineFootprint(from, to, pen)) {
        if (pen.invert) {
            const Rgb c = pixel(p.x, p.y);
            setPixel(p.x, p.y,
                     {static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
                      static_cast<std::uint8_t>(255 - c.b)});
        } else {
            setPixel(p.x, p.y, pen.colour);
        }
    }
}

void ChartSurface::forEachDrawn(const PixelRect& area,
                                const std::function<void(int, int, Rgb)>& paint) const {
    for (int ty = floorDiv(area.Top, tileSide); ty <= floorDiv(area.Bottom, tileSide); ++ty)
        for (int tx = floorDiv(area.Left, tileSide); tx <= floorDiv(area.Right, tileSide); ++tx) {
            const auto tile = tiles_.find(tileKey(tx, ty));
            if (tile == tiles_.end())
                continue;
            const int top = std::max(area.Top, ty * tileSide);
            const int bottom = std::min(area.Bottom, ty * tileSide + tileSide - 1);
            const int left = std::max(area.Left, tx * tileSide);
            const int right = std::min(area.Right, tx * tileSide + tileSide - 1);
            for (int y = top; y <= bottom; ++y)
                for (int x = left; x <= right; ++x) {
                    const std::uint32_t p =
                        tile->second->pixels[(y - ty * tileSide) * tileSide + x - tx * tileSide];
                    if (p & drawnFlag)
                        paint(x, y, unpacked(p));
                }
        }
}

void ChartSurface::noteChange(int x, int y) {
    if (changed_.Right < changed_.Left) {
        changed_ = {x, y, x, y};
        return;
    }
    changed_.Left = std::min(changed_.Left, x);
    changed_.Top = std::min(changed_.Top, y);
    changed_.Right = std::max(changed_.Right, x);
    changed_.Bottom = std::max(changed_.Bottom, y);
}

PixelRect ChartSurface::takeChangedRegion() {
    return std::exchange(changed_, {0, 0, -1, -1});
}

} // namespace brisomar
