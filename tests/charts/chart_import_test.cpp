#include "charts/chart_import.h"

#include "charts/chart_bitmap.h"
#include "charts/chart_geometry.h"
#include "charts/chart_selection.h"
#include "charts/map_file.h"
#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>

#include <sys/stat.h>

namespace brisomar {
namespace {

using testing::TempDir;

constexpr double degree = M_PI / 180;

// A north-up spherical Mercator raster whose top edge lies at `north` and whose pixels are
// `degreesPerColumn` wide, east of `west` (east positive).
SampledGeoreference mercator(int width, int height, double north, double west,
                             double degreesPerColumn) {
    SampledGeoreference geo{width, height, {}, {}};
    const double top = std::log(std::tan(M_PI / 4 + north * degree / 2));
    for (int r = 0; r <= height; ++r)
        geo.latAtRow.push_back(
            (2 * std::atan(std::exp(top - r * degreesPerColumn * degree)) - M_PI / 2) / degree);
    for (int c = 0; c <= width; ++c)
        geo.eastLonAtColumn.push_back(west + c * degreesPerColumn);
    return geo;
}

double columnDegrees(const SampledGeoreference& geo) {
    return geo.eastLonAtColumn[1] - geo.eastLonAtColumn[0];
}

// The latitude at the fractional row `y` of a raster made by `mercator`.
double latitudeAt(const SampledGeoreference& geo, double y) {
    const double top = std::log(std::tan(M_PI / 4 + geo.latAtRow.front() * degree / 2));
    return (2 * std::atan(std::exp(top - y * columnDegrees(geo) * degree)) - M_PI / 2) / degree;
}

TEST(ChartImport, APaletteBitmapIsAChartTheReaderTakesTopRowLast) {
    Palette palette{};
    palette[7] = {10, 20, 30};
    PaletteBitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.stride(), 4u);
    bitmap.pixels()[0] = 7;     // top-left
    bitmap.pixels()[4 + 2] = 9; // bottom-right
    const Bytes bytes = std::move(bitmap).finish(palette);
    EXPECT_EQ(bytes.size(), paletteBitmapBytes(3, 2));
    EXPECT_EQ(bytes.size(), 1078u + 2 * 4);
    EXPECT_EQ(chartBitmapShape(bytes, bytes.size()), (ChartBitmapShape{3, 2, 8}));
    EXPECT_EQ(bytes[1078 + 4], 7) << "the top row is stored last";
    EXPECT_EQ(bytes[1078 + 2], 9);
    EXPECT_EQ(bytes[1078], 0);
    EXPECT_EQ(std::vector<int>(bytes.begin() + 54 + 28, bytes.begin() + 54 + 31),
              (std::vector<int>{30, 20, 10}))
        << "palette entries are blue, green, red";
}

// The largest pixel error of the calibration with points equally spaced along the axis.
double equalSpacingError(const std::vector<double>& f) {
    const int last = static_cast<int>(f.size()) - 1;
    double worst = 0;
    for (int s = 0; s < 6; ++s) {
        const int a = s * last / 6, b = (s + 1) * last / 6;
        for (int r = a; r <= b; ++r)
            worst = std::max(worst, std::fabs(a + (f[r] - f[a]) * (b - a) / (f[b] - f[a]) - r));
    }
    return worst;
}

TEST(ChartImport, CalibrationPointsFollowTheAxis) {
    struct Case {
        const char* name;
        std::vector<double> edges;
        std::size_t points;
        double maxError;
    };
    std::vector<double> straight, curved;
    for (int i = 0; i <= 1000; ++i) {
        straight.push_back(60 - i * 0.01);
        curved.push_back(60 - 10 * std::pow(i / 1000.0, 2)); // 250 pixels off a straight line
    }
    const Case cases[] = {
        {"a straight line needs only the edges", straight, 2, 1e-9},
        {"a parabola gets seven points", curved, 7, 12.5},
        {"a high-latitude Mercator axis is held within a pixel",
         mercator(10, 1000, 75, 0, 0.005).latAtRow, 7, 0.3},
    };
    for (const Case& c : cases) {
        const AxisCalibration axis = calibrateAxis(c.edges);
        EXPECT_EQ(axis.pixels.size(), c.points) << c.name;
        EXPECT_EQ(axis.pixels.front(), 0) << c.name;
        EXPECT_EQ(axis.pixels.back(), static_cast<int>(c.edges.size()) - 1) << c.name;
        EXPECT_TRUE(std::is_sorted(axis.pixels.begin(), axis.pixels.end())) << c.name;
        EXPECT_LE(axis.maxErrorPixels, c.maxError) << c.name;
        EXPECT_LE(axis.maxErrorPixels, equalSpacingError(c.edges) + 1e-6) << c.name;
        for (std::size_t i = 0; i < axis.pixels.size(); ++i)
            EXPECT_EQ(axis.degrees[i], c.edges[axis.pixels[i]]) << c.name;
    }
    EXPECT_LT(calibrateAxis(curved).maxErrorPixels, equalSpacingError(curved) / 2)
        << "points crowd where the axis bends";
}

TEST(ChartImport, TilesStayBelowTheLimitAndOverlap) {
    struct Case {
        const char* name;
        int width, height;
        std::uint64_t limit;
        int maxRows;
        std::size_t tiles;
        int columns;
    };
    const Case cases[] = {
        {"a small chart is one tile", 400, 300, 19000000, 300, 1, 1},
        {"a 10000 x 8000 chart is cut into five bands of whole rows", 10000, 8000, 19000000, 8000,
         5, 1},
        {"a long narrow chart is cut along its length", 500, 100000, 19000000, 100000, 3, 1},
        {"a row limit cuts more rows", 1000, 2000, 19000000, 700, 4, 1},
        {"a chart wider than a tile's bytes is cut into columns", 200000, 150, 19000000, 150, 2, 2},
    };
    for (const Case& c : cases) {
        const TileGrid grid = planTiles(c.width, c.height, c.limit, c.maxRows);
        EXPECT_EQ(grid.tiles.size(), c.tiles) << c.name;
        EXPECT_EQ(grid.columns, c.columns) << c.name;
        std::vector<int> coveredColumns(c.width), coveredRows(c.height);
        for (const TileRect& t : grid.tiles) {
            EXPECT_LT(paletteBitmapBytes(t.width, t.height), c.limit) << c.name;
            EXPECT_LE(t.height, c.maxRows) << c.name;
            EXPECT_GE(t.x, 0) << c.name;
            EXPECT_LE(t.x + t.width, c.width) << c.name;
            EXPECT_LE(t.y + t.height, c.height) << c.name;
            for (int x = t.x; x < t.x + t.width; ++x)
                ++coveredColumns[x];
            for (int y = t.y; y < t.y + t.height; ++y)
                ++coveredRows[y];
        }
        EXPECT_EQ(std::count(coveredColumns.begin(), coveredColumns.end(), 0), 0) << c.name;
        EXPECT_EQ(std::count(coveredRows.begin(), coveredRows.end(), 0), 0) << c.name;
        for (std::size_t i = 0; i + 1 < grid.tiles.size(); ++i) {
            const TileRect& a = grid.tiles[i];
            const TileRect& b = grid.tiles[i + 1];
            if (b.y == a.y) {
                EXPECT_GE(a.x + a.width - b.x, tileOverlap) << c.name;
            }
        }
        if (grid.tiles.size() > static_cast<std::size_t>(grid.columns)) {
            const TileRect& a = grid.tiles[0];
            const TileRect& b = grid.tiles[grid.columns];
            EXPECT_GE(a.y + a.height - b.y, tileOverlap) << c.name;
        }
    }
}

// Every tile's record, read back by the program's own conversions, puts 100 random positions
// within a pixel of where they lie.
TEST(ChartImport, RecordsOfCalibratedTilesHitThePixel) {
    struct Case {
        const char* name;
        SampledGeoreference geo;
        std::uint64_t limit;
    };
    const Case cases[] = {
        {"mid latitudes, one tile", mercator(600, 500, 46, -31, 0.004), 19000000},
        {"across the equator and the zero meridian", mercator(500, 500, 1, -1, 0.004), 19000000},
        {"high latitudes, many tiles", mercator(3000, 9000, 80, -10, 0.002), 4000000},
    };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        const auto tiles = calibratedTiles(c.geo, c.limit);
        ASSERT_TRUE(tiles) << c.name;
        for (const TileCalibration& tile : *tiles) {
            EXPECT_LE(tile.rows.maxErrorPixels, maxCalibrationErrorPixels) << c.name;
            ChartState chart;
            chart.Table[0] = tileRecord(tile, "tile.bmp", "text");
            useRecordCorners(chart);
            std::uniform_real_distribution<double> column(0, tile.rect.width);
            std::uniform_real_distribution<double> row(0, tile.rect.height);
            for (int i = 0; i < 100; ++i) {
                const double x = column(random), y = row(random);
                const double exactLat = latitudeAt(c.geo, tile.rect.y + y);
                const double eastLon =
                    c.geo.eastLonAtColumn[0] + (tile.rect.x + x) * columnDegrees(c.geo);
                EXPECT_LE(std::abs(LatToChartY(chart, Real48(exactLat)) -
                                   static_cast<int>(std::floor(y))),
                          1)
                    << c.name;
                EXPECT_LE(std::abs(LonToChartX(chart, Real48(-eastLon)) -
                                   static_cast<int>(std::floor(x))),
                          1)
                    << c.name;
            }
        }
    }
}

