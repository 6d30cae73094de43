// Importing charts written by the tests with GDAL itself, and a BSB/KAP chart written from the
// description of the format, through the chart import module.
#include "charts/chart_geometry.h"
#include "charts/chart_import.h"
#include "charts/gdal_raster_library.h"
#include "charts/kap_writer.h"
#include "charts/map_file.h"
#include "temp_dir.h"

#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_srs_api.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace brisomar {
namespace {

using testing::TempDir;

// Eight colours far apart, in blocks of 16 pixels: where a pixel lands shows in its colour.
constexpr std::array<Rgb, 8> patternColours{{{255, 255, 255},
                                             {0, 0, 0},
                                             {255, 0, 0},
                                             {0, 160, 0},
                                             {0, 0, 255},
                                             {255, 255, 0},
                                             {0, 255, 255},
                                             {255, 0, 255}}};
constexpr int block = 16;

int patternIndex(int x, int y) {
    return (x / block + 3 * (y / block)) % 8;
}

int nearestPatternColour(Rgb c) {
    int best = 0;
    double bestDistance = 1e9;
    for (int i = 0; i < 8; ++i) {
        const Rgb p = patternColours[i];
        const double d = std::hypot(c.r - p.r, c.g - p.g, c.b - p.b);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// A raster of the pattern: three colour bands, or one band of indices with a colour table.
void writeGdalChart(const std::string& path, const char* driver, int width, int height,
                    const char* srs, const std::array<double, 6>& transform, bool paletted) {
    const int bands = paletted ? 1 : 3;
    GDALDatasetH memory =
        GDALCreate(GDALGetDriverByName("MEM"), "", width, height, bands, GDT_Byte, nullptr);
    if (srs) {
        OGRSpatialReferenceH reference = OSRNewSpatialReference(nullptr);
        OSRSetFromUserInput(reference, srs);
        GDALSetSpatialRef(memory, reference);
        OSRDestroySpatialReference(reference);
    }
    GDALSetGeoTransform(memory, const_cast<double*>(transform.data()));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    for (int band = 1; band <= bands; ++band)
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int index = patternIndex(x, y);
                const Rgb c = patternColours[index];
                row[x] = paletted ? index : (band == 1 ? c.r : band == 2 ? c.g : c.b);
            }
            EXPECT_EQ(GDALRasterIO(GDALGetRasterBand(memory, band), GF_Write, 0, y, width, 1,
                                   row.data(), width, 1, GDT_Byte, 0, 0),
                      CE_None);
        }
    if (paletted) {
        GDALColorTableH table = GDALCreateColorTable(GPI_RGB);
        for (int i = 0; i < 8; ++i) {
            const GDALColorEntry entry{patternColours[i].r, patternColours[i].g,
                                       patternColours[i].b, 255};
            GDALSetColorEntry(table, i, &entry);
        }
        GDALSetRasterColorTable(GDALGetRasterBand(memory, 1), table);
        GDALDestroyColorTable(table);
    }
    const char* options[] = {"WORLDFILE=YES", nullptr};
    GDALClose(GDALCreateCopy(GDALGetDriverByName(driver), path.c_str(), memory, FALSE,
                             const_cast<char**>(std::string(driver) == "PNG" ? options : nullptr),
                             nullptr, nullptr));
    GDALClose(memory);
}

void writeKapChart(const std::string& path) {
    testing::KapChart chart{"Test Approaches", 300, 250, 45.2, 45.05, -3.3, -3.0, {}, {}};
    for (const Rgb& c : patternColours)
        chart.rgb.insert(chart.rgb.end(), {c.r, c.g, c.b});
    chart.colour = [](int x, int y) { return patternIndex(x, y) + 1; };
    testing::writeKap(path, chart);
}

// The pixels and palette of an 8-bit bitmap the import wrote.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bytes;

    explicit Bitmap(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        width = bytes[18] | bytes[19] << 8;
        height = bytes[22] | bytes[23] << 8;
    }
    Rgb colour(int x, int y) const {
        const std::size_t stride = (width + 3) / 4 * 4;
        const int index = bytes[1078 + stride * (height - 1 - y) + x];
        const std::uint8_t* entry = &bytes[54 + 4 * index];
        return {entry[2], entry[1], entry[0]};
    }
};

