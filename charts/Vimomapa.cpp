#include "charts/Vimomapa.h"

#include "ais/Vimoais.h"
#include "base/beeper.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/qt_files.h"
#include "base/qt_text.h"
#include "base/stored_pictures.h"
#include "charts/Vimomapb.h"
#include "charts/Vimosema.h"
#include "charts/chart_geometry.h"
#include "charts/chart_import_menu.h"
#include "navcalc/Vimoavst.h"
#include "navcalc/Vimodist.h"
#include "navcalc/Vimoopt.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"
#include "records/Vimowayp.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace brisomar {

namespace {

constexpr int initialTimerMs = 1000;

void showOnTop(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
}

void hideWindow(QWidget* window) {
    if (window)
        window->hide();
}

bool shown(const QWidget* window) {
    return window && window->isVisible();
}

} // namespace

TMapA::TMapA(UiContext& context, QWidget* parent)
    : ProgramWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      context_(context), chartBitmap_(storedPicture(placeholderPicturePath)),
      mouseTools_({context.program.chart, context.program.route, context.program.tools,
                   context.program.sailing, context.program.boatTables, context.program.nav,
                   picture_, *this, systemDecimalSeparator()}) {
    setWindowTitle(QStringLiteral("Brisomar-Chart-OverView"));
    setHelpContext(context_.help, helpContext);
    context_.windows.centreChartOn = [this](const GeoPoint& position) { centreOn(position); };
    resize(390, 307);
    scroll_ = new QScrollArea(this);
    scroll_->horizontalScrollBar()->setSingleStep(38);
    scroll_->verticalScrollBar()->setSingleStep(28);
    scroll_->setFrameShape(QFrame::NoFrame);
    for (QScrollBar* bar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this] { lastHandScroll_ = dateTimeValue(context_.clock.now()); });
    Image1 = new SurfaceView(scroll_);
    Image1->setCursor(Qt::UpArrowCursor);
    Image1->setEnabled(false);
    scroll_->setWidget(Image1);
    connect(Image1, &SurfaceView::mousePressed, this, &TMapA::Image1MouseDown);
    connect(Image1, &SurfaceView::mouseMoved, this, &TMapA::Image1MouseMove);
    connect(Image1, &SurfaceView::mouseReleased, this, &TMapA::Image1MouseUp);
    Image1->setMouseTracking(true);
    setCentralWidget(scroll_);
    scroll_->viewport()->installEventFilter(this);
    ScaleLabel = new QLabel(QStringLiteral("1:1"), this);
    ScaleLabel->setContentsMargins(4, 0, 4, 0);
    statusBar()->addPermanentWidget(ScaleLabel);
    statusBar()->setSizeGripEnabled(false);
    picture_.reset(&chartBitmap_);
    Image1->setSurface(&picture_, &chartBitmap_);
    buildMenu();

    Timer1 = new QTimer(this);
    Timer1->setInterval(initialTimerMs);
    connect(Timer1, &QTimer::timeout, this, &TMapA::Timer1Timer);
    Timer1->start();
}