TEST(ChartImport, AChartTheCalibrationCannotHoldIsCutSmaller) {
    const SampledGeoreference polar = mercator(1000, 16000, 84, 0, 0.004);
    const TileGrid plain = planTiles(1000, 16000, 19000000, 16000);
    const auto tiles = calibratedTiles(polar, 19000000);
    ASSERT_TRUE(tiles);
    EXPECT_GT(calibrateAxis(polar.latAtRow).maxErrorPixels, maxCalibrationErrorPixels);
    EXPECT_GT(tiles->size(), plain.tiles.size());
    for (const TileCalibration& tile : *tiles)
        EXPECT_LE(tile.rows.maxErrorPixels, maxCalibrationErrorPixels);
}

TEST(ChartImport, ARasterThatCannotBeCalibratedIsRefused) {
    SampledGeoreference folded = mercator(10, 10, 45, 0, 0.01);
    folded.latAtRow[5] = folded.latAtRow[3];
    EXPECT_FALSE(calibratedTiles(folded, 19000000));
    EXPECT_FALSE(calibratedTiles(mercator(1, 10, 45, 0, 0.01), 19000000));
}

TEST(ChartImport, TheRecordHoldsTheCalibrationAsTheMapFileNumbersIt) {
    const auto tiles = calibratedTiles(mercator(400, 300, 50, 2, 0.01), 19000000);
    ASSERT_TRUE(tiles);
    const MapRecord r = tileRecord(tiles->front(), "tiles/a.bmp", "Approaches");
    EXPECT_EQ(r.FileName, "tiles/a.bmp");
    EXPECT_EQ(r.InfoText, "Approaches");
    EXPECT_EQ(r.row(1), 0);
    EXPECT_EQ(r.row(7), 300);
    EXPECT_EQ(r.col(7), 400);
    EXPECT_NEAR(r.lat(1), 50, 1e-9);
    EXPECT_NEAR(r.lon(1), -2, 1e-9) << "west positive";
    EXPECT_NEAR(r.lon(7), -6, 1e-9);
    EXPECT_EQ(r.col(2), 0) << "longitudes of Mercator are straight: no intermediate points";
    for (int point = 2; point <= 6; ++point)
        EXPECT_GT(r.row(point), r.row(point - 1));
}

