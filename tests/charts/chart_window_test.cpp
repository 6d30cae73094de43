#include "charts/Vimomapa.h"

#include "ais/Vimoais.h"
#include "app/Vimomain.h"
#include "base/radio_group.h"
#include "bitmap_bytes.h"
#include "charts/Vimomapb.h"
#include "charts/Vimomset.h"
#include "charts/Vimosema.h"
#include "charts/chart_fixtures.h"
#include "charts/map_file.h"
#include "records/Vimowayp.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

const QColor sea(30, 90, 160);

// A chart bitmap of one colour with a white square at its top-left corner.
std::string writeBitmap(const TempDir& dir, const std::string& name, QSize size, int square = 10) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(sea);
    for (int y = 0; y < square; ++y)
        for (int x = 0; x < square; ++x)
            image.setPixel(x, y, qRgb(255, 255, 255));
    const std::string path = dir.file(name);
    image.save(QString::fromStdString(path), "BMP");
    return path;
}

std::string writeMapFile(const TempDir& dir, const MapTable& table) {
    const std::string path = dir.file("charts.MAP");
    const Bytes bytes = encodeMapFile(table);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// While it lives, no file of this process grows beyond `bytes`: a write past that fails part
// way with "File too large", as a write to a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*previousHandler_)(int);
    rlimit previous_{};
};

class ChartWindow : public ::testing::Test {
protected:
    ChartWindow() : mainDlg(createWindows(ui.context)), mapA(ui.context.windows.mapA) {
        mapA->show();
        useChart(100); // ten pixels a degree
    }

    // 60..50 N over `pixels` rows, 10..0 W over `pixels` columns.
    void useChart(int pixels) {
        MapTable table{};
        table[0] =
            testing::easyRecord(writeBitmap(dir, "chart.bmp", {pixels, pixels}), pixels, pixels);
        ui.dialogs.files = {QString::fromStdString(writeMapFile(dir, table))};
        ui.context.windows.semaDlg->ensureControls(); // the sailor opens the selection
        ui.context.windows.semaDlg->OpenBtnClick();
        mapA->resize(300, 300);
        mapA->Timer1Timer(); // loads the chart selected
    }

    void at(long double lat, long double lon) {
        ui.program.nav.GpsLat = Real48(lat);
        ui.program.nav.GpsLon = Real48(lon);
        ui.program.nav.GpsFixReceived = true;
        ui.mainTick();
    }

    QColor shown(int x, int y) {
        const Rgb c = mapA->picture().pixel(x, y);
        return QColor(c.r, c.g, c.b);
    }

    TempDir dir;
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TMapA* mapA;
};

// Waypoints at pixels (20, 20), (20, 80) and (80, 80).
void setRoute(WaypointRoute& route) {
    const long double places[][2] = {{58, 8}, {52, 8}, {52, 2}};
    for (int n = 1; n <= 3; ++n) {
        route[n].Lat = Real48(places[n - 1][0]);
        route[n].Lon = Real48(places[n - 1][1]);
    }
    route.WaypointCount = 3;
    route.WaypointIndex = 1;
    route.sailFirstOfNewRoute();
}

TEST_F(ChartWindow, TheRouteAndTheCrossAreDrawnInEveryMode) {
    mapA->LogFile1->trigger(); // the log-file mode: no log, a box
    mapA->LogFile1->trigger(); // and none
    ASSERT_EQ(ui.program.chart.ChartMode, ChartWindowMode::None);
    setRoute(ui.program.route);
    at(55, 5); // pixel (50, 50)
    mapA->Timer1Timer();
    mapA->Timer1Timer(); // the cross on
    EXPECT_EQ(shown(20, 50), QColor(255, 0, 255)) << "the first leg";
    EXPECT_EQ(shown(50, 80), QColor(255, 0, 255)) << "the second leg";
    EXPECT_EQ(shown(40, 40), QColor(255, 0, 255)) << "the line to waypoint 1";
    EXPECT_EQ(shown(20, 20), QColor(255, 0, 0)) << "waypoint 1";
    EXPECT_EQ(shown(50, 41), Qt::black) << "the cross";
    mapA->ShowTrack1->trigger();
    at(55, 4);
    mapA->Timer1Timer();
    mapA->Timer1Timer();
    EXPECT_EQ(shown(60, 41), Qt::black) << "the cross over the track";
    EXPECT_EQ(shown(45, 45), sea) << "the line to waypoint 1 moved with the boat";
    EXPECT_EQ(shown(52, 44), QColor(255, 0, 255));
}

