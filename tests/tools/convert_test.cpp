#include "tools/convert.h"
#include "tools/gpx.h"

#include "base/number_text.h"
#include "charts/map_file.h"
#include "failing_file_system.h"
#include "navcalc/navigation_math.h"
#include "temp_dir.h"
#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <limits>
#include <sys/stat.h>

namespace brisomar::tool {
namespace {

using testing::readBytes;
using testing::readText;
using testing::writeFile;

class Convert : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.file(name); }

    void convert(const std::string& in, const std::string& out, bool force = false) {
        convertFile(files, file(in), file(out), force);
    }

    // The reason convert gives for refusing.
    std::string failure(const std::string& in, const std::string& out, bool force = false) {
        try {
            convert(in, out, force);
        } catch (const ToolError& e) {
            return e.what();
        }
        ADD_FAILURE() << in << " -> " << out << " did not fail";
        return "";
    }

    testing::TempDir dir;
    testing::FailingFileSystem files;
};

std::string gpxRoute(const std::string& points) {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"hand\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\"><rte>" +
           points + "</rte></gpx>\n";
}

std::string gpxPoints(int count) {
    std::string points;
    for (int i = 0; i < count; ++i)
        points += "<rtept lat=\"" + std::to_string(47 + i % 100 / 100.0) + "\" lon=\"-3.5\"/>";
    return points;
}

WaypointRoute routeIn(const std::string& path) {
    return WaypointRoute::fromFile(readBytes(path));
}

TEST_F(Convert, ARouteFromGpxComesBackByteForByte) {
    writeFile(file("in.gpx"), gpxRoute("<rtept lat=\"47.2901\" lon=\"-3.12345678\"><name>A</name>"
                                       "</rtept><rtept lat=\"47.5\" lon=\"-2.9\"/>"
                                       "<rtept lat=\"-33.86\" lon=\"151.21\"/>"));
    convert("in.gpx", "first.WAY");
    convert("first.WAY", "again.gpx");
    convert("again.gpx", "second.WAY");
    EXPECT_EQ(readBytes(file("second.WAY")), readBytes(file("first.WAY")));

    const WaypointRoute route = routeIn(file("first.WAY"));
    ASSERT_EQ(route.countedRoute(), 3);
    EXPECT_EQ(route[1].Lat, Real48(47.2901L));
    EXPECT_EQ(route[1].Lon, Real48(3.12345678L)); // west positive
    EXPECT_EQ(route[3].Lon, Real48(-151.21L));
    EXPECT_TRUE(route[1].Dist.isZero() && route[1].Dir.isZero());
    EXPECT_EQ(route[2].Dist, DistanceNm(route[1].Lat, route[1].Lon, route[2].Lat, route[2].Lon));
    EXPECT_EQ(route[2].Dir, CourseBetween(route[1].Lat, route[1].Lon, route[2].Lat, route[2].Lon));
    EXPECT_TRUE(route[2].Minutes.isZero());
}

TEST_F(Convert, WritesAGpx11RouteWithLongitudeEastPositive) {
    WaypointRoute route;
    route[1] = {Real48(48.5L), Real48(4.25L), Real48(), Real48(), Real48()};
    route[2] = {Real48(-10.0L), Real48(-20.125L), Real48(3.0L), Real48(90.0L), Real48(30.0L)};
    writeFile(file("route.WAY"), route.toFile());
    convert("route.WAY", "route.gpx");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(file("route.gpx").c_str()));
    const pugi::xml_node gpx = document.document_element();
    EXPECT_STREQ(gpx.name(), "gpx");
    EXPECT_STREQ(gpx.attribute("version").value(), "1.1");
    EXPECT_STREQ(gpx.attribute("creator").value(), "brisomar-tool");
    EXPECT_STREQ(gpx.attribute("xmlns").value(), "http://www.topografix.com/GPX/1/1");
    std::vector<std::pair<std::string, std::string>> points;
    for (const pugi::xml_node point : gpx.child("rte").children("rtept"))
        points.emplace_back(point.attribute("lat").value(), point.attribute("lon").value());
    const decltype(points) expected = {{"48.5", "-4.25"}, {"-10", "20.125"}};
    EXPECT_EQ(points, expected);
}

