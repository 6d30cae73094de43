#include "app/kept_windows.h"

#include "ais/ais_targets.h"
#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "base/masked_fields.h"
#include "base/qt_palette.h"
#include "base/radio_group.h"
#include "charts/Vimomapa.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "navcalc/Vimoavst.h"
#include "navcalc/Vimodist.h"
#include "navcalc/Vimoopt.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"
#include "records/Vimowayp.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace brisomar {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

std::string text(const QString& s) {
    return s.toStdString();
}

QWidget* windowOf(const WindowRegistry& w, KeptWindow which) {
    switch (which) {
    case KeptWindow::Chart:
        return w.mapA;
    case KeptWindow::Waypoints:
        return w.waypDlg;
    case KeptWindow::Steering:
        return w.optDlg;
    case KeptWindow::SailTime:
        return w.sailTimeDlg;
    case KeptWindow::MousePosition:
        return w.posiDlg;
    case KeptWindow::DragDistance:
        return w.avstDlg;
    case KeptWindow::Optimum:
        return w.seekOptDlg;
    case KeptWindow::Distance:
        return w.distDlg;
    }
    return nullptr;
}

// The groups of one port of the communication window; port 2's carry a B in their names.
struct PortGroups {
    RadioGroup* comm;
    RadioGroup* baud;
    RadioGroup* byteSize;
    RadioGroup* parity;
    RadioGroup* stopBits;
    QCheckBox* sendRoute;
    QCheckBox* sendReceived;
};

PortGroups portGroups(const TVimoComDlg& com, int port) {
    if (port == 1)
        return {com.CommRadioGroup,   com.BaudRadioGroup,     com.ByteSizeRadioGroup,
                com.ParityRadioGroup, com.StopBitsRadioGroup, com.SendRouteCheck,
                com.SendReceivedCheck};
    return {com.CommRadioGroupB,   com.BaudRadioGroupB,     com.ByteSizeRadioGroupB,
            com.ParityRadioGroupB, com.StopBitsRadioGroupB, com.SendRouteCheckB,
            com.SendReceivedCheckB};
}

// The line settings as the groups name them.
struct PortSetting {
    RadioGroup* PortGroups::*group;
    std::string KeptPort::*value;
};
const PortSetting portSettings[] = {{&PortGroups::baud, &KeptPort::baudRate},
                                    {&PortGroups::byteSize, &KeptPort::byteSize},
                                    {&PortGroups::parity, &KeptPort::parity},
                                    {&PortGroups::stopBits, &KeptPort::stopBits}};

void selectItem(RadioGroup* group, const std::string& item) {
    for (int i = 0; i < group->count(); ++i)
        if (group->itemText(i) == text(item))
            group->setItemIndex(i);
}

// The chart window's mode items with the mode each switches on.
struct ModeItem {
    QAction* TMapA::*item;
    ChartWindowMode mode;
};
using enum ChartWindowMode;
const ModeItem modeItems[] = {
    {&TMapA::Showposition1, ShowPosition},   {&TMapA::ShowTrack1, ShowTrack},
    {&TMapA::SetWaypoints1, SetWaypoints},   {&TMapA::Showwaypoints1, ShowWaypoints},
    {&TMapA::Searchoptimum1, SearchOptimum}, {&TMapA::LogFile1, ShowLogFile}};

// Sets each edit's text as if typed.
using EditText = std::pair<QLineEdit*, const std::string*>;
void setTexts(std::initializer_list<EditText> edits) {
    for (const auto& [edit, value] : edits)
        edit->setText(text(*value));
}

void setSourceFields(TVimoSourDlg& dlg, const ManualEntry& e) {
    setTexts({{dlg.MaskLat, &e.latitude},
              {dlg.MaskLatNS, &e.northSouth},
              {dlg.MaskLon, &e.longitude},
              {dlg.MaskLonWE, &e.westEast},
              {dlg.MaskDir, &e.course},
              {dlg.MaskSpe, &e.speed},
              {dlg.MaskCurDir, &e.currentDir},
              {dlg.MaskCurSpe, &e.currentSpeed},
              {dlg.MaskWindDir, &e.windDir},
              {dlg.MaskWindSpe, &e.windSpeed}});
}

