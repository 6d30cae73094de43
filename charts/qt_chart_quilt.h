#pragma once

#include "base/file_system.h"
#include "charts/chart_quilt.h"
#include "charts/chart_state.h"
#include "charts/qt_chart_image.h"

#include <QImage>

#include <array>
#include <memory>
#include <vector>

namespace brisomar {

// A chart halved, in its own form: a 1-bit chart stays 1-bit, a palette chart keeps its palette,
// so that the copies take a third of the chart's memory whatever its kind.
QImage halved(const QImage& image);

// A chart as loaded with its reduced copies, half to a sixteenth of its size, made once so that
// a reduced chart is never reduced again while painting.
class ReducedCopies {
public:
    explicit ReducedCopies(QImage chart);

    const QImage& chart() const { return chart_; }
    // The picture to show at zoom step `step`: the chart from 1:1 up, a reduced copy below.
    const QImage& at(int step) const;
    qsizetype reducedBytes() const;

private:
    QImage chart_;
    std::array<QImage, -ChartZoom::minStep> reduced_;
};

// The chart window's picture in view pixels: the charts of the quilt, each placed by its own
// calibration, the later over the earlier, at the zoom; grey where none lies.
class QuiltPicture : public PaintedSource {
public:
    struct Chart {
        QuiltPiece piece;
        std::shared_ptr<const ReducedCopies> copies;
    };

    // The charts to show, in drawing order.
    void setCharts(std::vector<Chart> charts) { charts_ = std::move(charts); }
    const std::vector<Chart>& charts() const { return charts_; }
    // Shows the charts at `step`; gives the zoom whose origin is the view's top-left, in chart
    // pixels of the chart in use.
    ChartZoom show(int step);

    int width() const override { return size_.width(); }
    int height() const override { return size_.height(); }
    Rgb pixel(int x, int y) const override;
    void paint(QPainter& painter, const QRect& area, PaletteChoice palette) const override;

private:
    struct Placed {
        const QImage* image;
        QRectF view; // where the image lies, in view pixels
        PaletteCopy shown;
    };

    std::vector<Chart> charts_;
    std::vector<Placed> placed_;
    QSize size_;
};

// The charts of the quilt read from their bitmaps, each with its reduced copies; a bitmap read
// before and unchanged since (its size and time) is not read again.
class QuiltCharts {
public:
    // The copies of the bitmap at `path`; null when it does not read as a chart.
    std::shared_ptr<const ReducedCopies> copies(const std::string& path);
    // The quilt around the chart in use (its copies `inUse`) as far as its bitmaps are found on
    // this machine and read; the copies of charts not in it are let go.
    std::vector<QuiltPicture::Chart> load(const ChartState& chart, FileSystem& files,
                                          std::shared_ptr<const ReducedCopies> inUse);

private:
    struct Loaded {
        QString key;
        std::shared_ptr<const ReducedCopies> copies;
    };
    std::vector<Loaded> loaded_, used_;
};

} // namespace brisomar
