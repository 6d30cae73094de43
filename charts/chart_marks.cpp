#include "charts/chart_marks.h"

#include "charts/boat_symbol.h"
#include "charts/chart_geometry.h"
#include "navcalc/navigation_math.h"

#include <unordered_map>
#include <utility>

namespace brisomar {

std::vector<PixelPoint> PositionMark::crossPixels(int x, int y) const {
    std::vector<PixelPoint> pixels;
    const int s = MarkSize;
    const int thickness = MarkWidth == 3 ? 1 : 0;
    for (int row = y - thickness; row <= y + thickness; ++row)
        for (int column = x - s; column <= x + s; ++column)
            pixels.push_back({column, row});
    for (int column = x - thickness; column <= x + thickness; ++column)
        for (int row = y - s; row <= y + s; ++row)
            if (row < y - thickness || row > y + thickness)
                pixels.push_back({column, row});
    return pixels;
}

void PositionMark::SaveMarkPixels(const ChartSurface& surface, int x, int y) {
    pixels_ = Boat ? boatSymbolPixels({x, y}, *Boat) : crossPixels(x, y);
    saved_.clear();
    for (const PixelPoint p : pixels_)
        saved_.push_back(surface.pixel(p.x, p.y));
}

void PositionMark::RestoreMarkPixels(ChartSurface& surface) const {
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        surface.setPixel(pixels_[i].x, pixels_[i].y, saved_[i]);
}

void PositionMark::DrawMark(ChartSurface& surface) const {
    for (const PixelPoint p : pixels_)
        surface.setPixel(p.x, p.y, black);
}

void PositionMark::BlinkMark(ChartSurface& surface) {
    BlinkPhase = !BlinkPhase;
    if (BlinkPhase)
        RestoreMarkPixels(surface);
    else
        DrawMark(surface);
}

// A boat symbol turned or with another course line is saved anew as a mark moved would be.
void PositionTrack::positionStep(ChartSurface& surface, int x, int y, bool& settingsChanged,
                                 const ChartSettings& settings,
                                 const std::optional<BoatSymbol>& boat) {
    if (x != LastX || y != LastY || boat != mark.Boat) {
        if (hasLast())
            mark.RestoreMarkPixels(surface);
        LastX = x;
        LastY = y;
        mark.Boat = boat;
        mark.SaveMarkPixels(surface, x, y);
    }
    if (settingsChanged) {
        settingsChanged = false;
        mark.RestoreMarkPixels(surface);
        mark.MarkSize = settings.PosSize;
        mark.MarkWidth = settings.PosWidth;
        mark.SaveMarkPixels(surface, x, y);
    }
    mark.BlinkMark(surface);
}

void PositionTrack::trackStep(ChartSurface& surface, int x, int y, const ChartSettings& settings) {
    if (x == LastX && y == LastY)
        return;
    if (TrackRestart)
        TrackRestart = false;
    else if (hasLast())
        surface.line({LastX, LastY}, {x, y}, trackPen(settings));
    LastX = x;
    LastY = y;
}

void PositionTrack::erasePosition(ChartSurface& surface) const {
    if (hasLast())
        mark.RestoreMarkPixels(surface);
}

Pen trackPen(const ChartSettings& s) {
    Pen pen;
    pen.width = s.LineWidth;
    pen.style = s.TrackStyle == 0   ? PenStyle::Solid
                : s.TrackStyle == 1 ? PenStyle::Dash
                                    : PenStyle::Dot;
    pen.colour = s.TrackColor == 0 ? black : s.TrackColor == 1 ? blue : red;
    return pen;
}

namespace {

// The detail window's pixel of the position, from the ratios of the last conversion.
bool detailPixel(const ChartSurface& surface, const ChartState& chart, const NavState& nav, int& x,
                 int& y) {
    if (!PositionOnChart(nav.PosLat, nav.PosLon, chart.DetailNLat, chart.DetailWLon,
                         chart.DetailSLat, chart.DetailELon) ||
        !chart.DetailRowValid || !chart.DetailColValid)
        return false;
    y = ScalePixel(surface.height(), chart.DetailRowRatio);
    x = ScalePixel(surface.width(), chart.DetailColRatio);
    return true;
}

} // namespace

// The course line's end is converted before the position, whose conversion leaves the ratios
// the detail window draws by.
void DrawPosition(ChartSurface& surface, ChartState& chart, const NavState& nav,
                  PositionTrack& steps, ChartSettings& settings) {
    std::optional<PixelPoint> courseEnd;
    if (settings.MarkSymbol == PositionSymbol::Boat) {
        const GeoPoint end = courseLineEnd({nav.PosLat, nav.PosLon}, nav.PosCourse, nav.PosSpeed);
        courseEnd = chart.Zoom.toView({LonToChartX(chart, end.lon), LatToChartY(chart, end.lat)});
    }
    const auto at = viewPixel(chart, nav.PosLat, nav.PosLon);
    if (!at)
        return;
    std::optional<BoatSymbol> boat;
    if (courseEnd)
        boat = BoatSymbol{HeadingInUse(nav).value(), {courseEnd->x - at->x, courseEnd->y - at->y}};
    steps.positionStep(surface, at->x, at->y, settings.ChartSettingsChanged, settings, boat);
}

namespace {

constexpr long double secondsPerDay = 86400;
constexpr long double longestSilenceSeconds = 60;
constexpr long double fastestKnots = 50;

// Whether the position jumped since the track's last step: a fix after more than a minute
// without one, or one farther than the boat could have sailed at 50 knots. A position that
// changed without a new fix (typed by hand) is no jump.
bool positionJumped(PositionTrack& steps, const NavState& nav) {
    const PositionTrack::Fix fix{nav.PosLat, nav.PosLon, nav.LastUpdate};
    const std::optional<PositionTrack::Fix> last = std::exchange(steps.lastFix, fix);
    if (!last || last->time == fix.time)
        return false;
    long double seconds = (fix.time.value() - last->time.value()) * secondsPerDay;
    if (seconds < 0)
        seconds += secondsPerDay; // past midnight
    return seconds > longestSilenceSeconds ||
           DistanceNm(last->lat, last->lon, fix.lat, fix.lon).value() >
               fastestKnots * seconds / 3600;
}

} // namespace

void DrawTrack(ChartSurface& surface, ChartState& chart, const NavState& nav, PositionTrack& steps,
               const ChartSettings& settings) {
    if (positionJumped(steps, nav))
        steps.TrackRestart = true; // no line across the jump
    const auto at = viewPixel(chart, nav.PosLat, nav.PosLon);
    if (!at)
        return;
    if (at->x != steps.LastX || at->y != steps.LastY) {
        steps.kept.push_back({nav.PosLat, nav.PosLon, steps.TrackRestart || !steps.hasLast()});
        if (steps.kept.size() > PositionTrack::maxKeptSteps)
            steps.kept.pop_front();
    }
    steps.trackStep(surface, at->x, at->y, settings);
}

void redrawTrack(ChartSurface& surface, ChartState& chart, PositionTrack& steps,
                 const ChartSettings& settings) {
    const bool restart = steps.TrackRestart;
    steps.LastX = steps.LastY = 0;
    for (const PositionTrack::KeptStep& step : steps.kept) {
        const auto at = viewPixel(chart, step.lat, step.lon);
        steps.TrackRestart = steps.TrackRestart || step.startsLine || !at;
        if (at)
            steps.trackStep(surface, at->x, at->y, settings);
    }
    steps.TrackRestart = restart;
}

void drawUnderCross(ChartSurface& surface, PositionTrack& steps,
                    const std::function<void()>& draw) {
    const bool crossOn = steps.hasLast() && !steps.mark.BlinkPhase;
    if (crossOn)
        steps.mark.RestoreMarkPixels(surface);
    draw();
    if (!steps.hasLast())
        return;
    steps.mark.SaveMarkPixels(surface, steps.LastX, steps.LastY);
    if (crossOn)
        steps.mark.DrawMark(surface);
}

void takeCrossOff(ChartSurface& surface, PositionTrack& steps) {
    if (steps.hasLast() && !steps.mark.BlinkPhase)
        steps.mark.RestoreMarkPixels(surface);
    steps.LastX = steps.LastY = 0;
    steps.mark.BlinkPhase = false;
}

std::array<PixelPoint, 9> waypointMarkPixels(int x, int y) {
    return {PixelPoint{x, y}, {x, y + 3},     {x, y - 3},     {x + 3, y},    {x - 3, y},
            {x + 2, y + 2},   {x - 2, y - 2}, {x - 2, y + 2}, {x + 2, y - 2}};
}

void RouteOverlay::erase(ChartSurface& surface) {
    for (auto spot = spots.rbegin(); spot != spots.rend(); ++spot)
        if (surface.pixel(spot->x, spot->y) == spot->drawn)
            surface.setPixel(spot->x, spot->y, spot->under);
    spots.clear();
    drawnFrom.clear();
}

namespace {

// A pixel of the chart in use for a position; none off the chart.
struct ChartSpot {
    bool onChart = false;
    PixelPoint pixel;
};

ChartSpot chartSpot(ChartState& chart, Real48 lat, Real48 lon) {
    const auto at = viewPixel(chart, lat, lon);
    return at ? ChartSpot{true, *at} : ChartSpot{};
}

ChartSpot waypointSpot(ChartState& chart, const TWaypoint& waypoint) {
    for (const RouteOverlay::Clicked& c : chart.Route.clicked)
        if (c.lat == waypoint.Lat && c.lon == waypoint.Lon)
            return {true, chart.Zoom.toView({c.x, c.y})};
    return chartSpot(chart, waypoint.Lat, waypoint.Lon);
}

// The route's pixels over the picture.
class OverlayPainter : public SpotPainter {
public:
    OverlayPainter(ChartSurface& surface, RouteOverlay& overlay)
        : SpotPainter(surface, overlay.spots) {}

