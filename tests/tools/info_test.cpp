#include "tools/info.h"

#include "base/coord_text.h"
#include "charts/map_file.h"
#include "failing_file_system.h"
#include "temp_dir.h"
#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace brisomar::tool {
namespace {

using testing::writeFile;

class Info : public ::testing::Test {
protected:
    std::string info(const std::string& name) {
        std::ostringstream text;
        fileInfo(files, dir.file(name), text);
        return text.str();
    }

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
    testing::FailingFileSystem files;
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

TEST_F(Info, ACalibrationPointBeyondTheGlobeIsShownOutOfRange) {
    MapTable table{};
    table[0].FileName = "x.bmp";
    table[0].CalLat[0] = Real48(95.0L);
    table[0].CalLon[0] = Real48(4.0L);
    table[0].CalLat[6] = Real48(85.0L);
    table[0].CalLon[6] = Real48(-180.2L);
    writeFile(dir.file("charts.map"), encodeMapFile(table));
    const std::string text = info("charts.map");
    EXPECT_TRUE(contains(text, "  point 1: out of range  row 0           " +
                                   LonToText(Real48(4.0L)) + "  column 0\n"))
        << text;
    EXPECT_TRUE(contains(text, "  point 7: " + LatToText(Real48(85.0L)) +
                                   "  row 0           out of range  column 0\n"))
        << text;
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
    };
    for (const auto& c : cases) {
        writeFile(dir.file(c.name), Bytes(c.size));
        EXPECT_EQ(failure(c.name), dir.file(c.name) + ": " + c.reason);
    }
    writeFile(dir.file("empty.LOG"), Bytes());
    EXPECT_EQ(info("empty.LOG"), "Log file: 0 records\n");
}

Bytes logOf(const std::vector<TLogRecord>& records) {
    Bytes log;
    for (const TLogRecord& r : records) {
        const LogRecordBytes bytes = encodeLogRecord(r);
        log.insert(log.end(), bytes.begin(), bytes.end());
    }
    return log;
}

const TLogRecord tacked{"Tacked",      Real48(47.25L), Real48(-3.5L),
                        Real48(84.5L), Real48(6.5L),   testing::logTime(2024, 6, 1, 14, 30)};

TEST_F(Info, ListsTheWholeRecordsOfALogAndTellsOfATornOneAtTheEnd) {
    Bytes log = logOf({tacked, tacked});
    log.resize(log.size() + 5, 0xFF);
    writeFile(dir.file("torn.LOG"), log);
    const std::string text = info("torn.LOG");
    EXPECT_TRUE(text.starts_with("Log file: 2 records\n1  2024-06-01 14:30:00  ")) << text;
    EXPECT_TRUE(text.ends_with(" kn  Tacked\nA torn record at the end holds 5 bytes, left out.\n"))
        << text;

    writeFile(dir.file("short.LOG"), Bytes(287));
    EXPECT_EQ(info("short.LOG"),
              "Log file: 0 records\nA torn record at the end holds 287 bytes, left out.\n");
}

TEST_F(Info, ReadsALogRecordByRecordAndOtherFilesOnlyAsFarAsTheirFormat) {
    writeFile(dir.file("long.LOG"), logOf(std::vector<TLogRecord>(5000, tacked)));
    const std::string text = info("long.LOG");
    EXPECT_TRUE(text.starts_with("Log file: 5000 records\n")) << text.substr(0, 100);
    EXPECT_TRUE(text.ends_with("\n5000  2024-06-01 14:30:00  " + LatToText(Real48(47.25L)) + "  " +
                               LonToText(Real48(-3.5L)) + "  course 84.5  speed 6.5 kn  Tacked\n"));
    EXPECT_LT(files.mostBytesRead, 5000 * logRecordSize);

    // Files of 6 GB that hold nothing on the disk: only the format's bytes are read.
    constexpr std::uintmax_t huge = std::uintmax_t{6} << 30;
    writeFile(dir.file("huge.WAY"), WaypointRoute().toFile());
    writeFile(dir.file("huge.MAP"), encodeMapFile(MapTable{}));
    for (const char* name : {"huge.WAY", "huge.MAP"}) {
        std::filesystem::resize_file(dir.file(name), huge);
        files.mostBytesRead = 0;
        EXPECT_NE(info(name), "");
        EXPECT_LE(files.mostBytesRead, mapFileSize) << name;
    }
}

TEST_F(Info, SaysWhichValuesAreOutOfRange) {
    WaypointRoute route;
    route[1] = {Real48(48.5L), Real48(4.25L), Real48(), Real48(), Real48()};
    route[2] = {Real48(-2024878625.355L), Real48(181.0L), Real48(), Real48(), Real48()};
    writeFile(dir.file("random.WAY"), route.toFile());
    const std::string text = info("random.WAY");
    EXPECT_TRUE(text.ends_with("\n2   out of range: latitude " + numberText(route[2].Lat) +
                               " is outside -90 to 90; longitude 181 is outside -180 to 180\n"))
        << text;

    TLogRecord lost = tacked;
    lost.DateTime = std::numeric_limits<double>::quiet_NaN();
    TLogRecord far = tacked;
    far.Lon = Real48(-400.0L);
    far.DateTime = 1e300;
    writeFile(dir.file("random.LOG"), logOf({tacked, lost, far}));
    const std::string log = info("random.LOG");
    EXPECT_TRUE(
        log.ends_with("\n2  out of range: date-time nan is no date from the year 1 to 9999\n"
                      "3  out of range: longitude -400 is outside -180 to 180; date-time "
                      "1.0000000000000001e+300 is no date from the year 1 to 9999\n"))
        << log;
}

TEST_F(Info, ShowsControlCharactersOfTextsEscaped) {
    TLogRecord record = tacked;
    record.Text = "Tack\x1b[2J\x07 \xc2\x81ok\x7f";
    writeFile(dir.file("loud.LOG"), logOf({record}));
    EXPECT_TRUE(info("loud.LOG").ends_with("  Tack\\x1b[2J\\x07 \\u0081ok\\x7f\n"));

    MapTable table{};
    table[0].FileName = "a\tb.bmp";
    table[0].InfoText = "line\nbreak";
    writeFile(dir.file("loud.MAP"), encodeMapFile(table));
    EXPECT_TRUE(info("loud.MAP")
                    .starts_with("Map file: 25 records\nRecord 1:\n  file name: a\\x09b.bmp\n  "
                                 "info text: line\\x0abreak\n"));
}

TEST_F(Info, RefusesAFifoWithoutOpeningIt) {
    ASSERT_EQ(::mkfifo(dir.file("pipe.LOG").c_str(), 0666), 0);
    EXPECT_EQ(failure("pipe.LOG"), dir.file("pipe.LOG") + ": a FIFO, not a regular file");
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
