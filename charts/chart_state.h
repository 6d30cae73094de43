#pragma once

#include "base/real48.h"
#include "charts/chart_quilt.h"
#include "charts/chart_zoom.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace brisomar {

// One chart of a map file: its bitmap, a line of text and up to seven calibration points per
// axis. Point 1 is the north (west) edge, point 7 the south (east) edge, points 2..6 optional
// intermediate ones from north to south (west to east), 0 when unused. Latitudes north
// positive, longitudes west positive, degrees; rows grow southward, columns eastward.
struct MapRecord {
    std::string FileName; // UTF-8 in memory, Windows-1252 in the file
    std::string InfoText;
    std::array<Real48, 7> CalLat{}, CalLon{};
    std::array<std::int32_t, 7> CalRow{}, CalCol{};

    // Calibration points numbered 1 to 7, as the map file numbers them.
    Real48 lat(int point) const { return CalLat[point - 1]; }
    Real48 lon(int point) const { return CalLon[point - 1]; }
    std::int32_t row(int point) const { return CalRow[point - 1]; }
    std::int32_t col(int point) const { return CalCol[point - 1]; }
};

inline constexpr int mapRecordCount = 25;
using MapTable = std::array<MapRecord, mapRecordCount>;

// A rectangle of bitmap pixels; Left <= Right and Top <= Bottom.
struct PixelRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A pixel's colour.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// What the boat symbol shows besides the boat's pixel: the heading its hull points along,
// degrees true, and the end of its course line, in pixels from the boat's.
struct BoatSymbol {
    long double heading = 0;
    PixelPoint courseLine;
    friend bool operator==(const BoatSymbol&, const BoatSymbol&) = default;
};

class ChartSurface;
struct ChartSettings;

// The boat's position mark: the cross, two arms of 2 x MarkSize + 1 pixels (at most 23), three
// pixels thick when MarkWidth is 3, or the boat symbol when Boat is set. It is drawn black into
// the picture and erased by writing back the colours saved from under it, so it never needs the
// chart repainted.
class PositionMark {
public:
    int MarkSize = 11;
    int MarkWidth = 3;
    std::optional<BoatSymbol> Boat;
    bool BlinkPhase = false;

    // Keeps the colours under the mark at (x, y): restoring and drawing cover those pixels.
    void SaveMarkPixels(const ChartSurface& surface, int x, int y);
    void RestoreMarkPixels(ChartSurface& surface) const;
    void DrawMark(ChartSurface& surface) const;
    // Off on one call, on on the next: the mark shows every other tick.
    void BlinkMark(ChartSurface& surface);

private:
    std::vector<PixelPoint> crossPixels(int x, int y) const;

    std::vector<PixelPoint> pixels_; // where the mark was saved
    std::vector<Rgb> saved_;
};

// The position and track steps of one chart window: the cross where the boat is, or a track
// line to it. (0, 0) stands for no last point. The steps are drawn by chart_marks.cpp.
class PositionTrack {
public:
    PositionMark mark;
    int LastX = 0, LastY = 0;
    bool TrackRestart = false;
    // The position and its fix time (a fraction of a day) at the track's last step.
    struct Fix {
        Real48 lat, lon, time;
    };
    std::optional<Fix> lastFix;
    // The track's positions since the picture was fresh, each line's first marked, so that it
    // can be drawn again at another zoom; the oldest go beyond maxKeptSteps.
    struct KeptStep {
        Real48 lat, lon;
        bool startsLine = false;
    };
    static constexpr std::size_t maxKeptSteps = 20000;
    std::deque<KeptStep> kept;

    bool hasLast() const { return LastY > 0 || LastX > 0; }

    // Moves the mark to (x, y), as the boat symbol `boat` when given, and blinks it; takes new
    // cross settings when `settingsChanged`.
    void positionStep(ChartSurface& surface, int x, int y, bool& settingsChanged,
                      const ChartSettings& settings, const std::optional<BoatSymbol>& boat = {});
    // Extends the track to (x, y) if the boat has moved to another pixel.
    void trackStep(ChartSurface& surface, int x, int y, const ChartSettings& settings);
    // Leaves show-position: erases the cross.
    void erasePosition(ChartSurface& surface) const;
};

// The route drawn over the chart in every mode: the waypoint marks, the legs between them and a
// line from the boat's cross to the active waypoint. The colour under each of its pixels is kept,
// so erasing it gives back the picture as it was; a pixel drawn over since (the track) stays.
// Drawn by chart_marks.cpp.
class RouteOverlay {
public:
    struct Spot {
        int x = 0, y = 0;
        Rgb under, drawn;
    };

    // What the overlay was drawn from (the waypoints' and the boat's pixels, the active
    // waypoint): it is drawn anew only when that changes.
    std::vector<int> drawnFrom;
    std::vector<Spot> spots; // in drawing order
    // Waypoints set by a click are marked where the sailor clicked, whatever pixel their stored
    // position converts back to.
    struct Clicked {
        Real48 lat, lon;
        int x = 0, y = 0; // chart pixels
    };
    std::vector<Clicked> clicked;

    void erase(ChartSurface& surface);
    // After a fresh copy of the picture: nothing of it is left to erase.
    void forget() { *this = RouteOverlay{}; }
};

// The item checked in the chart window's Mode menu: what its timer draws and which mouse tools
// answer. None when no item is checked.
enum class ChartWindowMode {
    ShowPosition,
    ShowTrack,
    ShowWaypoints,
    ShowLogFile,
    SearchOptimum,
    SetWaypoints,
    None
};

// The chart in use and everything the chart windows share about it.
struct ChartState {
    MapTable Table{};
    int MapIndex = 1; // 1..25: the record shown in the selection dialog and last selected
    std::string MapFilePath;
    bool AutoSelect = false;
    int AutoSelectTicks = 0;
    bool ChartUsable = false;
    std::string ChartFileName; // the bitmap of the chart in use, as found on this machine
    bool ReloadRequest = false;
    bool ChartWindowShown = false;
    Real48 ChartNWLat, ChartNWLon, ChartSELat, ChartSELon;
    PixelPoint ChartSize; // of the bitmap of the chart in use

    // How many calibration latitudes (longitudes) the degree-to-pixel conversions use.
    int LatPointCount = 0, LonPointCount = 0;

    // The detail window's region and where the last converted row and column lie in it.
    PixelRect DetailRect;
    Real48 DetailNLat, DetailWLon, DetailSLat, DetailELon;
    Real48 DetailRowRatio, DetailColRatio;
    bool DetailRowValid = false, DetailColValid = false;

    ChartWindowMode ChartMode = ChartWindowMode::ShowPosition;
    bool ChartDrawEnabled = true;  // the timer may draw; off while a mouse tool drags
    PositionTrack ChartTrack;      // the chart window's cross and track
    PositionTrack ChartCross;      // its cross in the modes other than show position
    RouteOverlay Route;            // the chart window's route
    bool FollowBoat = true;        // the chart window scrolls to keep the cross in sight
    PositionTrack DetailTrack;     // the detail window's, in its own pixels
    ChartZoom Zoom;                // the chart window's, marks and mouse converted through it
    std::vector<QuiltPiece> Quilt; // the charts drawn as one with the chart in use

    const MapRecord& record() const { return Table[MapIndex - 1]; }
};

} // namespace brisomar