    void line(ChartSpot from, ChartSpot to, const Pen& pen) {
        if (!from.onChart || !to.onChart)
            return;
        for (const PixelPoint p : lineFootprint(from.pixel, to.pixel, pen))
            paint(p, pen.colour);
    }

    void waypointMark(ChartSpot at) {
        if (!at.onChart)
            return;
        for (const PixelPoint p : waypointMarkPixels(at.pixel.x, at.pixel.y))
            paint(p, red);
    }
};

const Pen legPen{1, PenStyle::Solid, magenta, false};
const Pen courseLinePen{1, PenStyle::Dash, magenta, false};

// What the overlay is drawn from, as numbers to compare.
std::vector<int> overlayKey(const std::vector<ChartSpot>& waypoints, ChartSpot boat, int active) {
    std::vector<int> key{active, boat.onChart, boat.pixel.x, boat.pixel.y};
    for (const ChartSpot& w : waypoints)
        key.insert(key.end(), {w.onChart, w.pixel.x, w.pixel.y});
    return key;
}

} // namespace

void updateRouteOverlay(ChartSurface& surface, ChartState& chart, const WaypointRoute& route,
                        const NavState& nav, PositionTrack& steps) {
    std::vector<ChartSpot> waypoints;
    for (int n = 1; n <= route.WaypointCount && n <= maxWaypoints && !route[n].isEnd(); ++n)
        waypoints.push_back(waypointSpot(chart, route[n]));
    const int sailedTo = route.sailing.ActiveWaypoint;
    const bool sailing =
        !route.sailing.RouteDone && sailedTo >= 1 && sailedTo <= static_cast<int>(waypoints.size());
    const int active = sailing ? sailedTo : 0;
    const ChartSpot boat = chartSpot(chart, nav.PosLat, nav.PosLon);
    // Without waypoints nothing is drawn, wherever the boat is.
    std::vector<int> key =
        waypoints.empty() ? std::vector<int>{} : overlayKey(waypoints, boat, active);
    if (key == chart.Route.drawnFrom)
        return;
    drawUnderCross(surface, steps, [&] {
        chart.Route.erase(surface);
        chart.Route.drawnFrom = std::move(key);
        OverlayPainter painter(surface, chart.Route);
        for (std::size_t i = 1; i < waypoints.size(); ++i)
            painter.line(waypoints[i - 1], waypoints[i], legPen);
        if (active > 0)
            painter.line(boat, waypoints[active - 1], courseLinePen);
        for (const ChartSpot& w : waypoints)
            painter.waypointMark(w);
    });
}

void detailPositionStep(ChartSurface& surface, const ChartState& chart, NavState& nav,
                        PositionTrack& steps, ChartSettings& settings) {
    int x = 0, y = 0;
    if (detailPixel(surface, chart, nav, x, y))
        steps.positionStep(surface, x, y, settings.DetailSettingsChanged, settings);
    else
        nav.PosOutsideDetailChart = true;
}

void detailTrackStep(ChartSurface& surface, const ChartState& chart, NavState& nav,
                     PositionTrack& steps, const ChartSettings& settings) {
    int x = 0, y = 0;
    if (detailPixel(surface, chart, nav, x, y))
        steps.trackStep(surface, x, y, settings);
    else
        nav.PosOutsideDetailChart = true;
}

void markClickedWaypoint(ChartSurface& surface, ChartState& chart, const TWaypoint& waypoint,
                         PixelPoint view) {
    const PixelPoint at = chart.Zoom.toChart(view);
    chart.Route.clicked.push_back({waypoint.Lat, waypoint.Lon, at.x, at.y});
    OverlayPainter(surface, chart.Route).waypointMark({true, view});
}

void drawWaypointMark(ChartSurface& surface, int x, int y) {
    for (const PixelPoint p : waypointMarkPixels(x, y))
        surface.setPixel(p.x, p.y, red);
}

WaypointMark DrawWaypoint(ChartSurface& surface, ChartState& chart, const TWaypoint& waypoint) {
    WaypointMark mark;
    const auto at = viewPixel(chart, waypoint.Lat, waypoint.Lon);
    mark.shown = at.has_value();
    mark.x = at.value_or(PixelPoint{}).x;
    mark.y = at.value_or(PixelPoint{}).y;
    if (Real48(chart.ChartSELon.value() - chart.ChartNWLon.value()).isZero() ||
        Real48(chart.ChartSELat.value() - chart.ChartNWLat.value()).isZero())
        mark.shown = false;
    if (mark.shown)
        drawWaypointMark(surface, mark.x, mark.y);
    return mark;
}

bool drawWaypointsMostlyOutside(ChartSurface& surface, ChartState& chart,
                                const WaypointRoute& route) {
    int drawn = 0, notDrawn = 0;
    for (int n = 1; n <= maxWaypoints && !route[n].isEnd(); ++n)
        ++(DrawWaypoint(surface, chart, route[n]).shown ? drawn : notDrawn);
    return drawn < notDrawn;
}

bool drawLogPositions(ChartSurface& surface, ChartState& chart, const Logbook& log,
                      FileSystem& files) {
    if (!files.exists(log.LogViewFile) || !(0 < log.LogShowFrom && log.LogShowFrom < log.LogShowTo))
        return false;
    for (int n = log.LogShowFrom; n <= log.LogShowTo; ++n) {
        std::string error;
        const auto record = readLogRecord(files, log.LogViewFile, n, error);
        if (!record)
            break; // past the end of the file
        const auto at = viewPixel(chart, record->Lat, record->Lon);
        if (!at)
            continue;
        for (int d = -2; d <= 2; ++d) {
            surface.setPixel(at->x + d, at->y, black);
            surface.setPixel(at->x, at->y + d, black);
        }
    }
    return true;
}

SpotPainter::SpotPainter(ChartSurface& surface, std::vector<RouteOverlay::Spot>& spots)
    : surface_(surface), spots_(spots) {}

void SpotPainter::paint(PixelPoint p, Rgb colour) {
    if (!surface_.contains(p.x, p.y))
        return;
    const auto key = static_cast<long long>(p.y) * surface_.width() + p.x;
    const auto [found, fresh] = index_.try_emplace(key, spots_.size());
    if (fresh)
        spots_.push_back({p.x, p.y, surface_.pixel(p.x, p.y), colour});
    else
        spots_[found->second].drawn = colour;
    surface_.setPixel(p.x, p.y, colour);
}

} // namespace brisomar
