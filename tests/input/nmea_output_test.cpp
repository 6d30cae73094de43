#include "input/nmea_output.h"

#include "input/nmea_fields.h"
#include "records/active_waypoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace brisomar {
namespace {

// One sentence as a receiver reads it: its checksum checked, its fields by number.
struct ReadSentence {
    std::string name, body;
    std::string text(int n) const { return NmeaFieldText(body, ",", n, name); }
    long double value(int n) const { return NmeaFieldValue(body, ",", n, name).value(); }
};

std::vector<ReadSentence> readBack(const std::string& sent) {
    std::vector<ReadSentence> read;
    std::istringstream lines(sent);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line.starts_with("$EC") && line.ends_with("\r")) << line;
        const std::string sentence = line.substr(1, line.size() - 2);
        EXPECT_EQ(sentence[sentence.size() - 3], '*') << line;
        EXPECT_FALSE(checksumIsWrong(sentence)) << line;
        const std::string body = sentence.substr(0, sentence.size() - 3) + ",";
        read.push_back({std::string(sentenceName(body)), body});
    }
    return read;
}

struct RouteCase {
    const char* name;
    long double lat, lon; // the boat, west positive
    int silenceSeconds;
    bool manualPosition;
    const char* status;
    int waypoint;
};

// A route north from 45°N 30°W, a tenth of a degree a leg, started there; the boat heads 010° at
// 6 knots.
TEST(RouteSentences, ReadBackFieldByFieldAsTheWaypointPageHasThem) {
    const RouteCase cases[] = {
        {"first leg, east of it: steer left", 45.05L, 29.99L, 0, false, "A", 1},
        {"first leg, west of it: steer right", 45.05L, 30.02L, 10, false, "A", 1},
        {"second leg, beyond its first waypoint", 45.15L, 30, 0, false, "A", 2},
        {"fix lost 11 s ago", 45.05L, 29.99L, 11, false, "V", 1},
        {"position typed in", 45.05L, 29.99L, 0, true, "V", 1},
    };
    for (const RouteCase& c : cases) {
        WaypointRoute route;
        for (int n = 1; n <= 3; ++n)
            route[n] = {Real48(45 + n / 10.0L), Real48(30.0L), {}, {}, {}};
        route.WaypointCount = 3;
        route.WaypointIndex = 1;
        route.sailFirstOfNewRoute();
        NavState nav;
        nav.GpsFixReceived = true;
        nav.PosLat = Real48(45.0L);
        nav.PosLon = Real48(30.0L);
        FollowRoute(route, nav, 0.5L, 100);
        nav.PosLat = Real48(c.lat), nav.PosLon = Real48(c.lon);
        nav.PosCourse = Real48(10.0L), nav.PosSpeed = Real48(6.0L);
        nav.GpsSilenceSeconds = Real48(static_cast<long double>(c.silenceSeconds));
        nav.ManualLat = c.manualPosition;
        FollowRoute(route, nav, 0.5L, 100);
        const WaypointFigures& w = nav.Waypoint;
        ASSERT_EQ(w.number, c.waypoint) << c.name;

        const auto read = readBack(routeSentences(nav));
        ASSERT_EQ(read.size(), 3u) << c.name;
        const ReadSentence &rmb = read[0], &apb = read[1], &xte = read[2];
        EXPECT_EQ(rmb.name + apb.name + xte.name, "ECRMBECAPBECXTE") << c.name;
        const long double offNm = std::fabs(w.crossTrackMetres) / 1852;
        const std::string side = w.crossTrackMetres > 0 ? "L" : "R";
        char origin[12], destination[12];
        std::snprintf(origin, sizeof origin, "%03d", c.waypoint - 1);
        std::snprintf(destination, sizeof destination, "%03d", c.waypoint);
        const std::string perpendicular = w.perpendicularPassed ? "A" : "V";
        for (const ReadSentence* s : {&rmb, &apb, &xte})
            EXPECT_EQ(s->text(1), c.status) << c.name << " " << s->name;
        EXPECT_NEAR(rmb.value(2), offNm, 0.005) << c.name;
        EXPECT_EQ(rmb.text(3) + rmb.text(4) + rmb.text(5), side + origin + destination) << c.name;
        EXPECT_NEAR(NmeaLatitude(rmb.text(6), rmb.text(7)).value(), w.lat.value(), 1e-5) << c.name;
        EXPECT_NEAR(NmeaLongitude(rmb.text(8), rmb.text(9)).value(), w.lon.value(), 1e-5) << c.name;
        EXPECT_NEAR(rmb.value(10), w.distanceNm, 0.005) << c.name;
        EXPECT_NEAR(rmb.value(11), w.bearing, 0.05) << c.name;
        EXPECT_NEAR(rmb.value(12), w.madeGoodKnots, 0.05) << c.name;
        EXPECT_EQ(rmb.text(13), perpendicular) << c.name;
        EXPECT_EQ(apb.text(2), c.status) << c.name;
        EXPECT_NEAR(apb.value(3), offNm, 0.0005) << c.name;
        EXPECT_EQ(apb.text(4) + apb.text(5) + apb.text(6) + apb.text(7),
                  side + "NV" + perpendicular)
            << c.name;
        EXPECT_NEAR(apb.value(8), w.legBearing, 0.05) << c.name;
        EXPECT_EQ(apb.text(9) + apb.text(10) + apb.text(12) + apb.text(14),
                  std::string("T") + destination + "TT")
            << c.name;
        EXPECT_NEAR(apb.value(11), w.bearing, 0.05) << c.name;
        EXPECT_NEAR(apb.value(13), w.bearing, 0.05) << c.name;
        EXPECT_NEAR(xte.value(3), offNm, 0.0005) << c.name;
        EXPECT_EQ(xte.text(2) + xte.text(4) + xte.text(5), c.status + side + "N") << c.name;
    }
}

TEST(RouteSentences, NoneWithoutAWaypointSailedTo) {
    NavState nav;
    EXPECT_EQ(routeSentences(nav), "");
    nav.Waypoint.progress = RouteProgress::Done;
    EXPECT_EQ(routeSentences(nav), "");
}

TEST(SentenceOutput, SendsReceivedSentencesToTheOtherOutputsAndTheRouteOnceASecond) {
    using std::chrono::milliseconds;
    SentenceOutput output;
    output.choices = {{{true, true}, {false, true}, {true, false}}};
    NavState nav;
    nav.Waypoint.progress = RouteProgress::Sailing;
    nav.Waypoint.number = 1;
    const std::string route = routeSentences(nav);
    output.received(1, "$GPRMC,1");
    output.received(2, "!AIVDM,2");
    auto sent = output.tick(nav, milliseconds(0));
    EXPECT_EQ(sent[0], "!AIVDM,2\r\n" + route);
    EXPECT_EQ(sent[1], "$GPRMC,1\r\n");
    EXPECT_EQ(sent[2], route);
    for (const int ms : {200, 800, 1000, 1199, 2000, 5000})
        EXPECT_EQ(output.tick(nav, milliseconds(ms))[2], ms % 1000 == 0 ? route : "") << ms;
    const std::string flood(100, 'x');
    for (int i = 0; i < 1000; ++i)
        output.received(1, flood);
    EXPECT_LE(output.tick(nav, milliseconds(5200))[1].size(), SentenceOutput::maxPendingBytes);
}

} // namespace
} // namespace brisomar
