#pragma once

#include "ais/ais_targets.h"
#include "charts/chart_surface.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace brisomar {

// The AIS targets over the chart, in every mode: each target at its pixel, a triangle pointing
// along its heading (its course when it sends none; a circle when neither), smaller for class B,
// with a line to where it will be in 6 minutes; an aid to navigation a diamond, a SAR aircraft a
// cross with wings, a base station a square. Lost targets grey; a target raising the alarm red,
// with a dashed line to where it is at its closest approach. Each target is a layer that keeps
// the colour under each of its pixels: a target that changed is erased and drawn anew with the
// layers above it, so a moving one redraws only itself and erasing leaves every other pixel as
// it was.
class AisOverlay {
public:
    // Draws the targets anew under the cross `steps` where they changed.
    void update(ChartSurface& surface, ChartState& chart, const AisTargets& targets,
                PositionTrack& steps);
    // After a fresh copy of the picture: nothing of it is left to erase.
    void forget() { layers_.clear(); }
    // The target drawn nearest to the pixel, within `reach` pixels of its position.
    std::optional<std::uint32_t> targetAt(int x, int y, int reach = 8) const;

    // A target as drawn: what it was drawn from, and the pixels it covers.
    struct Layer {
        std::uint32_t mmsi = 0;
        std::vector<int> key;
        PixelPoint at;
        std::vector<RouteOverlay::Spot> spots;
    };
    const std::vector<Layer>& layers() const { return layers_; }

private:
    std::vector<Layer> layers_; // in drawing order
};

} // namespace brisomar
