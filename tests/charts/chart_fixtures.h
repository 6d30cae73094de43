#pragma once

#include "charts/chart_state.h"

#include <string>

namespace brisomar::testing {

// A corner-only chart with easy numbers: north 60 at row 0, south 50 at row `rows`, west 10
// at column 0, east 0 (Greenwich) at column `columns`.
inline MapRecord easyRecord(const std::string& bitmap, int rows = 1000, int columns = 1000) {
    MapRecord r;
    r.FileName = bitmap;
    r.InfoText = "Easy chart";
    r.CalLat[0] = Real48(60.0L);
    r.CalLat[6] = Real48(50.0L);
    r.CalLon[0] = Real48(10.0L);
    r.CalLon[6] = Real48(0.0L);
    r.CalRow[6] = rows;
    r.CalCol[6] = columns;
    return r;
}

// A chart from (north, west) to (south, east), corners only, 100 pixels a degree.
inline MapRecord recordBetween(const std::string& bitmap, long double north, long double west,
                               long double south, long double east) {
    MapRecord r;
    r.FileName = bitmap;
    r.CalLat[0] = Real48(north);
    r.CalLat[6] = Real48(south);
    r.CalLon[0] = Real48(west);
    r.CalLon[6] = Real48(east);
    r.CalRow[6] = static_cast<int>((north - south) * 100);
    r.CalCol[6] = static_cast<int>((west - east) * 100);
    return r;
}

} // namespace brisomar::testing