// An AIS target is drawn in every mode; a click on it shows its details.
TEST_F(ChartWindow, AClickOnAnAisTargetShowsItsDetails) {
    AisMessage m;
    m.type = 1;
    m.mmsi = 265547250;
    m.lat = 53;
    m.lon = -7; // pixel (30, 70)
    ui.program.aisTargets.take(m, false, ui.clock.steady());
    ui.mainTick();
    mapA->ShowTrack1->trigger();
    mapA->Timer1Timer();
    EXPECT_EQ(shown(30, 70), QColor(0, 128, 0));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(32, 68), mapA->Image1->mapToGlobal(QPointF(32, 68)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        (type == QEvent::MouseButtonPress ? mapA->Image1MouseDown(&click)
                                          : mapA->Image1MouseUp(&click));
    }
    const TVimoAisTargetDlg* details = ui.context.windows.aisDlg->TargetDlg;
    ASSERT_TRUE(details && details->isVisible());
    EXPECT_EQ(details->windowTitle(), "AIS target 265547250");
}

TEST_F(ChartWindow, TheNextWaypointBecomesActiveOnArrivalAndTheLineFollows) {
    setRoute(ui.program.route);
    at(55, 5);
    mapA->Timer1Timer();
    EXPECT_EQ(shown(40, 40), QColor(255, 0, 255)) << "the line to waypoint 1";
    at(58, 8); // on waypoint 1
    EXPECT_EQ(ui.program.route.WaypointIndex, 2);
    EXPECT_TRUE(ui.context.windows.waypDlg->Edit1->text().startsWith("Nr:2 "));
    mapA->Timer1Timer();
    EXPECT_EQ(shown(40, 40), sea) << "no line to waypoint 1 any more";
    EXPECT_EQ(shown(80, 50), sea) << "nor to waypoint 2 but along the leg";
}

TEST_F(ChartWindow, FollowsTheBoatOutOfSightUnlessScrolledByHandLately) {
    useChart(1000); // a hundred pixels a degree, larger than the window
    QAbstractScrollArea* scroll = mapA->findChild<QAbstractScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QScrollBar* across = scroll->horizontalScrollBar();
    QScrollBar* down = scroll->verticalScrollBar();
    const QSize view = scroll->viewport()->size();
    at(55, 5); // pixel (500, 500)
    mapA->Timer1Timer();
    EXPECT_EQ(across->value(), 500 - view.width() / 2);
    EXPECT_EQ(down->value(), 500 - view.height() / 2);
    across->triggerAction(QAbstractSlider::SliderToMinimum); // the sailor looks elsewhere
    at(54, 4);                                               // pixel (600, 600): out of sight
    mapA->Timer1Timer();
    EXPECT_EQ(across->value(), 0);
    ui.clock.time.minute += 1; // a minute later
    mapA->Timer1Timer();
    EXPECT_EQ(across->value(), 600 - view.width() / 2);
    mapA->FollowBoat1->trigger(); // off
    EXPECT_FALSE(ui.program.chart.FollowBoat);
    across->setValue(0);
    down->setValue(0);
    ui.clock.time.minute += 2;
    mapA->Timer1Timer();
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(down->value(), 0);
}