void TMapA::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    Loadfromdatabase1 = file->addAction(QStringLiteral("Select chart from map-file"), this, [this] {
        showModal(context_.windows.semaDlg);
        LoadChart();
    });
    Loadfromdatabase1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    ImportChart1 =
        file->addAction(QStringLiteral("Import chart…"), this, &TMapA::ImportChart1Click);
    Reload1 = file->addAction(QStringLiteral("Reload"), this, &TMapA::LoadChart);
    Reload1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    SaveAsBmp1 =
        file->addAction(QStringLiteral("Save client  (BMP)"), this, &TMapA::SaveAsBmp1Click);
    Copytoclipboard1 =
        file->addAction(QStringLiteral("Copy to clipboard"), this, &TMapA::Copytoclipboard1Click);
    Printoverview1 =
        file->addAction(QStringLiteral("Print client"), this, &TMapA::Printoverview1Click);
    Printsetup1 = file->addAction(QStringLiteral("Print setup"), this, [this] {
        if (ChartPrinter* chosen = printer())
            chosen->setup(this);
    });
    CloseMap1 = file->addAction(QStringLiteral("Close chart"), this, [this] {
        hideWindow(context_.windows.waypDlg);
        hideWindow(context_.windows.seekOptDlg);
        hideWindow(context_.windows.optDlg);
        close();
    });
    CloseMap1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));

    QMenu* mode = bar->addMenu(QStringLiteral("&Mode"));
    Showposition1 =
        modeItem(mode, QStringLiteral("Show position"), Qt::Key_P, ChartWindowMode::ShowPosition);
    ShowTrack1 =
        modeItem(mode, QStringLiteral("Show track"), Qt::Key_T, ChartWindowMode::ShowTrack);
    SetWaypoints1 =
        modeItem(mode, QStringLiteral("Set waypoints"), Qt::Key_W, ChartWindowMode::SetWaypoints);
    Showwaypoints1 =
        modeItem(mode, QStringLiteral("Show waypoints"), Qt::Key_V, ChartWindowMode::ShowWaypoints);
    Searchoptimum1 =
        modeItem(mode, QStringLiteral("Search optimum"), Qt::Key_O, ChartWindowMode::SearchOptimum);
    LogFile1 =
        modeItem(mode, QStringLiteral("Show log-file"), Qt::Key_L, ChartWindowMode::ShowLogFile);
    showModeChecks();
    mode->addSeparator();
    FollowBoat1 = mode->addAction(QStringLiteral("Follow boat"));
    FollowBoat1->setCheckable(true);
    FollowBoat1->setChecked(context_.program.chart.FollowBoat);
    connect(FollowBoat1, &QAction::toggled, this,
            [this](bool on) { context_.program.chart.FollowBoat = on; });

    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    ZoomIn1 = zoom->addAction(QStringLiteral("Zoom in"), this,
                              [this] { zoomTo(context_.program.chart.Zoom.step + 1); });
    ZoomIn1->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(QKeySequence::ZoomIn)});
    ZoomOut1 = zoom->addAction(QStringLiteral("Zoom out"), this,
                               [this] { zoomTo(context_.program.chart.Zoom.step - 1); });
    ZoomOut1->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence(QKeySequence::ZoomOut)});
    Zoom1to1 = zoom->addAction(QStringLiteral("Zoom 1:1"), this, [this] { zoomTo(0); });

    QMenu* show = bar->addMenu(QStringLiteral("&Show"));
    const struct {
        const char* caption;
        Qt::Key key;
        std::function<QWidget*()> window;
    } tools[] = {{"Distance (drag)", Qt::Key_D, [this] { return context_.windows.avstDlg; }},
                 {"Distance (points)", Qt::Key_I, [this] { return context_.windows.distDlg; }},
                 {"Evaluate/modify data", Qt::Key_E, [this] { return context_.windows.optDlg; }},
                 {"Position (drag)", Qt::Key_N, [this] { return context_.windows.posiDlg; }},
                 {"Sail Time (drag)", Qt::Key_S, [this] { return context_.windows.sailTimeDlg; }}};
    for (const auto& tool : tools) {
        QAction* item = show->addAction(QString::fromLatin1(tool.caption), this,
                                        [window = tool.window] { showOnTop(window()); });
        item->setShortcut(QKeySequence(Qt::CTRL | tool.key));
    }
    Help1 = bar->addAction(QStringLiteral("&Help"), this, [this] { showHelp(); });
}

QAction* TMapA::modeItem(QMenu* menu, const QString& caption, Qt::Key key, ChartWindowMode mode) {
    QAction* item = menu->addAction(caption);
    item->setCheckable(true);
    item->setShortcut(QKeySequence(Qt::CTRL | key));
    connect(item, &QAction::triggered, this, [this, mode] { modeClicked(mode); });
    modeItems_.emplace_back(item, mode);
    return item;
}

void TMapA::modeClicked(ChartWindowMode mode) {
    switchChartMode({context_.program.chart, picture_, context_.program.route,
                     context_.program.logbook, context_.files, *this},
                    mode);
    showModeChecks();
    showPicture();
}