TEST(ChartImport, TileTextsNameTheirPlace) {
    const TileGrid grid{std::vector<TileRect>(4), 2};
    EXPECT_EQ(tileInfoText("Approaches", 3, grid), "Approaches, part 4 of 4 (row 2, column 2)");
    EXPECT_EQ(tileInfoText("Approaches", 1, grid), "Approaches, part 2 of 4 (row 1, column 2)");
    EXPECT_EQ(tileInfoText("Harbour", 0, planTiles(100, 100, 19000000, 100)), "Harbour");
}

TEST(ChartImport, FreeRecordsAreTakenInOrder) {
    MapTable table{};
    table[0].FileName = "a.bmp";
    table[2].FileName = "c.bmp";
    struct Case {
        const char* name;
        int first, count;
        std::optional<std::vector<int>> numbers;
        std::string reason;
    };
    const Case cases[] = {
        {"skips used records", 1, 3, std::vector<int>{2, 4, 5}, ""},
        {"starts at the record given", 3, 2, std::vector<int>{4, 5}, ""},
        {"the last record", 25, 1, std::vector<int>{25}, ""},
        {"too few", 20, 7, std::nullopt,
         "7 free records are needed, the map file has 6 from record 20"},
        {"the whole file", 1, 24, std::nullopt,
         "24 free records are needed, the map file has 23 from record 1"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_EQ(freeRecords(table, c.first, c.count, reason), c.numbers) << c.name;
        EXPECT_EQ(reason, c.reason) << c.name;
    }
}

TEST(ChartImport, TheMapFileToImportIntoIsReadWholeOrCreated) {
    TempDir dir;
    testing::FailingFileSystem files;
    MapTable table{};
    table[3].FileName = "d.bmp";
    const Bytes whole = encodeMapFile(table);
    std::ofstream(dir.file("whole.MAP"), std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), whole.size());
    std::ofstream(dir.file("short.MAP"), std::ios::binary).write("abc", 3);
    files.unreadable = dir.file("locked.MAP");
    std::ofstream(files.unreadable, std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), whole.size());

    std::string reason;
    EXPECT_EQ(mapTableForImport(files, dir.file("new.MAP"), reason)->at(3).FileName, "");
    EXPECT_EQ(mapTableForImport(files, dir.file("whole.MAP"), reason)->at(3).FileName, "d.bmp");
    EXPECT_FALSE(mapTableForImport(files, dir.file("short.MAP"), reason));
    EXPECT_EQ(reason, "the file holds fewer than 16300 bytes");
    EXPECT_FALSE(mapTableForImport(files, files.unreadable, reason));
    EXPECT_EQ(reason, "Permission denied");
    ::mkfifo(dir.file("fifo.MAP").c_str(), 0600);
    EXPECT_FALSE(mapTableForImport(files, dir.file("fifo.MAP"), reason));
    EXPECT_EQ(reason, "a FIFO, not a regular file");
}

