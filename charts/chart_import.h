#pragma once

#include "base/file_system.h"
#include "charts/chart_selection.h"
#include "charts/chart_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brisomar {

// Importing a georeferenced chart: the geometry and the map-file rules that need no raster
// library. The raster side (opening, warping to north-up Mercator, reducing to a palette)
// lives in the chart import module and hands over the sampled georeference of each chart.

// ---- The 8-bit palette bitmap the tiles are written as ----

using Palette = std::array<Rgb, 256>;

// The bytes of an uncompressed 8-bit Windows bitmap of width x height (headers, palette, rows).
std::uint64_t paletteBitmapBytes(std::uint64_t width, std::uint64_t height);

// An uncompressed 8-bit Windows bitmap, filled in place so that a tile is held once: its rows
// are written from the top, `stride()` bytes apart, then `finish` adds the palette and turns
// them into the file's bottom-up order.
class PaletteBitmap {
public:
    PaletteBitmap(int width, int height);
    std::uint8_t* pixels() { return bytes_.data() + headBytes; }
    std::size_t stride() const { return stride_; }
    Bytes finish(const Palette& palette) &&;

    static constexpr std::size_t headBytes = 14 + 40 + 256 * 4; // headers and palette

private:
    int height_;
    std::size_t stride_;
    Bytes bytes_;
};

// ---- Calibration of one axis ----

// A piecewise-linear calibration of one axis: `count` points at increasing pixels, the first at
// pixel 0 and the last at the far edge, with the degrees GDAL gives there.
struct AxisCalibration {
    std::vector<std::int32_t> pixels;
    std::vector<double> degrees;
    // The largest distance, in pixels, between a sampled pixel edge and where the calibration
    // puts its degrees.
    double maxErrorPixels = 0;

    // Where the calibration puts `value`, in fractional pixels.
    double pixelOf(double value) const;
};

// The calibration points of an axis whose pixel edge i (0 .. n) lies at degreesAtEdge[i]
// (strictly monotonic): the two edges and, when a straight line is not exact, five intermediate
// points placed so that the largest error of the piecewise-linear calibration is as small as it
// can be. An intermediate point never falls on 0 degrees, which a map record reads as unused.
AxisCalibration calibrateAxis(std::span<const double> degreesAtEdge);

// ---- Tiles ----

inline constexpr int tileOverlap = 128; // pixels shared by neighbouring tiles
inline constexpr double maxCalibrationErrorPixels = 1.0;

struct TileRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const TileRect&, const TileRect&) = default;
};

// The fewest tiles of at most maxRows rows that cover width x height, neighbours overlapping by
// at least tileOverlap pixels, each an 8-bit bitmap of fewer than `byteLimit` bytes; of as many,
// the widest, so that a source stored row by row is read once. In reading order; `columns`
// tiles per row.
struct TileGrid {
    std::vector<TileRect> tiles;
    int columns = 0;
};
TileGrid planTiles(int width, int height, std::uint64_t byteLimit, int maxRows);

// The georeference of a north-up raster as the import module samples it: latitude at each row
// edge (0 .. height) and longitude, east positive, at each column edge (0 .. width).
struct SampledGeoreference {
    int width = 0, height = 0;
    std::vector<double> latAtRow;
    std::vector<double> eastLonAtColumn;
};

struct TileCalibration {
    TileRect rect;
    AxisCalibration rows;    // latitudes
    AxisCalibration columns; // longitudes, west positive
};

// Cuts the raster into tiles below `byteLimit` and calibrates each; a tile whose calibration
// errs by more than maxCalibrationErrorPixels is cut smaller. Nothing when the raster is too
// small to calibrate (below two pixels a side), not monotonic, or cannot be cut under the limit.
std::optional<std::vector<TileCalibration>> calibratedTiles(const SampledGeoreference& geo,
                                                            std::uint64_t byteLimit);

// ---- What a source may declare, and where it may lie ----

// Whether a raster of width x height pixels can become tiles of one map file: neither side longer
// than largestImportSide, and no more pixels than the file's records hold as tiles below
// `byteLimit`. Asked by the chart import module before the raster's georeference is sampled or a
// pixel read, so that a source declaring any size is refused at once (and so defined here: the
// module does not link the core).
inline constexpr std::int64_t largestImportSide = 1 << 20;
inline bool fitsMapFile(std::int64_t width, std::int64_t height, std::uint64_t byteLimit) {
    return width >= 1 && height >= 1 && width <= largestImportSide && height <= largestImportSide &&
           static_cast<std::uint64_t>(width * height) <= byteLimit * mapRecordCount;
}

// A part of a north-up raster that a map record can hold: its first column on the raster and its
// georeference, latitudes within ±90° and longitudes within ±180°.
struct RasterPart {
    int column = 0;
    SampledGeoreference geo;
};

