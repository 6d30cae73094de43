#pragma once

#include "app/real48.h"

#include <array>
#include <cstdint>
#include <string>

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

    // How many calibration latitudes (longitudes) the degree-to-pixel conversions use.
    int LatPointCount = 0, LonPointCount = 0;

    // The detail window's region and where the last converted row and column lie in it.
    PixelRect DetailRect;
    Real48 DetailNLat, DetailWLon, DetailSLat, DetailELon;
    Real48 DetailRowRatio, DetailColRatio;
    bool DetailRowValid = false, DetailColValid = false;

    const MapRecord& record() const { return Table[MapIndex - 1]; }
};

} // namespace brisomar