TEST_F(Convert, RefusesMoreThan100RoutePoints) {
    writeFile(file("100.gpx"), gpxRoute(gpxPoints(100)));
    convert("100.gpx", "100.WAY");
    EXPECT_EQ(routeIn(file("100.WAY")).countedRoute(), 100);

    writeFile(file("101.gpx"), gpxRoute(gpxPoints(101)));
    EXPECT_EQ(failure("101.gpx", "101.WAY"),
              file("101.gpx") + ": 101 route points; a route holds at most 100");
    EXPECT_FALSE(files.exists(file("101.WAY")));
}

// Files are read only as far as a route or table can use them, however much they hold.
TEST_F(Convert, AHugeFileIsReadOnlyAsFarAsItCanBeUsed) {
    std::string csv;
    for (int row = 1; row <= 200000; ++row)
        csv += std::to_string(row) + ",1,2,3,4,5\n";
    std::string tracked = gpxRoute(gpxPoints(2));
    tracked.insert(tracked.find("</gpx>"), "<trk>" + std::string(2 << 20, ' ') + "</trk>");
    const std::string tooMany = "more than 100 route points; a route holds at most 100";
    const struct {
        std::string in, text, out, reason;
        std::size_t bound;
    } cases[] = {
        {"long.csv", "number,latitude,longitude,distance_nm,course,minutes\n" + csv, "long.WAY",
         tooMany, 1u << 20},
        {"long.csv", "Windforce->,1,2,3,4,5\n" + csv, "long.SPE", "17 rows expected, more found",
         1u << 20},
        {"long.gpx", gpxRoute(gpxPoints(200000)), "long.WAY", tooMany, mostGpxRouteBytes},
        {"long.gpx", gpxRoute(gpxPoints(2) + std::string(2 << 20, ' ')), "long.WAY",
         "no route <rte> ends within the first 524288 bytes, where a route in GPX must end",
         mostGpxRouteBytes},
        {"long.gpx", tracked, "long.WAY", "", mostGpxRouteBytes},
    };
    for (const auto& c : cases) {
        writeFile(file(c.in), c.text);
        files.mostBytesRead = 0;
        if (c.reason.empty())
            convert(c.in, c.out);
        else
            EXPECT_EQ(failure(c.in, c.out), file(c.in) + ": " + c.reason);
        EXPECT_LE(files.mostBytesRead, c.bound + 1) << c.reason;
    }
    EXPECT_EQ(routeIn(file("long.WAY")).countedRoute(), 2);
}

TEST_F(Convert, ARouteComesBackByteForByteThroughCsv) {
    WaypointRoute route;
    route[1] = {Real48(48.5L), Real48(4.25L), Real48(), Real48(), Real48()};
    route[2] = {Real48(48.6L), Real48(-0.1L), Real48(12.345L), Real48(271.3L), Real48(95.5L)};
    writeFile(file("route.WAY"), route.toFile());
    convert("route.WAY", "route.csv");
    convert("route.csv", "back.WAY");
    EXPECT_EQ(readBytes(file("back.WAY")), readBytes(file("route.WAY")));

    const std::string csv = readText(file("route.csv"));
    EXPECT_TRUE(csv.starts_with("number,latitude,longitude,distance_nm,course,minutes\n"
                                "1,48.5,-4.25,0,0,0\n2,"))
        << csv;
}

TEST_F(Convert, BoatTablesComeBackByteForByteThroughCsv) {
    BoatTable table = defaultSpeedTable();
    table[0][0] = Real48(6.1L);
    table[1][3] = Real48(-1e-6L);
    table[4][15] = Real48(123456.789L);
    table[2][7] = Real48(1.5e30L);
    for (const char* name : {"boat.SPE", "boat.lee"}) {
        writeFile(file(name), encodeBoatTable(table));
        convert(name, "grid.csv", true);
        convert("grid.csv", std::string("back") + extensionOf(name), true);
        EXPECT_EQ(readBytes(file(std::string("back") + extensionOf(name))), encodeBoatTable(table));
    }
    const std::string csv = readText(file("grid.csv"));
    EXPECT_TRUE(csv.starts_with("Windforce->, 04 knots, 08 knots, 12 knots, 16 knots, 20 knots\n"
                                "Windage 30°,6.1,"))
        << csv;
    EXPECT_NE(csv.find("\nWindage 180°,"), std::string::npos);
}