TEST(ChartImport, BitmapsAreNamedRelativeToTheMapFile) {
    EXPECT_EQ(nameRelativeToMapFile("charts/all.MAP", "charts/tiles/a.bmp"), "tiles/a.bmp");
    EXPECT_EQ(nameRelativeToMapFile("/data/charts/all.MAP", "/data/charts/a.bmp"), "a.bmp");
    EXPECT_EQ(nameRelativeToMapFile("/data/charts/all.MAP", "/data/raster/a.bmp"),
              "../raster/a.bmp");
}

TEST(ChartImport, TheErrorReportMeasuresPixelsAndMetres) {
    const SampledGeoreference geo = mercator(400, 400, 60, 0, 0.01);
    const auto tiles = calibratedTiles(geo, 19000000);
    ASSERT_TRUE(tiles);
    const TileCalibration& tile = tiles->front();
    const std::vector<GeoSample> exact{{0, 0, geo.latAtRow[0], 0},
                                       {400, 400, geo.latAtRow[400], 4}};
    EXPECT_LT(calibrationError(tile, exact).pixels, 0.01);
    EXPECT_LT(calibrationError(tile, exact).metres, 1);
    // Two pixels east of where it lies: 2 x 0.01 degree of longitude at 60 N is 1111.2 m.
    const std::vector<GeoSample> off{{202, 0, geo.latAtRow[0], 2}};
    EXPECT_NEAR(calibrationError(tile, off).pixels, 2, 1e-6);
    EXPECT_NEAR(calibrationError(tile, off).metres, 1111.2, 0.5);
}