KeptPort gatherPort(TVimoComDlg& com, int port) {
    const PortGroups groups = portGroups(com, port);
    KeptPort kept;
    kept.on = groups.comm->selectedText() == QStringLiteral("On");
    kept.sendRoute = groups.sendRoute->isChecked();
    kept.sendReceived = groups.sendReceived->isChecked();
    for (const PortSetting& s : portSettings)
        kept.*s.value = text((groups.*s.group)->selectedText());
    if (com.controlsBuilt())
        kept.device = keptDevice(text(com.deviceChoice(port)->currentText().trimmed()),
                                 TVimoComDlg::defaultDevice(port));
    return kept;
}

KeptNetworkOutput gatherNetwork(const TVimoComDlg& com) {
    return {{com.TcpServerCheck->isChecked(), text(com.TcpAddressEdit->text()),
             com.UdpCheck->isChecked(), text(com.UdpAddressEdit->text())},
            com.NetReceivedCheck->isChecked()};
}

// The addresses first: checking a box starts the output at its address.
void restoreNetwork(TVimoComDlg& com, const KeptNetworkOutput& kept) {
    com.TcpAddressEdit->setText(text(kept.where.tcpAddress));
    com.UdpAddressEdit->setText(text(kept.where.udpAddress));
    com.NetReceivedCheck->setChecked(kept.sendReceived);
    com.TcpServerCheck->setChecked(kept.where.tcp);
    com.UdpCheck->setChecked(kept.where.udp);
}

KeptSource gatherSource(const UiContext& context) {
    const NavState& nav = context.program.nav;
    KeptSource s{nav.ManualLat,
                 nav.ManualLon,
                 nav.ManualCourse,
                 nav.ManualSpeed,
                 nav.ManualLatValue,
                 nav.ManualLonValue,
                 nav.ManualCourseValue,
                 nav.ManualSpeedValue,
                 nav.WindDir,
                 nav.WindSpeed,
                 nav.CurrentDir,
                 nav.CurrentSpeed,
                 {}};
    if (const TVimoSourDlg* dlg = context.windows.sourDlg; dlg && dlg->controlsBuilt())
        s.typed = dlg->typedEntry();
    return s;
}

WindowPlace gatherPlace(const QWidget* window) {
    if (!window || !window->isVisible())
        return {};
    // The client area, asked of the window system: the place Qt keeps can miss the window
    // manager's framing, which made a window creep at each start.
    const QPoint client = window->mapToGlobal(QPoint(0, 0));
    return {true, client.x(), client.y(), window->width(), window->height()};
}

KeptAlarms gatherAlarms(const UiContext& context) {
    const AlarmMonitor& monitor = context.program.alarms;
    return {monitor.AlarmOn, monitor.limits, monitor.fields, monitor.IntervalSeconds};
}

void restorePorts(UiContext& context, const std::array<KeptPort, 2>& ports) {
    TVimoComDlg* com = context.windows.comDlg;
    if (!com)
        return;
    for (int port = 1; port <= 2; ++port) {
        const KeptPort& kept = ports[port - 1];
        const PortGroups groups = portGroups(*com, port);
        for (const PortSetting& s : portSettings)
            selectItem(groups.*s.group, kept.*s.value);
        groups.sendRoute->setChecked(kept.sendRoute);
        groups.sendReceived->setChecked(kept.sendReceived);
        if (!kept.device.empty())
            com->deviceChoice(port)->setEditText(text(kept.device));
        if (kept.on)
            com->switchOnAtStart(port);
    }
}

void restoreSentences(UiContext& context, const KeptSettings& kept) {
    context.program.reception.gps = kept.gps;
    context.program.reception.extended = kept.extended;
    TVimoComDlg* com = context.windows.comDlg;
    if (!com)
        return;
    setTexts({{com->EditNMEASentence, &kept.gps.sentence},
              {com->EditLatPos, &kept.gps.latitudeField},
              {com->EditNSPos, &kept.gps.northSouthField},
              {com->EditLonPos, &kept.gps.longitudeField},
              {com->EditWEPos, &kept.gps.westEastField},
              {com->EditSpeedPos, &kept.gps.speedField},
              {com->EditCoursePos, &kept.gps.courseField},
              {com->EditSentence, &kept.extended.sentence},
              {com->EditPosition, &kept.extended.field},
              {com->EditAlias, &kept.extended.alias}});
}