// The raster itself, or, when it crosses the 180° meridian, its part west of the meridian and its
// part east of it (the one column the meridian cuts belongs to neither, and a part narrower than
// two pixels is left out). Nothing, with the reason, when a latitude lies beyond ±90° or a
// longitude beyond ±180° other than across the meridian.
std::optional<std::vector<RasterPart>> partsOnTheGlobe(const SampledGeoreference& geo,
                                                       std::string& reason);

// ---- The map file ----

// The record a tile gets: bitmap name, text and calibration points.
MapRecord tileRecord(const TileCalibration& tile, const std::string& fileName,
                     const std::string& infoText);

// The tile's text: the chart's title and where the tile lies in its grid ("Approaches, part 2
// of 4 (row 1, column 2)"); the title alone for a chart of one tile.
std::string tileInfoText(const std::string& title, int index, const TileGrid& grid);

// A record nobody uses: no bitmap named.
bool recordIsFree(const MapRecord& record);

// The numbers (1 .. 25) of the first `count` free records from record `first` on; nothing, with
// the reason, when there are fewer.
std::optional<std::vector<int>> freeRecords(const MapTable& table, int first, int count,
                                            std::string& reason);

// The map file to import into: read whole, or empty when it does not exist yet; nothing, with
// the reason, when it does not read.
std::optional<MapTable> mapTableForImport(FileSystem& files, const std::string& path,
                                          std::string& reason);

// `bitmap` as a map record names it: relative to the map file's folder, with "/".
std::string nameRelativeToMapFile(const std::string& mapFile, const std::string& bitmap);

// The start of a tile's name made from a source's: the characters the map file's code page holds,
// without spaces around them, or "chart" when no letter or digit is left.
std::string tileStem(const std::string& source);

// ---- The error report ----

// A pixel (fractional, from the tile's top-left corner) and the position GDAL gives for it.
struct GeoSample {
    double x = 0, y = 0;
    double lat = 0, eastLon = 0;
};

struct CalibrationError {
    double pixels = 0;
    double metres = 0;
};

// The largest distance between where a tile's calibration puts each sampled position and the
// sample's own pixel, in pixels and in metres on the ground.
CalibrationError calibrationError(const TileCalibration& tile, std::span<const GeoSample> samples);

// ---- The raster library and the import ----

// Told how far the work has come (0 to 1); answers false to cancel it.
using ImportProgress = std::function<bool(double done)>;

// A georeferenced chart opened by the raster library, seen as the north-up raster (Mercator,
// or the chart itself when its rows are latitudes and its columns longitudes) it is imported as.
class GeoRaster {
public:
    virtual ~GeoRaster() = default;
    // The chart's own title, or empty.
    virtual std::string title() const = 0;
    virtual const SampledGeoreference& georeference() const = 0;
    // The position the library's own transform gives for a fractional pixel of the raster.
    virtual GeoSample position(double x, double y) const = 0;
    // The pixels of `tile` as palette indices into rows from the top, `stride` bytes apart.
    // False when it fails, with the reason, or when `progress` cancels it (the reason left
    // empty).
    virtual bool render(const TileRect& tile, Palette& palette, std::uint8_t* rows,
                        std::size_t stride, const ImportProgress& progress,
                        std::string& reason) = 0;
};

class RasterLibrary {
public:
    virtual ~RasterLibrary() = default;
    // The chart in `path`; nothing, with the reason, when it does not open or is not
    // georeferenced.
    virtual std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) = 0;
};

// The chart import module's entry: makes a raster library the caller owns.
inline constexpr const char* rasterLibraryMaker = "brisomar_make_raster_library";
using RasterLibraryMaker = RasterLibrary* (*)();

struct ChartImportRequest {
    std::vector<std::string> sources;
    std::string mapFile;
    std::string folder; // where the tiles go; empty: beside the map file
    int firstRecord = 1;
    std::uint64_t tileBytes = maxChartFileBytes; // every tile's bitmap stays below this
};

struct ImportedTile {
    std::string source;
    int record = 0;     // 1 .. 25
    std::string bitmap; // where it was written
    TileRect rect;      // on the north-up raster of the source
    CalibrationError error;
};

struct ChartImportResult {
    std::vector<ImportedTile> tiles;
    std::string refusal; // "FILE: reason"
    bool cancelled = false;
    bool imported() const { return refusal.empty() && !cancelled; }
};

// Imports the sources into the first free records of the map file (created when missing), each
// cut into tiles written as 8-bit bitmaps. A source that is not a regular file is refused before
// the raster library opens it, and a tile name a record cannot hold before anything is written.
// A refused, failed or cancelled import leaves the map file as it was and removes the tiles it
// wrote.
ChartImportResult importCharts(FileSystem& files, RasterLibrary& library,
                               const ChartImportRequest& request, const ImportProgress& progress);

} // namespace brisomar
