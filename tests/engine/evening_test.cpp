// A sailor's evening, six and a half hours of it in a few seconds: the watch driven by a simulated
// clock, a receiver and AIS traffic, read as the sailor and the autopilot read it.
#include "engine/watch_engine.h"

#include "ais/ais_traffic.h"
#include "app/kept_settings.h"
#include "app/program.h"
#include "base/status_pages.h"
#include "fake_clock.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <vector>

namespace brisomar {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

struct Place {
    long double lat, lon; // degrees, north and west positive
};

// The route's waypoints and the boat's turning points.
constexpr Place boatStart{45.030L, 30.040L}; // beyond waypoint 1 as seen from 0° N 0°
constexpr Place wp1{45.000L, 30.000L}, wp2{45.000L, 30.100L}, wp3{45.050L, 30.100L};
constexpr Place southOfWp2{44.995L, 30.105L}; // crosses waypoint 2's line 550 m off it
constexpr Place beyondWp3{45.060L, 30.100L};
constexpr Place secondWp1{45.100L, 30.100L}, secondWp2{45.100L, 30.133L};
constexpr Place secondWp3{45.100L, 30.166L}, secondWp4{45.100L, 30.200L};
constexpr Place anchorage{45.105L, 30.200L}, dragged{45.104L, 30.200L};

constexpr long double knots = 6;

long double nmBetween(Place a, Place b) {
    const long double scale = std::cos(a.lat * std::numbers::pi_v<long double> / 180);
    return 60 * std::hypot(b.lat - a.lat, (b.lon - a.lon) * scale);
}

// Degrees true on a flat chart: enough for a boat's heading line.
long double courseBetween(Place from, Place to) {
    const long double degree = std::numbers::pi_v<long double> / 180;
    const long double east = (from.lon - to.lon) * std::cos(from.lat * degree);
    return std::fmod(std::atan2(east, to.lat - from.lat) / degree + 360, 360.0L);
}

// Seconds after 18:00 of a time of the evening ("23:50", "00:10" the next day).
long long at(const char* time) {
    int hour = 0, minute = 0, second = 0;
    std::sscanf(time, "%d:%d:%d", &hour, &minute, &second);
    return ((hour < 18 ? hour + 24 : hour) - 18) * 3600LL + minute * 60 + second;
}

// The boat's voyage: where it is at each second, along straight legs at 6 knots with stops.
class Voyage {
public:
    Voyage() {
        stop(boatStart, at("18:02"));
        sailTo(wp1);
        sailTo(southOfWp2);
        sailTo(wp3);
        wp3Reached = points_.back().second;
        sailTo(beyondWp3);
        stop(beyondWp3, at("20:00"));
        sailTo(secondWp1);
        sailTo(secondWp4);
        sailTo(anchorage);
        stop(anchorage, at("00:10"));
        stop(dragged, at("00:20"));
    }

    Place where(long double second, long double* course = nullptr) const {
        if (second <= points_.front().second)
            return points_.front().first;
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const auto& [to, arrive] = points_[i];
            const auto& [from, left] = points_[i - 1];
            if (second > arrive)
                continue;
            if (course)
                *course = courseBetween(from, to);
            const long double f = (second - left) / (arrive - left);
            return {from.lat + f * (to.lat - from.lat), from.lon + f * (to.lon - from.lon)};
        }
        return points_.back().first;
    }

    long double wp3Reached = 0;

private:
    void sailTo(Place to) {
        const auto& [from, left] = points_.back();
        points_.push_back({to, left + nmBetween(from, to) / knots * 3600});
    }
    void stop(Place place, long long until) {
        if (points_.empty())
            points_.push_back({place, 0});
        points_.push_back({place, static_cast<long double>(until)});
    }

    std::vector<std::pair<Place, long double>> points_;
};

std::string angle(long double degrees, int digits) {
    const long double minutes = (degrees - std::floor(degrees)) * 60;
    char text[24];
    std::snprintf(text, sizeof text, "%0*d%06.3Lf", digits, static_cast<int>(degrees), minutes);
    return text;
}

// What the autopilot on port 1 is sent.
struct Autopilot : SentenceSink {
    void send(const std::array<std::string, SentenceOutput::outputCount>& due) override {
        for (std::size_t start = 0, end; (end = due[0].find("\r\n", start)) != std::string::npos;
             start = end + 2)
            if (const std::string line = due[0].substr(start, end - start);
                line.starts_with("$ECRMB"))
                rmb.push_back(line);
    }
    std::vector<std::string> rmb;
};

