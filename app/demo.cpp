#include "app/demo.h"

#include "alarms/alarm_monitor.h"
#include "app/Vimomain.h"
#include "base/qt_files.h"
#include "base/radio_group.h"
#include "charts/Vimomapa.h"
#include "charts/map_file.h"
#include "input/Vimocom.h"
#include "input/nmea_simulator.h"
#include "navcalc/boat_tables.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QThread>

#include <cmath>
#include <numbers>

namespace brisomar {

namespace {

// The chart's frame: 45°20' to 45°00' N, 30°30' to 30°00' W.
constexpr long double north = 45 + 20 / 60.0L, south = 45.0L;
constexpr long double west = 30.5L, east = 30.0L;
constexpr int chartWidth = 800;

long double mercator(long double lat) {
    const long double phi = lat * std::numbers::pi_v<long double> / 180;
    return std::log(std::tan(std::numbers::pi_v<long double> / 4 + phi / 2));
}

// Rows follow the Mercator spacing, so the chart is true to scale at every latitude.
int chartHeight() {
    const long double lonRadians = (west - east) * std::numbers::pi_v<long double> / 180;
    return static_cast<int>(
        std::lround(chartWidth * (mercator(north) - mercator(south)) / lonRadians));
}

int rowOf(long double lat) {
    return static_cast<int>(std::lround(chartHeight() * (mercator(north) - mercator(lat)) /
                                        (mercator(north) - mercator(south))));
}

int columnOf(long double lon) {
    return static_cast<int>(std::lround(chartWidth * (west - lon) / (west - east)));
}

QPointF pixel(long double lat, long double lon) {
    return QPointF(columnOf(lon), rowOf(lat));
}

QPainterPath outline(std::initializer_list<std::pair<long double, long double>> points) {
    QPainterPath path;
    for (const auto& [lat, lon] : points)
        path.elementCount() == 0 ? path.moveTo(pixel(lat, lon)) : path.lineTo(pixel(lat, lon));
    path.closeSubpath();
    return path;
}

void drawLand(QPainter& painter) {
    const QPainterPath mainland = outline({{45.34L, 30.08L},
                                           {45.29L, 30.10L},
                                           {45.25L, 30.07L},
                                           {45.20L, 30.09L},
                                           {45.15L, 30.06L},
                                           {45.10L, 30.08L},
                                           {45.05L, 30.05L},
                                           {45.00L, 30.07L},
                                           {44.99L, 29.99L},
                                           {45.34L, 29.99L}});
    const QPainterPath island = outline({{45.215L, 30.28L},
                                         {45.225L, 30.24L},
                                         {45.205L, 30.20L},
                                         {45.175L, 30.19L},
                                         {45.150L, 30.22L},
                                         {45.155L, 30.27L},
                                         {45.185L, 30.29L}});
    const QPainterPath rock =
        outline({{45.305L, 30.36L}, {45.310L, 30.35L}, {45.303L, 30.345L}, {45.298L, 30.352L}});
    for (const QPainterPath* land : {&mainland, &island, &rock}) {
        painter.strokePath(*land, QPen(QColor(170, 205, 230), 28, Qt::SolidLine, Qt::RoundCap,
                                       Qt::RoundJoin)); // shallows
        painter.fillPath(*land, QColor(235, 220, 160));
        painter.strokePath(*land, QPen(QColor(90, 80, 50), 2));
    }
}

void drawGraticule(QPainter& painter) {
    painter.setPen(QPen(QColor(60, 60, 90), 1, Qt::DashLine));
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    for (int minute = 5; minute < 20; minute += 5) {
        const int row = rowOf(45 + minute / 60.0L);
        painter.drawLine(0, row, chartWidth, row);
        painter.drawText(4, row - 3,
                         QStringLiteral("45°%1' N").arg(minute, 2, 10, QLatin1Char('0')));
    }
    for (int minute = 5; minute < 30; minute += 5) {
        const int column = columnOf(30 + minute / 60.0L);
        painter.drawLine(column, 0, column, chartHeight());
        painter.drawText(column + 3, 14,
                         QStringLiteral("30°%1' W").arg(minute, 2, 10, QLatin1Char('0')));
    }
}

void drawSoundings(QPainter& painter) {
    painter.setPen(QColor(30, 50, 90));
    const struct {
        long double lat, lon;
        int depth;
    } soundings[] = {{45.05L, 30.40L, 38}, {45.12L, 30.33L, 24}, {45.24L, 30.27L, 19},
                     {45.30L, 30.20L, 27}, {45.08L, 30.15L, 15}, {45.28L, 30.42L, 41},
                     {45.16L, 30.12L, 12}, {45.22L, 30.16L, 9}};
    for (const auto& s : soundings)
        painter.drawText(pixel(s.lat, s.lon), QString::number(s.depth));
}

void drawTitle(QPainter& painter) {
    const QRect box(30, chartHeight() - 90, 330, 64);
    painter.fillRect(box, QColor(250, 248, 235));
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.drawRect(box);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(box.adjusted(0, 6, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("BRISOMAR SOUND"));
    font.setBold(false);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(box.adjusted(0, 0, 0, -8), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Demo chart of an invented coast. Not for navigation."));
}

QImage demoChart() {
    QImage image(chartWidth, chartHeight(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), QColor(205, 228, 245));
    drawLand(painter);
    drawGraticule(painter);
    drawSoundings(painter);
    drawTitle(painter);
    return image;
}

// Points 1 and 7 are the edges; three intermediate latitudes and two longitudes.
MapRecord demoRecord() {
    MapRecord r;
    r.FileName = demoChartFileName;
    r.InfoText = "Brisomar Sound, an invented coast (demo, not for navigation)";
    const long double lats[] = {north, 45.25L, 45 + 10 / 60.0L, 45 + 5 / 60.0L, south};
    const int latPoints[] = {1, 2, 3, 4, 7};
    for (int i = 0; i < 5; ++i) {
        r.CalLat[latPoints[i] - 1] = Real48(lats[i]);
        r.CalRow[latPoints[i] - 1] = rowOf(lats[i]);
    }
    const long double lons[] = {west, 30 + 20 / 60.0L, 30 + 10 / 60.0L, east};
    const int lonPoints[] = {1, 2, 3, 7};
    for (int i = 0; i < 4; ++i) {
        r.CalLon[lonPoints[i] - 1] = Real48(lons[i]);
        r.CalCol[lonPoints[i] - 1] = columnOf(lons[i]);
    }
    return r;
}

} // namespace

std::optional<QString> writeDemoChart(const QString& folder) {
    if (!QDir().mkpath(folder))
        return std::nullopt;
    const QDir dir(folder);
    StdFileSystem files;
    std::string error;
    if (!saveBmpFile(files, demoChart(), dir.filePath(QString::fromLatin1(demoChartFileName)),
                     error))
        return std::nullopt;
    MapTable table{};
    table[0] = demoRecord();
    const QString mapPath = dir.filePath(QString::fromLatin1(demoMapFileName));
    if (!files.replace(mapPath.toStdString(), encodeMapFile(table), error))
        return std::nullopt;
    return mapPath;
}

// The chart opens below the strip, which must be framed by the window manager for its frame's
// bottom to be known. Without a window manager nothing frames it: the wait is bounded.
void awaitFrame(const QWidget& strip) {
    QElapsedTimer waited;
    waited.start();
    while (strip.frameGeometry() == strip.geometry() && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(10);
    }
}

bool startDemo(UiContext& context, const QString& folder) {
    const auto mapPath = writeDemoChart(folder);
    if (!mapPath)
        return false;
    // A breeze and the built-in boat tables, so that sail times mean something at once.
    ProgramParts& program = context.program;
    program.boatTables = {defaultSpeedTable(), defaultLeewayTable()};
    program.nav.WindDir = Real48(240.0L);
    program.nav.WindSpeed = Real48(12.0L);
    // The simulator's traffic raises the AIS alarm within two minutes.
    program.alarms.switchOn(AlarmSlot::AisCollision, program.nav);
    bool opened = false;
    context.program.selection.openMapFile(context.files, mapPath->toStdString(), opened);
    if (!opened)
        return false;
    if (TMapA* mapA = context.windows.mapA) {
        mapA->resize(820, 640); // before showing it, so that it is placed on the screen whole
        if (context.windows.mainDlg)
            awaitFrame(*context.windows.mainDlg);
        mapA->show();
        mapA->Timer1Timer(); // loads the chart at once
    }
    if (TVimoComDlg* com = context.windows.comDlg) {
        com->deviceChoice(1)->setEditText(QString::fromLatin1(SimulatorDevice::deviceName));
        com->CommRadioGroup->click(0);
        com->holdRouteSentencesForTheDemo();
    }
    return true;
}

} // namespace brisomar
