#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"
#include "charts/ais_marks.h"
#include "charts/chart_marks.h"
#include "charts/chart_mode.h"
#include "charts/chart_printer.h"
#include "charts/mouse_tools.h"
#include "charts/qt_chart_image.h"
#include "charts/qt_chart_quilt.h"

#include <QMainWindow>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QTimer;

namespace brisomar {

class AccumulatorDlg;

// The chart window: the chart bitmap with the charts around it as one, enlarged or reduced by
// the zoom, scrolling, with the boat's blinking cross or its track, the waypoints or a stretch of
// the log drawn on it. Its timer follows the position in use whether or not the window is on
// screen.
class TMapA : public ProgramWindow<QMainWindow>, private ChartToolWindows {
    Q_OBJECT

public:
    static constexpr int helpContext = 3;

    explicit TMapA(UiContext& context, QWidget* parent = nullptr);

    void Timer1Timer();
    void LoadChart();
    void FitChartWindow();

    // The chart as loaded (never drawn on) and the picture shown, with what is drawn on it.
    const QImage& chartBitmap() const { return chartBitmap_.image(); }
    ChartSurface& picture() { return picture_; }
    QImage clientImage() const; // the visible part of the window, as the sailor sees it
    // Scrolls the chart so that the position is in the middle of the view and shows the window;
    // the view then stays where it is as after the sailor's own scrolling. False off the chart.
    bool centreOn(GeoPoint position);
    // The AIS targets drawn on the chart; a click on one shows its details.
    const AisOverlay& aisMarks() const { return aisMarks_; }
    SurfaceView* Image1 = nullptr;

    QTimer* Timer1 = nullptr;
    QAction* Loadfromdatabase1 = nullptr;
    QAction* ImportChart1 = nullptr;
    QAction* Reload1 = nullptr;
    QAction* SaveAsBmp1 = nullptr;
    QAction* Copytoclipboard1 = nullptr;
    QAction* Printoverview1 = nullptr;
    QAction* Printsetup1 = nullptr;
    QAction* CloseMap1 = nullptr;
    QAction* Showposition1 = nullptr;
    QAction* ShowTrack1 = nullptr;
    QAction* SetWaypoints1 = nullptr;
    QAction* Showwaypoints1 = nullptr;
    QAction* Searchoptimum1 = nullptr;
    QAction* LogFile1 = nullptr;
    QAction* FollowBoat1 = nullptr;
    QAction* ZoomIn1 = nullptr;
    QAction* ZoomOut1 = nullptr;
    QAction* Zoom1to1 = nullptr;
    QLabel* ScaleLabel = nullptr;
    QAction* Help1 = nullptr;
    // The printer chosen in "Print setup", made on first use: printing is a module of its own,
    // loaded then; null, the sailor told why, when it cannot be.
    ChartPrinter* printer();

    void SaveAsBmp1Click();
    void Copytoclipboard1Click();
    void ImportChart1Click();
    void Printoverview1Click();

    // The chart's mouse tools, on the image's mouse events.
    void Image1MouseDown(QMouseEvent* event);
    void Image1MouseMove(QMouseEvent* event);
    void Image1MouseUp(QMouseEvent* event);

    // Shows the chart at zoom step `step`, the chart pixel under `cursor` (a point of the
    // client area) staying there.
    void zoomTo(int step, QPoint cursor);
    void zoomTo(int step); // around the middle of the client area

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QAction* modeItem(QMenu* menu, const QString& caption, Qt::Key key, ChartWindowMode mode);
    void modeClicked(ChartWindowMode mode);
    void showModeChecks();
    void freshPicture();
    void showQuilt();
    PixelPoint viewMiddle() const; // of the client area, in view pixels
    void redrawMarks();
    void drawBoatAndRoute();
    void followBoat(const PositionTrack& cross);
    void showPicture();

    QWidget* toolWindow(ToolWindow window) const;
    AccumulatorDlg* accumulatorWindow(ToolWindow window) const;
    bool visible(ToolWindow window) const override;
    void showToolWindow(ToolWindow window) override;
    void hideToolWindow(ToolWindow window) override;
    void showMeasureThis(ToolWindow window, const std::string& text) override;
    void accumulate(ToolWindow window) override;
    void showGeoDir(Real48 course) override;
    void showMousePosition(const std::string& text) override;
    void ShowWaypoint(int n) override;
    void showCruisePoint(const CruisePointFigures& figures) override;
    void information(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    void showDetail() override;
    void eraseDetailPosition() override;

    UiContext& context_;
    QScrollArea* scroll_ = nullptr;
    QtPixels chartBitmap_;
    QuiltCharts quiltCharts_;
    QuiltPicture quilt_;
    ChartSurface picture_;
    ChartMouseTools mouseTools_;
    AisOverlay aisMarks_;
    std::vector<std::pair<QAction*, ChartWindowMode>> modeItems_;
    std::unique_ptr<ChartPrinter> printer_;
    static constexpr double secondsPerDay = 86400;
    double lastHandScroll_ = -1; // date and time value; long before any run
    bool fitting_ = false;
    int wheelAngle_ = 0; // of the wheel turned with Ctrl, short of a zoom step
};

} // namespace brisomar