TEST_F(ChartWindow, LoadsTheSelectedChartAndShrinksToIt) {
    EXPECT_EQ(mapA->windowTitle(), "Brisomar-Chart-OverView");
    EXPECT_TRUE(ui.program.chart.ChartUsable);
    EXPECT_FALSE(ui.program.chart.ReloadRequest);
    EXPECT_EQ(mapA->chartBitmap().size(), QSize(100, 100));
    EXPECT_TRUE(mapA->Image1->isEnabled());
    EXPECT_EQ(mapA->clientImage().size(), QSize(100, 100));
    EXPECT_EQ(shown(50, 50), sea);
}

TEST_F(ChartWindow, TheCrossBlinksAtThePositionInUse) {
    at(55, 5);
    mapA->Timer1Timer(); // saved, blinked off
    EXPECT_EQ(shown(50, 50), sea);
    mapA->Timer1Timer();
    EXPECT_EQ(shown(50, 50), Qt::black);
    EXPECT_EQ(shown(39, 51), Qt::black);
    EXPECT_EQ(shown(38, 50), sea);
    EXPECT_EQ(mapA->clientImage().pixelColor(61, 49), Qt::black); // what the sailor sees
    mapA->Timer1Timer();
    EXPECT_EQ(shown(50, 50), sea);
}

TEST_F(ChartWindow, AResizeErasesTheDrawingsAndRestartsTheTrack) {
    mapA->ShowTrack1->trigger();
    for (const long double lon : {5.0L, 4.0L, 3.0L}) {
        at(55, lon);
        mapA->Timer1Timer();
    }
    EXPECT_EQ(shown(65, 50), Qt::black);
    mapA->resize(80, 80);
    EXPECT_EQ(shown(65, 50), sea);
    at(55, 2);
    mapA->Timer1Timer(); // a new line starts here
    mapA->Timer1Timer(); // and the cross over it blinks off
    EXPECT_EQ(shown(75, 50), sea);
    at(54, 2);
    mapA->Timer1Timer();
    EXPECT_EQ(shown(80, 55), Qt::black);
}

// The track comes back at each zoom; Ctrl and the wheel keep the chart pixel under the mouse.
TEST_F(ChartWindow, ZoomsByKeyMenuAndWheelWithTheTrack) {
    mapA->ShowTrack1->trigger();
    for (const long double lon : {5.0L, 4.0L, 3.0L}) {
        at(55, lon);
        mapA->Timer1Timer();
    }
    EXPECT_EQ(mapA->ZoomIn1->shortcut(), QKeySequence(Qt::Key_Plus));
    EXPECT_EQ(mapA->ZoomOut1->shortcut(), QKeySequence(Qt::Key_Minus));
    mapA->ZoomIn1->trigger();
    EXPECT_EQ(mapA->ScaleLabel->text(), "2:1");
    EXPECT_EQ(mapA->picture().width(), 200);
    EXPECT_EQ(shown(131, 101), Qt::black); // chart pixel (65, 50)
    EXPECT_EQ(shown(131, 104), sea);
    mapA->ZoomOut1->trigger();
    mapA->ZoomOut1->trigger();
    EXPECT_EQ(mapA->ScaleLabel->text(), "1:2");
    EXPECT_EQ(shown(32, 25), Qt::black);
    QWidget* client = mapA->Image1->parentWidget();
    QWheelEvent wheel({30, 20}, client->mapToGlobal(QPointF(30, 20)), {}, {0, 240}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(client, &wheel);
    EXPECT_EQ(mapA->ScaleLabel->text(), "2:1");
    const QScrollArea* scroll = mapA->findChild<QScrollArea*>();
    EXPECT_EQ(scroll->horizontalScrollBar()->value(), 93); // chart pixel (61, 41) at (30, 20)
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 63);
    mapA->Zoom1to1->trigger();
    EXPECT_EQ(ui.program.chart.Zoom.step, 0);
    EXPECT_EQ(shown(65, 50), Qt::black);
}

