#pragma once

#include "base/palette.h"
#include "charts/chart_surface.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <optional>

namespace brisomar {

// `image` as `palette` shows it: by day the image itself; else a copy, its colour table (or its
// pixels, for a bitmap without one) recoloured by applyChartPalette.
QImage paletteImage(const QImage& image, PaletteChoice palette);

// An image as a palette shows it, recoloured once for each palette and each image, never at a
// paint; by day the image itself.
class PaletteCopy {
public:
    const QImage& of(const QImage& image, PaletteChoice palette) const;

private:
    mutable QImage shown_;
    mutable PaletteChoice palette_ = PaletteChoice::Day;
    mutable qint64 source_ = 0; // the cache key of the image recoloured
};

// A picture the chart views paint: its pixels one by one, and a part of it at once.
class PaintedSource : public PixelSource {
public:
    // Paints the part `area` of the picture where it lies in the painter's coordinates, as
    // pixel() gives it, in `palette`.
    virtual void paint(QPainter& painter, const QRect& area, PaletteChoice palette) const = 0;
};

// A chart bitmap as loaded, in the compact form the reader gives (1-bit charts stay 1-bit).
class QtPixels : public PaintedSource {
public:
    QtPixels() = default;
    explicit QtPixels(QImage image) : image_(std::move(image)) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    Rgb pixel(int x, int y) const override;
    void paint(QPainter& painter, const QRect& area, PaletteChoice palette) const override;
    const QImage& image() const { return image_; }

private:
    QImage image_;
    PaletteCopy shown_;
};

// Reads a chart bitmap in the compact form the reader gives; nothing when it cannot be read,
// and nothing allocated when its headers say it is no chart (see chartBitmapShape).
std::optional<QImage> readChartImage(const QString& path);

// The whole of `image` reduced to `size` (see ReducedPicture), converted a part of a row at a
// time so that no full-colour copy of the whole is ever made.
QImage reducedImage(const QImage& image, QSize size);

// Paints the part `area` of a surface as it looks in `palette`: base pixels with the drawings
// over them.
void paintSurface(QPainter& painter, const ChartSurface& surface, const PaintedSource& base,
                  const QRect& area, PaletteChoice palette = PaletteChoice::Day);

// Draws the part `source` of `image` into `target` (scaled when the sizes differ) without
// converting more of it than that part.
void drawImagePart(QPainter& painter, const QRectF& target, const QImage& image,
                   const QRect& source);

// A widget showing a surface at its natural size in the palette the windows are shown in,
// repainting only what changed. The base is recoloured once for each palette and each base,
// never at a paint.
class SurfaceView : public QWidget {
    Q_OBJECT

public:
    explicit SurfaceView(QWidget* parent);

    void setSurface(const ChartSurface* surface, const PaintedSource* base);
    // Repaints the pixels changed since the last call.
    void showChanges(ChartSurface& surface);

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit mousePressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit mouseMoved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit mouseReleased(event); }

private:
    const ChartSurface* surface_ = nullptr;
    const PaintedSource* base_ = nullptr;
    PaletteChoice palette_ = PaletteChoice::Day;
};

} // namespace brisomar
