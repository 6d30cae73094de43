#include "charts/qt_chart_quilt.h"

#include "charts/chart_selection.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace brisomar {

namespace {

const QColor noChart(192, 192, 192);

// How many chart pixels a pixel of the picture shown at `step` spans, and how many view pixels
// a chart pixel takes there.
qreal chartPixelsPerImagePixel(int step) {
    return step < 0 ? std::ldexp(1.0, -step) : 1.0;
}

qreal viewPixelsPerChartPixel(int step) {
    return std::ldexp(1.0, step);
}

} // namespace

namespace {

// A 1-bit chart halved: a pixel takes the darker colour where any of the four under it has it,
// so that thin dark lines stay.
QImage halvedMono(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_Mono);
    const QList<QRgb> colours = source.colorTable();
    const bool darkIsOne = colours.size() == 2 && qGray(colours[1]) < qGray(colours[0]);
    QImage result((source.width() + 1) / 2, (source.height() + 1) / 2, QImage::Format_Mono);
    result.setColorTable(colours);
    // The four pairs of bits of a byte, each pair's OR, as the high nibble's bits.
    std::array<uchar, 256> pairs{};
    for (int b = 0; b < 256; ++b)
        for (int pair = 0; pair < 4; ++pair)
            if (b & (0xC0 >> (2 * pair)))
                pairs[static_cast<std::size_t>(b)] |= static_cast<uchar>(0x80 >> pair);
    const int bytes = (source.width() + 7) / 8;
    for (int y = 0; y < result.height(); ++y) {
        const uchar* a = source.constScanLine(2 * y);
        const uchar* b = source.constScanLine(std::min(2 * y + 1, source.height() - 1));
        uchar* out = result.scanLine(y);
        for (int i = 0; i < bytes; ++i) {
            const uchar dark = darkIsOne ? (a[i] | b[i]) : static_cast<uchar>(~(a[i] & b[i]));
            const uchar half = darkIsOne ? pairs[dark] : static_cast<uchar>(~pairs[dark]);
            out[i / 2] = (i % 2 == 0) ? static_cast<uchar>(half & 0xF0)
                                      : static_cast<uchar>(out[i / 2] | (half >> 4));
        }
    }
    return result;
}

// A palette chart halved in its own palette: a block of one colour stays it, a mixed one takes
// its darkest colour, as a 1-bit chart does, so that lines and soundings stay: an average, put
// back into a chart's few colours, may be none of them (a grey line over blue water is nearest
// the land's yellow).
QImage halvedIndexed(const QImage& source) {
    const QList<QRgb> colours = source.colorTable();
    QImage result((source.width() + 1) / 2, (source.height() + 1) / 2, QImage::Format_Indexed8);
    result.setColorTable(colours);
    std::array<int, 256> grey{};
    for (int i = 0; i < 256; ++i)
        grey[static_cast<std::size_t>(i)] = i < colours.size() ? qGray(colours[i]) : 0;
    const int lastX = source.width() - 1, lastY = source.height() - 1;
    const auto mixed = [&](const uchar* a, const uchar* b, int x) {
        const int x0 = 2 * x, x1 = std::min(2 * x + 1, lastX);
        uchar darkest = a[x0];
        for (const uchar index : {a[x1], b[x0], b[x1]})
            if (grey[index] < grey[darkest])
                darkest = index;
        return darkest;
    };
    constexpr std::uint64_t everyByte = 0x0101010101010101ULL;
    const int wholeBlocks = source.width() / 8; // eight columns of two rows: four pixels
    for (int y = 0; y < result.height(); ++y) {
        const uchar* a = source.constScanLine(2 * y);
        const uchar* b = source.constScanLine(std::min(2 * y + 1, lastY));
        uchar* out = result.scanLine(y);
        for (int block = 0; block < wholeBlocks; ++block) {
            std::uint64_t top = 0, bottom = 0;
            std::memcpy(&top, a + 8 * block, 8);
            std::memcpy(&bottom, b + 8 * block, 8);
            if (top == bottom && top == (top & 0xFF) * everyByte) { // one colour: most of a chart
                std::memset(out + 4 * block, static_cast<int>(top & 0xFF), 4);
                continue;
            }
            for (int x = 4 * block; x < 4 * block + 4; ++x)
                out[x] = mixed(a, b, x);
        }
        for (int x = 4 * wholeBlocks; x < result.width(); ++x)
            out[x] = mixed(a, b, x);
    }
    return result;
}

// Any other chart halved in 32-bit colour, each pixel the average of the four under it.
QImage halvedColour(const QImage& image) {
    const int width = (image.width() + 1) / 2, height = (image.height() + 1) / 2;
    QImage result(width, height, QImage::Format_RGB32);
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(source.constScanLine(2 * y));
        const auto* b = reinterpret_cast<const QRgb*>(
            source.constScanLine(std::min(2 * y + 1, source.height() - 1)));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int x0 = 2 * x, x1 = std::min(2 * x + 1, source.width() - 1);
            const QRgb p[] = {a[x0], a[x1], b[x0], b[x1]};
            int r = 0, g = 0, bl = 0;
            for (const QRgb c : p) {
                r += qRed(c);
                g += qGreen(c);
                bl += qBlue(c);
            }
            out[x] = qRgb(r / 4, g / 4, bl / 4);
        }
    }
    return result;
}

} // namespace

QImage halved(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return halvedMono(image);
    case QImage::Format_Indexed8:
        return halvedIndexed(image);
    default:
        return halvedColour(image);
    }
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
                    image.height() * span * charts_[i].piece.rows.scale * scale),
             {}});
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

void QuiltPicture::paint(QPainter& painter, const QRect& area, PaletteChoice palette) const {
    const bool covered = std::any_of(placed_.begin(), placed_.end(), [&](const Placed& p) {
        return p.view.contains(QRectF(area));
    });
    if (!covered)
        painter.fillRect(area, QColor::fromRgb(chartColour(palette, noChart.rgb())));
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
        drawImagePart(painter, target, p.shown.of(*p.image, palette), source);
        painter.restore();
    }
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
