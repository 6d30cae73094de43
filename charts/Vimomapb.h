#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"
#include "charts/chart_marks.h"
#include "charts/qt_chart_image.h"

#include <QWidget>

#include <vector>

class QLabel;

namespace brisomar {

// The detail window: a part of the chart enlarged to the window, with its own cross or track
// driven by the chart window's timer. It reports when the position cannot be drawn in it.
class TMapB : public ProgramWindow<QWidget> {
    Q_OBJECT

public:
    static constexpr int helpContext = 3;

    explicit TMapB(UiContext& context, QWidget* parent = nullptr);

    // Activating the window redraws it and clears the report of a position outside it.
    void FormActivate() override;

    // Copies the detail rectangle of the clean chart onto the whole window.
    void PaintDetail();
    // The chart window's timer calls these right after its own steps.
    void positionStep();
    void trackStep();
    void erasePosition();
    // The names of the AIS targets within the window, beside their places; the picture itself is
    // left as it is.
    void showAisNames();
    static constexpr std::size_t maxAisNames = 40;

    ChartSurface& picture() { return picture_; }
    SurfaceView* view() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    UiContext& context_;
    SurfaceView* view_ = nullptr;
    QtPixels enlarged_;
    ChartSurface picture_;
    std::vector<QLabel*> aisNames_;
};

} // namespace brisomar