class Evening : public ::testing::Test {
protected:
    Evening() {
        clock.time = {2026, 12, 10, 18, 0, 0, 0};
        rebuild();
        program->alarms.switchOn(AlarmSlot::AisCollision, program->nav);
    }

    // Everything the navigator keeps goes through its settings file's values and its route file,
    // as after a power cut; the watch starts anew from them.
    void powerCut() {
        KeptSettings kept;
        kept.route = keptRouteOf(program->route);
        kept.alarms = {program->alarms.AlarmOn, program->alarms.limits, program->alarms.fields,
                       program->alarms.IntervalSeconds};
        KeptSettings back = keptSettingsFrom(keptValues(kept));
        back.route.entries = kept.route.entries; // the route's own file
        rebuild();
        program->route = keptRoute(back.route);
        program->alarms.AlarmOn = back.alarms.on;
        program->alarms.limits = back.alarms.limits;
        program->alarms.fields = back.alarms.fields;
    }

    void rebuild() {
        engine.reset();
        program = std::make_unique<Program>();
        program->output.choices[0].route = true;
        engine = std::make_unique<WatchEngine>(program->watchParts(), files);
        engine->setSink(&autopilot);
        engine->advance(clock.reading());
    }

    // The evening goes on until `time`: a fix a second while the receiver is plugged in, the
    // AIS traffic as it comes, the watch advanced every 100 ms.
    void until(const char* time) { untilSecond(at(time)); }
    void untilSecond(long long end) {
        while (second_ < end) {
            ++second_;
            for (int tenth = 0; tenth < 10; ++tenth) {
                clock.pass(100ms);
                if (tenth == 0)
                    receive();
                engine->advance(clock.reading());
            }
        }
    }

