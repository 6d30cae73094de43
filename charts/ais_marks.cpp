#include "charts/ais_marks.h"

#include "charts/chart_geometry.h"
#include "charts/chart_marks.h"
#include "charts/chart_quilt.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

namespace brisomar {

namespace {

constexpr Rgb vesselGreen{0, 128, 0};
constexpr Rgb lostGrey{128, 128, 128};
constexpr Rgb aidTeal{0, 128, 128};
constexpr Rgb aircraftOrange{255, 128, 0};
constexpr long double vectorMinutes = 6;
constexpr long double metresPerNm = 1852;
constexpr long double degree = std::numbers::pi_v<long double> / 180;

std::optional<PixelPoint> pixelOf(ChartState& chart, GeoPoint p) {
    return viewPixel(chart, p.lat, p.lon);
}

Rgb colourOf(const AisTarget& t) {
    if (t.lost)
        return lostGrey;
    if (t.raisesAlarm())
        return red;
    switch (t.kind) {
    case AisKind::aidToNavigation:
    case AisKind::baseStation:
        return aidTeal;
    case AisKind::aircraft:
        return aircraftOrange;
    default:
        return vesselGreen;
    }
}

// What a target is drawn from, in pixels: its symbol and colour, where it points, the ends of
// its 6-minute line and of its line to the closest approach (none: -1).
struct Figure {
    PixelPoint at, ahead{-1, -1}, closest{-1, -1};
    int pointing = -1; // degrees
    AisKind kind = AisKind::classA;
    Rgb colour;

    std::vector<int> key() const {
        return {at.x,      at.y,      ahead.x,  ahead.y,
                closest.x, closest.y, pointing, static_cast<int>(kind),
                colour.r,  colour.g,  colour.b};
    }
};

std::optional<Figure> figureOf(ChartState& chart, const AisTarget& t) {
    if (!t.position)
        return std::nullopt;
    const auto at = pixelOf(chart, *t.position);
    if (!at)
        return std::nullopt;
    Figure f;
    f.at = *at;
    f.kind = t.kind;
    f.colour = colourOf(t);
    if (const auto pointing = t.pointing())
        f.pointing = static_cast<int>(std::lround(*pointing)) % 360;
    if (t.course && t.speed && *t.speed >= fixedBelowKnots) {
        const long double metres = *t.speed * vectorMinutes / 60 * metresPerNm;
        f.ahead = pixelOf(chart, GeodesicDestination(*t.position, *t.course, metres))
                      .value_or(PixelPoint{-1, -1});
    }
    if (t.raisesAlarm())
        f.closest = pixelOf(chart, TargetAtCpa(*t.approach)).value_or(PixelPoint{-1, -1});
    return f;
}

// The point `radius` pixels from `at` in the direction `degrees` true (north up).
PixelPoint towards(PixelPoint at, long double degrees, long double radius) {
    return {at.x + static_cast<int>(std::lround(radius * std::sin(degrees * degree))),
            at.y - static_cast<int>(std::lround(radius * std::cos(degrees * degree)))};
}

// A target's pixels over the picture.
class LayerPainter : public SpotPainter {
public:
    LayerPainter(ChartSurface& surface, AisOverlay::Layer& layer)
        : SpotPainter(surface, layer.spots) {}

    void line(PixelPoint from, PixelPoint to, Rgb colour, PenStyle style = PenStyle::Solid) {
        for (const PixelPoint p : lineFootprint(from, to, {1, style, colour, false}))
            paint(p, colour);
        paint(to, colour);
    }

