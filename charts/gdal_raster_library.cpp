// The chart import module: GDAL and the libraries behind it, loaded the first time a chart is
// imported.
#include "charts/gdal_raster_library.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <gdal_utils.h>
#include <gdalwarper.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <string>

namespace brisomar {

namespace {

// The warp approximates the transform within this many pixels, as gdalwarp does.
constexpr double warpErrorPixels = 0.125;

// The raster formats charts come in. Nothing else is opened: a VRT, for one, may name any file on
// the machine or on the network as its pixels.
const char* const chartFormats[] = {"BSB", "GTiff",   "PNG",  "JPEG",        "GIF",
                                    "BMP", "MBTiles", "GPKG", "JP2OpenJPEG", nullptr};

// The most a block of the source (which GDAL reads whole) may hold, in bytes.
constexpr std::int64_t largestBlockBytes = 64 << 20;

struct CloseDataset {
    void operator()(void* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<void, CloseDataset>;

struct DestroySrs {
    void operator()(void* srs) const { OSRDestroySpatialReference(srs); }
};
using Srs = std::unique_ptr<void, DestroySrs>;

struct DestroyTransform {
    void operator()(void* transform) const { OCTDestroyCoordinateTransformation(transform); }
};
using Transform = std::unique_ptr<void, DestroyTransform>;

struct DestroyColorTable {
    void operator()(void* table) const { GDALDestroyColorTable(table); }
};
using ColorTable = std::unique_ptr<void, DestroyColorTable>;

// GDAL's progress reports mapped into a part [from, from + span] of the caller's progress.
struct ProgressPart {
    const ImportProgress& progress;
    double from = 0, span = 1;
    bool cancelled = false;
};

int CPL_STDCALL reportProgress(double done, const char*, void* data) {
    auto* part = static_cast<ProgressPart*>(data);
    if (!part->progress(part->from + done * part->span))
        part->cancelled = true;
    return part->cancelled ? FALSE : TRUE;
}

std::string gdalReason(const char* fallback) {
    const std::string message = CPLGetLastErrorMsg();
    return message.empty() ? fallback : message;
}

// A reference system with longitude first, as the geotransforms give it.
Srs lonFirst(OGRSpatialReferenceH srs) {
    Srs clone(OSRClone(srs));
    OSRSetAxisMappingStrategy(clone.get(), OAMS_TRADITIONAL_GIS_ORDER);
    return clone;
}

Srs fromEpsg(int code) {
    Srs srs(OSRNewSpatialReference(nullptr));
    OSRImportFromEPSG(srs.get(), code);
    OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

bool isNorthUp(const double* transform) {
    return transform[2] == 0 && transform[4] == 0 && transform[1] > 0 && transform[5] < 0;
}

// Whether rows of a north-up raster in `srs` are latitudes and its columns longitudes.
bool rowsAreLatitudes(OGRSpatialReferenceH srs) {
    if (OSRIsGeographic(srs))
        return true;
    const char* method = OSRGetAttrValue(srs, "PROJECTION", 0);
    return method && std::string(method).rfind("Mercator", 0) == 0;
}

// A world file without a reference system: degrees of WGS 84 when its extent can be degrees.
Srs assumedForWorldFile(const double* t, int width, int height) {
    const double xs[] = {t[0], t[0] + width * t[1] + height * t[2]};
    const double ys[] = {t[3], t[3] + width * t[4] + height * t[5]};
    for (int i = 0; i < 2; ++i)
        if (std::fabs(xs[i]) > 180 || std::fabs(ys[i]) > 90)
            return nullptr;
    return fromEpsg(4326);
}

// The chart's name in a BSB header ("BSB/NA=Approaches,NU=..."), which GDAL does not pass on.
std::string bsbName(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    head = head.substr(0, head.find('\x1A'));
    for (const char* line : {"BSB/NA=", "NOS/NA="})
        if (const auto at = head.find(line); at != std::string::npos) {
            const auto start = at + std::string(line).size();
            return head.substr(start, head.find_first_of(",\r\n", start) - start);
        }
    return {};
}

std::string chartTitle(GDALDatasetH dataset, const std::string& path) {
    if (std::string(GDALGetDriverShortName(GDALGetDatasetDriver(dataset))) == "BSB")
        return bsbName(path);
    for (const char* item : {"TIFFTAG_DOCUMENTNAME", "TIFFTAG_IMAGEDESCRIPTION"})
        if (const char* text = GDALGetMetadataItem(dataset, item, nullptr); text && *text) {
            const std::string title(text);
            return title.substr(0, title.find('\n'));
        }
    return {};
}

Palette paletteOf(GDALColorTableH table) {
    Palette palette{};
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        GDALColorEntry entry{};
        if (table && i < GDALGetColorEntryCount(table) && GDALGetColorEntryAsRGB(table, i, &entry))
            palette[i] = {static_cast<std::uint8_t>(entry.c1), static_cast<std::uint8_t>(entry.c2),
                          static_cast<std::uint8_t>(entry.c3)};
        else if (!table)
            palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                          static_cast<std::uint8_t>(i)};
    }
    return palette;
}

class GdalRaster : public GeoRaster {
public:
    GdalRaster(Dataset source, Dataset warped, Srs srs, std::string title)
        : source_(std::move(source)), warped_(std::move(warped)), title_(std::move(title)) {
        GDALGetGeoTransform(view(), transform_);
        const Srs wgs84 = fromEpsg(4326);
        toWgs84_.reset(OCTNewCoordinateTransformation(srs.get(), wgs84.get()));
        sample();
    }

