#pragma once

#include "base/palette.h"
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

// Reads a chart bitmap in the compact form the reader gives; nothing when it cannot be read,
// and nothing allocated when its headers say it is no chart (see chartBitmapShape).
std::optional<QImage> readChartImage(const QString& path);

// The whole of `image` reduced to `size` (see ReducedPicture), converted a part of a row at a
// time so that no full-colour copy of the whole is ever made.
QImage reducedImage(const QImage& image, QSize size);

// `image` as `palette` shows it: by day the image itself; else a copy, its colour table (or its
// pixels, for a bitmap without one) recoloured by applyChartPalette.
QImage paletteImage(const QImage& image, PaletteChoice palette);

// The part `area` of a surface as it looks: base pixels with the drawings over them, these shown
// in `palette` (the base is shown as given).
QImage renderSurface(const ChartSurface& surface, const QImage& base, const QRect& area,
                     PaletteChoice palette = PaletteChoice::Day);

// A widget showing a surface at its natural size in the palette the windows are shown in,
// repainting only what changed. The base is recoloured once for each palette and each base,
// never at a paint.
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
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit mousePressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit mouseMoved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit mouseReleased(event); }

private:
    const ChartSurface* surface_ = nullptr;
    const QImage* base_ = nullptr;
    PaletteChoice palette_ = PaletteChoice::Day;
    QImage shownBase_; // the base in the palette
};

} // namespace brisomar