TEST_F(Convert, AMapComesBackByteForByteThroughJson) {
    const Bytes map = encodeMapFile(testing::randomMapTable(7));
    writeFile(file("charts.MAP"), map);
    convert("charts.MAP", "charts.json");
    convert("charts.json", "back.map");
    EXPECT_EQ(readBytes(file("back.map")), map);
}

TEST_F(Convert, JsonWithFewerRecordsLeavesTheOthersEmpty) {
    writeFile(file("few.json"), R"({"records": [
        {"record": 3, "fileName": "bay.bmp", "calLat": [45.5, 0, 0, 0, 0, 0, 45],
         "calRow": [0, 0, 0, 0, 0, 0, 800]},
        {"infoText": "the next one"}]})");
    convert("few.json", "few.MAP");
    const auto table = decodeMapFile(readBytes(file("few.MAP")));
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[2].FileName, "bay.bmp");
    EXPECT_EQ((*table)[2].CalLat[0], Real48(45.5L));
    EXPECT_EQ((*table)[2].CalRow[6], 800);
    EXPECT_EQ((*table)[3].InfoText, "the next one");
    MapTable expected{};
    expected[2] = (*table)[2];
    expected[3] = (*table)[3];
    EXPECT_EQ(encodeMapFile(*table), encodeMapFile(expected));
}

TEST_F(Convert, JsonOfTheWrongShapeIsRefusedNamingTheField) {
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"({"records": [{"calRow": [1, 2, "3", 4, 5, 6, 7]}]})",
         "records[0].calRow[2]: a 32-bit integer expected"},
        {R"({"records": [{}, {"fileName": 5}]})", "records[1].fileName: a string expected"},
        {R"({"records": [{"calLat": [1, 2, 3]}]})", "records[0].calLat: an array of 7 expected"},
        {R"({"records": [{"calCol": [1, 2, 3, 4, 5, 6, 2147483648]}]})",
         "records[0].calCol[6]: a 32-bit integer expected"},
        {R"({"records": [{"calLon": [1, 2, 3, 4, 5, 6, 1e39]}]})",
         "records[0].calLon[6]: a number expected"},
        {R"({"records": [{"record": 26}]})", "records[0].record: 26 is not 1 to 25"},
        {R"({"records": [{"record": 2}, {"record": 2}]})", "records[1].record: 2 comes twice"},
        {R"({"records": [{"filename": "x"}]})", "records[0].filename: unknown field"},
        {R"({"charts": []})", "the document: an object with \"records\" expected"},
        {R"({"records": [{"calLat": [1, 2, 3, 4, 5, 6, 1e400]}]})",
         "records[0].calLat[6]: number overflow parsing '1e400'"},
        {R"({"records": [{}, {"calRow": [-1e400]}]})",
         "records[1].calRow[0]: number overflow parsing '-1e400'"},
    };
    for (const auto& c : cases) {
        writeFile(file("bad.json"), c.json);
        EXPECT_EQ(failure("bad.json", "bad.MAP"), file("bad.json") + ": " + c.reason);
    }
    writeFile(file("bad.json"), "{\"records\": [");
    EXPECT_TRUE(failure("bad.json", "bad.MAP").starts_with(file("bad.json") + ": not JSON: "));
    writeFile(file("bad.json"), R"({"records": [{"calLat": [1, 2, x]}]})");
    EXPECT_TRUE(failure("bad.json", "bad.MAP").ends_with(" (in records[0].calLat[2])"));
    writeFile(file("bad.json"),
              "{\"records\": " + std::string(40, '[') + std::string(40, ']') + "}");
    const std::string deep = failure("bad.json", "bad.MAP");
    EXPECT_TRUE(deep.starts_with(file("bad.json") + ": records[0][0][0]")) << deep;
    EXPECT_TRUE(deep.ends_with(": nested deeper than 16 levels")) << deep;
    EXPECT_FALSE(files.exists(file("bad.MAP")));
}