TEST_F(ChartWindow, LeavingShowPositionLeavesNoCross) {
    at(55, 5);
    mapA->Timer1Timer();
    mapA->Timer1Timer();
    ASSERT_EQ(shown(50, 50), Qt::black);
    ui.program.logbook.LogViewFile = dir.file("none.LOG");
    mapA->LogFile1->trigger();
    EXPECT_EQ(ui.program.chart.ChartMode, ChartWindowMode::ShowLogFile);
    EXPECT_TRUE(mapA->LogFile1->isChecked());
    EXPECT_FALSE(mapA->Showposition1->isChecked());
    EXPECT_EQ(shown(50, 50), sea);
    EXPECT_EQ(ui.dialogs.shown,
              (Boxes{{Information, "Wrong logfilename or recordnr (0<From<To)."}}));
    mapA->LogFile1->trigger();
    EXPECT_EQ(ui.program.chart.ChartMode, ChartWindowMode::None);
    EXPECT_FALSE(mapA->LogFile1->isChecked());
}

TEST_F(ChartWindow, ShowWaypointsSaysWhenMostAreOffTheChart) {
    WaypointRoute& route = ui.program.route;
    route[1].Lat = Real48(55.0L);
    route[1].Lon = Real48(5.0L);
    route[2].Lat = Real48(20.0L);
    route[2].Lon = Real48(5.0L);
    route[3].Lat = Real48(21.0L);
    route[3].Lon = Real48(5.0L);
    mapA->Showwaypoints1->trigger();
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "Over 50% outside this map!"}}));
    EXPECT_EQ(shown(50, 50), Qt::red);
}

// Closing the chart window and opening it again, or minimising it, loses nothing of the route.
TEST_F(ChartWindow, ShowingTheWindowAgainKeepsTheRoute) {
    ui.program.route[1].Lat = Real48(55.0L);
    ui.program.route.WaypointCount = 1;
    mapA->setWindowState(Qt::WindowMinimized); // neither a hide ...
    EXPECT_TRUE(ui.program.chart.ChartWindowShown);
    mapA->setWindowState(Qt::WindowNoState); // ... nor a show
    mapA->hide();
    EXPECT_FALSE(ui.program.chart.ChartWindowShown);
    mapA->show();
    EXPECT_TRUE(ui.program.chart.ChartWindowShown);
    EXPECT_EQ(ui.program.route.WaypointCount, 1);
    EXPECT_EQ(ui.program.route[1].Lat, Real48(55.0L));
}

TEST_F(ChartWindow, ABitmapThatCannotBeReadBeepsAndMakesTheChartUnusable) {
    std::ofstream(dir.file("chart.bmp"), std::ios::binary | std::ios::trunc) << "BM broken";
    mapA->LoadChart();
    EXPECT_EQ(ui.beeper.count, 1);
    EXPECT_FALSE(ui.program.chart.ChartUsable);
    EXPECT_FALSE(mapA->Image1->isEnabled());
    mapA->Timer1Timer(); // nothing drawn, no crash
}

