#include "charts/chart_selection.h"

#include "charts/chart_fixtures.h"
#include "charts/map_file.h"
#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace brisomar {
namespace {

using testing::easyRecord;
using testing::recordBetween;
using testing::TempDir;

class Selection : public ::testing::Test {
protected:
    Selection() {
        selection.onRecordShown = [this](int record) { shown.push_back(record); };
    }

    std::string bitmap(const std::string& name, std::uintmax_t bytes = 1000) {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary).put('B');
        std::filesystem::resize_file(path, bytes);
        return path;
    }

    std::string mapFile(const MapTable& table, const std::string& name = "charts.MAP") {
        const std::string path = dir.file(name);
        const Bytes bytes = encodeMapFile(table);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }

    bool open(const std::string& path) {
        bool opened = false;
        selection.openMapFile(files, path, opened);
        return opened;
    }

    void at(long double lat, long double lon) {
        nav.PosLat = Real48(lat);
        nav.PosLon = Real48(lon);
    }

    TempDir dir;
    testing::FailingFileSystem files;
    ChartState chart;
    ChartSelection selection{chart};
    NavState nav;
    std::vector<int> shown;
};

TEST_F(Selection, OpeningAMapFileSelectsItsFirstRecord) {
    MapTable table{};
    table[0] = easyRecord(bitmap("first.bmp"));
    ASSERT_TRUE(open(mapFile(table)));
    EXPECT_TRUE(chart.ChartUsable);
    EXPECT_TRUE(chart.ReloadRequest);
    EXPECT_EQ(chart.ChartFileName, dir.file("first.bmp"));
    EXPECT_EQ(chart.ChartNWLat, Real48(60.0L));
    EXPECT_EQ(chart.ChartSELon, Real48(0.0L));
    EXPECT_EQ(chart.LatPointCount, 1);
    EXPECT_EQ(chart.MapFilePath, dir.file("charts.MAP"));
    EXPECT_EQ(shown, std::vector<int>{1});
}

TEST_F(Selection, AShortMapFileFailsSilentlyAndKeepsTheTable) {
    MapTable table{};
    table[0] = easyRecord(bitmap("first.bmp"));
    ASSERT_TRUE(open(mapFile(table)));
    chart.AutoSelect = true;
    chart.MapIndex = 4;
    const std::string shortFile = dir.file("short.MAP");
    std::ofstream(shortFile, std::ios::binary) << std::string(16299, '\x7F');
    EXPECT_FALSE(open(shortFile));
    EXPECT_FALSE(chart.AutoSelect);
    EXPECT_EQ(chart.MapIndex, 1);
    EXPECT_EQ(chart.MapFilePath, "");
    EXPECT_EQ(chart.Table[0].FileName, dir.file("first.bmp")); // not half overwritten
    EXPECT_TRUE(chart.ChartUsable);                            // the chart in use stays
}

TEST_F(Selection, UnusableRecordsKeepTheChartInUseButStopDrawing) {
    MapTable table{};
    table[0] = easyRecord(bitmap("first.bmp"));
    table[1] = recordBetween(bitmap("dateline.bmp"), 10, -179, 0, 179); // across 180°
    table[2] = easyRecord("");                                          // no bitmap named
    table[3] = easyRecord(dir.file("missing.bmp"));
    ASSERT_TRUE(open(mapFile(table)));
    for (int record = 2; record <= 4; ++record) {
        EXPECT_FALSE(selection.showRecord(files, record)) << record; // no warning
        EXPECT_FALSE(chart.ChartUsable) << record;
        EXPECT_EQ(chart.ChartFileName, dir.file("first.bmp"));
    }
}

TEST_F(Selection, BitmapsOf19MillionBytesAreRefused) {
    MapTable table{};
    table[0] = easyRecord(bitmap("fits.bmp", 18999999));
    table[1] = easyRecord(bitmap("big.bmp", 19000000));
    ASSERT_TRUE(open(mapFile(table)));
    EXPECT_TRUE(chart.ChartUsable);
    EXPECT_EQ(selection.showRecord(files, 2), "File too big (this version max 19000000 bytes)");
    EXPECT_FALSE(chart.ChartUsable);
    chart.AutoSelect = true; // silent while selecting automatically
    EXPECT_FALSE(selection.showRecord(files, 2));
}

