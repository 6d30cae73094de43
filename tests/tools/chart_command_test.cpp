#include "tools/chart_command.h"

#include "temp_dir.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace brisomar::tool {
namespace {

using testing::TempDir;

// A chart of 40 x 20 pixels of 0.01 degree, rows latitudes and columns longitudes.
class PlainRaster : public GeoRaster {
public:
    PlainRaster() {
        for (int r = 0; r <= geo_.height; ++r)
            geo_.latAtRow.push_back(50 - 0.01 * r);
        for (int c = 0; c <= geo_.width; ++c)
            geo_.eastLonAtColumn.push_back(1 + 0.01 * c);
    }
    std::string title() const override { return "Plain"; }
    const SampledGeoreference& georeference() const override { return geo_; }
    GeoSample position(double x, double y) const override {
        return {x, y, 50 - 0.01 * y, 1 + 0.01 * x};
    }
    bool render(const TileRect&, Palette&, std::uint8_t*, std::size_t, const ImportProgress&,
                std::string&) override {
        return true;
    }

private:
    SampledGeoreference geo_{40, 20, {}, {}};
};

class PlainLibrary : public RasterLibrary {
public:
    std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) override {
        if (path.ends_with("plain.tif"))
            return std::make_unique<PlainRaster>();
        reason = "it has no georeference";
        return nullptr;
    }
};

TEST(ChartCommand, SaysWhatEachTileBecameOrWhyNothingWasImported) {
    TempDir dir;
    StdFileSystem files;
    PlainLibrary library;
    const std::string map = dir.file("charts.MAP");
    for (const char* source : {"plain.tif", "photo.jpg"})
        std::ofstream(dir.file(source)) << "a picture";
    std::ostringstream out;
    importChartsCommand(files, library, {{dir.file("plain.tif")}, map, "", 3}, out);
    EXPECT_EQ(out.str(), "record 3\t" + dir.file("plain-1.bmp") +
                             "\t40 x 20\terror 0.00 px 0.0 m\nmap file\t" + map +
                             "\t1 records filled\n");
    try {
        importChartsCommand(files, library, {{dir.file("photo.jpg")}, map, "", 1}, out);
        ADD_FAILURE() << "a chart without a georeference is imported";
    } catch (const ToolError& e) {
        EXPECT_EQ(std::string(e.what()), dir.file("photo.jpg") + ": it has no georeference");
    }
}

} // namespace
} // namespace brisomar::tool
