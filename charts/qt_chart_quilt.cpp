#include "charts/qt_chart_quilt.h"

#include "charts/chart_selection.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brisomar {

namespace {

const QColor noChart(192, 192, 192);

std::uint16_t rgb16(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// How many chart pixels a pixel of the picture shown at `step` spans, and how many view pixels
// a chart pixel takes there.
qreal chartPixelsPerImagePixel(int step) {
    return step < 0 ? std::ldexp(1.0, -step) : 1.0;
}

qreal viewPixelsPerChartPixel(int step) {
    return std::ldexp(1.0, step);
}

} // namespace

QImage halved(const QImage& image) {
    const int width = (image.width() + 1) / 2, height = (image.height() + 1) / 2;
    const bool sixteen = image.depth() <= 16;
    QImage result(width, height, sixteen ? QImage::Format_RGB16 : QImage::Format_RGB32);
    std::vector<int> sums(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        const int rows = std::min(2, image.height() - 2 * y);
        const QImage strip =
            image.copy(0, 2 * y, image.width(), rows).convertToFormat(QImage::Format_RGB32);
        std::fill(sums.begin(), sums.end(), 0);
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(strip.constScanLine(r));
            for (int x = 0; x < image.width(); ++x) {
                int* sum = &sums[static_cast<std::size_t>(x / 2) * 4];
                sum[0] += qRed(line[x]);
                sum[1] += qGreen(line[x]);
                sum[2] += qBlue(line[x]);
                sum[3] += 1;
            }
        }
        uchar* out = result.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int* sum = &sums[static_cast<std::size_t>(x) * 4];
            const int r = sum[0] / sum[3], g = sum[1] / sum[3], b = sum[2] / sum[3];
            if (sixteen)
                reinterpret_cast<std::uint16_t*>(out)[x] = rgb16(r, g, b);
            else
                reinterpret_cast<QRgb*>(out)[x] = qRgb(r, g, b);
        }
    }
    return result;
}

ReducedCopies::ReducedCopies(QImage chart) : chart_(std::move(chart)) {
    const QImage* previous = &chart_;
    for (QImage& copy : reduced_) {
        copy = halved(*previous);
        previous = &copy;
    }
}

const QImage& ReducedCopies::at(int step) const {
    return step >= 0 ? chart_ : reduced_[static_cast<std::size_t>(-step - 1)];
}

qsizetype ReducedCopies::reducedBytes() const {
    qsizetype bytes = 0;
    for (const QImage& copy : reduced_)
        bytes += copy.sizeInBytes();
    return bytes;
}

ChartZoom QuiltPicture::show(int step) {
    placed_.clear();
    // The charts' areas in chart pixels of the chart in use, and around them all.
    QRectF around;
    std::vector<QRectF> areas;
    for (const Chart& c : charts_) {
        const QImage& chart = c.copies->chart();
        const qreal left = c.piece.columns.place(0), top = c.piece.rows.place(0);
        areas.emplace_back(QPointF(left, top), QPointF(c.piece.columns.place(chart.width()),
                                                       c.piece.rows.place(chart.height())));
        around = around.united(areas.back());
    }
    // A multiple of the largest reduction, so that each reduced pixel of the chart in use is one
    // view pixel at every zoom.
    const int grid = ChartZoom{ChartZoom::minStep, {}}.factor();
    ChartZoom zoom{step,
                   {static_cast<int>(std::floor(around.left() / grid)) * grid,
                    static_cast<int>(std::floor(around.top() / grid)) * grid}};
    const qreal scale = viewPixelsPerChartPixel(step);
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const QImage& image = charts_[i].copies->at(step);
        const qreal span = chartPixelsPerImagePixel(step);
        const QRectF& area = areas[i];
        placed_.push_back(
            {&image,
             QRectF((area.left() - zoom.origin.x) * scale, (area.top() - zoom.origin.y) * scale,
                    image.width() * span * charts_[i].piece.columns.scale * scale,
                    image.height() * span * charts_[i].piece.rows.scale * scale)});
    }
    size_ = QSize(static_cast<int>(std::ceil((around.right() - zoom.origin.x) * scale)),
                  static_cast<int>(std::ceil((around.bottom() - zoom.origin.y) * scale)));
    return zoom;
}