    bool valid() const { return toWgs84_ != nullptr; }
    std::string title() const override { return title_; }
    const SampledGeoreference& georeference() const override { return geo_; }

    GeoSample position(double x, double y) const override {
        double east = transform_[0] + x * transform_[1] + y * transform_[2];
        double north = transform_[3] + x * transform_[4] + y * transform_[5];
        OCTTransform(toWgs84_.get(), 1, &east, &north, nullptr);
        return {x, y, north, east};
    }

    bool render(const TileRect& tile, Palette& palette, std::uint8_t* rows, std::size_t stride,
                const ImportProgress& progress, std::string& reason) override {
        CPLErrorReset();
        GDALRasterBandH first = GDALGetRasterBand(view(), 1);
        GDALColorTableH table = GDALGetRasterColorTable(first);
        ProgressPart part{progress};
        const bool done = GDALGetRasterCount(view()) >= 3 && !table
                              ? reduceColours(tile, palette, rows, stride, part)
                              : readIndices(first, table, tile, palette, rows, stride, part);
        if (!done)
            reason = part.cancelled ? "" : gdalReason("the chart cannot be read");
        return done;
    }

private:
    GDALDatasetH view() const { return warped_ ? warped_.get() : source_.get(); }

    // The latitude of every row edge along the middle column and the longitude of every column
    // edge along the middle row.
    void sample() {
        if (!toWgs84_)
            return;
        geo_.width = GDALGetRasterXSize(view());
        geo_.height = GDALGetRasterYSize(view());
        for (int r = 0; r <= geo_.height; ++r)
            geo_.latAtRow.push_back(position(geo_.width / 2.0, r).lat);
        for (int c = 0; c <= geo_.width; ++c) {
            double east = position(c, geo_.height / 2.0).eastLon;
            // Across the 180° meridian the longitudes run on past it rather than jump back.
            if (c > 0)
                east += 360 * std::round((geo_.eastLonAtColumn.back() - east) / 360);
            geo_.eastLonAtColumn.push_back(east);
        }
    }

    bool readIndices(GDALRasterBandH band, GDALColorTableH table, const TileRect& tile,
                     Palette& palette, std::uint8_t* rows, std::size_t stride, ProgressPart& part) {
        palette = paletteOf(table);
        GDALRasterIOExtraArg extra;
        INIT_RASTERIO_EXTRA_ARG(extra);
        extra.pfnProgress = reportProgress;
        extra.pProgressData = &part;
        return GDALRasterIOEx(band, GF_Read, tile.x, tile.y, tile.width, tile.height, rows,
                              tile.width, tile.height, GDT_Byte, 1, static_cast<GSpacing>(stride),
                              &extra) == CE_None;
    }