TEST_F(ChartWindow, AFileThatIsNoChartIsRefusedBeforeItIsDecoded) {
    const std::string chart = dir.file("chart.bmp");
    const std::function<void()> writers[] = {
        [&] { // a picture of another kind named as a bitmap, decoding far larger than its file
            QImage png(2000, 2000, QImage::Format_RGB32);
            png.fill(sea);
            png.save(QString::fromStdString(chart), "PNG");
        },
        [&] { // 16000 × 16000 pixels claimed in 2 KB
            Bytes bytes = testing::bitmapHeaders({16000, 16000, 1});
            bytes.resize(bytes.size() + 2000);
            std::ofstream(chart, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        },
        [&] { // the last rows cut off
            writeBitmap(dir, "chart.bmp", {100, 100});
            std::filesystem::resize_file(chart, std::filesystem::file_size(chart) - 1000);
        },
    };
    for (const auto& write : writers) {
        write();
        ui.program.chart.ChartUsable = true; // as selecting it did
        const int beeps = ui.beeper.count;
        mapA->LoadChart();
        EXPECT_EQ(ui.beeper.count, beeps + 1);
        EXPECT_FALSE(ui.program.chart.ChartUsable);
        EXPECT_EQ(mapA->chartBitmap().size(), QSize(100, 100)); // the last chart stays
    }
}

TEST_F(ChartWindow, AOneBitChartIsHeldInOneBitAndDrawnOnExactly) {
    QImage mono(100, 100, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 128)});
    mono.fill(0);
    mono.setPixel(20, 20, 1);
    mono.save(QString::fromStdString(dir.file("chart.bmp")), "BMP");
    mapA->LoadChart();
    EXPECT_EQ(mapA->chartBitmap().format(), QImage::Format_Mono);
    EXPECT_EQ(shown(20, 20), QColor(0, 0, 128));
    at(55, 5);
    mapA->Timer1Timer();
    EXPECT_EQ(shown(50, 50), Qt::white);
    mapA->Timer1Timer();
    EXPECT_EQ(shown(50, 50), Qt::black);
    EXPECT_EQ(mapA->clientImage().pixelColor(50, 50), Qt::black);
    EXPECT_EQ(mapA->clientImage().pixelColor(20, 20), QColor(0, 0, 128));
    mapA->Timer1Timer();
    EXPECT_EQ(shown(50, 50), Qt::white);
}

TEST_F(ChartWindow, SavesTheClientAsABitmapAndPrintsAndCopiesIt) {
    at(55, 5);
    mapA->Timer1Timer();
    mapA->Timer1Timer();
    const QString saved = QString::fromStdString(dir.file("saved.BMP"));
    ui.dialogs.files = {saved};
    mapA->SaveAsBmp1Click();
    const QImage image(saved, "BMP");
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(image.pixelColor(50, 50), Qt::black);
    EXPECT_EQ(image.pixelColor(5, 5), Qt::white);

    ui.context.makers.chartPrinter = [this](QString&) {
        auto pdf = std::make_unique<QtChartPrinter>();
        pdf->printer().setOutputFormat(QPrinter::PdfFormat);
        pdf->printer().setOutputFileName(QString::fromStdString(dir.file("chart.pdf")));
        return pdf;
    };
    mapA->Printoverview1Click();
    EXPECT_GT(std::filesystem::file_size(dir.file("chart.pdf")), 1000u);

    mapA->Copytoclipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(100, 100));
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

