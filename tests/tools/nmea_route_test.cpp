#include "tools/nmea_route.h"

#include "base/file_system.h"
#include "records/waypoint_route.h"
#include "temp_dir.h"
#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

namespace brisomar::tool {
namespace {

// Two waypoints north of 45°N 30°W; the route starts where the boat is, east of them.
TEST(NmeaRoute, GivesTheFirstLegsSentencesWithAFix) {
    testing::TempDir dir;
    WaypointRoute route;
    route[1] = {Real48(45.1L), Real48(30.0L), {}, {}, {}};
    route[2] = {Real48(45.2L), Real48(30.0L), {}, {}, {}};
    testing::writeFile(dir.file("r.WAY"), route.toFile());
    StdFileSystem files;
    const std::string sent =
        routeSentencesAt(files, dir.file("r.WAY"), *readToolPosition("45,-29.99"), 6);
    EXPECT_EQ(sent, "$ECRMB,A,0.00,R,000,001,4506.000,N,03000.000,W,6.02,355.9,6.0,V*16\r\n"
                    "$ECAPB,A,A,0.000,R,N,V,V,355.9,T,001,355.9,T,355.9,T*26\r\n"
                    "$ECXTE,A,A,0.000,R,N*51\r\n");
    testing::writeFile(dir.file("empty.WAY"), WaypointRoute().toFile());
    EXPECT_THROW(routeSentencesAt(files, dir.file("empty.WAY"), {}, 6), ToolError);
    EXPECT_EQ(readToolPosition("-45.5,30.25")->lat, Real48(-45.5L));
    for (const char* refused : {"", "45.5", "91,0", "45,181", "45,x"})
        EXPECT_FALSE(readToolPosition(refused)) << refused;
}

} // namespace
} // namespace brisomar::tool
