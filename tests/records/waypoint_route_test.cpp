#include "records/waypoint_route.h"

#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brisomar {
namespace {

using testing::FailingFileSystem;
using testing::TempDir;

WaypointRoute routeOf(int count) {
    WaypointRoute route;
    for (int n = 1; n <= count; ++n) {
        route[n].Lat = Real48(50.0L + n / 10.0L);
        route[n].Lon = Real48(-1.0L - n / 100.0L);
        route[n].Dist = Real48(n);
        route[n].Dir = Real48(90.0L);
        route[n].Minutes = Real48(n * 6.0L);
    }
    route.WaypointCount = count;
    route.WaypointIndex = count > 0 ? 1 : 0;
    route.sailFirstOfNewRoute();
    return route;
}

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(WaypointNavigation, MovesWithinTheRoute) {
    WaypointRoute route = routeOf(20);
    route.WaypointIndex = 16;
    EXPECT_TRUE(route.forward7());
    EXPECT_EQ(route.WaypointIndex, 20);
    EXPECT_FALSE(route.forward7());
    EXPECT_FALSE(route.next());
    EXPECT_FALSE(route.last());
    route.WaypointIndex = 5;
    EXPECT_TRUE(route.back7());
    EXPECT_EQ(route.WaypointIndex, 1);
    EXPECT_FALSE(route.back7());
    EXPECT_FALSE(route.previous());
    EXPECT_FALSE(route.first());
    EXPECT_TRUE(route.last());
    EXPECT_EQ(route.WaypointIndex, 20);
    EXPECT_TRUE(route.previous());
    EXPECT_EQ(route.WaypointIndex, 19);
    EXPECT_TRUE(route.first());
    EXPECT_EQ(route.WaypointIndex, 1);
}

// Choosing a waypoint makes it the one sailed to, afresh: the boat must cross its line from now.
TEST(WaypointNavigation, ChoosingAWaypointSailsToIt) {
    WaypointRoute route = routeOf(20);
    route.sailing = {7, true, {}, {}, true, Real48(50.0L), Real48(-1.0L), true};
    ASSERT_TRUE(route.forward7());
    EXPECT_EQ(route.sailing.ActiveWaypoint, 8);
    EXPECT_FALSE(route.sailing.HasPrevious);
    EXPECT_FALSE(route.sailing.RouteDone);
    EXPECT_TRUE(route.sailing.RouteStarted) << "the first leg's start is kept";
    ASSERT_TRUE(route.first());
    EXPECT_EQ(route.sailing.ActiveWaypoint, 1);
    EXPECT_FALSE(route.sailing.RouteStarted) << "the route starts again where the boat is";
    route.sailing.ActiveWaypoint = 5; // after loading: current 1, sailing to 5
    EXPECT_TRUE(route.first()) << "the current one, not the one sailed to";
    EXPECT_FALSE(route.first());
    route.WaypointIndex = 20;
    EXPECT_TRUE(route.last());
    EXPECT_FALSE(route.last());
}

TEST(WaypointNavigation, AnEmptyRouteGoesNowhere) {
    WaypointRoute route;
    EXPECT_FALSE(route.next() || route.last() || route.forward7() || route.first());
    EXPECT_EQ(route.shownOnActivation(), 0);
    route = routeOf(3);
    route.WaypointIndex = 7;
    EXPECT_EQ(route.shownOnActivation(), 3);
}

TEST(WaypointLine, ShowsPositionAndLeg) {
    WaypointRoute route = routeOf(2);
    EXPECT_EQ(waypointLine(2, route[2], '.'),
              "Nr:2 LAT N 50°12.000' LON E001°01.200' Dir:90.0 NM:2.0 Minutes:12.0 ");
}

// A cruise point goes in after waypoint i and the rest move up one place; a list whose 100th
// entry is in use has no room, and stays as it was.
TEST(WaypointInsertion, MovesTheRestUpOrIsRefusedWhenTheListIsFull) {
    const struct {
        const char* name;
        int count;
        bool hundredthInUse;
        int after;
        bool inserted;
    } cases[] = {
        {"inside a short route", 3, false, 1, true},
        {"among 99 waypoints", 99, false, 97, true},
        {"between 99 and a 100th behind them", 99, true, 99, false},
        {"inside 99 with a 100th behind them", 99, true, 50, false},
        {"inside a route of 100", 100, true, 50, false},
    };
    const TWaypoint point{Real48(49.5L), Real48(-0.5L), Real48(1.5L), Real48(45.0L), Real48(9.0L)};
    const WaypointLeg toNext{Real48(2.5L), Real48(135.0L), Real48(15.0L)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaypointRoute route = routeOf(c.count);
        if (c.hundredthInUse)
            route[maxWaypoints] = routeOf(maxWaypoints)[maxWaypoints];
        const WaypointRoute before = route;
        route.WaypointIndex = c.after;
        route.sailing.ActiveWaypoint = c.after + 1;
        EXPECT_EQ(route.insertAfter(c.after, point, toNext), c.inserted);
        EXPECT_EQ(route.WaypointIndex, c.after);
        EXPECT_EQ(route.sailing.ActiveWaypoint, c.after + (c.inserted ? 2 : 1))
            << "the same waypoint is sailed to";
        if (!c.inserted) {
            EXPECT_EQ(route.toFile(), before.toFile());
            EXPECT_EQ(route.WaypointCount, c.count);
            continue;
        }
        EXPECT_EQ(route.WaypointCount, c.count + 1);
        EXPECT_EQ(route[c.after].Lat, before[c.after].Lat);
        EXPECT_EQ(route[c.after + 1].Lat, point.Lat);
        EXPECT_EQ(route[c.after + 1].Minutes, point.Minutes);
        EXPECT_EQ(route[c.after + 2].Lat, before[c.after + 1].Lat);
        EXPECT_EQ(route[c.after + 2].Dir, toNext.Dir);
        EXPECT_EQ(route[c.after + 2].Dist, toNext.Dist);
        EXPECT_EQ(route[c.after + 2].Minutes, toNext.Minutes);
        EXPECT_EQ(route[c.count + 1].Lat, before[c.count].Lat);
        EXPECT_EQ(route[c.count + 1].Dist, before[c.count].Dist);
    }
}

TEST(WaypointFile, RoundTripsThe3000ByteBlock) {
    const WaypointRoute route = routeOf(12);
    const Bytes block = route.toFile();
    ASSERT_EQ(block.size(), waypointFileSize);
    EXPECT_EQ(block[30 * 12], 0); // entries above the route are zeros
    const WaypointRoute back = WaypointRoute::fromFile(block);
    EXPECT_EQ(back.toFile(), block);
    EXPECT_EQ(back[12].Minutes, Real48(72.0L));
    // Lat of entry 1 at offset 0, Lon at 6, Minutes at 24.
    EXPECT_TRUE(
        std::equal(route[1].Lon.bytes().begin(), route[1].Lon.bytes().end(), block.begin() + 6));
    EXPECT_TRUE(std::equal(route[1].Minutes.bytes().begin(), route[1].Minutes.bytes().end(),
                           block.begin() + 24));
}

class WaypointFiles : public ::testing::Test {
protected:
    TempDir dir;
    FailingFileSystem files;
};

TEST_F(WaypointFiles, SaveAndLoadTheRoute) {
    const std::string path = dir.file("route.way");
    ASSERT_EQ(saveWaypoints(files, path, routeOf(5)), WaypointFileResult::Done);
    EXPECT_EQ(fileBytes(path).size(), waypointFileSize);
    WaypointRoute loaded;
    ASSERT_EQ(loadWaypoints(files, path, loaded), WaypointFileResult::Done);
    EXPECT_EQ(loaded.WaypointCount, 5);
    EXPECT_EQ(loaded.WaypointIndex, 1);
    EXPECT_EQ(loaded.toFile(), routeOf(5).toFile());
}

// A route loaded is a new route: sailed from its first waypoint, whatever was sailed before,
// the route done included.
TEST_F(WaypointFiles, LoadingSailsTheNewRouteFromItsFirstWaypoint) {
    const std::string path = dir.file("route.way");
    ASSERT_EQ(saveWaypoints(files, path, routeOf(5)), WaypointFileResult::Done);
    const struct {
        int count, sailedTo;
        bool arrived, done;
    } rows[] = {
        {0, 0, false, false}, {8, 3, false, false}, {5, 5, true, false}, {5, 5, false, true}};
    for (const auto& row : rows) {
        WaypointRoute route = routeOf(row.count);
        route.sailing = {row.sailedTo, true, {}, {}, true, {}, {}, row.arrived, row.done};
        ASSERT_EQ(loadWaypoints(files, path, route), WaypointFileResult::Done);
        EXPECT_EQ(route.sailing.ActiveWaypoint, 1) << row.sailedTo;
        EXPECT_FALSE(route.sailing.RouteStarted || route.sailing.HasPrevious);
        EXPECT_FALSE(route.sailing.Arrived || route.sailing.RouteDone);
        EXPECT_EQ(route.WaypointIndex, 1);
    }
}

TEST_F(WaypointFiles, TheFirstEntryAtZeroMeansNoValues) {
    WaypointRoute route = routeOf(4);
    route[1].Lat = route[1].Lon = Real48();
    const std::string path = dir.file("empty.WAY");
    saveWaypoints(files, path, route);
    WaypointRoute kept = routeOf(2);
    EXPECT_EQ(loadWaypoints(files, path, kept), WaypointFileResult::NoValues);
    EXPECT_EQ(kept.WaypointCount, 2);
}

TEST_F(WaypointFiles, AWaypointAtZeroZeroEndsTheRoute) {
    WaypointRoute route = routeOf(6);
    route[3].Lat = route[3].Lon = Real48();
    const std::string path = dir.file("cut.WAY");
    saveWaypoints(files, path, route);
    WaypointRoute loaded;
    ASSERT_EQ(loadWaypoints(files, path, loaded), WaypointFileResult::Done);
    EXPECT_EQ(loaded.WaypointCount, 2);
    EXPECT_EQ(loaded[5].Lat, route[5].Lat); // kept outside the route, saved again
}

TEST_F(WaypointFiles, AShortFileIsAnIoErrorAndChangesNothing) {
    const std::string path = dir.file("short.WAY");
    std::ofstream(path, std::ios::binary) << std::string(2999, '\x81');
    WaypointRoute kept = routeOf(3);
    EXPECT_EQ(loadWaypoints(files, path, kept), WaypointFileResult::IoError);
    EXPECT_EQ(kept.toFile(), routeOf(3).toFile());
}

TEST_F(WaypointFiles, OtherExtensionsAreIgnored) {
    const std::string path = dir.file("route.txt");
    EXPECT_EQ(saveWaypoints(files, path, routeOf(3)), WaypointFileResult::Ignored);
    EXPECT_FALSE(files.exists(path));
    WaypointRoute route;
    EXPECT_EQ(loadWaypoints(files, dir.file("missing.WAY"), route), WaypointFileResult::Ignored);
}

TEST_F(WaypointFiles, AFailedSaveLeavesThePreviousFile) {
    const std::string path = dir.file("route.WAY");
    saveWaypoints(files, path, routeOf(8));
    const Bytes before = fileBytes(path);
    files.replaceFails = true;
    EXPECT_EQ(saveWaypoints(files, path, routeOf(2)), WaypointFileResult::IoError);
    EXPECT_EQ(fileBytes(path), before);
}

TEST(StdFileSystem, ReplaceWritesAtOnceAndLeavesNoTemporaryFileBehind) {
    TempDir dir;
    StdFileSystem files;
    std::string error;
    const std::string path = dir.file("data.WAY");
    ASSERT_TRUE(files.replace(path, Bytes{1, 2, 3}, error));
    ASSERT_TRUE(files.replace(path, Bytes{4, 5}, error));
    EXPECT_EQ(fileBytes(path), (Bytes{4, 5}));
    EXPECT_FALSE(files.replace(dir.file("missing/data.WAY"), Bytes{1}, error));
    EXPECT_NE(error, "");
    std::filesystem::create_directory(dir.file("folder.WAY"));
    EXPECT_FALSE(files.replace(dir.file("folder.WAY"), Bytes{1}, error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.WAY")));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2); // data.WAY and folder.WAY
}

} // namespace
} // namespace brisomar