// The topmost chart's pixel whose area holds the middle of the view pixel.
Rgb QuiltPicture::pixel(int x, int y) const {
    for (auto p = placed_.rbegin(); p != placed_.rend(); ++p) {
        const qreal ix = (x + 0.5 - p->view.left()) * p->image->width() / p->view.width();
        const qreal iy = (y + 0.5 - p->view.top()) * p->image->height() / p->view.height();
        if (ix >= 0 && iy >= 0 && ix < p->image->width() && iy < p->image->height()) {
            const QRgb c = p->image->pixel(static_cast<int>(ix), static_cast<int>(iy));
            return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                    static_cast<std::uint8_t>(qBlue(c))};
        }
    }
    return {static_cast<std::uint8_t>(noChart.red()), static_cast<std::uint8_t>(noChart.green()),
            static_cast<std::uint8_t>(noChart.blue())};
}

QImage QuiltPicture::part(const QRect& area) const {
    QImage result(area.size(), QImage::Format_RGB32);
    QPainter painter(&result);
    painter.translate(-area.topLeft());
    const bool covered = std::any_of(placed_.begin(), placed_.end(), [&](const Placed& p) {
        return p.view.contains(QRectF(area));
    });
    if (!covered)
        painter.fillRect(area, noChart);
    for (const Placed& p : placed_) {
        const QRectF shown = p.view.intersected(QRectF(area));
        if (shown.isEmpty())
            continue;
        const qreal sx = p.image->width() / p.view.width();
        const qreal sy = p.image->height() / p.view.height();
        // Only the image's part in the area, a pixel more each side for the rounding.
        const QRect source =
            QRectF((shown.left() - p.view.left()) * sx - 1, (shown.top() - p.view.top()) * sy - 1,
                   shown.width() * sx + 2, shown.height() * sy + 2)
                .toAlignedRect()
                .intersected(p.image->rect());
        const QRectF target(p.view.left() + source.left() / sx, p.view.top() + source.top() / sy,
                            source.width() / sx, source.height() / sy);
        painter.save();
        painter.setClipRect(shown);
        painter.drawImage(target, *p.image, source);
        painter.restore();
    }
    return result;
}

std::shared_ptr<const ReducedCopies> QuiltCharts::copies(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    const QString key = QStringLiteral("%1 %2 %3")
                            .arg(file.absoluteFilePath())
                            .arg(file.size())
                            .arg(file.lastModified().toMSecsSinceEpoch());
    std::shared_ptr<const ReducedCopies> found;
    for (const Loaded& l : loaded_)
        if (l.key == key)
            found = l.copies;
    if (!found)
        if (auto image = readChartImage(file.filePath()))
            found = std::make_shared<const ReducedCopies>(std::move(*image));
    if (found)
        used_.push_back({key, found});
    return found;
}

std::vector<QuiltPicture::Chart> QuiltCharts::load(const ChartState& chart, FileSystem& files,
                                                   std::shared_ptr<const ReducedCopies> inUse) {
    std::vector<QuiltPicture::Chart> charts;
    for (const QuiltPiece& piece : quiltAround(chart.Table, chart.MapIndex)) {
        if (piece.record == chart.MapIndex) {
            charts.push_back({piece, inUse});
            continue;
        }
        const auto path =
            findChartFile(files, chart.Table[piece.record - 1].FileName, chart.MapFilePath);
        std::string error;
        const auto bytes = path ? files.size(*path, error) : std::nullopt;
        if (bytes && *bytes <= maxChartFileBytes)
            if (auto found = copies(*path))
                charts.push_back({piece, std::move(found)});
    }
    loaded_ = std::exchange(used_, {});
    if (charts.empty()) { // a chart in use whose calibration places nothing around it
        QuiltPiece alone;
        alone.record = chart.MapIndex;
        charts.push_back({alone, std::move(inUse)});
    }
    return charts;
}

} // namespace brisomar