TEST_F(Selection, AnUnreadableBitmapIsAnAccessError) {
    std::filesystem::create_directory(dir.file("folder.bmp"));
    MapTable table{};
    table[0] = easyRecord(bitmap("locked.bmp"));
    table[1] = easyRecord(dir.file("folder.bmp")); // not a file: skipped silently
    files.unreadable = dir.file("locked.bmp");
    bool opened = false;
    EXPECT_EQ(selection.openMapFile(files, mapFile(table), opened), "File access error");
    EXPECT_FALSE(chart.ChartUsable);
    EXPECT_FALSE(selection.showRecord(files, 2));
}

TEST_F(Selection, FindsAWindowsNameBesideTheMapFile) {
    bitmap("Harbour.BMP");
    EXPECT_EQ(findChartFile(files, "C:\\CHARTS\\harbour.bmp", dir.file("charts.MAP")),
              dir.file("Harbour.BMP"));
    EXPECT_EQ(findChartFile(files, dir.file("Harbour.BMP"), ""), dir.file("Harbour.BMP"));
    EXPECT_FALSE(findChartFile(files, "C:\\CHARTS\\other.bmp", dir.file("charts.MAP")));
    EXPECT_FALSE(findChartFile(files, "", dir.file("charts.MAP")));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::filesystem::create_directory("sub");
    bitmap("sub/inner.bmp");
    EXPECT_EQ(findChartFile(files, "sub\\inner.bmp", ""), "sub/inner.bmp");
    std::filesystem::current_path(previous);
}

// The tiles of a map made for another folder, found from whichever folder the navigator starts
// in, even where the working folder holds a file of the same relative name.
TEST_F(Selection, ARelativeNameIsTakenFromTheMapFilesFolderFirst) {
    for (const char* folder : {"maps", "tiles", "work/maps", "work/tiles"})
        std::filesystem::create_directories(dir.file(folder));
    bitmap("tiles/x-1.bmp");
    bitmap("work/tiles/x-1.bmp");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.file("work/maps"));
    EXPECT_EQ(findChartFile(files, "../tiles/x-1.bmp", dir.file("maps/charts.MAP")),
              dir.file("tiles/x-1.bmp"));
    EXPECT_EQ(findChartFile(files, "..\\tiles\\x-1.bmp", dir.file("maps/charts.MAP")),
              dir.file("tiles/x-1.bmp"));
    std::filesystem::current_path(previous);
}

// The bitmap is looked for through the file system: a map folder that cannot be read hides the
// bitmap beside it, silently, while a name that leads straight to it needs no folder.
TEST_F(Selection, LooksForTheBitmapThroughTheFileSystem) {
    bitmap("Harbour.BMP");
    files.unlistable = dir.path().string();
    EXPECT_FALSE(findChartFile(files, "C:\\CHARTS\\harbour.bmp", dir.file("charts.MAP")));
    EXPECT_EQ(findChartFile(files, dir.file("Harbour.BMP"), ""), dir.file("Harbour.BMP"));

    MapTable table{};
    table[0] = easyRecord("C:\\CHARTS\\Harbour.bmp");
    table[1] = easyRecord(dir.file("Harbour.BMP"));
    bool opened = false;
    EXPECT_EQ(selection.openMapFile(files, mapFile(table), opened), std::nullopt);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(chart.ChartUsable);
    files.unlistable.clear();
    EXPECT_EQ(selection.showRecord(files, 1), std::nullopt);
    EXPECT_TRUE(chart.ChartUsable);
    EXPECT_EQ(chart.ChartFileName, dir.file("Harbour.BMP"));
}