TEST_F(Convert, ALogBecomesAGpxTrackInUtc) {
    const testing::TimeZone zone(testing::centralEurope);
    const TLogRecord summer{"Off the cape", Real48(47.25L), Real48(3.5L),
                            Real48(84.5L),  Real48(6.5L),   testing::logTime(2024, 6, 1, 14, 30)};
    const TLogRecord winter{"",       Real48(-1.0L), Real48(-2.0L),
                            Real48(), Real48(),      testing::logTime(2024, 1, 15, 0, 20)};
    Bytes log;
    for (const TLogRecord& r : {summer, winter}) {
        const LogRecordBytes bytes = encodeLogRecord(r);
        log.insert(log.end(), bytes.begin(), bytes.end());
    }
    writeFile(file("trip.LOG"), log);
    convert("trip.LOG", "trip.gpx");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(file("trip.gpx").c_str()));
    const pugi::xml_node gpx = document.child("gpx");
    EXPECT_STREQ(gpx.attribute("version").value(), "1.1");
    const pugi::xml_node first = gpx.child("trk").child("trkseg").child("trkpt");
    EXPECT_STREQ(first.attribute("lat").value(), "47.25");
    EXPECT_STREQ(first.attribute("lon").value(), "-3.5");
    EXPECT_STREQ(first.child_value("time"), "2024-06-01T12:30:00Z");
    EXPECT_STREQ(first.child_value("name"), "Off the cape");
    EXPECT_STREQ(first.child_value("desc"), "course 84.5 speed 6.5 kn");
    const pugi::xml_node second = first.next_sibling("trkpt");
    EXPECT_STREQ(second.child_value("time"), "2024-01-14T23:20:00Z");
    EXPECT_STREQ(second.attribute("lon").value(), "2");
    EXPECT_FALSE(second.child("name"));
}

TEST_F(Convert, ALogBecomesCsvWithItsTextQuotedWhereNeeded) {
    const TLogRecord record{"Reefed, \"wet\"", Real48(47.25L),
                            Real48(3.5L),      Real48(84.5L),
                            Real48(6.5L),      testing::logTime(2024, 6, 1, 14, 30)};
    const LogRecordBytes bytes = encodeLogRecord(record);
    writeFile(file("trip.log"), Bytes(bytes.begin(), bytes.end()));
    convert("trip.log", "trip.CSV");
    EXPECT_EQ(readText(file("trip.CSV")),
              "record,date_time_local,latitude,longitude,course,speed_kn,text\n"
              "1,2024-06-01 14:30:00,47.25,-3.5,84.5,6.5,\"Reefed, \"\"wet\"\"\"\n");
}

Bytes logOf(const std::vector<TLogRecord>& records) {
    Bytes log;
    for (const TLogRecord& r : records) {
        const LogRecordBytes bytes = encodeLogRecord(r);
        log.insert(log.end(), bytes.begin(), bytes.end());
    }
    return log;
}

const TLogRecord reefed{"Reefed",      Real48(47.25L), Real48(3.5L),
                        Real48(84.5L), Real48(6.5L),   testing::logTime(2024, 6, 1, 14, 30)};

TEST_F(Convert, ALogWithATornRecordAtTheEndConvertsItsWholeRecords) {
    Bytes log = logOf({reefed, reefed});
    log.resize(log.size() + 128, 0xFF);
    writeFile(file("torn.LOG"), log);
    convert("torn.LOG", "torn.csv");
    const std::string csv = readText(file("torn.csv"));
    EXPECT_EQ(csv, "record,date_time_local,latitude,longitude,course,speed_kn,text\n"
                   "1,2024-06-01 14:30:00,47.25,-3.5,84.5,6.5,Reefed\n"
                   "2,2024-06-01 14:30:00,47.25,-3.5,84.5,6.5,Reefed\n");
}

