#include "charts/qt_chart_image.h"

#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

namespace brisomar {

Rgb QtPixels::pixel(int x, int y) const {
    const QRgb c = image_.pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
            static_cast<std::uint8_t>(qBlue(c))};
}

std::optional<QImage> readChartImage(const QString& path) {
    // A chart file under the size limit can decode far larger than Qt's default allows
    // (a 1-bit bitmap of 19 MB holds 150 million pixels).
    constexpr int allocationLimitMb = 2048;
    if (QImageReader::allocationLimit() < allocationLimitMb)
        QImageReader::setAllocationLimit(allocationLimitMb);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

QImage renderSurface(const ChartSurface& surface, const QImage& base, const QRect& area) {
    QImage part = base.copy(area).convertToFormat(QImage::Format_RGB32);
    const PixelRect drawn{area.left(), area.top(), area.right(), area.bottom()};
    surface.forEachDrawn(drawn, [&](int x, int y, Rgb c) {
        part.setPixel(x - area.left(), y - area.top(), qRgb(c.r, c.g, c.b));
    });
    return part;
}

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setSurface(const ChartSurface* surface, const QImage* base) {
    surface_ = surface;
    base_ = base;
    setFixedSize(base ? base->size() : QSize());
    update();
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
        const QRect inside = area.intersected(base_->rect());
        if (!inside.isEmpty())
            painter.drawImage(inside.topLeft(), renderSurface(*surface_, *base_, inside));
    }
}

} // namespace brisomar