TEST_F(Selection, AutoSelectionTakesTheFirstRecordHoldingThePosition) {
    MapTable table{};
    table[0] = recordBetween(bitmap("a.bmp"), 40, 5, 30, -5);
    table[1] = recordBetween(dir.file("gone.bmp"), 60, 10, 50, 0); // holds it, but is missing
    table[2] = recordBetween(bitmap("c.bmp"), 61, 11, 49, -1);     // holds it too
    ASSERT_TRUE(open(mapFile(table)));
    at(55, 5);
    shown.clear();
    selection.AutoSelectChart(files, nav);
    EXPECT_EQ(chart.MapIndex, 2);
    EXPECT_FALSE(chart.ChartUsable);
    EXPECT_EQ(shown.back(), 2);
}

TEST_F(Selection, AutoSelectionComparesStrictlyAndFallsBack) {
    MapTable table{};
    table[0] = recordBetween(bitmap("a.bmp"), 60, 10, 50, 0);
    table[1] = recordBetween(bitmap("b.bmp"), 40, 10, 30, 0);
    ASSERT_TRUE(open(mapFile(table)));
    selection.showRecord(files, 2);
    at(60, 5); // on the north edge of record 1 only
    selection.AutoSelectChart(files, nav);
    EXPECT_EQ(chart.MapIndex, 2);
    EXPECT_EQ(selection.recordField(), 2);
    EXPECT_EQ(chart.ChartFileName, dir.file("b.bmp"));
    EXPECT_TRUE(chart.ChartUsable);
}

TEST_F(Selection, TheTimerSearchesOnTheEleventhTickOffTheChart) {
    MapTable table{};
    table[0] = recordBetween(bitmap("a.bmp"), 60, 10, 50, 0);
    table[1] = recordBetween(bitmap("b.bmp"), 40, 10, 30, 0);
    ASSERT_TRUE(open(mapFile(table)));
    chart.AutoSelect = true;
    at(35, 5);
    for (int tick = 1; tick <= 10; ++tick)
        selection.tick(files, nav);
    EXPECT_EQ(chart.MapIndex, 1);
    at(55, 5); // back on the chart: not counted, not reset
    selection.tick(files, nav);
    at(35, 5);
    selection.tick(files, nav);
    EXPECT_EQ(chart.MapIndex, 2);
    EXPECT_EQ(chart.AutoSelectTicks, 0);
}

TEST_F(Selection, TheEdgeCountsAsOnTheChartForTheTimer) {
    MapTable table{};
    table[0] = recordBetween(bitmap("a.bmp"), 60, 10, 50, 0);
    ASSERT_TRUE(open(mapFile(table)));
    chart.AutoSelect = true;
    at(60, 10);
    for (int tick = 1; tick <= 20; ++tick)
        selection.tick(files, nav);
    EXPECT_EQ(chart.AutoSelectTicks, 0);
}

TEST_F(Selection, TheNoticeShowsWhileTheChartWindowLacksAUsableChartOnceAMapFileIsChosen) {
    EXPECT_FALSE(selection.tick(files, nav));
    chart.ChartWindowShown = true;
    EXPECT_FALSE(selection.tick(files, nav)); // no map file chosen yet
    MapTable table{};
    table[0] = easyRecord(bitmap("a.bmp"));
    table[1] = easyRecord(dir.file("missing.bmp"));
    ASSERT_TRUE(open(mapFile(table)));
    EXPECT_FALSE(selection.tick(files, nav));
    selection.showRecord(files, 2);
    EXPECT_TRUE(selection.tick(files, nav));
}

// The two text captions hold 255 characters, the prefix included; "°" is one character.
TEST(RecordCaption, IsCutTo255CharactersWithItsPrefix) {
    const std::string x249(249, 'x');
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"short", "Approaches", "Text:Approaches"},
        {"exactly 255", x249 + "a", "Text:" + x249 + "a"},
        {"a file's longest", x249 + "abcdef", "Text:" + x249 + "a"},
        {"a degree sign at the end", x249 + "°N", "Text:" + x249 + "°"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recordCaption("Text:", c.text), c.expected) << c.name;
}

} // namespace
} // namespace brisomar