// Exactly the item of the mode is checked; none while there is no mode.
void TMapA::showModeChecks() {
    for (const auto& [item, mode] : modeItems_)
        item->setChecked(mode == context_.program.chart.ChartMode);
}

// The route and the blinking cross are drawn in every mode (the cross over the track in show
// track), so the route, the track and the boat are seen together.
void TMapA::Timer1Timer() {
    ChartState& chart = context_.program.chart;
    if (chart.ReloadRequest) {
        LoadChart();
        chart.ReloadRequest = false;
    }
    TMapB* mapB = context_.windows.mapB;
    if (chart.ChartUsable) {
        if (chart.ChartDrawEnabled)
            mouseTools_.drawUnderDragFigures([this] { drawBoatAndRoute(); });
        showPicture();
    } else {
        hideWindow(mapB);
    }
    if (Timer1->interval() != context_.program.chartSettings.PositionTimerMs)
        Timer1->setInterval(context_.program.chartSettings.PositionTimerMs);
}

void TMapA::drawBoatAndRoute() {
    ChartState& chart = context_.program.chart;
    NavState& nav = context_.program.nav;
    ChartSettings& settings = context_.program.chartSettings;
    TMapB* mapB = context_.windows.mapB;
    const bool showPosition = chart.ChartMode == ChartWindowMode::ShowPosition;
    PositionTrack& cross = showPosition ? chart.ChartTrack : chart.ChartCross;
    updateRouteOverlay(picture_, chart, context_.program.route, nav, cross);
    aisMarks_.update(picture_, chart, context_.program.aisTargets, cross);
    if (showPosition) {
        DrawPosition(picture_, chart, nav, chart.ChartTrack, settings);
        if (shown(mapB))
            mapB->positionStep();
    } else {
        if (chart.ChartMode == ChartWindowMode::ShowTrack) {
            drawUnderCross(picture_, chart.ChartCross,
                           [&] { DrawTrack(picture_, chart, nav, chart.ChartTrack, settings); });
            if (shown(mapB))
                mapB->trackStep();
        }
        DrawPosition(picture_, chart, nav, chart.ChartCross, settings);
    }
    followBoat(cross);
}

// Brings the cross back to the middle of the view when it has left it.
void TMapA::followBoat(const PositionTrack& cross) {
    if (!cross.hasLast())
        return;
    QScrollBar* across = scroll_->horizontalScrollBar();
    QScrollBar* down = scroll_->verticalScrollBar();
    const QSize view = scroll_->viewport()->size();
    const PixelRect visible{across->value(), down->value(), across->value() + view.width() - 1,
                            down->value() + view.height() - 1};
    const double sinceHandScroll =
        (dateTimeValue(context_.clock.now()) - lastHandScroll_) * secondsPerDay;
    if (const auto corner =
            followBoatCorner(context_.program.chart.FollowBoat, visible, {cross.LastX, cross.LastY},
                             picture_.width(), picture_.height(), sinceHandScroll)) {
        across->setValue(corner->x);
        down->setValue(corner->y);
    }
}

// A bitmap that cannot be read beeps and makes the chart unusable; the notice then asks for
// another.
void TMapA::LoadChart() {
    ChartState& chart = context_.program.chart;
    const std::vector<QuiltPiece> before = chart.Quilt;
    const ChartZoom zoomBefore = chart.Zoom;
    const PixelPoint middle = viewMiddle();
    hideWindow(context_.windows.mapB);
    if (chart.ChartUsable) {
        if (auto copies = quiltCharts_.copies(chart.ChartFileName)) {
            chartBitmap_ = QtPixels(copies->chart());
            chart.ChartSize = {chartBitmap_.width(), chartBitmap_.height()};
            quilt_.setCharts(quiltCharts_.load(chart, context_.files, std::move(copies)));
            // The cross's saved pixels belong to the previous picture: start it afresh.
            chart.ChartTrack.LastX = chart.ChartTrack.LastY = 0;
        } else {
            context_.beeper.asteriskBeep();
            chart.ChartUsable = false;
        }
    }
    if (!chart.ChartUsable)
        chart.Quilt.clear();
    Image1->setEnabled(chart.ChartUsable);
    FitChartWindow();
    if (chart.ChartUsable) {
        // The same spot in the middle, else the chart's top-left corner at the view's.
        const QSize client = scroll_->viewport()->size();
        const auto spot = sameSpot(before, zoomBefore, middle, chart.MapIndex, chart.Zoom);
        const PixelPoint corner =
            spot ? PixelPoint{spot->x - client.width() / 2, spot->y - client.height() / 2}
                 : chart.Zoom.toView({0, 0});
        scroll_->horizontalScrollBar()->setValue(corner.x);
        scroll_->verticalScrollBar()->setValue(corner.y);
    }
}

