#include "charts/Vimomapb.h"

#include "charts/Vimomapa.h"

#include <QEvent>

namespace brisomar {

TMapB::TMapB(UiContext& context, QWidget* parent)
    : ProgramWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                                Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Brisomar-Chart-Detail"));
    setHelpContext(context_.help, helpContext);
    view_ = new SurfaceView(this);
    resize(246, 188);
}

void TMapB::PaintDetail() {
    const TMapA* mapA = context_.windows.mapA;
    if (!mapA || mapA->chartBitmap().width() < 2 || mapA->chartBitmap().height() < 2)
        return;
    context_.program.chart.DetailTrack.TrackRestart = true;
    const PixelRect& r = context_.program.chart.DetailRect;
    const QRect area(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    QImage part = mapA->chartBitmap().copy(area).convertToFormat(QImage::Format_RGB32);
    if (part.isNull()) {
        part = QImage(size(), QImage::Format_RGB32);
        part.fill(Qt::white);
    }
    enlarged_ = QtPixels(part.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    picture_.reset(&enlarged_);
    picture_.takeChangedRegion();
    view_->setSurface(&picture_, &enlarged_);
}

void TMapB::positionStep() {
    ChartState& chart = context_.program.chart;
    detailPositionStep(picture_, chart, context_.program.nav, chart.DetailTrack,
                       context_.program.chartSettings);
    view_->showChanges(picture_);
}

void TMapB::trackStep() {
    ChartState& chart = context_.program.chart;
    detailTrackStep(picture_, chart, context_.program.nav, chart.DetailTrack,
                    context_.program.chartSettings);
    view_->showChanges(picture_);
}

void TMapB::erasePosition() {
    context_.program.chart.DetailTrack.erasePosition(picture_);
    view_->showChanges(picture_);
}

void TMapB::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PositionMark& mark = context_.program.chart.DetailTrack.mark;
    mark.MarkSize = context_.program.chartSettings.PosSize;
    mark.MarkWidth = context_.program.chartSettings.PosWidth;
}

void TMapB::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    context_.program.nav.PosOutsideDetailChart = false;
    PaintDetail();
}

void TMapB::FormActivate() {
    context_.program.nav.PosOutsideDetailChart = false;
    PaintDetail();
}

// Closing hides the window.
void TMapB::hideEvent(QHideEvent* event) {
    context_.program.nav.PosOutsideDetailChart = false;
    QWidget::hideEvent(event);
}

} // namespace brisomar
