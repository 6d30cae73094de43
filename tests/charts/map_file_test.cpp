#include "charts/map_file.h"

#include "charts/chart_fixtures.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brisomar {
namespace {

using testing::easyRecord;
using testing::TempDir;

TEST(MapFile, LaysOutARecordAtItsOffsets) {
    MapTable table{};
    MapRecord& r = table[1] = easyRecord("C:\\Charts\\Øresund.bmp");
    r.CalLat[1] = Real48(57.5L);
    r.CalRow[1] = -2;
    r.CalCol[6] = 0x01020304;
    const Bytes bytes = encodeMapFile(table);
    ASSERT_EQ(bytes.size(), 16300u);
    const std::uint8_t* at = bytes.data() + 652;
    const std::string name = "C:\\Charts\\\xD8resund.bmp"; // Windows-1252 on disk
    EXPECT_EQ(at[0], name.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(at + 1), name.size()), name);
    EXPECT_EQ(at[256], 10); // "Easy chart"
    EXPECT_TRUE(std::equal(r.CalLat[1].bytes().begin(), r.CalLat[1].bytes().end(), at + 518));
    EXPECT_TRUE(std::equal(r.CalLon[6].bytes().begin(), r.CalLon[6].bytes().end(), at + 590));
    EXPECT_EQ(at[600], 0xFE); // CalRow[2] = -2, little-endian
    EXPECT_EQ(at[603], 0xFF);
    EXPECT_EQ(at[648], 0x04); // CalCol[7]
    EXPECT_EQ(at[651], 0x01);
    EXPECT_EQ(bytes[0], 0); // record 1 empty
}

TEST(MapFile, RoundTripsEveryRecord) {
    MapTable table{};
    for (int i = 0; i < mapRecordCount; ++i) {
        table[i] = easyRecord("chart" + std::to_string(i) + ".bmp", 100 + i, 200 + i);
        table[i].InfoText = std::string(300, 'x'); // cut to 255
    }
    const auto back = decodeMapFile(encodeMapFile(table));
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[24].FileName, "chart24.bmp");
    EXPECT_EQ((*back)[24].InfoText, std::string(255, 'x'));
    EXPECT_EQ((*back)[24].CalRow[6], 124);
    EXPECT_EQ((*back)[3].CalLat[6], Real48(50.0L));
    EXPECT_EQ(encodeMapFile(*back), encodeMapFile(*decodeMapFile(encodeMapFile(*back))));
}

TEST(MapFile, NeedsAll16300Bytes) {
    Bytes bytes = encodeMapFile(MapTable{});
    bytes.push_back(7); // more is ignored
    EXPECT_TRUE(decodeMapFile(bytes));
    bytes.resize(16299);
    EXPECT_FALSE(decodeMapFile(bytes));

    TempDir dir;
    StdFileSystem files;
    std::ofstream(dir.file("short.MAP"), std::ios::binary) << std::string(16299, '\0');
    std::string error;
    EXPECT_FALSE(readMapFile(files, dir.file("short.MAP"), error));
    EXPECT_NE(error, "");
}

} // namespace
} // namespace brisomar
