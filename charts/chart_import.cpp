#include "charts/chart_import.h"

#include "base/bitmap_layout.h"
#include "base/cp1252.h"
#include "charts/map_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <set>

namespace brisomar {

namespace {

constexpr std::size_t fileHeaderBytes = 14;
constexpr std::size_t infoHeaderBytes = 40;
constexpr int maxSegments = 6;           // seven points per axis
constexpr double straightEnough = 0.001; // pixels: a line is exact within this
constexpr double metresPerDegree = 1852.0 * 60.0;
constexpr std::size_t mostRecordTextBytes = 255; // behind the length byte

void putLittleEndian(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// ---- Calibration ----

// How far the line through edges a and b puts the degrees of the edges between them from
// where they are, in pixels.
double segmentError(std::span<const double> f, int a, int b) {
    const double scale = (b - a) / (f[b] - f[a]);
    double worst = 0;
    for (int r = a + 1; r < b; ++r)
        worst = std::max(worst, std::fabs(a + (f[r] - f[a]) * scale - r));
    return worst;
}

// The farthest edge a segment from `a` reaches within `tolerance`.
int farthestEdge(std::span<const double> f, int a, double tolerance) {
    const int last = static_cast<int>(f.size()) - 1;
    if (segmentError(f, a, last) <= tolerance)
        return last;
    int reached = a + 1, missed = last; // the error grows with the segment's length
    while (missed - reached > 1) {
        const int middle = reached + (missed - reached) / 2;
        (segmentError(f, a, middle) <= tolerance ? reached : missed) = middle;
    }
    return reached;
}

// The segment ends, edge 0 excluded, of the greedy cover within `tolerance`; stops early once
// more than maxSegments are needed.
std::vector<int> greedyCover(std::span<const double> f, double tolerance) {
    const int last = static_cast<int>(f.size()) - 1;
    std::vector<int> ends;
    for (int a = 0; a < last && static_cast<int>(ends.size()) <= maxSegments;)
        ends.push_back(a = farthestEdge(f, a, tolerance));
    return ends;
}

// Splits the longest segments until there are maxSegments (splitting never adds error).
void splitToMaxSegments(std::vector<int>& points) {
    while (static_cast<int>(points.size()) < maxSegments + 1) {
        std::size_t longest = 0;
        for (std::size_t i = 1; i + 1 < points.size(); ++i)
            if (points[i + 1] - points[i] > points[longest + 1] - points[longest])
                longest = i;
        if (points[longest + 1] - points[longest] < 2)
            return;
        points.insert(points.begin() + static_cast<std::ptrdiff_t>(longest) + 1,
                      (points[longest] + points[longest + 1]) / 2);
    }
}

// A map record reads an intermediate point of 0 degrees as unused: move it one pixel.
void avoidZeroDegrees(std::span<const double> f, std::vector<int>& points) {
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
        if (f[points[i]] == 0.0 && points[i] + 1 < points[i + 1])
            ++points[i];
}

// The fractional position along `to` of `value` on `from`, both increasing in index; the end
// segments extend beyond the ends.
template <typename From, typename To>
double interpolate(const std::vector<From>& from, const std::vector<To>& to, double value) {
    std::size_t k = 0;
    const bool falling = from.back() < from.front();
    while (k + 2 < from.size() && (falling ? value < from[k + 1] : value > from[k + 1]))
        ++k;
    const double a = from[k], b = from[k + 1];
    return to[k] + (value - a) * (static_cast<double>(to[k + 1]) - to[k]) / (b - a);
}

bool strictlyMonotonic(std::span<const double> f) {
    const bool falling = f.back() < f.front();
    for (std::size_t i = 1; i < f.size(); ++i)
        if (falling ? !(f[i] < f[i - 1]) : !(f[i] > f[i - 1]))
            return false;
    return true;
}

std::array<Real48, 7> recordDegrees(const AxisCalibration& axis) {
    std::array<Real48, 7> degrees{};
    const std::size_t last = axis.degrees.size() - 1;
    degrees[0] = Real48(axis.degrees.front());
    degrees[6] = Real48(axis.degrees.back());
    for (std::size_t i = 1; i < last; ++i)
        degrees[i] = Real48(axis.degrees[i]);
    return degrees;
}

std::array<std::int32_t, 7> recordPixels(const AxisCalibration& axis) {
    std::array<std::int32_t, 7> pixels{};
    const std::size_t last = axis.pixels.size() - 1;
    pixels[6] = axis.pixels.back();
    for (std::size_t i = 1; i < last; ++i)
        pixels[i] = axis.pixels[i];
    return pixels;
}

// One opened source, or its part on one side of the 180° meridian, and the tiles it is cut into.
struct PlannedChart {
    std::string source;
    std::shared_ptr<GeoRaster> raster;
    std::vector<TileCalibration> tiles;
    TileGrid grid;
    int firstTile = 1;     // the number the first tile's name gets
    std::string titleSide; // ", west of 180°" for a part, else empty
};

// A name in `folder` for the tile that no file has yet, nor an earlier tile of the import, so
// that no chart is overwritten.
std::string freshTileName(FileSystem& files, const std::string& folder, const std::string& stem,
                          int index, const std::set<std::string>& taken) {
    const std::string base =
        (std::filesystem::path(folder) / stem).string() + "-" + std::to_string(index);
    std::string name = base + ".bmp";
    for (int again = 2; taken.contains(name) || files.exists(name) || files.specialKind(name);
         ++again)
        name = base + "-" + std::to_string(again) + ".bmp";
    return name;
}

// The positions the library gives on a grid of samples across the whole tile, edges included.
std::vector<GeoSample> tileSamples(const GeoRaster& raster, const TileRect& rect) {
    constexpr int steps = 32;
    std::vector<GeoSample> samples;
    for (int i = 0; i <= steps; ++i)
        for (int j = 0; j <= steps; ++j) {
            const double x = rect.width * static_cast<double>(j) / steps;
            const double y = rect.height * static_cast<double>(i) / steps;
            GeoSample s = raster.position(rect.x + x, rect.y + y);
            s.x = x;
            s.y = y;
            samples.push_back(s);
        }
    return samples;
}

// Opens every source and plans its tiles, a source across the 180° meridian as two charts; the
// refusal when one cannot be imported.
std::string planCharts(FileSystem& files, RasterLibrary& library, const ChartImportRequest& request,
                       std::vector<PlannedChart>& charts) {
    for (const std::string& source : request.sources) {
        std::string reason;
        if (!files.size(source, reason)) // a FIFO would hold the library up for good
            return source + ": " + reason;
        std::shared_ptr<GeoRaster> raster = library.open(source, reason);
        if (!raster)
            return source + ": " + reason;
        const auto parts = partsOnTheGlobe(raster->georeference(), reason);
        if (!parts)
            return source + ": " + reason;
        int firstTile = 1;
        for (std::size_t p = 0; p < parts->size(); ++p) {
            const RasterPart& part = (*parts)[p];
            auto tiles = calibratedTiles(part.geo, request.tileBytes);
            if (!tiles)
                return source +
                       ": it cannot be cut into tiles calibrated by latitude and longitude";
            TileGrid grid;
            for (TileCalibration& tile : *tiles) {
                tile.rect.x += part.column;
                grid.tiles.push_back(tile.rect);
                grid.columns += tile.rect.y == 0 ? 1 : 0;
            }
            const bool crossing = part.column > 0 || part.geo.width < raster->georeference().width;
            const std::string side = part.column == 0 ? ", west of 180°" : ", east of 180°";
            charts.push_back({source, raster, std::move(*tiles), std::move(grid), firstTile,
                              crossing ? side : ""});
            firstTile += static_cast<int>(charts.back().tiles.size());
        }
    }
    return {};
}

// A tile's name as its record holds it: in the map file's code page, within a record's text.
std::string recordNameRefusal(const std::string& name) {
    if (cp1252ToUtf8(utf8ToCp1252(name)) != name)
        return name + ": the map file's code page cannot hold this name; choose another folder";
    if (utf8ToCp1252(name).size() > mostRecordTextBytes)
        return name + ": longer than the " + std::to_string(mostRecordTextBytes) +
               " characters a map record holds; choose a shorter folder";
    return {};
}

// The bitmap of every tile in the order they are written; the refusal when a record cannot
// hold one of their names.
std::string planTileNames(FileSystem& files, const ChartImportRequest& request,
                          const std::vector<PlannedChart>& charts,
                          std::vector<std::string>& names) {
    const std::string folder = request.folder.empty()
                                   ? std::filesystem::path(request.mapFile).parent_path().string()
                                   : request.folder;
    std::set<std::string> taken;
    for (const PlannedChart& chart : charts)
        for (std::size_t i = 0; i < chart.tiles.size(); ++i) {
            const std::string name = freshTileName(files, folder, tileStem(chart.source),
                                                   chart.firstTile + static_cast<int>(i), taken);
            if (std::string refusal =
                    recordNameRefusal(nameRelativeToMapFile(request.mapFile, name));
                !refusal.empty())
                return refusal;
            taken.insert(name);
            names.push_back(name);
        }
    return {};
}

// Takes the removal of what an import wrote when it does not complete.
class WrittenTiles {
public:
    explicit WrittenTiles(FileSystem& files) : files_(files) {}
    ~WrittenTiles() {
        std::string ignored;
        for (const std::string& path : paths_)
            files_.remove(path, ignored);
    }
    void add(const std::string& path) { paths_.push_back(path); }
    void keep() { paths_.clear(); }

private:
    FileSystem& files_;
    std::vector<std::string> paths_;
};

ChartImportResult refusedImport(std::string refusal) {
    ChartImportResult result;
    result.refusal = std::move(refusal);
    return result;
}

ChartImportResult cancelledImport() {
    ChartImportResult result;
    result.cancelled = true;
    return result;
}

// Renders and writes every tile of the charts under its planned name, each into its record of
// `table`.
ChartImportResult writeTiles(FileSystem& files, const ChartImportRequest& request,
                             const std::vector<PlannedChart>& charts,
                             const std::vector<std::string>& names, const std::vector<int>& records,
                             MapTable& table, const ImportProgress& progress,
                             WrittenTiles& written) {
    double totalPixels = 0, donePixels = 0;
    for (const PlannedChart& chart : charts)
        for (const TileCalibration& tile : chart.tiles)
            totalPixels += static_cast<double>(tile.rect.width) * tile.rect.height;
    ChartImportResult result;
    std::string reason;
    for (const PlannedChart& chart : charts) {
        const std::string title = heldByCp1252(chart.raster->title());
        const std::string shownTitle =
            (title.empty() ? tileStem(chart.source) : title) + chart.titleSide;
        for (std::size_t i = 0; i < chart.tiles.size(); ++i) {
            const TileCalibration& tile = chart.tiles[i];
            const double pixels = static_cast<double>(tile.rect.width) * tile.rect.height;
            const ImportProgress tileProgress = [&](double done) {
                return !progress || progress((donePixels + done * pixels) / totalPixels);
            };
            Palette palette{};
            PaletteBitmap picture(tile.rect.width, tile.rect.height);
            if (!chart.raster->render(tile.rect, palette, picture.pixels(), picture.stride(),
                                      tileProgress, reason))
                return reason.empty() ? cancelledImport()
                                      : refusedImport(chart.source + ": " + reason);
            const std::string& bitmap = names[result.tiles.size()];
            if (!files.replace(bitmap, std::move(picture).finish(palette), reason))
                return refusedImport(bitmap + ": " + reason);
            written.add(bitmap);
            donePixels += pixels;
            const int record = records[result.tiles.size()];
            table[record - 1] =
                tileRecord(tile, nameRelativeToMapFile(request.mapFile, bitmap),
                           tileInfoText(shownTitle, static_cast<int>(i), chart.grid));
            result.tiles.push_back({chart.source, record, bitmap, tile.rect,
                                    calibrationError(tile, tileSamples(*chart.raster, tile.rect))});
        }
    }
    return result;
}

} // namespace

std::uint64_t paletteBitmapBytes(std::uint64_t width, std::uint64_t height) {
    return PaletteBitmap::headBytes + bitmapRowBytes(width, 8) * height;
}

PaletteBitmap::PaletteBitmap(int width, int height)
    : height_(height), stride_(bitmapRowBytes(static_cast<std::uint64_t>(width), 8)),
      bytes_(
          paletteBitmapBytes(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)),
          0) {
    bytes_[0] = 'B';
    bytes_[1] = 'M';
    putLittleEndian(bytes_, 2, static_cast<std::uint32_t>(bytes_.size()), 4);
    putLittleEndian(bytes_, 10, headBytes, 4);
    const std::size_t info = fileHeaderBytes;
    putLittleEndian(bytes_, info, infoHeaderBytes, 4);
    putLittleEndian(bytes_, info + 4, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(bytes_, info + 8, static_cast<std::uint32_t>(height), 4); // bottom-up
    putLittleEndian(bytes_, info + 12, 1, 2);                                 // planes
    putLittleEndian(bytes_, info + 14, 8, 2);                                 // bits per pixel
    putLittleEndian(bytes_, info + 20, static_cast<std::uint32_t>(stride_ * height), 4);
    putLittleEndian(bytes_, info + 24, 2835, 4); // 72 dots per inch
    putLittleEndian(bytes_, info + 28, 2835, 4);
    putLittleEndian(bytes_, info + 32, 256, 4); // colours used
}

Bytes PaletteBitmap::finish(const Palette& palette) && {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        std::uint8_t* entry = bytes_.data() + fileHeaderBytes + infoHeaderBytes + 4 * i;
        entry[0] = palette[i].b;
        entry[1] = palette[i].g;
        entry[2] = palette[i].r;
    }
    for (int top = 0, bottom = height_ - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels() + top * stride_, pixels() + (top + 1) * stride_,
                         pixels() + bottom * stride_);
    return std::move(bytes_);
}

double AxisCalibration::pixelOf(double value) const {
    return interpolate(degrees, pixels, value);
}

AxisCalibration calibrateAxis(std::span<const double> f) {
    const int last = static_cast<int>(f.size()) - 1;
    std::vector<int> points{0, last};
    const double straightError = segmentError(f, 0, last);
    if (straightError > straightEnough) {
        double feasible = straightError, infeasible = 0;
        for (int step = 0; step < 40 && feasible - infeasible > 1e-6; ++step) {
            const double middle = (feasible + infeasible) / 2;
            (static_cast<int>(greedyCover(f, middle).size()) <= maxSegments ? feasible
                                                                            : infeasible) = middle;
        }
        points = {0};
        for (const int end : greedyCover(f, feasible))
            points.push_back(end);
        splitToMaxSegments(points);
        avoidZeroDegrees(f, points);
    }
    AxisCalibration axis;
    for (std::size_t i = 0; i < points.size(); ++i) {
        axis.pixels.push_back(points[i]);
        axis.degrees.push_back(f[points[i]]);
        if (i > 0)
            axis.maxErrorPixels =
                std::max(axis.maxErrorPixels, segmentError(f, points[i - 1], points[i]));
    }
    return axis;
}

TileGrid planTiles(int width, int height, std::uint64_t byteLimit, int maxRows) {
    TileGrid best;
    int bestCount = 0, bestTileWidth = 0, bestTileHeight = 0, bestRows = 0;
    for (int columns = 1; columns <= width; ++columns) {
        const int tileWidth = (width + (columns - 1) * tileOverlap + columns - 1) / columns;
        if (columns > 1 && tileWidth <= tileOverlap)
            break;
        const std::uint64_t stride = bitmapRowBytes(static_cast<std::uint64_t>(tileWidth), 8);
        if (byteLimit <= PaletteBitmap::headBytes + stride)
            continue;
        const int rowsFit = static_cast<int>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(maxRows),
                                    (byteLimit - 1 - PaletteBitmap::headBytes) / stride));
        int rows = 1;
        if (height > rowsFit) {
            if (rowsFit <= tileOverlap)
                continue;
            rows = (height - tileOverlap + rowsFit - tileOverlap - 1) / (rowsFit - tileOverlap);
        }
        const int tileHeight = (height + (rows - 1) * tileOverlap + rows - 1) / rows;
        const int count = columns * rows;
        // Of as many tiles, the widest: a source is read in whole rows, each band of them once.
        if (bestCount == 0 || count < bestCount) {
            bestCount = count;
            best.columns = columns;
            bestRows = rows;
            bestTileWidth = tileWidth;
            bestTileHeight = tileHeight;
        }
    }
    const auto start = [](int index, int parts, int size, int tile) {
        return parts == 1 ? 0 : (index * (size - tile) + (parts - 1) / 2) / (parts - 1);
    };
    for (int row = 0; row < bestRows; ++row)
        for (int column = 0; column < best.columns; ++column)
            best.tiles.push_back({start(column, best.columns, width, bestTileWidth),
                                  start(row, bestRows, height, bestTileHeight), bestTileWidth,
                                  bestTileHeight});
    return best;
}

