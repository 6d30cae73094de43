#include "charts/qt_chart_image.h"

#include "base/qt_palette.h"
#include "charts/chart_bitmap.h"

#include <QFile>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <span>
#include <vector>

namespace brisomar {

namespace {

Rgb toRgb(QRgb c) {
    return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
            static_cast<std::uint8_t>(qBlue(c))};
}

// The image reader counts four bytes a pixel against its allocation limit, whatever the image
// decodes to: a 1-bit chart of 19 MB would count as 600 MB. While it lives, the limit lets
// through the chart of `shape`, whose headers have been checked, and nothing larger.
class ReaderLimit {
public:
    explicit ReaderLimit(const ChartBitmapShape& shape)
        : previous_(QImageReader::allocationLimit()) {
        const qint64 counted = qint64{shape.width} * shape.height * 4;
        QImageReader::setAllocationLimit(static_cast<int>(counted >> 20) + 1);
    }
    ~ReaderLimit() { QImageReader::setAllocationLimit(previous_); }
    ReaderLimit(const ReaderLimit&) = delete;
    ReaderLimit& operator=(const ReaderLimit&) = delete;

private:
    int previous_;
};

} // namespace

Rgb QtPixels::pixel(int x, int y) const {
    return toRgb(image_.pixel(x, y));
}

void QtPixels::paint(QPainter& painter, const QRect& area, PaletteChoice palette) const {
    drawImagePart(painter, area, shown_.of(image_, palette), area);
}

// A picture of fewer than 8 bits a pixel is drawn from a copy of the part: the painter would
// convert it whole.
void drawImagePart(QPainter& painter, const QRectF& target, const QImage& image,
                   const QRect& source) {
    if (image.depth() < 8)
        painter.drawImage(target, image.copy(source));
    else
        painter.drawImage(target, image, source);
}

std::optional<QImage> readChartImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.peek(static_cast<qint64>(chartHeadBytes));
    const std::span<const std::uint8_t> headBytes(
        reinterpret_cast<const std::uint8_t*>(head.constData()),
        static_cast<std::size_t>(head.size()));
    const auto shape = chartBitmapShape(headBytes, static_cast<std::uintmax_t>(file.size()));
    if (!shape)
        return std::nullopt;
    // The file checked is the file decoded, as a bitmap whatever its contents look like.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    const ReaderLimit limit(*shape);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

QImage reducedImage(const QImage& image, QSize size) {
    constexpr int partWidth = 4096;
    ReducedPicture reduced(image.width(), image.height(), size.width(), size.height());
    std::vector<Rgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); x += partWidth) {
            const QImage part = image.copy(x, y, std::min(partWidth, image.width() - x), 1)
                                    .convertToFormat(QImage::Format_RGB32);
            const auto* row = reinterpret_cast<const QRgb*>(part.constScanLine(0));
            pixels.resize(static_cast<std::size_t>(part.width()));
            for (std::size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = toRgb(row[i]);
            reduced.add(x, y, pixels);
        }
    QImage result(reduced.width(), reduced.height(), QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            const Rgb c = reduced.pixel(x, y);
            result.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    return result;
}

QImage paletteImage(const QImage& image, PaletteChoice palette) {
    if (palette == PaletteChoice::Day || image.isNull())
        return image;
    QImage shown = image;
    if (shown.colorCount() > 0) {
        QList<QRgb> table = shown.colorTable();
        applyChartPalette(palette, std::span<std::uint32_t>(table.data(), table.size()));
        shown.setColorTable(table);
        return shown;
    }
    shown = shown.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y)
        applyChartPalette(palette,
                          std::span<std::uint32_t>(reinterpret_cast<QRgb*>(shown.scanLine(y)),
                                                   static_cast<std::size_t>(shown.width())));
    return shown;
}

const QImage& PaletteCopy::of(const QImage& image, PaletteChoice palette) const {
    if (palette == PaletteChoice::Day)
        return image;
    if (palette != palette_ || image.cacheKey() != source_) {
        shown_ = paletteImage(image, palette);
        palette_ = palette;
        source_ = image.cacheKey();
    }
    return shown_;
}

void paintSurface(QPainter& painter, const ChartSurface& surface, const PaintedSource& base,
                  const QRect& area, PaletteChoice palette) {
    base.paint(painter, area, palette);
    // The drawings are few pixels (marks, lines): each colour's points at once.
    std::vector<std::pair<Rgb, std::vector<QPoint>>> drawn;
    surface.forEachDrawn({area.left(), area.top(), area.right(), area.bottom()},
                         [&](int x, int y, Rgb c) {
                             if (drawn.empty() || !(drawn.back().first == c))
                                 drawn.push_back({c, {}});
                             drawn.back().second.emplace_back(x, y);
                         });
    for (const auto& [c, points] : drawn) {
        painter.setPen(QColor::fromRgb(chartColour(palette, qRgb(c.r, c.g, c.b))));
        painter.drawPoints(points.data(), static_cast<int>(points.size()));
    }
}

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent), palette_(shownPalette()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setSurface(const ChartSurface* surface, const PaintedSource* base) {
    surface_ = surface;
    base_ = base;
    setFixedSize(base ? QSize(base->width(), base->height()) : QSize());
    update();
}

void SurfaceView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    const bool paletteChange =
        event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange;
    if (paletteChange && shownPalette() != palette_) {
        palette_ = shownPalette();
        update();
    }
}

void SurfaceView::showChanges(ChartSurface& surface) {
    const PixelRect r = surface.takeChangedRegion();
    if (r.Right >= r.Left)
        update(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)));
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!surface_ || !base_) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    for (const QRect& area : event->region()) {
        const QRect inside = area.intersected(QRect(0, 0, base_->width(), base_->height()));
        if (!inside.isEmpty())
            paintSurface(painter, *surface_, *base_, inside, palette_);
    }
}

} // namespace brisomar
