// Chart loading and the chart window's tick on charts of different sizes.
#include "bench/big_chart.h"
#include "charts/chart_geometry.h"
#include "charts/chart_marks.h"
#include "charts/qt_chart_image.h"

#include <QImage>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace brisomar;
using bench::bigChart;

// A plain picture of any size, without memory behind it.
class Plain : public PixelSource {
public:
    Plain(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    Rgb pixel(int x, int y) const override {
        return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 90};
    }

private:
    int w_, h_;
};

// One chart window tick in show-position mode with the boat moving a pixel each time.
void ChartTick(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    Plain base(side, side);
    ChartSurface surface(&base);
    ChartState chart;
    chart.Table[0].CalLat = {Real48(60.0L), {}, {}, {}, {}, {}, Real48(50.0L)};
    chart.Table[0].CalLon = {Real48(10.0L), {}, {}, {}, {}, {}, Real48(0.0L)};
    chart.Table[0].CalRow[6] = chart.Table[0].CalCol[6] = side;
    chart.ChartNWLat = Real48(60.0L);
    chart.ChartSELat = Real48(50.0L);
    chart.ChartNWLon = Real48(10.0L);
    chart.ChartSELon = Real48(0.0L);
    CountCalibrationPoints(chart);
    NavState nav;
    PositionTrack steps;
    ChartSettings settings;
    long double lon = 5;
    for (auto _ : state) {
        lon -= 10.0L / side;
        if (lon < 1)
            lon = 5;
        nav.PosLat = Real48(55.0L);
        nav.PosLon = Real48(lon);
        DrawPosition(surface, chart, nav, steps, settings);
        benchmark::DoNotOptimize(surface.takeChangedRegion());
    }
}
BENCHMARK(ChartTick)->Arg(1000)->Arg(4243); // 1 and 18 megapixels

void LoadChartImage(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readChartImage(QString::fromStdString(bigChart())));
    state.counters["file MB"] = std::filesystem::file_size(bigChart()) / 1e6;
}
BENCHMARK(LoadChartImage)->Unit(benchmark::kMillisecond);

void BareQImageLoad(benchmark::State& state) {
    QImageReader::setAllocationLimit(2048);
    for (auto _ : state) {
        QImage image;
        image.load(QString::fromStdString(bigChart()));
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BareQImageLoad)->Unit(benchmark::kMillisecond);

} // namespace
