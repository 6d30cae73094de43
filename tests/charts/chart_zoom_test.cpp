// The chart window's zoom and the charts drawn as one with the chart in use.
#include "charts/chart_fixtures.h"
#include "charts/chart_geometry.h"
#include "charts/chart_quilt.h"
#include "charts/chart_zoom.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

TEST(ChartZoom, ChartPixel40AtEveryStep) {
    const struct {
        int step, view, back;
        const char* scale;
    } cases[] = {{2, 162, 40, "4:1"}, {1, 81, 40, "2:1"}, {0, 40, 40, "1:1"}, {-1, 20, 41, "1:2"},
                 {-2, 10, 42, "1:4"}, {-3, 5, 44, "1:8"}, {-4, 2, 40, "1:16"}};
    for (const auto& c : cases) {
        const ChartZoom zoom{c.step, {-16, 32}};
        EXPECT_EQ(zoom.toView({24, 72}), (PixelPoint{c.view, c.view})) << c.scale;
        EXPECT_EQ(zoom.toChart({c.view, c.view}), (PixelPoint{c.back - 16, c.back + 32}));
        EXPECT_EQ(zoom.scaleText(), c.scale);
    }
    // Chart pixel (300, 150) under the cursor stays under it, two view pixels a chart pixel.
    EXPECT_EQ(scrollKeeping({200, 100}, {100, 50}, ChartZoom{}, ChartZoom{1, {}}),
              (PixelPoint{501, 251}));
}

class Quilt : public ::testing::Test {
protected:
    // Record n + 1 from (north, west) to (south, east), `perDegree` pixels a degree.
    void put(int n, long double north, long double west, long double south, long double east,
             int perDegree = 100) {
        MapRecord& r = chart.Table[n] = testing::recordBetween("t.bmp", north, west, south, east);
        r.CalRow[6] = static_cast<int>((north - south) * perDegree);
        r.CalCol[6] = static_cast<int>((west - east) * perDegree);
    }
    void select(int record) {
        chart.MapIndex = record;
        useRecordCorners(chart);
        chart.Quilt = quiltAround(chart.Table, record);
    }
    std::vector<int> records() const {
        std::vector<int> r;
        for (const QuiltPiece& p : chart.Quilt)
            r.push_back(p.record);
        return r;
    }
    ChartState chart;
};

// Neighbours within twice the scale, the coarser below; nothing far off or much more detailed.
TEST_F(Quilt, TouchingAndOverlappingChartsAroundTheChartInUse) {
    put(0, 56, 6, 55, 5);                   // the chart in use, 100 x 100
    put(1, 56, 5, 55, 4);                   // east, touching
    put(2, 55.5L, 6, 54.5L, 5);             // south, overlapping half
    put(3, 55.8L, 5.8L, 55.6L, 5.6L, 1000); // a harbour plan
    put(4, 40, 6, 39, 5);                   // far off
    put(5, 57, 8, 55, 6, 50);               // twice as coarse, west
    select(1);
    EXPECT_EQ(records(), (std::vector{6, 2, 3, 1}));
    EXPECT_EQ(chart.Quilt[1].columns.offset, 100);
    EXPECT_EQ(chart.Quilt[2].rows.offset, 50);
    EXPECT_EQ(chart.Quilt[0].columns.scale, 2);
    EXPECT_EQ(chart.Quilt[0].rows.offset, -100);
    EXPECT_EQ(viewPixel(chart, Real48(55.5L), Real48(4.5L)), (PixelPoint{150, 50}));
    EXPECT_EQ(viewPixel(chart, Real48(55.5L), Real48(5.5L)), (PixelPoint{50, 50}));
    EXPECT_EQ(viewPixel(chart, Real48(50.0L), Real48(4.5L)), std::nullopt);
    EXPECT_EQ(sameSpot(chart.Quilt, {}, {150, 50}, 2, {}), (PixelPoint{50, 50})); // Auto Select
    chart.Zoom = {-1, {-200, -100}};
    EXPECT_EQ(viewPixel(chart, Real48(54.75L), Real48(5.5L)), (PixelPoint{125, 112}));
    const QuiltPosition at = positionAt(chart, {125, 112});
    EXPECT_NEAR(static_cast<double>(at.lat.value()), 54.745, 1e-9);
    EXPECT_NEAR(static_cast<double>(at.lon.value()), 5.485, 1e-9);
}

// West of the chart in use across the 180° meridian: eastern longitudes, negative.
TEST_F(Quilt, AcrossThe180Meridian) {
    put(0, 56, 180, 55, 179);
    put(1, 56, -179, 55, -180);
    select(1);
    EXPECT_EQ(records(), (std::vector{2, 1}));
    EXPECT_EQ(viewPixel(chart, Real48(55.5L), Real48(-179.5L)), (PixelPoint{-50, 50}));
    EXPECT_NEAR(static_cast<double>(positionAt(chart, {-50, 50}).lon.value()), -179.505, 1e-9);
}

} // namespace
} // namespace brisomar
