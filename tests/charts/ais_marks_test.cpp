#include "charts/ais_marks.h"

#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using std::chrono::minutes;

// Every pixel its own colour, so that a restored pixel is told apart.
class Gradient : public PixelSource {
public:
    int width() const override { return 100; }
    int height() const override { return 100; }
    Rgb pixel(int x, int y) const override {
        return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200};
    }
};

class AisOnTheChart : public ::testing::Test {
protected:
    AisOnTheChart() {
        chart.Table[0] = testing::easyRecord("chart.bmp", 100, 100); // 60..50 N, 10..0 W
        chart.ChartNWLat = Real48(60.0L);
        chart.ChartSELat = Real48(50.0L);
        chart.ChartNWLon = Real48(10.0L);
        chart.ChartSELon = Real48(0.0L);
        CountCalibrationPoints(chart);
    }
    // A ship at (lat, degrees west), going north at 30 knots; the time is `now` minutes.
    void report(std::uint32_t mmsi, double lat, double west, int now) {
        AisMessage m;
        m.type = 1;
        m.mmsi = mmsi;
        m.lat = lat;
        m.lon = -west;
        m.course = 0;
        m.speed = 30;
        targets.take(m, false, minutes(now));
        targets.update(std::nullopt, {}, minutes(now));
        overlay.update(surface, chart, targets, steps);
    }
    int changedPixels() const {
        int changed = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                changed += surface.pixel(x, y) == base.pixel(x, y) ? 0 : 1;
        return changed;
    }

    Gradient base;
    ChartSurface surface{&base};
    ChartState chart;
    PositionTrack steps;
    AisTargets targets;
    AisOverlay overlay;
};

TEST_F(AisOnTheChart, AMovingTargetRedrawsOnlyItselfAndLeavesNothingBehind) {
    report(1, 55, 5, 0); // pixel (50, 50)
    report(2, 52, 8, 0); // pixel (20, 80)
    EXPECT_EQ(surface.pixel(50, 50), (Rgb{0, 128, 0}));
    EXPECT_EQ(overlay.targetAt(53, 47), 1u);
    EXPECT_EQ(overlay.targetAt(35, 65), std::nullopt);
    report(1, 55.5, 5, 1); // ship 1 goes on top of ship 2
    surface.takeChangedRegion();
    report(1, 56, 5, 2);
    const PixelRect changed = surface.takeChangedRegion();
    EXPECT_GT(changed.Left, 30) << "ship 2 was left alone";
    targets.update(std::nullopt, {}, minutes(13)); // both removed
    overlay.update(surface, chart, targets, steps);
    EXPECT_EQ(changedPixels(), 0);
}

} // namespace
} // namespace brisomar