PixelPoint TMapA::viewMiddle() const {
    const QSize client = scroll_->viewport()->size();
    return {scroll_->horizontalScrollBar()->value() + client.width() / 2,
            scroll_->verticalScrollBar()->value() + client.height() / 2};
}

// The window never grows to the chart; at 1:1 a chart smaller than it shrinks it.
void TMapA::FitChartWindow() {
    if (chartBitmap().width() < 2 || chartBitmap().height() < 2)
        return;
    freshPicture();
    // Neither the window's own shrinking nor a window not shown yet has its client laid out;
    // zoomed, the window keeps the size the sailor gave it.
    if (fitting_ || !isVisible() || context_.program.chart.Zoom.step != 0)
        return;
    const QSize client = scroll_->maximumViewportSize(); // without the scroll bars
    const QSize shrink(std::max(0, client.width() - picture_.width()),
                       std::max(0, client.height() - picture_.height()));
    if (shrink.width() > 0 || shrink.height() > 0) {
        fitting_ = true;
        resize(size() - shrink);
        fitting_ = false;
    }
}

// A usable chart is shown with the charts around it at the zoom, anything else as it is.
void TMapA::showQuilt() {
    ChartState& chart = context_.program.chart;
    const PaintedSource* base = &chartBitmap_;
    QString scale = QStringLiteral("1:1");
    if (chart.ChartUsable && !quilt_.charts().empty()) {
        chart.Zoom = quilt_.show(chart.Zoom.step);
        chart.Quilt.clear();
        for (const QuiltPicture::Chart& c : quilt_.charts())
            chart.Quilt.push_back(c.piece);
        base = &quilt_;
        scale = toQString(chart.Zoom.scaleText());
    }
    picture_.reset(base);
    Image1->setSurface(&picture_, base);
    ScaleLabel->setText(scale);
}

void TMapA::freshPicture() {
    showQuilt();
    picture_.takeChangedRegion();
    ChartState& chart = context_.program.chart;
    chart.ChartTrack.TrackRestart = true;
    chart.ChartTrack.kept.clear();
    // A fresh picture holds no route and no cross of the other modes.
    chart.Route.forget();
    aisMarks_.forget();
    chart.ChartCross.LastX = chart.ChartCross.LastY = 0;
}

void TMapA::zoomTo(int step) {
    const QSize client = scroll_->viewport()->size();
    zoomTo(step, {client.width() / 2, client.height() / 2});
}

void TMapA::zoomTo(int step, QPoint cursor) {
    ChartState& chart = context_.program.chart;
    step = std::clamp(step, ChartZoom::minStep, ChartZoom::maxStep);
    if (step == chart.Zoom.step)
        return;
    const ChartZoom from = chart.Zoom;
    chart.Zoom.step = step;
    if (!chart.ChartUsable)
        return; // for the next chart
    QScrollBar* across = scroll_->horizontalScrollBar();
    QScrollBar* down = scroll_->verticalScrollBar();
    const PixelPoint scroll{across->value(), down->value()};
    mouseTools_.forgetDrags();
    showQuilt();
    redrawMarks();
    const PixelPoint corner = scrollKeeping(scroll, {cursor.x(), cursor.y()}, from, chart.Zoom);
    across->setValue(corner.x);
    down->setValue(corner.y);
    showPicture();
}

