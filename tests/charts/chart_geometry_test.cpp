#include "charts/chart_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace brisomar {
namespace {

using Degrees = std::array<long double, 7>;
using Pixels = std::array<std::int32_t, 7>;

constexpr int recordInUse = 3;

std::array<Real48, 7> held(const Degrees& degrees) {
    std::array<Real48, 7> result;
    for (std::size_t i = 0; i < degrees.size(); ++i)
        result[i] = Real48(degrees[i]);
    return result;
}

// Makes a record the chart in use as selecting it would. Longitudes default to 10 W..5 W over
// columns 0..1000.
ChartState chartInUse(const Degrees& lats, const Pixels& rows,
                      const Degrees& lons = {10, 0, 0, 0, 0, 0, 5},
                      const Pixels& cols = {0, 0, 0, 0, 0, 0, 1000}) {
    ChartState chart;
    chart.MapIndex = recordInUse;
    MapRecord& record = chart.Table[recordInUse - 1];
    record.CalLat = held(lats);
    record.CalLon = held(lons);
    record.CalRow = rows;
    record.CalCol = cols;
    useRecordCorners(chart);
    return chart;
}

// North 60 at row 0, south 50 at row 1000, no intermediate points.
ChartState cornerChart() {
    return chartInUse({60, 0, 0, 0, 0, 0, 50}, {0, 0, 0, 0, 0, 0, 1000});
}

struct PixelCase {
    const char* name;
    std::int32_t pixelA, pixelB;
    long double value, valueA, valueB;
    std::int32_t expected;
};

class InterpolatePixelCases : public testing::TestWithParam<PixelCase> {};

TEST_P(InterpolatePixelCases, GivesThePixelOnTheLine) {
    const PixelCase& c = GetParam();
    EXPECT_EQ(
        InterpolatePixel(c.pixelA, c.pixelB, Real48(c.value), Real48(c.valueA), Real48(c.valueB)),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InterpolatePixelCases,
    testing::Values(PixelCase{"between", 0, 1000, 55, 60, 50, 500},
                    PixelCase{"extrapolatedNorth", 0, 1000, 60.5, 60, 50, -50},
                    PixelCase{"minusHalfTowardZero", 0, 1, -0.5, 0, 1, 0},
                    PixelCase{"minusPointSevenTowardZero", 0, 10, -0.07, 0, 1, 0},
                    PixelCase{"negativeTowardZero", 0, -101, 0.5, 0, 1, -50},
                    PixelCase{"almostFiveHundred", 0, 1000, 0.4999, 0, 1, 499},
                    PixelCase{"equalValues", 100, 200, 5, 7, 7, 0},
                    PixelCase{"atValueA", 100, 200, 7, 7, 8, 100},
                    PixelCase{"largestRow", 0, 1, 2147483647.0L, 0, 1, 2147483647},
                    PixelCase{"smallestRow", 0, 1, -2147483648.0L, 0, 1, -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpolatePixel, RoundsToRealBeforeTruncating) {
    // A seventh held as Real48 is a little short, but seven of them round back up to one.
    ASSERT_LT(7 * Real48(1.0L / 7).value(), 1.0L);
    EXPECT_EQ(InterpolatePixel(0, 7, Real48(1.0L / 7), Real48(0), Real48(1)), 1);
    EXPECT_EQ(ScalePixel(7, Real48(1.0L / 7)), 1);
}

TEST(InterpolatePixel, PixelBeyondRealOrIntegerRangeOverflows) {
    EXPECT_THROW(InterpolatePixel(0, 1000, Real48(1e37L), Real48(0), Real48(1)), FloatOverflow);
    EXPECT_THROW(InterpolatePixel(0, 1, Real48(2147483648.0L), Real48(0), Real48(1)),
                 FloatOverflow);
    EXPECT_THROW(InterpolatePixel(0, -1, Real48(2147483649.0L), Real48(0), Real48(1)),
                 FloatOverflow);
}

TEST(ScalePixel, TruncatesTheProductTowardZero) {
    EXPECT_EQ(ScalePixel(1000, Real48(0.25)), 250);
    EXPECT_EQ(ScalePixel(-7, Real48(0.5)), -3);
    EXPECT_EQ(ScalePixel(3, Real48(-0.4)), -1);
}

struct CountCase {
    const char* name;
    Degrees lats;
    int expected;
};

class CountCases : public testing::TestWithParam<CountCase> {};

TEST_P(CountCases, CountsTheUsableIntermediateLatitudes) {
    EXPECT_EQ(chartInUse(GetParam().lats, {}).LatPointCount, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Latitudes, CountCases,
                         testing::Values(CountCase{"flatChart", {55, 54, 53, 52, 51, 50, 55}, 0},
                                         CountCase{"cornersOnly", {60, 0, 0, 0, 0, 0, 50}, 1},
                                         CountCase{"onePoint", {60, 58, 0, 0, 0, 0, 50}, 1},
                                         CountCase{"gapAtPointTwo", {60, 0, 57, 0, 0, 0, 50}, 1},
                                         CountCase{"twoPoints", {60, 58, 56, 0, 0, 0, 50}, 2},
                                         CountCase{"threePoints", {60, 58, 56, 54, 0, 53, 50}, 3},
                                         CountCase{"fourPoints", {60, 58, 56, 54, 53, 0, 50}, 4},
                                         CountCase{"fivePoints", {60, 59, 58, 57, 56, 55, 50}, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CountCalibrationPoints, CountsLongitudesOnTheirOwn) {
    const ChartState chart = chartInUse({60, 58, 56, 0, 0, 0, 50}, {}, {10, 9, 8, 7, 6, 0, 5}, {});
    EXPECT_EQ(chart.LatPointCount, 2);
    EXPECT_EQ(chart.LonPointCount, 4);
}

// The edges are the record's first and last calibration points, whatever lies between.
TEST(RecordCorners, AreTheFirstAndLastCalibrationPoints) {
    MapRecord record;
    record.CalLat = held({60, 58, 56, 0, 0, 0, 50});
    record.CalLon = held({10, 9, 0, 0, 0, 0, 5});
    const ChartCorners corners = recordCorners(record);
    EXPECT_EQ(corners.NWLat, Real48(60));
    EXPECT_EQ(corners.SELat, Real48(50));
    EXPECT_EQ(corners.NWLon, Real48(10));
    EXPECT_EQ(corners.SELon, Real48(5));

    ChartState chart;
    chart.MapIndex = recordInUse;
    chart.Table[recordInUse - 1] = record;
    chart.Table[0].CalLat = held({80, 0, 0, 0, 0, 0, 70}); // not the record in use
    useRecordCorners(chart);
    EXPECT_EQ(chart.ChartNWLat, Real48(60));
    EXPECT_EQ(chart.ChartSELat, Real48(50));
    EXPECT_EQ(chart.ChartNWLon, Real48(10));
    EXPECT_EQ(chart.ChartSELon, Real48(5));
    EXPECT_EQ(chart.LatPointCount, 2);
    EXPECT_EQ(chart.LonPointCount, 1);
}

TEST(CornerChart, ExtrapolatesOnlyFromDegreesToRows) {
    ChartState chart = cornerChart();
    EXPECT_EQ(LatToChartY(chart, Real48(55)), 500);
    EXPECT_EQ(LatToChartY(chart, Real48(60.5)), -50);
    EXPECT_EQ(ChartYToLat(chart, 500).value(), 55.0L);
    EXPECT_EQ(ChartYToLat(chart, 0).value(), 60.0L);
    EXPECT_EQ(ChartYToLat(chart, 1000).value(), 50.0L);
    EXPECT_TRUE(ChartYToLat(chart, 1001).isZero());
    EXPECT_TRUE(ChartYToLat(chart, -1).isZero());
}

TEST(CornerChart, WithoutCountedPointsEveryLatitudeIsRowZero) {
    ChartState chart = cornerChart();
    chart.LatPointCount = 0; // as before any chart was selected
    EXPECT_EQ(LatToChartY(chart, Real48(55)), 0);
    EXPECT_EQ(LatToChartY(chart, Real48(40)), 0);
}

TEST(OneIntermediatePoint, IsUsedOnlyFromRowsToDegrees) {
    // Point 2 bends the chart: 58 lies at row 100 rather than 200.
    ChartState chart = chartInUse({60, 58, 0, 0, 0, 0, 50}, {0, 100, 0, 0, 0, 0, 1000});
    EXPECT_EQ(LatToChartY(chart, Real48(58)), 200);
    EXPECT_EQ(ChartYToLat(chart, 100).value(), 58.0L);
    EXPECT_EQ(ChartYToLat(chart, 550).value(), 54.0L); // between point 2 and the south edge
}

TEST(FallbackSegment, BridgesUnusedRowsToTheSouthEdge) {
    ChartState chart = chartInUse({60, 58, 56, 0, 0, 0, 50}, {0, 100, 300, 0, 0, 0, 1000});
    EXPECT_EQ(ChartYToLat(chart, 650).value(), 53.0L); // segment (3, 7), not (2, 7)
    EXPECT_EQ(LatToChartY(chart, Real48(53)), 650);
}

TEST(OverlappingSegments, TheMoreSouthernOneWins) {
    // Rows 0..500 and 200..600 both hold row 300; the second segment gives 55.75.
    const ChartState chart = chartInUse({60, 58, 56, 55, 0, 0, 50}, {0, 500, 200, 600, 0, 0, 1000});
    EXPECT_EQ(ChartYToLat(chart, 300).value(), 55.75L);
}

struct CalibratedPoint {
    const char* name;
    long double lat;
    std::int32_t row;
};

// Points 2..4 at 58, 56 and 54 bend the chart into four straight pieces.
class IntermediatePoints : public testing::TestWithParam<CalibratedPoint> {
protected:
    ChartState chart = chartInUse({60, 58, 56, 54, 0, 0, 50}, {0, 100, 300, 600, 0, 0, 1000});
};

TEST_P(IntermediatePoints, LatitudeGivesRow) {
    EXPECT_EQ(LatToChartY(chart, Real48(GetParam().lat)), GetParam().row);
}

TEST_P(IntermediatePoints, RowGivesLatitude) {
    EXPECT_EQ(ChartYToLat(chart, GetParam().row).value(), GetParam().lat);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, IntermediatePoints,
    testing::Values(CalibratedPoint{"northEdge", 60, 0}, CalibratedPoint{"firstPiece", 59, 50},
                    CalibratedPoint{"onPointTwo", 58, 100}, CalibratedPoint{"secondPiece", 57, 200},
                    CalibratedPoint{"onPointThree", 56, 300},
                    CalibratedPoint{"thirdPiece", 55, 450}, CalibratedPoint{"onPointFour", 54, 600},
                    CalibratedPoint{"lastPiece", 52, 800}, CalibratedPoint{"southEdge", 50, 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FivePoints, SegmentsAreSearchedFromTheSouth) {
    ChartState chart = chartInUse({60, 59, 58, 57, 56, 55, 50}, {0, 100, 150, 300, 350, 500, 1000});
    EXPECT_EQ(LatToChartY(chart, Real48(55.5)), 425);
    EXPECT_EQ(LatToChartY(chart, Real48(56.5)), 325);
    EXPECT_EQ(LatToChartY(chart, Real48(52.5)), 750);
    EXPECT_EQ(LatToChartY(chart, Real48(61)), -100); // the outer pieces extrapolate
    EXPECT_EQ(LatToChartY(chart, Real48(49)), 1100);
    EXPECT_EQ(ChartYToLat(chart, 425).value(), 55.5L);
}

TEST(RowsToDegrees, HoldsTheFractionAsRealFirst) {
    const ChartState chart = chartInUse({60, 0, 0, 0, 0, 0, 50}, {0, 0, 0, 0, 0, 0, 19});
    const long double fraction = 15.0L / 19; // row 4 lies 15/19 of the way up from the south
    const Real48 expected(50 + 10 * Real48(fraction).value());
    ASSERT_NE(expected, Real48(50 + 10 * fraction));
    EXPECT_EQ(ChartYToLat(chart, 4).value(), expected.value());
}

TEST(ChartEdges, DegreesUseTheCornersAndRowsTheRecord) {
    ChartState chart = cornerChart();
    // Another map file loaded without selecting a record: the corners stay as they were.
    chart.Table[recordInUse - 1].CalLat = held({70, 0, 0, 0, 0, 0, 30});
    EXPECT_EQ(LatToChartY(chart, Real48(55)), 500);
    EXPECT_EQ(ChartYToLat(chart, 500).value(), 50.0L);
}

TEST(Longitudes, WestPositiveChartConvertsLikeLatitudes) {
    ChartState chart = cornerChart(); // 10 W at column 0, 5 W at column 1000
    EXPECT_EQ(LonToChartX(chart, Real48(7.5)), 500);
    EXPECT_EQ(LonToChartX(chart, Real48(11)), -200);
    EXPECT_EQ(ChartXToLon(chart, 250).value(), 8.75L);
    EXPECT_TRUE(ChartXToLon(chart, 1001).isZero());
}

TEST(Longitudes, AcrossTheZeroMeridian) {
    // 2 W at column 0, 3 E at column 1000.
    ChartState chart = chartInUse({60, 0, 0, 0, 0, 0, 50}, {0, 0, 0, 0, 0, 0, 1000},
                                  {2, 0, 0, 0, 0, 0, -3}, {0, 0, 0, 0, 0, 0, 1000});
    EXPECT_EQ(LonToChartX(chart, Real48(0)), 400);
    EXPECT_EQ(LonToChartX(chart, Real48(-1)), 600);
    EXPECT_EQ(ChartXToLon(chart, 750).value(), -1.75L);
}

TEST(Longitudes, UseTheirOwnIntermediatePoints) {
    ChartState chart = chartInUse({60, 0, 0, 0, 0, 0, 50}, {0, 0, 0, 0, 0, 0, 1000},
                                  {10, 9, 7, 0, 0, 0, 5}, {0, 100, 500, 0, 0, 0, 1000});
    EXPECT_EQ(LonToChartX(chart, Real48(8)), 300);
    EXPECT_EQ(LonToChartX(chart, Real48(6)), 750);
    EXPECT_EQ(ChartXToLon(chart, 750).value(), 6.0L);
    EXPECT_EQ(LatToChartY(chart, Real48(55)), 500);
}

class DetailRatio : public testing::Test {
protected:
    ChartState chart = cornerChart(); // latitude 55 is row 500, longitude 7.5 column 500
};

TEST_F(DetailRatio, RowAQuarterInside) {
    chart.DetailRect = {0, 400, 0, 800};
    LatToChartY(chart, Real48(55));
    EXPECT_EQ(chart.DetailRowRatio.value(), 0.25L);
    EXPECT_TRUE(chart.DetailRowValid);
}

TEST_F(DetailRatio, RowOnTheEdgeOrOutsideIsZero) {
    for (const PixelRect rect : {PixelRect{0, 500, 0, 800}, PixelRect{0, 200, 0, 500},
                                 PixelRect{0, 600, 0, 800}, PixelRect{0, 500, 0, 500}}) {
        chart.DetailRect = rect;
        chart.DetailRowRatio = Real48(0.5);
        chart.DetailRowValid = true;
        LatToChartY(chart, Real48(55));
        EXPECT_TRUE(chart.DetailRowRatio.isZero()) << rect.Top << ".." << rect.Bottom;
        EXPECT_FALSE(chart.DetailRowValid) << rect.Top << ".." << rect.Bottom;
    }
}

TEST_F(DetailRatio, ColumnUsesLeftAndRightOnly) {
    chart.DetailRect = {250, 0, 1250, 1000};
    LonToChartX(chart, Real48(7.5));
    EXPECT_EQ(chart.DetailColRatio.value(), 0.25L);
    EXPECT_TRUE(chart.DetailColValid);
    EXPECT_FALSE(chart.DetailRowValid);
    LatToChartY(chart, Real48(55));
    EXPECT_EQ(chart.DetailRowRatio.value(), 0.5L);
    EXPECT_EQ(chart.DetailColRatio.value(), 0.25L);
}

struct PositionCase {
    const char* name;
    long double lat, lon, north, west, south, east;
    bool expected;
};

class PositionOnChartCases : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionOnChartCases, DecidesWhetherThePositionIsDrawn) {
    const PositionCase& c = GetParam();
    EXPECT_EQ(PositionOnChart(Real48(c.lat), Real48(c.lon), Real48(c.north), Real48(c.west),
                              Real48(c.south), Real48(c.east)),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, PositionOnChartCases,
    testing::Values(PositionCase{"inside", 55, 7, 60, 10, 50, 5, true},
                    PositionCase{"onNorthEdge", 60, 7, 60, 10, 50, 5, false},
                    PositionCase{"onSouthEdge", 50, 7, 60, 10, 50, 5, false},
                    PositionCase{"onWestEdge", 55, 10, 60, 10, 50, 5, false},
                    PositionCase{"onEastEdge", 55, 5, 60, 10, 50, 5, false},
                    PositionCase{"eastOfChart", 55, 4, 60, 10, 50, 5, false},
                    PositionCase{"southernChart", -35, 7, -30, 10, -40, 5, true},
                    PositionCase{"equatorNorthSide", 0.5, 7, 1, 10, -2, 5, false},
                    PositionCase{"equatorSouthSide", -1, 7, 1, 10, -2, 5, true},
                    PositionCase{"onTheEquator", 0, 7, 1, 10, -2, 5, false},
                    PositionCase{"equalMagnitudesNorth", 0.5, 7, 1, 10, -1, 5, false},
                    PositionCase{"equalMagnitudesSouth", -0.5, 7, 1, 10, -1, 5, true},
                    PositionCase{"meridianWestSide", 55, 1, 60, 2, 50, -3, false},
                    PositionCase{"meridianEastSide", 55, -1, 60, 2, 50, -3, true},
                    PositionCase{"onTheMeridian", 55, 0, 60, 3, 50, -2, false},
                    PositionCase{"meridianLargerWest", 55, 1, 60, 3, 50, -2, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PositionOnChart, ChartInUseUsesItsCorners) {
    const ChartState chart = cornerChart();
    EXPECT_TRUE(onChartInUse(chart, Real48(55), Real48(7)));
    EXPECT_FALSE(onChartInUse(chart, Real48(61), Real48(7)));
    EXPECT_FALSE(onChartInUse(chart, Real48(55), Real48(11)));
}

} // namespace
} // namespace brisomar