    // GDAL's median-cut palette of the chart's colours, taken once from the source itself: a
    // warp picks source pixels and makes no new colours, and the source is read without warping.
    // Every tile of the chart shares it.
    GDALColorTableH chartPalette(ProgressPart& part) {
        if (palette_)
            return palette_.get();
        ColorTable table(GDALCreateColorTable(GPI_RGB));
        GDALDatasetH source = source_.get();
        if (GDALComputeMedianCutPCT(GDALGetRasterBand(source, 1), GDALGetRasterBand(source, 2),
                                    GDALGetRasterBand(source, 3), nullptr, 256, table.get(),
                                    reportProgress, &part) != CE_None)
            return nullptr;
        palette_ = std::move(table);
        return palette_.get();
    }

    // The tile dithered to the chart's palette, straight into the caller's rows.
    bool reduceColours(const TileRect& tile, Palette& palette, std::uint8_t* rows,
                       std::size_t stride, ProgressPart& part) {
        part.span = palette_ ? 0 : 0.4;
        GDALColorTableH table = chartPalette(part);
        if (!table)
            return false;
        const std::string window[] = {std::to_string(tile.x), std::to_string(tile.y),
                                      std::to_string(tile.width), std::to_string(tile.height)};
        const char* arguments[] = {"-of",
                                   "VRT",
                                   "-srcwin",
                                   window[0].c_str(),
                                   window[1].c_str(),
                                   window[2].c_str(),
                                   window[3].c_str(),
                                   "-b",
                                   "1",
                                   "-b",
                                   "2",
                                   "-b",
                                   "3",
                                   nullptr};
        GDALTranslateOptions* options =
            GDALTranslateOptionsNew(const_cast<char**>(arguments), nullptr);
        const Dataset cut(GDALTranslate("", view(), options, nullptr));
        GDALTranslateOptionsFree(options);
        // The dithered band is the caller's rows themselves.
        char pointer[64] = {};
        CPLPrintPointer(pointer, rows, sizeof pointer - 1);
        const std::string dataPointer = std::string("DATAPOINTER=") + pointer;
        const std::string lineOffset = "LINEOFFSET=" + std::to_string(stride);
        const char* bandOptions[] = {dataPointer.c_str(), "PIXELOFFSET=1", lineOffset.c_str(),
                                     nullptr};
        const Dataset target(GDALCreate(GDALGetDriverByName("MEM"), "", tile.width, tile.height, 0,
                                        GDT_Byte, nullptr));
        if (!cut || !target ||
            GDALAddBand(target.get(), GDT_Byte, const_cast<char**>(bandOptions)) != CE_None)
            return false;
        part.from += part.span;
        part.span = 1 - part.from;
        if (GDALDitherRGB2PCT(GDALGetRasterBand(cut.get(), 1), GDALGetRasterBand(cut.get(), 2),
                              GDALGetRasterBand(cut.get(), 3), GDALGetRasterBand(target.get(), 1),
                              table, reportProgress, &part) != CE_None)
            return false;
        palette = paletteOf(table);
        return true;
    }