TEST_F(Convert, RefusesRoutesAndLogsWithValuesOutOfRangeNamingTheRecord) {
    WaypointRoute route;
    route[1] = {Real48(48.5L), Real48(4.25L), Real48(), Real48(), Real48()};
    route[2] = {Real48(-2024878625.355L), Real48(4.0L), Real48(), Real48(), Real48()};
    writeFile(file("random.WAY"), route.toFile());
    TLogRecord lost = reefed;
    lost.DateTime = std::numeric_limits<double>::quiet_NaN();
    TLogRecord east = reefed;
    east.Lon = Real48(-180.5L);
    writeFile(file("random.LOG"), logOf({reefed, lost}));
    writeFile(file("east.LOG"), logOf({reefed, reefed, east}));
    const struct {
        const char* in;
        const char* out;
        std::string reason;
    } cases[] = {
        {"random.WAY", "random.gpx",
         "waypoint 2: latitude " + numberText(route[2].Lat) + " is outside -90 to 90"},
        {"random.WAY", "random.csv",
         "waypoint 2: latitude " + numberText(route[2].Lat) + " is outside -90 to 90"},
        {"random.LOG", "random.gpx", "record 2: date-time nan is no date from the year 1 to 9999"},
        {"east.LOG", "east.gpx", "record 3: longitude -180.5 is outside -180 to 180"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure(c.in, c.out), file(c.in) + ": " + c.reason);
        EXPECT_FALSE(files.exists(file(c.out)));
    }
}

TEST_F(Convert, RefusesInputsAboveTheirFormatsSizeBeforeReadingThem) {
    writeFile(file("big.gpx"), gpxRoute(gpxPoints(2)));
    std::filesystem::resize_file(file("big.gpx"), maxInputBytes + 1);
    writeFile(file("huge.LOG"), logOf({reefed}));
    std::filesystem::resize_file(file("huge.LOG"), std::uintmax_t{6} << 30); // nothing on the disk
    EXPECT_EQ(
        failure("big.gpx", "big.WAY"),
        file("big.gpx") +
            ": a text input holds at most 64 MB (67108864 bytes), this one has 67108865 bytes");
    EXPECT_EQ(failure("huge.LOG", "huge.csv"),
              file("huge.LOG") +
                  ": a log to convert holds at most 64 MB (67108864 bytes), this one "
                  "has 6442450944 bytes");
    EXPECT_EQ(files.mostBytesRead, 0u);

    ASSERT_EQ(::mkfifo(file("pipe.gpx").c_str(), 0666), 0);
    EXPECT_EQ(failure("pipe.gpx", "pipe.WAY"), file("pipe.gpx") + ": a FIFO, not a regular file");
}

TEST_F(Convert, AReadOnlyOutputIsNotReplacedEvenWithForce) {
    writeFile(file("route.WAY"), WaypointRoute().toFile());
    writeFile(file("route.csv"), "mine");
    std::filesystem::permissions(file("route.csv"), std::filesystem::perms(0444));
    EXPECT_EQ(failure("route.WAY", "route.csv", true),
              file("route.csv") + ": the file is read-only");
    EXPECT_EQ(readText(file("route.csv")), "mine");
}

TEST_F(Convert, AnOutputThatIsASymbolicLinkIsWrittenThroughKeepingItsPermissions) {
    writeFile(file("route.WAY"), WaypointRoute().toFile());
    writeFile(file("kept.csv"), "mine");
    std::filesystem::permissions(file("kept.csv"), std::filesystem::perms(0600));
    std::filesystem::create_symlink("kept.csv", file("link.csv"));
    convert("route.WAY", "link.csv", true);
    EXPECT_TRUE(std::filesystem::is_symlink(file("link.csv")));
    EXPECT_EQ(readText(file("kept.csv")), "number,latitude,longitude,distance_nm,course,minutes\n");
    EXPECT_EQ(std::filesystem::status(file("kept.csv")).permissions(),
              std::filesystem::perms(0600));
}

TEST_F(Convert, RefusesToReplaceAnExistingFileWithoutForce) {
    writeFile(file("route.WAY"), WaypointRoute().toFile());
    writeFile(file("route.csv"), "mine");
    EXPECT_EQ(failure("route.WAY", "route.csv"),
              file("route.csv") + ": already exists (add --force to replace it)");
    EXPECT_EQ(readText(file("route.csv")), "mine");
    convert("route.WAY", "route.csv", true);
    EXPECT_EQ(readText(file("route.csv")),
              "number,latitude,longitude,distance_nm,course,minutes\n");
}