std::optional<std::vector<TileCalibration>> calibratedTiles(const SampledGeoreference& geo,
                                                            std::uint64_t byteLimit) {
    if (geo.width < 2 || geo.height < 2 ||
        geo.latAtRow.size() != static_cast<std::size_t>(geo.height) + 1 ||
        geo.eastLonAtColumn.size() != static_cast<std::size_t>(geo.width) + 1 ||
        !strictlyMonotonic(geo.latAtRow) || !strictlyMonotonic(geo.eastLonAtColumn))
        return std::nullopt;
    std::vector<double> westLon(geo.eastLonAtColumn.size());
    std::transform(geo.eastLonAtColumn.begin(), geo.eastLonAtColumn.end(), westLon.begin(),
                   [](double east) { return -east; });
    for (int maxRows = geo.height;;) {
        const TileGrid grid = planTiles(geo.width, geo.height, byteLimit, maxRows);
        if (grid.tiles.empty())
            return std::nullopt;
        std::vector<TileCalibration> tiles;
        bool precise = true;
        for (const TileRect& rect : grid.tiles) {
            const auto rows = std::span(geo.latAtRow).subspan(rect.y, rect.height + 1);
            const auto columns = std::span(westLon).subspan(rect.x, rect.width + 1);
            tiles.push_back({rect, calibrateAxis(rows), calibrateAxis(columns)});
            precise = precise && tiles.back().rows.maxErrorPixels <= maxCalibrationErrorPixels;
        }
        if (precise || maxRows / 2 <= 2 * tileOverlap)
            return tiles;
        maxRows = tiles.front().rect.height / 2;
    }
}