// On the picture at another zoom: the track, what the mode showed, the route and the cross.
void TMapA::redrawMarks() {
    ChartState& chart = context_.program.chart;
    chart.Route.forget();
    chart.ChartCross.LastX = chart.ChartCross.LastY = 0;
    redrawTrack(picture_, chart, chart.ChartTrack, context_.program.chartSettings);
    if (chart.ChartMode != ChartWindowMode::ShowTrack) // show position's cross starts afresh
        chart.ChartTrack.LastX = chart.ChartTrack.LastY = 0;
    if (chart.ChartMode == ChartWindowMode::ShowWaypoints)
        drawWaypointsMostlyOutside(picture_, chart, context_.program.route);
    if (chart.ChartMode == ChartWindowMode::ShowLogFile)
        drawLogPositions(picture_, chart, context_.program.logbook, context_.files);
    drawBoatAndRoute();
}

void TMapA::showPicture() {
    Image1->showChanges(picture_);
}

QImage TMapA::clientImage() const {
    return scroll_->viewport()->grab().toImage();
}

void TMapA::SaveAsBmp1Click() {
    const QImage image = clientImage();
    const auto path = context_.dialogs.saveFileName({QStringLiteral("Save client  (BMP)"),
                                                     QStringLiteral("Bitmaps (*.BMP *.bmp)"),
                                                     QStringLiteral("BMP")},
                                                    true);
    if (!path)
        return;
    std::string error;
    if (!saveBmpFile(context_.files, image, *path, error))
        context_.dialogs.warning(
            QStringLiteral("Cannot save %1: %2").arg(*path, QString::fromStdString(error)));
}

ChartPrinter* TMapA::printer() {
    QString reason;
    if (!printer_)
        printer_ = context_.makers.chartPrinter(reason);
    if (!printer_)
        context_.dialogs.warning(QStringLiteral("Printing is not available: %1").arg(reason));
    return printer_.get();
}

void TMapA::Copytoclipboard1Click() {
    QGuiApplication::clipboard()->setImage(clientImage());
}

// Imported charts are shown in the selection dialog at the first new record.
void TMapA::ImportChart1Click() {
    if (!importChartsFromMenu(context_, this))
        return;
    showModal(context_.windows.semaDlg);
    LoadChart();
}

// The client image scaled to fit the page.
void TMapA::Printoverview1Click() {
    ChartPrinter* chosen = printer();
    QString reason;
    if (chosen && !chosen->print(clientImage(), reason))
        context_.dialogs.warning(QStringLiteral("Printing failed: %1").arg(reason));
}

// Only a real show and a real hide count: the window system's own show and hide events, on
// restoring and minimising this window or the main window with it, leave ChartWindowShown as it
// is. Showing the window keeps the route: it is the sailor's, being sailed and kept.
void TMapA::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    context_.program.chart.ChartWindowShown = true;
    PositionMark& mark = context_.program.chart.ChartTrack.mark;
    mark.MarkSize = context_.program.chartSettings.PosSize;
    mark.MarkWidth = context_.program.chartSettings.PosWidth;
}

void TMapA::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        context_.program.chart.ChartWindowShown = false;
}

void TMapA::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitChartWindow();
}

// Ctrl and the wheel zoom around the mouse, a step a notch.
bool TMapA::eventFilter(QObject* watched, QEvent* event) {
    if (watched != scroll_->viewport() || event->type() != QEvent::Wheel)
        return ProgramWindow::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    constexpr int notch = 120;
    wheelAngle_ += wheel->angleDelta().y();
    const int steps = wheelAngle_ / notch;
    wheelAngle_ %= notch;
    if (steps != 0) {
        // The sailor chose where to look: following the boat waits as after scrolling by hand.
        lastHandScroll_ = dateTimeValue(context_.clock.now());
        zoomTo(context_.program.chart.Zoom.step + steps, wheel->position().toPoint());
    }
    return true;
}

} // namespace brisomar