    // The outline through the corners, closed.
    void polygon(const std::vector<PixelPoint>& corners, Rgb colour) {
        for (std::size_t i = 0; i < corners.size(); ++i)
            line(corners[i], corners[(i + 1) % corners.size()], colour);
    }
};

std::vector<PixelPoint> around(PixelPoint at, long double radius, std::initializer_list<int> turns,
                               long double start = 0) {
    std::vector<PixelPoint> corners;
    for (const int turn : turns)
        corners.push_back(towards(at, start + turn, radius));
    return corners;
}

void drawSymbol(LayerPainter& p, const Figure& f) {
    const PixelPoint at = f.at;
    switch (f.kind) {
    case AisKind::aidToNavigation:
        p.polygon(around(at, 6, {0, 90, 180, 270}), f.colour);
        break;
    case AisKind::baseStation:
        p.polygon(around(at, 6, {45, 135, 225, 315}), f.colour);
        break;
    case AisKind::aircraft: // wings across, fuselage along, tail
        p.line({at.x - 7, at.y}, {at.x + 7, at.y}, f.colour);
        p.line({at.x, at.y - 5}, {at.x, at.y + 6}, f.colour);
        p.line({at.x - 3, at.y + 6}, {at.x + 3, at.y + 6}, f.colour);
        break;
    default: {
        const long double size = f.kind == AisKind::classB ? 7 : 10;
        if (f.pointing < 0) {
            p.polygon(around(at, size / 2, {0, 45, 90, 135, 180, 225, 270, 315}), f.colour);
            break;
        }
        const PixelPoint apex = towards(at, f.pointing, size);
        p.polygon({apex, towards(at, f.pointing + 140, size * 0.7L),
                   towards(at, f.pointing - 140, size * 0.7L)},
                  f.colour);
    }
    }
    p.paint(at, f.colour);
}

void draw(ChartSurface& surface, AisOverlay::Layer& layer, const Figure& f) {
    LayerPainter painter(surface, layer);
    if (f.ahead.x >= 0)
        painter.line(f.at, f.ahead, f.colour);
    if (f.closest.x >= 0)
        painter.line(f.at, f.closest, red, PenStyle::Dash);
    drawSymbol(painter, f);
}

void erase(ChartSurface& surface, AisOverlay::Layer& layer) {
    for (auto spot = layer.spots.rbegin(); spot != layer.spots.rend(); ++spot)
        if (surface.pixel(spot->x, spot->y) == spot->drawn)
            surface.setPixel(spot->x, spot->y, spot->under);
    layer.spots.clear();
}

} // namespace

void AisOverlay::update(ChartSurface& surface, ChartState& chart, const AisTargets& targets,
                        PositionTrack& steps) {
    std::unordered_map<std::uint32_t, Figure> wanted;
    targets.forEach([&](const AisTarget& t) {
        if (const auto f = figureOf(chart, t))
            wanted.emplace(t.mmsi, *f);
    });
    const auto unchanged = [&](const Layer& l) {
        const auto w = wanted.find(l.mmsi);
        return w != wanted.end() && w->second.key() == l.key;
    };
    const auto lowest = static_cast<std::size_t>(
        std::find_if_not(layers_.begin(), layers_.end(), unchanged) - layers_.begin());
    std::unordered_set<std::uint32_t> drawn;
    for (const Layer& l : layers_)
        drawn.insert(l.mmsi);
    std::vector<std::uint32_t> fresh;
    for (const auto& [mmsi, f] : wanted)
        if (!drawn.contains(mmsi))
            fresh.push_back(mmsi);
    if (lowest == layers_.size() && fresh.empty())
        return;
    std::sort(fresh.begin(), fresh.end());
    drawUnderCross(surface, steps, [&] {
        for (std::size_t i = layers_.size(); i > lowest; --i)
            erase(surface, layers_[i - 1]);
        // Those above the lowest change that did not change go back first, then the changed and
        // the new ones on top, where their next move redraws them alone.
        std::vector<std::uint32_t> order;
        for (const bool same : {true, false})
            for (std::size_t i = lowest; i < layers_.size(); ++i)
                if (wanted.contains(layers_[i].mmsi) && unchanged(layers_[i]) == same)
                    order.push_back(layers_[i].mmsi);
        order.insert(order.end(), fresh.begin(), fresh.end());
        layers_.resize(lowest);
        for (const std::uint32_t mmsi : order) {
            const Figure& f = wanted.at(mmsi);
            Layer& layer = layers_.emplace_back(Layer{mmsi, f.key(), f.at, {}});
            draw(surface, layer, f);
        }
    });
}

std::optional<std::uint32_t> AisOverlay::targetAt(int x, int y, int reach) const {
    std::optional<std::uint32_t> nearest;
    long long best = static_cast<long long>(reach) * reach;
    for (const Layer& l : layers_) {
        const long long dx = l.at.x - x, dy = l.at.y - y;
        if (dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            nearest = l.mmsi;
        }
    }
    return nearest;
}

} // namespace brisomar
