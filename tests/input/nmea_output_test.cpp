#include "input/nmea_output.h"

#include "input/nmea_fields.h"
#include "records/active_waypoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <sstream>
#include <vector>

namespace brisomar {
namespace {

// One sentence as a receiver reads it: its checksum checked, its fields by number.
struct ReadSentence {
    std::string name, body;
    long double value(int n) const { return NmeaFieldValue(body, ",", n, name).value(); }
    std::string texts(std::initializer_list<int> fields) const {
        std::string joined;
        for (const int n : fields)
            joined += NmeaFieldText(body, ",", n, name);
        return joined;
    }
};

std::vector<ReadSentence> readBack(const std::string& sent) {
    std::vector<ReadSentence> read;
    std::istringstream lines(sent);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line.starts_with("$EC") && line.ends_with("\r") && line.size() > 6) << line;
        const std::string sentence = line.substr(1, line.size() - 2);
        EXPECT_TRUE(sentence.ends_with("*" + nmeaChecksum(sentence.substr(0, sentence.size() - 3))))
            << line;
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
    const char* ids; // origin and destination
};

// A route north from 45°N 30°W, a tenth of a degree a leg, started there; the boat heads 010° at
// 6 knots. Each field against the figures the Waypoint page shows, within its last digit.
TEST(RouteSentences, ReadBackFieldByFieldAsTheWaypointPageHasThem) {
    const RouteCase cases[] = {
        {"first leg, east of it: steer left", 45.05L, 29.99L, 0, false, "A", "000001"},
        {"first leg, west of it: steer right", 45.05L, 30.02L, 10, false, "A", "000001"},
        {"second leg, beyond its first waypoint", 45.15L, 30, 0, false, "A", "001002"},
        {"fix lost 11 s ago", 45.05L, 29.99L, 11, false, "V", "000001"},
        {"position typed in", 45.05L, 29.99L, 0, true, "V", "000001"},
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
        nav.PosLat = Real48(45.0L), nav.PosLon = Real48(30.0L);
        FollowRoute(route, nav, 0.5L, 100);
        nav.PosLat = Real48(c.lat), nav.PosLon = Real48(c.lon);
        nav.PosCourse = Real48(10.0L), nav.PosSpeed = Real48(6.0L);
        nav.GpsSilenceSeconds = Real48(static_cast<long double>(c.silenceSeconds));
        nav.ManualLat = c.manualPosition;
        FollowRoute(route, nav, 0.5L, 100);
        const WaypointFigures& w = nav.Waypoint;

        const auto read = readBack(routeSentences(nav));
        ASSERT_EQ(read.size(), 3u) << c.name;
        const ReadSentence &rmb = read[0], &apb = read[1], &xte = read[2];
        EXPECT_EQ(rmb.name + apb.name + xte.name, "ECRMBECAPBECXTE") << c.name;
        const std::string status = c.status, side = w.crossTrackMetres > 0 ? "L" : "R";
        const std::string passed = w.perpendicularPassed ? "A" : "V";
        EXPECT_EQ(rmb.texts({1, 3, 4, 5, 13}), status + side + c.ids + passed) << c.name;
        EXPECT_EQ(apb.texts({1, 2, 4, 5, 6, 7, 9, 10, 12, 14}),
                  status + status + side + "NV" + passed + "T" + (c.ids + 3) + "TT")
            << c.name;
        EXPECT_EQ(xte.texts({1, 2, 4, 5}), status + status + side + "N") << c.name;
        EXPECT_NEAR(NmeaLatitude(rmb.texts({6}), rmb.texts({7})).value(), w.lat.value(), 1e-5);
        EXPECT_NEAR(NmeaLongitude(rmb.texts({8}), rmb.texts({9})).value(), w.lon.value(), 1e-5);
        const long double offNm = std::fabs(w.crossTrackMetres) / 1852;
        const struct {
            const ReadSentence& sentence;
            int field;
            long double expected, within;
        } numbers[] = {{rmb, 2, offNm, 0.005},     {rmb, 10, w.distanceNm, 0.005},
                       {rmb, 11, w.bearing, 0.05}, {rmb, 12, w.madeGoodKnots, 0.05},
                       {apb, 3, offNm, 0.0005},    {apb, 8, w.legBearing, 0.05},
                       {apb, 11, w.bearing, 0.05}, {apb, 13, w.bearing, 0.05},
                       {xte, 3, offNm, 0.0005}};
        for (const auto& n : numbers)
            EXPECT_NEAR(n.sentence.value(n.field), n.expected, n.within)
                << c.name << " " << n.sentence.name << " field " << n.field;
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