// A print that could not begin (no printer chosen yet) leaves the printer free for the setup
// that follows, and printing works from then on.
TEST(ChartPrinting, APrintBeforeTheSetupDoesNotBlockTheSetup) {
    TempDir dir;
    QtChartPrinter chartPrinter;
    chartPrinter.printer().setOutputFormat(QPrinter::PdfFormat); // no printer and no file
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(sea);
    QString reason;
    EXPECT_FALSE(chartPrinter.print(image, reason));
    EXPECT_EQ(reason, "choose a printer (or a PDF file) in Print setup.");
    const QString pdf = QString::fromStdString(dir.file("chart.pdf"));
    chartPrinter.printer().setOutputFileName(pdf); // what choosing a PDF file in the setup does
    EXPECT_EQ(chartPrinter.printer().outputFileName(), pdf);
    EXPECT_TRUE(chartPrinter.print(image, reason));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

TEST_F(ChartWindow, ASaveThatFailsPartWayLeavesThePreviousBitmapAndIsReported) {
    const std::string saved = writeBitmap(dir, "saved.BMP", {20, 20});
    const std::string previous = contentsOf(saved);
    at(55, 5);
    mapA->Timer1Timer();
    ui.dialogs.files = {QString::fromStdString(saved)};
    {
        const FileSizeLimit limit(previous.size()); // the new picture is five times as wide
        mapA->SaveAsBmp1Click();
    }
    EXPECT_EQ(contentsOf(saved), previous);
    EXPECT_EQ(
        ui.dialogs.shown,
        (Boxes{{Warning, QString::fromStdString("Cannot save " + saved + ": File too large")}}));
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(files, 3); // the chart, its map file and the previous bitmap: no temporary file
}

TEST_F(ChartWindow, TheDetailWindowEnlargesItsRectangleAndFollowsTheBoat) {
    TMapB* mapB = ui.context.windows.mapB;
    ChartState& chart = ui.program.chart;
    chart.DetailRect = {40, 40, 80, 80};
    chart.DetailNLat = Real48(56.0L);
    chart.DetailSLat = Real48(52.0L);
    chart.DetailWLon = Real48(6.0L);
    chart.DetailELon = Real48(2.0L);
    mapB->show();
    mapB->resize(300, 300);
    mapB->PaintDetail();
    const auto detail = [&](int x, int y) {
        const Rgb c = mapB->picture().pixel(x, y);
        return QColor(c.r, c.g, c.b);
    };
    EXPECT_EQ(detail(150, 150), sea);
    at(55, 5); // a quarter into the rectangle both ways
    mapA->Timer1Timer();
    mapA->Timer1Timer();
    EXPECT_EQ(detail(75, 75), Qt::black);
    EXPECT_EQ(detail(75, 65), Qt::black);
    EXPECT_FALSE(ui.program.nav.PosOutsideDetailChart);
    mapA->ShowTrack1->trigger(); // leaving show-position takes its cross off too
    EXPECT_EQ(detail(75, 65), sea);
    mapA->Showposition1->trigger();
    at(57, 5); // off the detail region, still on the chart
    mapA->Timer1Timer();
    EXPECT_TRUE(ui.program.nav.PosOutsideDetailChart);
    mapB->resize(200, 200); // a resize clears it and paints afresh
    EXPECT_FALSE(ui.program.nav.PosOutsideDetailChart);
    EXPECT_EQ(detail(75, 75), sea);
}

TEST(SelectionDialogFirstOpened, ShowsTheMapFileChosenBeforeIt) {
    TempDir dir;
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    MapTable table{};
    table[0] = testing::easyRecord(writeBitmap(dir, "a.bmp", {50, 40}));
    bool opened = false;
    ui.program.selection.openMapFile(ui.files, writeMapFile(dir, table), opened); // as the demo
    ASSERT_TRUE(opened);
    TVimosemaDlg* dlg = ui.context.windows.semaDlg;
    EXPECT_FALSE(dlg->controlsBuilt());
    dlg->show();
    EXPECT_EQ(dlg->FilePathEdit->text().toStdString(), dir.file("charts.MAP"));
    EXPECT_EQ(dlg->SpinFilePos->value(), 1);
    EXPECT_EQ(dlg->LabelNWLat->text(), "North Latitude: LAT N 60°00.000'");
}

class SelectionDialog : public ::testing::Test {
protected:
    SelectionDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.semaDlg) {
        dlg->ensureControls(); // as opening it does
    }

    TempDir dir;
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimosemaDlg* dlg;
};