void restoreSource(UiContext& context, const KeptSettings& kept) {
    const KeptSource& s = kept.source;
    NavState& nav = context.program.nav;
    nav.ManualLat = s.manualLat;
    nav.ManualLon = s.manualLon;
    nav.ManualCourse = s.manualCourse;
    nav.ManualSpeed = s.manualSpeed;
    nav.ManualLatValue = s.lat;
    nav.ManualLonValue = s.lon;
    nav.ManualCourseValue = s.course;
    nav.ManualSpeedValue = s.speed;
    nav.WindDir = s.windDir;
    nav.WindSpeed = s.windSpeed;
    nav.CurrentDir = s.currentDir;
    nav.CurrentSpeed = s.currentSpeed;
    TVimoSourDlg* dlg = context.windows.sourDlg;
    if (dlg && differsFromDefaults(kept, "SourceFields")) {
        dlg->ensureControls();
        setSourceFields(*dlg, s.typed);
    }
}

// The limits in force come back as they were captured, the start of a passage included; the
// first alarm tick evaluates them.
void restoreAlarms(UiContext& context, const KeptSettings& kept) {
    const KeptAlarms& a = kept.alarms;
    AlarmMonitor& monitor = context.program.alarms;
    monitor.AlarmOn = a.on;
    monitor.limits = a.limits;
    monitor.fields = a.fields; // the window's fields show them when it is first opened
    if (std::find(a.on.begin(), a.on.end(), true) != a.on.end())
        monitor.AlarmPhase = true; // flipped to false by the next tick, which then evaluates
    monitor.IntervalSeconds = a.intervalSeconds;
    TVimoLarmDlg* dlg = context.windows.larmDlg;
    if (!dlg)
        return;
    if (a.intervalSeconds != KeptAlarms{}.intervalSeconds) {
        dlg->ensureControls();
        dlg->SpinEdit1->setValue(a.intervalSeconds);
    }
}

void restoreLog(UiContext& context, const KeptLog& log) {
    context.program.nav.LogOn = log.on;
    context.program.nav.LogInterval = log.interval;
    context.program.logbook.LogText = log.text;
    if (!log.file.empty())
        context.program.logbook.useFile(context.files, log.file);
}

// A table loaded from a file is loaded again; when the file cannot be, its kept values serve.
void restoreBoatTables(UiContext& context, BoatTables tables) {
    const auto reload = [&context](std::string& file, std::string_view extension,
                                   BoatTable& table) {
        if (!file.empty() &&
            loadBoatTable(context.files, file, extension, table) != BoatFileResult::Done)
            file.clear();
    };
    reload(tables.SpeedFile, ".SPE", tables.SpeedTable);
    reload(tables.LeewayFile, ".LEE", tables.LeewayTable);
    context.program.boatTables = tables;
}

void restoreChart(UiContext& context, const KeptChart& chart) {
    ProgramParts& program = context.program;
    program.chartSettings = chart.settings;
    program.chartSettings.ChartSettingsChanged = program.chartSettings.DetailSettingsChanged = true;
    program.chart.AutoSelect = chart.autoSelect;
    program.chart.FollowBoat = chart.followBoat;
    if (TMapA* map = context.windows.mapA) {
        map->FollowBoat1->setChecked(chart.followBoat);
        map->zoomTo(chart.zoom);
    }
    if (chart.mapFile.empty())
        return;
    bool opened = false;
    program.selection.openMapFile(context.files, chart.mapFile, opened);
    if (opened && chart.record != program.chart.MapIndex)
        program.selection.showRecord(context.files, chart.record);
}

void restoreRoute(UiContext& context, const KeptRoute& kept) {
    context.program.route = keptRoute(kept);
    if (TVimoWaypDlg* wayp = context.windows.waypDlg; wayp && kept.current > 0)
        wayp->ShowWaypoint(kept.current);
}