TEST_F(Convert, LeavesNoFileBehindWhenItFails) {
    writeFile(file("route.WAY"), WaypointRoute().toFile());
    files.replaceFails = true;
    EXPECT_EQ(failure("route.WAY", "route.gpx"), file("route.gpx") + ": No space left on device");
    files.replaceFails = false;

    std::filesystem::create_directories(file("taken.gpx") + "/inside");
    EXPECT_NE(failure("route.WAY", "taken.gpx", true), "");
    writeFile(file("broken.gpx"), "<gpx><rte>");
    EXPECT_NE(failure("broken.gpx", "broken.WAY"), "");
    EXPECT_EQ(testing::namesIn(dir.path()),
              (std::set<std::string>{"route.WAY", "taken.gpx", "broken.gpx"}));
}

TEST_F(Convert, RefusesMalformedFilesNamingThem) {
    const struct {
        const char* name;
        const char* content;
        const char* out;
        const char* reason;
    } cases[] = {
        {"a.gpx", "<gpx><rte><rtept lat=\"1\" lon=\"2\"></rte></gpx>", "a.WAY", "not XML: "},
        {"b.gpx", "<kml><rte/></kml>", "b.WAY", "the document is <kml>, not <gpx>"},
        {"c.gpx", "<gpx><trk/></gpx>", "c.WAY", "no route <rte> in the document"},
        {"d.gpx", "<gpx><rte><rtept lat=\"4O\" lon=\"2\"/></rte></gpx>", "d.WAY",
         "route point 1 lat: '4O' is not a number"},
        {"e.gpx", "<gpx><rte><rtept lat=\"1\"/></rte></gpx>", "e.WAY",
         "route point 1 lon: missing"},
        {"f.gpx", "<gpx><rte><rtept lat=\"91\" lon=\"2\"/></rte></gpx>", "f.WAY",
         "route point 1 lat: 91 is outside -90 to 90"},
        {"g.gpx", "<gpx><rte><rtept lat=\"0\" lon=\"0\"/></rte></gpx>", "g.WAY",
         "route point 1 lies at 0°/0°, which would end the route there"},
        {"h.csv", "number,latitude,longitude,distance_nm,course,minutes\n1,2,3,4,5\n", "h.WAY",
         "row 2: 6 fields expected, 5 found"},
        {"i.csv", "nr,lat,lon\n", "i.WAY",
         "row 1: the header number,latitude,longitude,distance_nm,course,minutes expected"},
        {"j.csv", "number,latitude,longitude,distance_nm,course,minutes\n1,2,x,4,5,6\n", "j.WAY",
         "row 2 longitude: 'x' is not a number"},
        {"k.csv", "Windforce->,\"a\n", "k.SPE", "row 1: a quoted field never ends"},
        {"l.csv", "Windforce->,1,2,3,4,5\n", "l.LEE", "17 rows expected, 1 found"},
        {"m.csv", "number,latitude\n", "m.SPE", "row 1: Windforce-> expected in the first field"},
    };
    for (const auto& c : cases) {
        writeFile(file(c.name), c.content);
        const std::string reason = failure(c.name, c.out);
        EXPECT_TRUE(reason.starts_with(file(c.name) + ": " + c.reason)) << reason;
        EXPECT_FALSE(files.exists(file(c.out))) << c.out;
    }
}

TEST_F(Convert, RefusesFilesOfTheWrongSizeAndUnknownPairs) {
    writeFile(file("short.WAY"), Bytes(2999));
    EXPECT_EQ(failure("short.WAY", "short.gpx"),
              file("short.WAY") + ": a route file holds 3000 bytes, this one has 2999 bytes");
    EXPECT_EQ(failure("short.WAY", "short.json"),
              "cannot convert " + file("short.WAY") + " into " + file("short.json") +
                  " (see brisomar-tool --help for the pairs of formats)");
    EXPECT_EQ(failure("missing.MAP", "missing.json"),
              file("missing.MAP") + ": No such file or directory");
}

} // namespace
} // namespace brisomar::tool
