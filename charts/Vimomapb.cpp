#include "charts/Vimomapb.h"

#include "ais/ais_targets.h"
#include "base/qt_palette.h"
#include "charts/Vimomapa.h"
#include "charts/chart_geometry.h"

#include <QEvent>
#include <QLabel>

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
    showAisNames();
}

void TMapB::trackStep() {
    ChartState& chart = context_.program.chart;
    detailTrackStep(picture_, chart, context_.program.nav, chart.DetailTrack,
                    context_.program.chartSettings);
    view_->showChanges(picture_);
    showAisNames();
}

// A target's place in the window is its pixel on the chart, scaled as the detail region is.
void TMapB::showAisNames() {
    ChartState& chart = context_.program.chart;
    const PixelRect& r = chart.DetailRect;
    std::size_t shown = 0;
    context_.program.aisTargets.forEach([&](const AisTarget& t) {
        if (shown == maxAisNames || !t.position || r.Right <= r.Left || r.Bottom <= r.Top ||
            !onChartInUse(chart, t.position->lat, t.position->lon))
            return;
        const int x = LonToChartX(chart, t.position->lon), y = LatToChartY(chart, t.position->lat);
        if (x < r.Left || x > r.Right || y < r.Top || y > r.Bottom)
            return;
        if (shown == aisNames_.size()) {
            aisNames_.push_back(new QLabel(view_));
            aisNames_.back()->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        QLabel* name = aisNames_[shown++];
        name->setText(QString::fromStdString(t.label()));
        QPalette palette = name->palette();
        palette.setColor(QPalette::WindowText, shownColour(t.raisesAlarm() ? Qt::red
                                                           : t.lost        ? Qt::gray
                                                                           : Qt::darkGreen,
                                                           QPalette::WindowText));
        name->setPalette(palette);
        name->adjustSize();
        name->move((x - r.Left) * view_->width() / (r.Right - r.Left) + 6,
                   (y - r.Top) * view_->height() / (r.Bottom - r.Top) - name->height() / 2);
        name->show();
    });
    for (std::size_t i = shown; i < aisNames_.size(); ++i)
        aisNames_[i]->hide();
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