TEST_F(SelectionDialog, ShowsTheRecordsOfTheMapFile) {
    MapTable table{};
    table[0] = testing::easyRecord(writeBitmap(dir, "a.bmp", {50, 40}));
    table[1] = testing::recordBetween(dir.file("missing.bmp"), 12.5, 20, -1, -3);
    table[1].InfoText = std::string(250, 'a') + "pproaches"; // 255 characters, as a file holds
    ui.dialogs.files = {QString::fromStdString(writeMapFile(dir, table))};
    dlg->OpenBtnClick();
    EXPECT_EQ(dlg->FilePathEdit->text().toStdString(), dir.file("charts.MAP"));
    EXPECT_EQ(dlg->LabelNWLat->text(), "North Latitude: LAT N 60°00.000'");
    dlg->SpinFilePos->setValue(2);
    // The caption, prefix and all, is cut to 255 characters.
    EXPECT_EQ(dlg->LabelInfoText->text().toStdString(), "Text:" + std::string(250, 'a'));
    EXPECT_EQ(dlg->LabelFileName->text().toStdString(), "Path:" + dir.file("missing.bmp"));
    EXPECT_EQ(dlg->LabelSELat->text(), "South Latitude: LAT S 01°00.000'");
    EXPECT_EQ(dlg->LabelNWLon->text(), "West Longitude: LON W020°00.000'");
    EXPECT_EQ(dlg->LabelSELon->text(), "East Longitude: LON E003°00.000'");
    EXPECT_FALSE(ui.program.chart.ChartUsable);
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(SelectionDialog, ShowPreviewsTheTopLeftPartThenTheWholeChartReduced) {
    MapTable table{};
    table[0] = testing::easyRecord(writeBitmap(dir, "a.bmp", {370, 326}, 11)); // twice the preview
    ui.dialogs.files = {QString::fromStdString(writeMapFile(dir, table))};
    dlg->OpenBtnClick();
    const auto preview = [&](int x, int y) {
        return dlg->Image1->pixmap().toImage().pixelColor(x, y);
    };
    dlg->Show1BtnClick();
    EXPECT_FALSE(dlg->Image1->isHidden());
    EXPECT_EQ(dlg->Image1->pixmap().size(), QSize(185, 163));
    EXPECT_EQ(preview(10, 10), Qt::white);
    EXPECT_EQ(preview(11, 11), sea);
    dlg->Show1BtnClick();
    EXPECT_EQ(dlg->Image1->pixmap().size(), QSize(185, 163));
    EXPECT_EQ(preview(4, 4), Qt::white);
    EXPECT_EQ(preview(5, 5), QColor(86, 131, 184)); // one white pixel of its four
    EXPECT_EQ(preview(6, 6), sea);
    EXPECT_EQ(preview(184, 162), sea);
    dlg->Show1BtnClick();
    EXPECT_EQ(preview(10, 10), Qt::white);
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(SelectionDialog, ShowRefusesAFileThatIsNoChart) {
    const std::string chart = dir.file("a.bmp");
    QImage png(400, 400, QImage::Format_RGB32);
    png.fill(sea);
    png.save(QString::fromStdString(chart), "PNG");
    MapTable table{};
    table[0] = testing::easyRecord(chart);
    ui.dialogs.files = {QString::fromStdString(writeMapFile(dir, table))};
    dlg->OpenBtnClick();
    ASSERT_TRUE(ui.program.chart.ChartUsable); // a file of the size of a chart
    dlg->Show1BtnClick();
    EXPECT_TRUE(dlg->Image1->isHidden());
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Warning, QString::fromStdString("Cannot read " + chart)}}));
}

TEST_F(SelectionDialog, TheNoticeShowsWhileTheChartWindowHasNoUsableChart) {
    dlg->Timer1Timer();
    EXPECT_FALSE(ui.context.windows.unusDlg->isVisible());
    ui.context.windows.mapA->show();
    dlg->Timer1Timer();
    EXPECT_FALSE(ui.context.windows.unusDlg->isVisible()); // no map file chosen yet
    ui.program.chart.MapFilePath = "/charts/coast.MAP";
    dlg->Timer1Timer();
    EXPECT_TRUE(ui.context.windows.unusDlg->isVisible());
    ui.context.windows.mapA->hide();
    dlg->Timer1Timer();
    EXPECT_FALSE(ui.context.windows.unusDlg->isVisible());
}

TEST_F(SelectionDialog, AutoSelectToggles) {
    dlg->AutoSelectBtnClick();
    EXPECT_EQ(dlg->AutoSelectBtn->text(), "Auto Select: On");
    EXPECT_TRUE(ui.program.chart.AutoSelect);
    dlg->AutoSelectBtnClick();
    EXPECT_EQ(dlg->AutoSelectBtn->text(), "Auto Select: Off");
}

