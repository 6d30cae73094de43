// Chart loading and the chart window's tick on charts of different sizes.
#include "bench/big_chart.h"
#include "charts/chart_geometry.h"
#include "charts/chart_marks.h"
#include "charts/qt_chart_image.h"
#include "charts/qt_chart_quilt.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>
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

// An imported tile: 8 bits of a palette, areas of a few colours crossed by thin lines, the
// largest the import writes (18.9 MB).
QImage importedTile() {
    constexpr int width = 4350, height = 4340;
    QImage tile(width, height, QImage::Format_Indexed8);
    tile.setColorTable({qRgb(200, 225, 240), qRgb(235, 220, 160), qRgb(90, 90, 110),
                        qRgb(255, 255, 255), qRgb(180, 60, 60)});
    for (int y = 0; y < height; ++y) {
        uchar* line = tile.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<uchar>(x % 300 < 2 || y % 300 < 2     ? 2
                                         : (x / 700 + y / 500) % 3 == 0 ? 1
                                         : (x * 7 + y * 3) % 997 == 0   ? 4
                                                                        : 0);
    }
    return tile;
}

const QImage& tileImage() {
    static const QImage tile = importedTile();
    return tile;
}

const std::string& tileFile() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "brisomar-bench-tile.bmp").string();
        tileImage().save(QString::fromStdString(file), "BMP");
        return file;
    }();
    return path;
}

// Three by three tiles edge to edge, as one import's quilt, the middle one in use.
QuiltPicture& quilt() {
    static QuiltPicture picture = [] {
        const auto copies = std::make_shared<const ReducedCopies>(tileImage());
        std::vector<QuiltPicture::Chart> charts;
        for (int row = -1; row <= 1; ++row)
            for (int column = -1; column <= 1; ++column) {
                QuiltPiece piece;
                piece.record = 5 + 3 * row + column;
                piece.columns.offset = column * tileImage().width();
                piece.rows.offset = row * tileImage().height();
                charts.push_back({piece, copies});
            }
        QuiltPicture p;
        p.setCharts(std::move(charts));
        p.show(0);
        return p;
    }();
    return picture;
}

const QSize screen(1280, 1024);

// The view's top-left while panning across the tiles' edges, a step each call.
QPoint panned(int step, const QSize& extent) {
    const int x = (step * 97) % (extent.width() - screen.width());
    const int y = (step * 61) % (extent.height() - screen.height());
    return {x, y};
}

// A 1280 x 1024 view painted as the chart window paints it: the quilt, the marks over it, onto
// the window.
void PanQuilt(benchmark::State& state) {
    QuiltPicture& picture = quilt();
    picture.show(0);
    ChartSurface surface(&picture);
    QImage window(screen, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QRect area(panned(++step, {picture.width(), picture.height()}), screen);
        QPainter painter(&window);
        painter.translate(-area.topLeft());
        paintSurface(painter, surface, picture, area);
    }
}
BENCHMARK(PanQuilt)->Unit(benchmark::kMillisecond);

// The same areas drawn from one bitmap of the whole with QPainter::drawImage.
void PanOneBitmap(benchmark::State& state) {
    static const QImage whole = [] {
        QImage image(3 * tileImage().width(), 3 * tileImage().height(), QImage::Format_Indexed8);
        image.setColorTable(tileImage().colorTable());
        for (int row = 0; row < image.height(); ++row)
            std::memcpy(image.scanLine(row), tileImage().constScanLine(row % tileImage().height()),
                        static_cast<std::size_t>(tileImage().width()));
        for (int row = 0; row < image.height(); ++row)
            for (int copy = 1; copy < 3; ++copy)
                std::memcpy(image.scanLine(row) + copy * tileImage().width(),
                            image.constScanLine(row),
                            static_cast<std::size_t>(tileImage().width()));
        return image;
    }();
    QImage window(screen, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QRect area(panned(++step, whole.size()), screen);
        QPainter painter(&window);
        painter.drawImage(QPoint(0, 0), whole, area);
    }
}
BENCHMARK(PanOneBitmap)->Unit(benchmark::kMillisecond);

// One zoom step, out and in again in turns: the quilt placed anew and the whole view painted.
void ZoomStep(benchmark::State& state) {
    QuiltPicture& picture = quilt();
    QImage window(screen, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        step = step == 0 ? -1 : 0;
        picture.show(step);
        ChartSurface surface(&picture);
        const QRect area(QPoint(picture.width() / 3, picture.height() / 3), screen);
        QPainter painter(&window);
        painter.translate(-area.topLeft());
        paintSurface(painter, surface, picture, area);
    }
    picture.show(0);
}
BENCHMARK(ZoomStep)->Unit(benchmark::kMillisecond);

void LoadTile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readChartImage(QString::fromStdString(tileFile())));
}
BENCHMARK(LoadTile)->Unit(benchmark::kMillisecond);

void ReduceTile(benchmark::State& state) {
    qsizetype bytes = 0;
    for (auto _ : state) {
        const ReducedCopies copies(tileImage());
        bytes = copies.reducedBytes();
    }
    state.counters["memory ratio"] = static_cast<double>(bytes) / tileImage().sizeInBytes();
}
BENCHMARK(ReduceTile)->Unit(benchmark::kMillisecond);

} // namespace