// A chart the raster library would give: spherical Mercator, each pixel coloured by its place.
class FakeRaster : public GeoRaster {
public:
    explicit FakeRaster(SampledGeoreference geo) : geo_(std::move(geo)) {}
    std::string title() const override { return "Fake Sound"; }
    const SampledGeoreference& georeference() const override { return geo_; }
    GeoSample position(double x, double y) const override {
        return {x, y, latitudeAt(geo_, y), geo_.eastLonAtColumn[0] + x * columnDegrees(geo_)};
    }
    bool render(const TileRect& tile, Palette& palette, std::uint8_t* rows, std::size_t stride,
                const ImportProgress& progress, std::string& reason) override {
        palette[1] = {255, 255, 255};
        for (int y = 0; y < tile.height; ++y)
            std::fill_n(rows + y * stride, tile.width, 1);
        if (!progress(0.5))
            return false;
        reason = failure;
        return failure.empty();
    }
    std::string failure;

private:
    SampledGeoreference geo_;
};

class FakeLibrary : public RasterLibrary {
public:
    std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) override {
        const auto found = charts.find(std::filesystem::path(path).filename().string());
        if (found == charts.end()) {
            reason = "not a georeferenced chart";
            return nullptr;
        }
        auto raster = std::make_unique<FakeRaster>(found->second);
        raster->failure = renderFailure;
        return raster;
    }
    std::map<std::string, SampledGeoreference> charts{
        {"small.tif", mercator(300, 200, 46, -31, 0.004)},
        {"wide.tif", mercator(3000, 300, 46, -31, 0.001)}, // three tiles of the test's limit
        {"Χάρτης.tif", mercator(300, 200, 46, -31, 0.004)},
        {"meridian.tif", mercator(40, 200, 46, 179.8, 0.01)}, // 179.8° E to 180.2° E
        {"pole.tif", mercator(300, 200, 46, -31, 0.004)},
        {"beyond.tif", mercator(300, 200, 46, 185, 0.004)},
    };
    FakeLibrary() { charts["pole.tif"].latAtRow[0] = 95; }
    std::string renderFailure;
};

// The real files, except that replacing one file fails.
class MapWriteFails : public testing::FailingFileSystem {
public:
    std::string failing;
    bool replace(const std::string& path, const Bytes& bytes, std::string& error) override {
        if (path != failing)
            return FailingFileSystem::replace(path, bytes, error);
        error = "No space left on device";
        return false;
    }
};

class Import : public ::testing::Test {
public:
    Import() {
        for (const auto& [name, geo] : library.charts)
            std::ofstream(dir.file(name)) << "a chart";
        std::ofstream(dir.file("photo.jpg")) << "a photograph";
        table[0].FileName = "old.bmp";
        table[0].InfoText = "kept";
        table[0].CalRow[6] = 77;
        table[2].FileName = "other.bmp";
        writeMap(table);
    }
    void writeMap(const MapTable& t) {
        const Bytes bytes = encodeMapFile(t);
        std::ofstream(map, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    Bytes mapBytes() {
        std::string error;
        return files.read(map, 0, 1 << 20, error).value_or(Bytes{});
    }
    std::size_t filesInFolder() {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()));
    }
    ChartImportResult run(
        std::vector<std::string> sources, int first = 1,
        ImportProgress progress = [](double) { return true; }) {
        return importCharts(files, library, {sources, map, folder, first, tileBytes}, progress);
    }

    TempDir dir;
    MapWriteFails files;
    FakeLibrary library;
    MapTable table{};
    std::string map = dir.file("charts.MAP");
    std::string folder; // of the tiles: beside the map file
    static constexpr std::uint64_t tileBytes = 400000;
    double cancelAt = 2; // the progress at which the import is cancelled
};