MapRecord tileRecord(const TileCalibration& tile, const std::string& fileName,
                     const std::string& infoText) {
    MapRecord record;
    record.FileName = fileName;
    record.InfoText = infoText;
    record.CalLat = recordDegrees(tile.rows);
    record.CalRow = recordPixels(tile.rows);
    record.CalLon = recordDegrees(tile.columns);
    record.CalCol = recordPixels(tile.columns);
    return record;
}

std::string tileInfoText(const std::string& title, int index, const TileGrid& grid) {
    const int count = static_cast<int>(grid.tiles.size());
    if (count == 1)
        return title;
    return title + ", part " + std::to_string(index + 1) + " of " + std::to_string(count) +
           " (row " + std::to_string(index / grid.columns + 1) + ", column " +
           std::to_string(index % grid.columns + 1) + ")";
}

bool recordIsFree(const MapRecord& record) {
    return record.FileName.empty();
}

std::optional<std::vector<int>> freeRecords(const MapTable& table, int first, int count,
                                            std::string& reason) {
    std::vector<int> numbers;
    for (int number = std::max(first, 1); number <= mapRecordCount; ++number)
        if (recordIsFree(table[number - 1]))
            numbers.push_back(number);
    if (static_cast<int>(numbers.size()) < count) {
        reason = std::to_string(count) + " free records are needed, the map file has " +
                 std::to_string(numbers.size()) + " from record " + std::to_string(first);
        return std::nullopt;
    }
    numbers.resize(static_cast<std::size_t>(count));
    return numbers;
}