// Where GDAL puts a position on the source chart, through its own georeference.
class SourceTransform {
public:
    SourceTransform(const std::string& path, const char* assumedSrs) {
        dataset_ = GDALOpen(path.c_str(), GA_ReadOnly);
        const std::string from = std::string("SRC_SRS=") + (assumedSrs ? assumedSrs : "");
        const char* options[] = {"DST_SRS=EPSG:4326", assumedSrs ? from.c_str() : nullptr, nullptr};
        transformer_ =
            GDALCreateGenImgProjTransformer2(dataset_, nullptr, const_cast<char**>(options));
    }
    ~SourceTransform() {
        GDALDestroyGenImgProjTransformer(transformer_);
        GDALClose(dataset_);
    }
    bool valid() const { return transformer_ != nullptr; }
    bool inside(double x, double y) const {
        return x >= 0 && y >= 0 && x < GDALGetRasterXSize(dataset_) &&
               y < GDALGetRasterYSize(dataset_);
    }
    // The fractional source pixel of a position, longitude east positive.
    std::array<double, 2> pixelOf(double lat, double eastLon) const {
        double x = eastLon, y = lat, z = 0;
        int ok = 0;
        GDALGenImgProjTransform(transformer_, TRUE, 1, &x, &y, &z, &ok);
        return {x, y};
    }

private:
    GDALDatasetH dataset_ = nullptr;
    void* transformer_ = nullptr;
};

struct Source {
    const char* name;
    std::string file;
    const char* assumedSrs; // for a picture whose world file names no reference system
    std::function<void(const std::string&)> write;
};

class GdalImport : public ::testing::Test {
protected:
    TempDir dir;
    StdFileSystem files;
    GdalRasterLibrary library;
    std::string map = dir.file("charts.MAP");
};

TEST_F(GdalImport, EveryTileHitsThePixelGdalGivesAndShowsTheSourceThere) {
    constexpr double s = 0.0004; // degrees a pixel of the rotated chart
    const double turn = 10 * M_PI / 180;
    const Source sources[] = {
        {"north-up Mercator", "mercator.tif", nullptr,
         [](const std::string& p) {
             writeGdalChart(p, "GTiff", 400, 300, "EPSG:3395", {-350000, 20, 0, 5620000, 0, -20},
                            false);
         }},
        {"UTM, paletted", "utm.tif", nullptr,
         [](const std::string& p) {
             writeGdalChart(p, "GTiff", 360, 300, "EPSG:32630", {500000, 25, 0, 5000000, 0, -25},
                            true);
         }},
        {"rotated latitude and longitude", "rotated.tif", nullptr,
         [&](const std::string& p) {
             writeGdalChart(p, "GTiff", 300, 260, "EPSG:4326",
                            {-3, s * std::cos(turn), s * std::sin(turn), 45, s * std::sin(turn),
                             -s * std::cos(turn)},
                            false);
         }},
        {"PNG with a world file", "harbour.png", "EPSG:4326",
         [](const std::string& p) {
             writeGdalChart(p, "PNG", 320, 200, nullptr, {-3, 0.0003, 0, 45.1, 0, -0.0002}, false);
         }},
        {"BSB/KAP", "approaches.kap", nullptr, writeKapChart},
    };
    std::mt19937 random(11);
    for (const Source& source : sources) {
        const std::string path = dir.file(source.file);
        source.write(path);
        // A small tile limit cuts even these charts into several tiles.
        const ChartImportResult result =
            importCharts(files, library, {{path}, map, "", 1, 50000}, [](double) { return true; });
        ASSERT_TRUE(result.imported()) << source.name << ": " << result.refusal;
        EXPECT_GT(result.tiles.size(), 1u) << source.name;
        std::string reason;
        const auto raster = library.open(path, reason);
        ASSERT_TRUE(raster) << reason;
        const SourceTransform sourceTransform(path, source.assumedSrs);
        ASSERT_TRUE(sourceTransform.valid()) << source.name;
        const MapTable table = *readMapFile(files, map, reason);
        int colourChecks = 0;
        for (const ImportedTile& tile : result.tiles) {
            EXPECT_LE(tile.error.pixels, maxCalibrationErrorPixels) << source.name;
            const Bitmap bitmap(tile.bitmap);
            EXPECT_LT(bitmap.bytes.size(), 50000u) << source.name;
            ASSERT_EQ(bitmap.width, tile.rect.width);
            ChartState chart;
            chart.Table[0] = table[tile.record - 1];
            useRecordCorners(chart);
            std::uniform_real_distribution<double> column(0, tile.rect.width);
            std::uniform_real_distribution<double> row(0, tile.rect.height);
            for (int i = 0; i < 100; ++i) {
                const double x = column(random), y = row(random);
                const GeoSample at = raster->position(tile.rect.x + x, tile.rect.y + y);
                const int chartX = LonToChartX(chart, Real48(-at.eastLon));
                const int chartY = LatToChartY(chart, Real48(at.lat));
                EXPECT_LE(std::abs(chartX - static_cast<int>(x)), 1) << source.name;
                EXPECT_LE(std::abs(chartY - static_cast<int>(y)), 1) << source.name;
                // Far enough from a block's edge, the tile shows the source's colour there.
                const auto [sx, sy] = sourceTransform.pixelOf(at.lat, at.eastLon);
                const auto inner = [](double v) {
                    return std::fmod(v, block) > 3 && std::fmod(v, block) < block - 3;
                };
                if (!sourceTransform.inside(sx, sy) || !inner(sx) || !inner(sy) || chartX < 0 ||
                    chartY < 0 || chartX >= tile.rect.width || chartY >= tile.rect.height)
                    continue;
                const int expected = patternIndex(static_cast<int>(sx), static_cast<int>(sy));
                ++colourChecks;
                EXPECT_EQ(nearestPatternColour(bitmap.colour(chartX, chartY)), expected)
                    << source.name << " at " << sx << ", " << sy;
            }
        }
        EXPECT_GT(colourChecks, 50) << source.name;
        std::filesystem::remove(map);
    }
}