// The mode items switch as the sailor's clicks do; "Show position" is on at start.
void restoreChartMode(TMapA& map, ChartWindowMode mode) {
    if (mode == ShowPosition)
        return;
    for (const ModeItem& m : modeItems)
        if (m.mode == mode || (mode == None && m.mode == ShowPosition))
            (map.*m.item)->trigger();
}

bool onAScreen(const QRect& frame) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
        return screen->availableGeometry().intersects(frame);
    });
}

// A window opens where it was, unless that is on no screen now. Its client area is placed before
// it is shown, so that the window manager maps it there and frames it around. A window the
// sailor had closed stays closed, though the chart's mode opens it.
void restorePlace(QWidget* window, const WindowPlace& place) {
    if (!window)
        return;
    if (!place.open) {
        window->hide();
        return;
    }
    if (const QRect client(place.x, place.y, place.width, place.height);
        place.width > 0 && onAScreen(client))
        window->setGeometry(client);
    window->show();
}

} // namespace

KeptSettings gatherKept(UiContext& context) {
    const ProgramParts& program = context.program;
    const WindowRegistry& w = context.windows;
    KeptSettings kept;
    if (w.comDlg) {
        for (int port = 1; port <= 2; ++port)
            kept.ports[port - 1] = gatherPort(*w.comDlg, port);
        kept.network = gatherNetwork(*w.comDlg);
    }
    kept.gps = program.reception.gps;
    kept.extended = program.reception.extended;
    kept.source = gatherSource(context);
    kept.chart = {program.chart.MapFilePath, program.chart.MapIndex, program.chart.AutoSelect,
                  program.chart.ChartMode,   program.chartSettings,  program.chart.FollowBoat,
                  program.chart.Zoom.step};
    if (w.mainDlg)
        kept.mainWindowTop = w.mainDlg->y();
    for (int i = 0; i < keptWindowCount; ++i)
        kept.windows[i] = gatherPlace(windowOf(w, static_cast<KeptWindow>(i)));
    kept.alarms = gatherAlarms(context);
    kept.log = {program.logbook.LogFileSelected ? program.logbook.LogFileName : std::string(),
                program.nav.LogOn, program.nav.LogInterval, program.logbook.LogText};
    kept.boat = program.boatTables;
    kept.route = keptRouteOf(program.route);
    kept.palette = shownPalette();
    kept.aisOwnMmsi = static_cast<int>(program.aisTargets.ownMmsi);
    return kept;
}

void restoreKept(UiContext& context, const KeptSettings& kept) {
    const WindowRegistry& w = context.windows;
    // The palette first, so that no window opens in the wrong one.
    if (w.mainDlg)
        w.mainDlg->PaletteClick(kept.palette);
    restoreSentences(context, kept);
    restoreSource(context, kept);
    restoreAlarms(context, kept);
    restoreLog(context, kept.log);
    restoreBoatTables(context, kept.boat);
    restoreChart(context, kept.chart);
    // Showing the chart window empties the route, so the route comes after it; the chart is
    // loaded at once for the mode to draw on.
    restorePlace(w.mapA, kept.windows[static_cast<int>(KeptWindow::Chart)]);
    if (w.mapA && context.program.chart.ReloadRequest)
        w.mapA->Timer1Timer();
    restoreRoute(context, kept.route);
    context.program.aisTargets.ownMmsi = static_cast<std::uint32_t>(kept.aisOwnMmsi);
    restorePorts(context, kept.ports);
    if (w.comDlg)
        restoreNetwork(*w.comDlg, kept.network);
    if (w.mapA)
        restoreChartMode(*w.mapA, kept.chart.mode);
    // The mode shows and hides the waypoint and optimum windows: the windows follow it.
    for (int i = 0; i < keptWindowCount; ++i)
        if (static_cast<KeptWindow>(i) != KeptWindow::Chart)
            restorePlace(windowOf(w, static_cast<KeptWindow>(i)), kept.windows[i]);
    if (QWidget* main = w.mainDlg;
        main && onAScreen(QRect(main->x(), kept.mainWindowTop, main->width(), main->height())))
        main->move(main->x(), kept.mainWindowTop);
}

} // namespace brisomar
