#pragma once

#include "charts/chart_surface.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace brisomar {

// A chart bitmap as loaded, in the compact form the reader gives (1-bit charts stay 1-bit).
class QtPixels : public PixelSource {
public:
    QtPixels() = default;
    explicit QtPixels(QImage image) : image_(std::move(image)) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    Rgb pixel(int x, int y) const override;
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// Reads a chart bitmap of any size the program accepts; nothing when it cannot be read.
std::optional<QImage> readChartImage(const QString& path);

// The part `area` of a surface as it looks: base pixels with the drawings over them.
QImage renderSurface(const ChartSurface& surface, const QImage& base, const QRect& area);

// A widget showing a surface at its natural size, repainting only what changed.
class SurfaceView : public QWidget {
    Q_OBJECT

public:
    explicit SurfaceView(QWidget* parent);

    void setSurface(const ChartSurface* surface, const QImage* base);
    // Repaints the pixels changed since the last call.
    void showChanges(ChartSurface& surface);

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit mousePressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit mouseMoved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit mouseReleased(event); }

private:
    const ChartSurface* surface_ = nullptr;
    const QImage* base_ = nullptr;
};

} // namespace brisomar