    Dataset source_;
    Dataset warped_;
    std::string title_;
    double transform_[6] = {};
    Transform toWgs84_;
    SampledGeoreference geo_;
    ColorTable palette_; // of the whole chart, made for its first tile
};

// Why GDAL would need more than a bounded memory to import this raster, or nothing.
std::optional<std::string> sizeRefusal(GDALDatasetH dataset) {
    const int width = GDALGetRasterXSize(dataset), height = GDALGetRasterYSize(dataset);
    if (!fitsMapFile(width, height, maxChartFileBytes))
        return "its " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels are more than the tiles of a map file hold";
    const int bands = GDALGetRasterCount(dataset);
    if (bands < 1)
        return "it has no pixels";
    GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
    int blockWidth = 0, blockHeight = 0;
    GDALGetBlockSize(band, &blockWidth, &blockHeight);
    if (std::int64_t{blockWidth} * blockHeight * bands *
            GDALGetDataTypeSizeBytes(GDALGetRasterDataType(band)) >
        largestBlockBytes)
        return "it is stored in blocks too large to read";
    return std::nullopt;
}

} // namespace

GdalRasterLibrary::GdalRasterLibrary() {
    GDALAllRegister();
    CPLSetErrorHandler(CPLQuietErrorHandler); // the reasons are reported with the file's name
    CPLSetConfigOption("GDAL_VRT_ENABLE_RAWRASTERBAND", "NO");
    CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", "{noext}-none"); // no network reads
    CPLSetConfigOption("GDAL_HTTP_MAX_RETRY", "0");
    CPLSetConfigOption("GDAL_CACHEMAX", "32"); // megabytes of blocks held
}

std::unique_ptr<GeoRaster> GdalRasterLibrary::open(const std::string& path, std::string& reason) {
    CPLErrorReset();
    if (!GDALIdentifyDriverEx(path.c_str(), GDAL_OF_RASTER, chartFormats, nullptr)) {
        reason = "its format is none that charts are imported from: BSB/KAP, GeoTIFF, PNG, JPEG, "
                 "GIF or BMP with a world file, MBTiles, GeoPackage or JPEG 2000";
        return nullptr;
    }
    Dataset source(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, chartFormats,
                              nullptr, nullptr));
    if (!source) {
        // The file's name is said before the reason already.
        reason = gdalReason("GDAL cannot read it");
        if (reason.starts_with(path + ": "))
            reason.erase(0, path.size() + 2);
        return nullptr;
    }
    GDALDatasetH dataset = source.get();
    if (const auto refusal = sizeRefusal(dataset)) {
        reason = *refusal;
        return nullptr;
    }
    double transform[6];
    const bool hasTransform = GDALGetGeoTransform(dataset, transform) == CE_None;
    OGRSpatialReferenceH own = GDALGetSpatialRef(dataset);
    Srs srs;
    if (hasTransform && own)
        srs = lonFirst(own);
    else if (hasTransform)
        srs = assumedForWorldFile(transform, GDALGetRasterXSize(dataset),
                                  GDALGetRasterYSize(dataset));
    else if (GDALGetGCPCount(dataset) >= 3 && GDALGetGCPSpatialRef(dataset))
        srs = lonFirst(GDALGetGCPSpatialRef(dataset));
    if (!srs) {
        reason = "it has no georeference";
        return nullptr;
    }
    std::string title = chartTitle(dataset, path);
    Dataset warped;
    if (!hasTransform || !isNorthUp(transform) || !rowsAreLatitudes(srs.get())) {
        const Srs mercator = fromEpsg(3395);
        char* from = nullptr;
        char* to = nullptr;
        OSRExportToWkt(srs.get(), &from);
        OSRExportToWkt(mercator.get(), &to);
        warped.reset(GDALAutoCreateWarpedVRT(dataset, from, to, GRA_NearestNeighbour,
                                             warpErrorPixels, nullptr));
        CPLFree(from);
        CPLFree(to);
        if (!warped) {
            reason = gdalReason("it cannot be warped to Mercator");
            return nullptr;
        }
        if (!fitsMapFile(GDALGetRasterXSize(warped.get()), GDALGetRasterYSize(warped.get()),
                         maxChartFileBytes)) {
            reason = "warped to Mercator, it is more than the tiles of a map file hold";
            return nullptr;
        }
        srs = lonFirst(mercator.get());
    }
    auto raster =
        std::make_unique<GdalRaster>(std::move(source), std::move(warped), std::move(srs), title);
    if (!raster->valid()) {
        reason = "its reference system cannot be converted to latitude and longitude";
        return nullptr;
    }
    return raster;
}

} // namespace brisomar

extern "C" brisomar::RasterLibrary* brisomar_make_raster_library() {
    return new brisomar::GdalRasterLibrary();
}