namespace brisomar {

namespace {

MouseButton toolButton(const QMouseEvent* event) {
    return event->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
}

} // namespace

void TMapA::Image1MouseDown(QMouseEvent* event) {
    mouseTools_.press(toolButton(event), event->position().toPoint().x(),
                      event->position().toPoint().y());
    showPicture();
}

void TMapA::Image1MouseMove(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const ClientArea client{scroll_->horizontalScrollBar()->value(),
                            scroll_->verticalScrollBar()->value(), scroll_->viewport()->width(),
                            scroll_->viewport()->height()};
    mouseTools_.move(at.x(), at.y(), client);
    showPicture();
}

// A click on an AIS target, where a click sets or seeks nothing, shows the target's details.
void TMapA::Image1MouseUp(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    mouseTools_.release(toolButton(event), at.x(), at.y());
    showPicture();
    const ChartWindowMode mode = context_.program.chart.ChartMode;
    if (event->button() != Qt::LeftButton || mode == ChartWindowMode::SetWaypoints ||
        mode == ChartWindowMode::SearchOptimum || !context_.windows.aisDlg)
        return;
    if (const auto mmsi = aisMarks_.targetAt(at.x(), at.y()))
        context_.windows.aisDlg->showDetails(*mmsi);
}

bool TMapA::centreOn(GeoPoint position) {
    ChartState& chart = context_.program.chart;
    const auto at = chart.ChartUsable ? viewPixel(chart, position.lat, position.lon) : std::nullopt;
    if (!at)
        return false;
    show();
    raise();
    const QSize view = scroll_->viewport()->size();
    scroll_->horizontalScrollBar()->setValue(at->x - view.width() / 2);
    scroll_->verticalScrollBar()->setValue(at->y - view.height() / 2);
    lastHandScroll_ = dateTimeValue(context_.clock.now());
    return true;
}

QWidget* TMapA::toolWindow(ToolWindow window) const {
    const WindowRegistry& w = context_.windows;
    switch (window) {
    case ToolWindow::Distance:
        return w.avstDlg;
    case ToolWindow::SailTime:
        return w.sailTimeDlg;
    case ToolWindow::Evaluate:
        return w.optDlg;
    case ToolWindow::Position:
        return w.posiDlg;
    case ToolWindow::Waypoints:
        return w.waypDlg;
    case ToolWindow::SearchResult:
        return w.seekOptDlg;
    case ToolWindow::Detail:
        return w.mapB;
    }
    return nullptr;
}

bool TMapA::visible(ToolWindow window) const {
    return shown(toolWindow(window));
}

void TMapA::showToolWindow(ToolWindow window) {
    showOnTop(toolWindow(window));
}

void TMapA::hideToolWindow(ToolWindow window) {
    hideWindow(toolWindow(window));
}

AccumulatorDlg* TMapA::accumulatorWindow(ToolWindow window) const {
    if (window == ToolWindow::Distance)
        return context_.windows.avstDlg;
    return context_.windows.sailTimeDlg;
}

void TMapA::showMeasureThis(ToolWindow window, const std::string& text) {
    if (AccumulatorDlg* accumulator = accumulatorWindow(window))
        accumulator->LabelThis->setText(toQString(text));
}

void TMapA::accumulate(ToolWindow window) {
    if (AccumulatorDlg* accumulator = accumulatorWindow(window))
        accumulator->add();
}

void TMapA::showGeoDir(Real48 course) {
    if (auto* opt = context_.windows.optDlg)
        opt->showGeoDir(course);
}

void TMapA::showMousePosition(const std::string& text) {
    if (auto* posi = context_.windows.posiDlg)
        posi->showPosition(toQString(text));
}

void TMapA::ShowWaypoint(int n) {
    if (auto* wayp = context_.windows.waypDlg)
        wayp->ShowWaypoint(n);
}

void TMapA::showCruisePoint(const CruisePointFigures& figures) {
    if (auto* seekOpt = context_.windows.seekOptDlg)
        seekOpt->showCruisePoint(figures);
}

void TMapA::information(const std::string& text) {
    context_.dialogs.information(toQString(text));
}

bool TMapA::askYesNo(const std::string& text) {
    return context_.dialogs.informationYesNo(toQString(text)) == Dialogs::Answer::Yes;
}

void TMapA::showDetail() {
    if (auto* mapB = context_.windows.mapB) {
        mapB->show();
        mapB->PaintDetail();
    }
}

void TMapA::eraseDetailPosition() {
    if (auto* mapB = context_.windows.mapB)
        mapB->erasePosition();
}

} // namespace brisomar