std::optional<MapTable> mapTableForImport(FileSystem& files, const std::string& path,
                                          std::string& reason) {
    if (const auto kind = files.specialKind(path)) { // the caller names the file
        reason = *kind + ", not a regular file";
        return std::nullopt;
    }
    if (!files.exists(path))
        return MapTable{};
    return readMapFile(files, path, reason);
}

std::string nameRelativeToMapFile(const std::string& mapFile, const std::string& bitmap) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::absolute(fs::path(mapFile)).lexically_normal().parent_path();
    return fs::absolute(fs::path(bitmap))
        .lexically_normal()
        .lexically_relative(folder)
        .generic_string();
}

std::string tileStem(const std::string& source) {
    std::string held = heldByCp1252(std::filesystem::path(source).stem().string());
    held.erase(0, held.find_first_not_of(' '));
    held.erase(held.find_last_not_of(' ') + 1);
    const bool named = std::any_of(held.begin(), held.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80);
    });
    return named ? held : "chart";
}

std::optional<std::vector<RasterPart>> partsOnTheGlobe(const SampledGeoreference& geo,
                                                       std::string& reason) {
    const auto within = [](const std::vector<double>& degrees, double limit) {
        return std::all_of(degrees.begin(), degrees.end(),
                           [limit](double d) { return std::fabs(d) <= limit; });
    };
    if (!within(geo.latAtRow, 90)) {
        reason = "it reaches beyond 90° of latitude";
        return std::nullopt;
    }
    if (within(geo.eastLonAtColumn, 180))
        return std::vector<RasterPart>{{0, geo}};
    // Across the meridian from either side, as longitudes running east past 180°.
    std::vector<double> east = geo.eastLonAtColumn;
    if (!east.empty() && east.front() < -180)
        std::transform(east.begin(), east.end(), east.begin(), [](double d) { return d + 360; });
    if (east.empty() ||
        !(east.front() >= -180 && east.front() < 180 && east.back() > 180 &&
          east.back() - east.front() < 360) ||
        !std::is_sorted(east.begin(), east.end())) {
        reason = "it reaches beyond 180° of longitude";
        return std::nullopt;
    }
    const auto meridian = std::lower_bound(east.begin(), east.end(), 180.0);
    const int westEdge = static_cast<int>(meridian - east.begin()) - (*meridian > 180 ? 1 : 0);
    const int eastEdge = static_cast<int>(meridian - east.begin());
    const auto part = [&](int from, int to, double shift) {
        RasterPart p{from, {to - from, geo.height, geo.latAtRow, {}}};
        std::transform(east.begin() + from, east.begin() + to + 1,
                       std::back_inserter(p.geo.eastLonAtColumn),
                       [shift](double d) { return d + shift; });
        return p;
    };
    std::vector<RasterPart> parts;
    if (westEdge >= 2)
        parts.push_back(part(0, westEdge, 0));
    if (geo.width - eastEdge >= 2)
        parts.push_back(part(eastEdge, geo.width, -360));
    return parts;
}