TEST_F(GdalImport, TheKapChartsOwnNameBecomesTheText) {
    const std::string kap = dir.file("approaches.kap");
    writeKapChart(kap);
    const ChartImportResult result = importCharts(files, library, {{kap}, map, "", 1, 100000}, {});
    ASSERT_TRUE(result.imported()) << result.refusal;
    std::string reason;
    EXPECT_EQ(readMapFile(files, map, reason)->at(0).InfoText.substr(0, 15), "Test Approaches");
}

TEST_F(GdalImport, ChartsGdalCannotPlaceAreRefusedNamingTheFile) {
    const std::string garbage = dir.file("garbage.tif");
    std::ofstream(garbage) << "not a raster at all";
    const std::string plain = dir.file("plain.png");
    writeGdalChart(plain, "PNG", 50, 50, nullptr, {0, 1, 0, 0, 0, 1}, false);
    std::filesystem::remove(dir.file("plain.wld"));
    const std::string missing = dir.file("missing.tif");
    std::ofstream(map, std::ios::binary) << std::string(mapFileSize, '\0');
    struct Case {
        std::string source;
        std::string refusal;
    };
    const Case cases[] = {
        {plain, plain + ": it has no georeference"},
        {garbage, garbage + ": "},
        {missing, missing + ": "},
    };
    for (const Case& c : cases) {
        const ChartImportResult result = importCharts(files, library, {{c.source}, map, "", 1}, {});
        EXPECT_FALSE(result.imported()) << c.source;
        EXPECT_EQ(result.refusal.substr(0, c.refusal.size()), c.refusal);
        EXPECT_GT(result.refusal.size(), c.source.size() + 2) << "a reason is given";
        EXPECT_EQ(std::filesystem::file_size(map), mapFileSize);
        std::ifstream in(map, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(bytes, std::string(mapFileSize, '\0'));
    }
}

TEST_F(GdalImport, CancellingWhileGdalWorksLeavesNothing) {
    const std::string path = dir.file("mercator.tif");
    writeGdalChart(path, "GTiff", 400, 300, "EPSG:3395", {-350000, 20, 0, 5620000, 0, -20}, false);
    int reports = 0;
    const ChartImportResult result = importCharts(files, library, {{path}, map, "", 1, 50000},
                                                  [&](double) { return ++reports < 3; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(std::filesystem::exists(map));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "only the source is left";
}

// A VRT, whatever it declares or names, is refused before anything is sampled or read.
TEST_F(GdalImport, SourcesThatCannotBeChartsAreRefusedAtOnce) {
    const char* vrts[] = {
        "<VRTDataset rasterXSize=\"2000000000\" rasterYSize=\"2000000000\"><SRS>EPSG:4326</SRS>"
        "<GeoTransform>-5, 1e-7, 0, 50, 0, -1e-7</GeoTransform><VRTRasterBand dataType=\"Byte\" "
        "band=\"1\"/></VRTDataset>",
        "<VRTDataset rasterXSize=\"64\" rasterYSize=\"16\"><SRS>EPSG:4326</SRS><GeoTransform>-5, "
        "0.01, 0, 50, 0, -0.01</GeoTransform><VRTRasterBand dataType=\"Byte\" band=\"1\" "
        "subClass=\"VRTRawRasterBand\"><SourceFilename>/etc/passwd</SourceFilename><ImageOffset>0"
        "</ImageOffset><PixelOffset>1</PixelOffset><LineOffset>64</LineOffset></VRTRasterBand>"
        "</VRTDataset>"};
    const std::string source = dir.file("chart.vrt");
    for (const char* vrt : vrts) {
        std::ofstream(source) << vrt;
        EXPECT_EQ(importCharts(files, library, {{source}, map, "", 1}, {}).refusal,
                  source + ": its format is none that charts are imported from: BSB/KAP, GeoTIFF, "
                           "PNG, JPEG, GIF or BMP with a world file, MBTiles, GeoPackage or JPEG "
                           "2000");
        EXPECT_FALSE(std::filesystem::exists(map)) << vrt;
    }
}

} // namespace
} // namespace brisomar