TEST(ChartSettingsDialog, OkSetsEverythingAndOnlyOk) {
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    TVimoMsetDlg* dlg = ui.context.windows.msetDlg;
    EXPECT_EQ(dlg->Notebook, nullptr); // built when first opened
    dlg->show();
    ASSERT_NE(dlg->Notebook, nullptr);
    EXPECT_GT(dlg->height(), dlg->TabSet->height() + dlg->SpinPosTimer->height());
    EXPECT_EQ(dlg->Notebook->currentIndex(), 2); // opens on the timer page
    dlg->FormActivate();
    EXPECT_EQ(dlg->LabelGlNWLon->text(), "West  : LON W000°00.000'");
    EXPECT_EQ(dlg->SpinPosTimer->value(), 1);
    dlg->SpinPosTimer->setValue(60);
    dlg->SpinPosSize->setValue(3);
    dlg->reject();
    EXPECT_EQ(ui.program.chartSettings.PositionTimerMs, 1000);
    dlg->SpinPosWidth->stepUp();
    dlg->SpinPosWidth->stepDown();
    EXPECT_EQ(dlg->SpinPosWidth->value(), 1);
    EXPECT_EQ(dlg->PositionSymbolGroup->itemIndex(), 0); // the cross
    dlg->PositionSymbolGroup->setItemIndex(1);
    dlg->OKBtnClick();
    const ChartSettings& s = ui.program.chartSettings;
    EXPECT_EQ(s.MarkSymbol, PositionSymbol::Boat);
    EXPECT_EQ(s.PositionTimerMs, 60000);
    EXPECT_EQ(s.PosSize, 3);
    EXPECT_EQ(s.PosWidth, 1);
    EXPECT_TRUE(s.ChartSettingsChanged && s.DetailSettingsChanged);
    ui.context.windows.mapA->Timer1Timer();
    EXPECT_EQ(ui.context.windows.mapA->Timer1->interval(), 60000);
}

} // namespace
} // namespace brisomar

namespace brisomar {
namespace {

// Reduced, a chart keeps its form, its palette and its thin dark lines.
TEST(ReducedCopies, KeepTheChartsFormAndItsThinLines) {
    for (const int dark : {0, 1}) {
        QImage mono(6, 4, QImage::Format_Mono);
        mono.setColorTable(dark == 1 ? QList{qRgb(255, 255, 255), qRgb(0, 0, 0)}
                                     : QList{qRgb(0, 0, 0), qRgb(255, 255, 255)});
        mono.fill(1 - dark);
        for (int y = 0; y < 4; ++y)
            mono.setPixel(3, y, dark); // a line a pixel wide
        const ReducedCopies copies(mono);
        ASSERT_EQ(copies.at(-1).format(), QImage::Format_Mono);
        EXPECT_EQ(copies.at(-1).size(), QSize(3, 2));
        EXPECT_EQ(copies.at(-1).pixelIndex(1, 1), dark);
        EXPECT_EQ(copies.at(-1).pixelIndex(0, 1), 1 - dark);
        EXPECT_EQ(copies.at(-2).pixelIndex(0, 0), dark);
    }
    QImage palette(10, 2, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(200, 224, 240), qRgb(88, 88, 104), qRgb(232, 216, 160)});
    palette.fill(0);
    palette.setPixel(9, 1, 1); // a dot of a line on the water
    const QImage half = ReducedCopies(palette).at(-1);
    EXPECT_EQ(half.format(), QImage::Format_Indexed8);
    EXPECT_EQ(half.pixelIndex(0, 0), 0);
    EXPECT_EQ(half.pixelIndex(4, 0), 1); // not the land's yellow, nearest their average
}

} // namespace
} // namespace brisomar