TEST_F(Import, TilesFillTheFreeRecordsAndLeaveTheOthersByteForByte) {
    const Bytes before = mapBytes();
    const ChartImportResult result = run({dir.file("small.tif"), dir.file("wide.tif")}, 2);
    ASSERT_TRUE(result.imported()) << result.refusal;
    ASSERT_EQ(result.tiles.size(), 4u);
    EXPECT_EQ((std::vector<int>{result.tiles[0].record, result.tiles[1].record,
                                result.tiles[2].record, result.tiles[3].record}),
              (std::vector<int>{2, 4, 5, 6}));
    const Bytes after = mapBytes();
    ASSERT_EQ(after.size(), mapFileSize);
    for (int record : {1, 3, 7, 25})
        EXPECT_TRUE(std::equal(before.begin() + (record - 1) * mapRecordSize,
                               before.begin() + record * mapRecordSize,
                               after.begin() + (record - 1) * mapRecordSize))
            << "record " << record;
    const MapTable read = *decodeMapFile(after);
    EXPECT_EQ(read[1].FileName, "small-1.bmp");
    EXPECT_EQ(read[1].InfoText, "Fake Sound");
    EXPECT_EQ(read[4].FileName, "wide-2.bmp");
    EXPECT_EQ(read[4].InfoText, "Fake Sound, part 2 of 3 (row 1, column 2)");
    for (const ImportedTile& tile : result.tiles) {
        EXPECT_LT(std::filesystem::file_size(tile.bitmap), tileBytes);
        EXPECT_LT(tile.error.pixels, maxCalibrationErrorPixels);
    }
}

TEST_F(Import, AMissingMapFileIsCreatedAndNamesDoNotOverwriteCharts) {
    std::ofstream(dir.file("small-1.bmp")) << "a chart of someone else";
    map = dir.file("new.MAP");
    const ChartImportResult result = run({dir.file("small.tif")});
    ASSERT_TRUE(result.imported()) << result.refusal;
    std::string error;
    const auto created = readMapFile(files, map, error);
    ASSERT_TRUE(created) << error;
    EXPECT_EQ((*created)[0].FileName, "small-1-2.bmp");
    EXPECT_EQ(std::filesystem::file_size(dir.file("small-1.bmp")), 23u);
}

TEST_F(Import, TilesGoIntoTheFolderAskedAndAreNamedFromTheMapFile) {
    std::filesystem::create_directory(dir.file("tiles"));
    const ChartImportResult result = importCharts(
        files, library, {{dir.file("small.tif")}, map, dir.file("tiles"), 1, tileBytes}, {});
    ASSERT_TRUE(result.imported()) << result.refusal;
    EXPECT_EQ(result.tiles[0].bitmap, dir.file("tiles/small-1.bmp"));
    std::string error;
    EXPECT_EQ(readMapFile(files, map, error)->at(1).FileName, "tiles/small-1.bmp");
}

TEST_F(Import, ARefusedOrCancelledImportChangesNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> sources;
        std::function<void(Import&)> arrange;
        std::string refusal; // empty: cancelled
    };
    const std::string small = dir.file("small.tif");
    const Case cases[] = {
        {"no georeference",
         {small, dir.file("photo.jpg")},
         [](Import&) {},
         dir.file("photo.jpg") + ": not a georeferenced chart"},
        {"more tiles than free records",
         {small, dir.file("wide.tif")},
         [](Import& t) {
             for (int r = 5; r <= 25; ++r)
                 t.table[r - 1].FileName = "x.bmp";
             t.writeMap(t.table);
         },
         dir.file("charts.MAP") + ": 4 free records are needed, the map file has 3 from record 1"},
        {"a map file that does not read",
         {small},
         [](Import& t) { std::ofstream(t.map, std::ios::binary) << "short"; },
         dir.file("charts.MAP") + ": the file holds fewer than 16300 bytes"},
        {"the library fails",
         {small},
         [](Import& t) { t.library.renderFailure = "out of memory"; },
         small + ": out of memory"},
        {"the map file cannot be written",
         {small, dir.file("wide.tif")},
         [](Import& t) { t.files.failing = t.map; },
         dir.file("charts.MAP") + ": No space left on device"},
        {"cancelled", {small}, [](Import& t) { t.cancelAt = 0.9; }, ""},
        {"a FIFO as the source",
         {small, dir.file("fifo.tif")},
         [](Import& t) { ::mkfifo(t.dir.file("fifo.tif").c_str(), 0600); },
         dir.file("fifo.tif") + ": a FIFO, not a regular file"},
        {"beyond the pole",
         {small, dir.file("pole.tif")},
         [](Import&) {},
         dir.file("pole.tif") + ": it reaches beyond 90° of latitude"},
        {"beyond the 180° meridian",
         {dir.file("beyond.tif")},
         [](Import&) {},
         dir.file("beyond.tif") + ": it reaches beyond 180° of longitude"},
        {"a folder the map file's code page cannot name",
         {small},
         [](Import& t) {
             t.folder = t.dir.file("Χάρτες");
             std::filesystem::create_directory(t.folder);
         },
         "Χάρτες/small-1.bmp: the map file's code page cannot hold this name; choose another "
         "folder"},
        {"a tile name longer than a record holds",
         {small},
         [](Import& t) {
             t.folder = t.dir.file(std::string(250, 'd'));
             std::filesystem::create_directory(t.folder);
         },
         std::string(250, 'd') + "/small-1.bmp: longer than the 255 characters a map record "
                                 "holds; choose a shorter folder"},
    };
    for (const Case& c : cases) {
        Import& t = *this;
        writeMap(table);
        c.arrange(t);
        const Bytes before = mapBytes();
        const std::size_t entries = filesInFolder();
        const ChartImportResult result =
            run(c.sources, 1, [this](double done) { return done < cancelAt; });
        EXPECT_FALSE(result.imported()) << c.name;
        EXPECT_EQ(result.cancelled, c.refusal.empty()) << c.name;
        EXPECT_EQ(result.refusal, c.refusal) << c.name;
        EXPECT_EQ(mapBytes(), before) << c.name;
        EXPECT_EQ(filesInFolder(), entries) << c.name << ": tiles are removed";
        table = MapTable{};
        table[0].FileName = "old.bmp";
        library.renderFailure.clear();
        files.failing.clear();
        cancelAt = 2;
        folder.clear();
    }
}