CalibrationError calibrationError(const TileCalibration& tile, std::span<const GeoSample> samples) {
    CalibrationError worst;
    // A tile beside the 180° meridian holds its own side's longitudes: each sample is taken on
    // the tile's side.
    const double tileEast = -(tile.columns.degrees.front() + tile.columns.degrees.back()) / 2;
    for (GeoSample s : samples) {
        s.eastLon -= 360 * std::round((s.eastLon - tileEast) / 360);
        const double dy = tile.rows.pixelOf(s.lat) - s.y;
        const double dx = tile.columns.pixelOf(-s.eastLon) - s.x;
        worst.pixels = std::max(worst.pixels, std::hypot(dx, dy));
        const double northMetres =
            (interpolate(tile.rows.pixels, tile.rows.degrees, s.y) - s.lat) * metresPerDegree;
        const double eastMetres =
            (interpolate(tile.columns.pixels, tile.columns.degrees, s.x) + s.eastLon) *
            metresPerDegree * std::cos(s.lat * std::numbers::pi / 180);
        worst.metres = std::max(worst.metres, std::hypot(northMetres, eastMetres));
    }
    return worst;
}

ChartImportResult importCharts(FileSystem& files, RasterLibrary& library,
                               const ChartImportRequest& request, const ImportProgress& progress) {
    std::string reason;
    auto table = mapTableForImport(files, request.mapFile, reason);
    if (!table)
        return refusedImport(request.mapFile + ": " + reason);
    std::vector<PlannedChart> charts;
    if (std::string refusal = planCharts(files, library, request, charts); !refusal.empty())
        return refusedImport(refusal);
    std::vector<std::string> names;
    if (std::string refusal = planTileNames(files, request, charts, names); !refusal.empty())
        return refusedImport(refusal);
    std::size_t tileCount = 0;
    for (const PlannedChart& chart : charts)
        tileCount += chart.tiles.size();
    const auto records =
        freeRecords(*table, request.firstRecord, static_cast<int>(tileCount), reason);
    if (!records)
        return refusedImport(request.mapFile + ": " + reason);
    WrittenTiles written(files);
    ChartImportResult result =
        writeTiles(files, request, charts, names, *records, *table, progress, written);
    if (!result.imported())
        return result;
    if (progress && !progress(1.0))
        return cancelledImport();
    if (!files.replace(request.mapFile, encodeMapFile(*table), reason))
        return refusedImport(request.mapFile + ": " + reason);
    written.keep();
    return result;
}

} // namespace brisomar