    void receive() {
        if (!receiverOn)
            return;
        long double course = 0;
        const Place boat = voyage.where(second_, &course);
        const LocalDateTime t = clock.now();
        char body[96];
        std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d,A,%s,N,%s,W,%.1Lf,%.1Lf,101226,,",
                      t.hour, t.minute, t.second, angle(boat.lat, 2).c_str(),
                      angle(boat.lon, 3).c_str(), moving() ? knots : 0.0L, course);
        std::string sentence = nmeaSentence(body);
        program->reception.deliver(1, sentence.substr(0, sentence.size() - 2));
        const std::string ais = traffic.sentencesAt(second_);
        for (std::size_t start = 0, end; (end = ais.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            program->reception.deliver(1, ais.substr(start, end - start));
    }

    bool moving() const { return nmBetween(voyage.where(second_), voyage.where(second_ + 1)) > 0; }

    std::string page() const {
        return statusPageText(StatusPage::Waypoint, program->nav, {}, 0.75L);
    }
    bool raised(const std::string& alarm) const {
        return program->nav.ActiveAlarmNames.find(alarm) != std::string::npos;
    }
    std::size_t rmbSince(std::size_t from) const { return autopilot.rmb.size() - from; }

    void layOut(WaypointRoute& route, std::initializer_list<Place> places) {
        route.ClearWaypoints();
        int n = 0;
        for (const Place& p : places)
            route[++n] = {Real48(p.lat), Real48(p.lon), {}, {}, {}};
        route.WaypointCount = route.WaypointIndex = n;
        route.sailFirstOfNewRoute();
    }

    FakeClock clock;
    StdFileSystem files;
    Autopilot autopilot;
    std::unique_ptr<Program> program;
    std::unique_ptr<WatchEngine> engine;
    Voyage voyage;
    DemoTraffic traffic{[this](long double s, long double* course) {
        const Place p = voyage.where(s, course);
        return GeoPoint{Real48(p.lat), Real48(p.lon)};
    }};
    bool receiverOn = false;
    long long second_ = 0;
};

TEST_F(Evening, TheWatchIsTrueFromTheSilentStartToTheDraggingAnchor) {
    until("18:00:30");
    layOut(program->route, {wp1, wp2, wp3});
    until("18:01:00");
    EXPECT_EQ(page(), "WP 1: ---° -.-- Nm  Waiting for a position");
    ASSERT_FALSE(autopilot.rmb.empty());
    EXPECT_TRUE(autopilot.rmb.back().starts_with("$ECRMB,V,")) << autopilot.rmb.back();
    powerCut();
    until("18:01:30");
    EXPECT_EQ(page(), "WP 1: ---° -.-- Nm  Waiting for a position") << "after a power cut";

    receiverOn = true;
    until("18:02:10");
    EXPECT_EQ(program->nav.Arrivals.count, 0) << "the first fix reaches nothing";
    EXPECT_TRUE(page().starts_with("WP 1: 13")) << page(); // south-east, to waypoint 1
    EXPECT_NE(autopilot.rmb.back().find(",A,"), std::string::npos);
    EXPECT_TRUE(autopilot.rmb.back().starts_with("$ECRMB,A,0.00,")) << autopilot.rmb.back();

    // A crossing ship raises the alarm; acknowledged, it is quiet, and it rises again when the
    // ship closes again half an hour later.
    until("18:32:30");
    EXPECT_TRUE(raised("AIS:")) << program->nav.ActiveAlarmNames;
    program->aisTargets.acknowledgeRaising();
    until("18:33:00");
    EXPECT_FALSE(raised("AIS:"));
    until("18:50:00");
    EXPECT_EQ(program->nav.Arrivals.count, 1) << "waypoint 1 by its radius";
    powerCut(); // mid-leg: the arrivals are counted anew
    until("18:50:10");
    EXPECT_TRUE(page().starts_with("WP 2: ")) << page();
    until("19:02:30");
    EXPECT_TRUE(raised("AIS:")) << program->nav.ActiveAlarmNames;

    until("19:20:00");
    EXPECT_EQ(program->nav.Arrivals.count, 1) << "waypoint 2 by crossing its line";
    EXPECT_TRUE(page().starts_with("WP 3: ")) << page();

    // Inside waypoint 3's radius the autopilot is told it arrived.
    untilSecond(static_cast<long long>(voyage.wp3Reached) + 5);
    EXPECT_TRUE(page().starts_with("Arrived at WP 3: ")) << page();
    const std::string& arrived = autopilot.rmb.back();
    EXPECT_EQ(arrived.substr(arrived.size() - 5, 3), ",A*") << "arrival: " << arrived;
    powerCut(); // inside the arrival radius
    std::size_t sent = autopilot.rmb.size();
    until("19:50:00");
    EXPECT_EQ(page(), "Route done");
    EXPECT_EQ(rmbSince(sent), 0u) << "nothing steers the boat back to the last waypoint";
    powerCut(); // after route done
    sent = autopilot.rmb.size();
    until("19:55:00");
    EXPECT_EQ(page(), "Route done");
    EXPECT_EQ(rmbSince(sent), 0u);

    // A second route, longer than the first, is sailed from its first waypoint.
    TempDir dir;
    WaypointRoute second;
    layOut(second, {secondWp1, secondWp2, secondWp3, secondWp4});
    ASSERT_EQ(saveWaypoints(files, dir.file("second.WAY"), second), WaypointFileResult::Done);
    ASSERT_EQ(loadWaypoints(files, dir.file("second.WAY"), program->route),
              WaypointFileResult::Done);
    until("19:55:05");
    EXPECT_TRUE(page().starts_with("WP 1: ")) << page();
    EXPECT_NE(autopilot.rmb.back().find(",000,001,"), std::string::npos) << autopilot.rmb.back();
    until("21:20:00");
    EXPECT_EQ(page(), "Route done");

    // At anchor: armed at 23:50, quiet across midnight and a power cut, raised by the drag.
    until("23:50:00");
    program->alarms.fields.anchorRadius = "0050";
    ASSERT_FALSE(program->alarms.switchOn(AlarmSlot::AnchorWatch, program->nav));
    until("00:05:00");
    powerCut();
    until("00:10:00");
    EXPECT_FALSE(raised("Anchor watch")) << program->nav.ActiveAlarmNames;
    until("00:20:00");
    EXPECT_TRUE(raised("Anchor watch"));
    // Armed again where the boat now lies, the watch is quiet.
    program->alarms.switchOff(AlarmSlot::AnchorWatch);
    ASSERT_FALSE(program->alarms.switchOn(AlarmSlot::AnchorWatch, program->nav));
    until("00:20:30");
    EXPECT_FALSE(raised("Anchor watch"));
    // The receiver unplugged: the anchor watch cannot see, and says so.
    receiverOn = false;
    until("00:21:00");
    EXPECT_TRUE(raised("Anchor watch"));
}

} // namespace
} // namespace brisomar