// A boat on either side of the meridian is on a chart of its side.
TEST_F(Import, AChartAcrossTheMeridianIsCutIntoChartsOnEachSideOfIt) {
    const ChartImportResult result = run({dir.file("meridian.tif")});
    ASSERT_EQ(result.tiles.size(), 2u) << result.refusal;
    ChartState chart;
    ChartSelection selection(chart);
    bool opened = false;
    selection.openMapFile(files, map, opened);
    const struct {
        int record;
        double westPositiveLon; // of a boat on it
        const char* text;
    } sides[] = {{2, -179.9, "Fake Sound, west of 180°"}, {4, 179.9, "Fake Sound, east of 180°"}};
    for (const auto& side : sides) {
        const MapRecord& r = chart.Table[side.record - 1];
        EXPECT_EQ(r.InfoText, side.text);
        for (int point = 1; point <= 7; ++point)
            EXPECT_LE(std::fabs(r.lon(point).value()), 180) << side.record;
        NavState nav;
        nav.PosLat = Real48(45.8L);
        nav.PosLon = Real48(side.westPositiveLon);
        selection.AutoSelectChart(files, nav);
        EXPECT_EQ(chart.MapIndex, side.record) << side.westPositiveLon;
        EXPECT_LT(result.tiles[side.record / 2 - 1].error.pixels, maxCalibrationErrorPixels);
    }
}

TEST_F(Import, TileNamesAndTextsAreWhatTheMapFilesCodePageHolds) {
    const ChartImportResult result = run({dir.file("Χάρτης.tif")});
    ASSERT_EQ(result.tiles.size(), 1u) << result.refusal;
    EXPECT_EQ(result.tiles[0].bitmap, dir.file("chart-1.bmp"));
    std::string error;
    EXPECT_EQ(readMapFile(files, map, error)->at(1).FileName, "chart-1.bmp");
    EXPECT_EQ(tileStem("/c/côte.tif"), "côte");
    EXPECT_EQ(tileStem("/c/Χάρτης Crete .tif"), "Crete");
    EXPECT_EQ(tileStem("/c/Χάρτης.tif"), "chart");
}

TEST(ChartImport, ASourceIsTakenOnlyWhenItsTilesFitAMapFile) {
    const struct {
        std::int64_t width, height;
        bool fits;
    } sizes[] = {{10000, 10000, true},  {2000000000, 2000000000, false},
                 {30000, 30000, false}, {1 << 21, 10, false},
                 {0, 10, false},        {300, 200, true}};
    for (const auto& size : sizes)
        EXPECT_EQ(fitsMapFile(size.width, size.height, maxChartFileBytes), size.fits)
            << size.width << " x " << size.height;
}

} // namespace
} // namespace brisomar
