#include "tools/info.h"

#include "app/coord_text.h"
#include "charts/map_file.h"
#include "temp_dir.h"
#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

namespace brisomar::tool {
namespace {

using testing::writeFile;

class Info : public ::testing::Test {
protected:
    std::string info(const std::string& name) { return fileInfo(files, dir.file(name)); }

    std::string failure(const std::string& name) {
        try {
            info(name);
        } catch (const ToolError& e) {
            return e.what();
        }
        ADD_FAILURE() << name << " did not fail";
        return "";
    }

    testing::TempDir dir;
    StdFileSystem files;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Info, DescribesAMapFile) {
    MapTable table{};
    table[0].FileName = "côte.bmp";
    table[0].InfoText = "Approaches";
    table[0].CalLat = {Real48(45.3L), Real48(), Real48(),     Real48(),
                       Real48(),      Real48(), Real48(45.1L)};
    table[0].CalLon = {Real48(30.4L), Real48(), Real48(),     Real48(),
                       Real48(),      Real48(), Real48(-1.5L)};
    table[0].CalRow[6] = 900;
    table[0].CalCol[6] = 1200;
    writeFile(dir.file("charts.map"), encodeMapFile(table));
    const std::string text = info("charts.map");
    EXPECT_TRUE(text.starts_with("Map file: 25 records\nRecord 1:\n  file name: côte.bmp\n"
                                 "  info text: Approaches\n"))
        << text;
    EXPECT_TRUE(contains(text, "  point 1: " + LatToText(Real48(45.3L))));
    EXPECT_TRUE(contains(text, "  point 7: " + LatToText(Real48(45.1L))));
    EXPECT_TRUE(contains(text, LatToText(Real48(45.1L)) + "  row 900         " +
                                   LonToText(Real48(-1.5L)) + "  column 1200\n"))
        << text;
    EXPECT_FALSE(contains(text, "point 2"));
    EXPECT_TRUE(contains(text, "\nRecord 2: empty\n"));
    EXPECT_TRUE(text.ends_with("Record 25: empty\n"));
}

TEST_F(Info, DescribesALogFile) {
    const TLogRecord record{"Tacked",      Real48(47.25L), Real48(-3.5L),
                            Real48(84.5L), Real48(6.5L),   testing::logTime(2024, 6, 1, 14, 30)};
    TLogRecord untold = record;
    untold.Text.clear();
    untold.DateTime = testing::logTime(2024, 6, 1, 15, 0);
    const LogRecordBytes first = encodeLogRecord(record), second = encodeLogRecord(untold);
    Bytes log(first.begin(), first.end());
    log.insert(log.end(), second.begin(), second.end());
    writeFile(dir.file("trip.LOG"), log);
    const std::string position = LatToText(Real48(47.25L)) + "  " + LonToText(Real48(-3.5L));
    EXPECT_EQ(info("trip.LOG"),
              "Log file: 2 records\n1  2024-06-01 14:30:00  " + position +
                  "  course 84.5  speed 6.5 kn  Tacked\n2  2024-06-01 15:00:00  " + position +
                  "  course 84.5  speed 6.5 kn\n");
}

TEST_F(Info, DescribesARouteFile) {
    WaypointRoute route;
    route[1] = {Real48(48.5L), Real48(4.25L), Real48(), Real48(), Real48()};
    route[2] = {Real48(48.75L), Real48(4.5L), Real48(17.25L), Real48(33.5L), Real48(150.0L)};
    writeFile(dir.file("route.Way"), route.toFile());
    EXPECT_EQ(info("route.Way"), "Route file: 2 waypoints\n1   " + LatToText(Real48(48.5L)) + "  " +
                                     LonToText(Real48(4.25L)) +
                                     "  distance 0 nm  course 0  minutes 0\n2   " +
                                     LatToText(Real48(48.75L)) + "  " + LonToText(Real48(4.5L)) +
                                     "  distance 17.25 nm  course 33.5  minutes 150\n");
}

TEST_F(Info, DescribesBoatTables) {
    BoatTable table{};
    table[0][0] = Real48(2.5L);
    table[4][15] = Real48(7.75L);
    writeFile(dir.file("boat.SPE"), encodeBoatTable(table));
    writeFile(dir.file("boat.LEE"), encodeBoatTable(table));
    const std::string speed = info("boat.SPE");
    const std::string gap(17, ' ');
    EXPECT_TRUE(speed.starts_with("Boat speed table (knots)\nWindforce->" + std::string(7, ' ') +
                                  " 04 knots" + std::string(9, ' ') + " 08 knots"))
        << speed;
    EXPECT_TRUE(contains(speed, "\nWindage 30°" + std::string(8, ' ') + "2.5" +
                                    std::string(15, ' ') + "0" + gap + "0" + gap + "0" + gap +
                                    "0\n"))
        << speed;
    EXPECT_TRUE(contains(speed, "\nWindage 180°" + std::string(7, ' ') + "0" + gap + "0" + gap +
                                    "0" + gap + "0" + gap + "7.75\n"));
    EXPECT_TRUE(info("boat.LEE").starts_with("Leeway table (degrees)\n"));
}

TEST_F(Info, RefusesFilesOfTheWrongSize) {
    const struct {
        const char* name;
        std::size_t size;
        const char* reason;
    } cases[] = {
        {"a.MAP", 16299, "a map file holds 16300 bytes, this one has 16299 bytes"},
        {"b.WAY", 2999, "a route file holds 3000 bytes, this one has 2999 bytes"},
        {"c.SPE", 479, "a boat table holds 480 bytes, this one has 479 bytes"},
        {"d.lee", 0, "a boat table holds 480 bytes, this one has 0 bytes"},
        {"e.LOG", 2 * 288 + 5,
         "581 bytes is not a whole number of 288-byte log records (2 whole records)"},
        {"f.LOG", 287, "287 bytes is not a whole number of 288-byte log records (0 whole records)"},
    };
    for (const auto& c : cases) {
        writeFile(dir.file(c.name), Bytes(c.size));
        EXPECT_EQ(failure(c.name), dir.file(c.name) + ": " + c.reason);
    }
    writeFile(dir.file("empty.LOG"), Bytes());
    EXPECT_EQ(info("empty.LOG"), "Log file: 0 records\n");
}

TEST_F(Info, RefusesOtherFiles) {
    writeFile(dir.file("notes.txt"), "hello");
    EXPECT_EQ(failure("notes.txt"),
              dir.file("notes.txt") +
                  ": unknown file type (info reads .MAP, .LOG, .WAY, .SPE and .LEE)");
    EXPECT_EQ(failure("gone.WAY"), dir.file("gone.WAY") + ": No such file or directory");
}

} // namespace
} // namespace brisomar::tool
