#include "ais/ais_targets.h"

#include "ais/ais_reader.h"
#include "ais/ais_traffic.h"
#include "input/nmea_simulator.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

constexpr long double nm = 1.0L / 60; // a nautical mile of latitude, degrees

GeoPoint at(long double lat, long double lon) {
    return {Real48(lat), Real48(lon)};
}

struct ApproachCase {
    const char* name;
    Motion own, target;
    long double cpa, tcpa;
};

class CpaRule : public testing::TestWithParam<ApproachCase> {};

// Latitude 45, where a minute of latitude is a nautical mile to a thousandth.
TEST_P(CpaRule, MeetsWhereBothSail) {
    const ApproachCase& c = GetParam();
    const Approach a = ClosestApproach(c.own, c.target);
    EXPECT_NEAR(a.cpaNm, c.cpa, 0.01) << c.name;
    EXPECT_NEAR(a.tcpaMinutes, c.tcpa, 0.1) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, CpaRule,
    testing::Values(
        ApproachCase{"HeadOn", {at(45, 0), 0, 10}, {at(45 + 2 * nm, 0), 180, 10}, 0, 6},
        ApproachCase{"Passed", {at(45, 0), 0, 0}, {at(45 - nm, 0), 180, 10}, 0, -6},
        // Both reach the same place in ten minutes, the target from the west (west positive).
        ApproachCase{"Crossing", {at(45, 0), 0, 6}, {at(45 + nm, nm / 0.70711L), 90, 6}, 0, 10},
        ApproachCase{"SlowTargetIsFixed", {at(45, 0), 0, 0}, {at(45 + nm, 0), 180, 0.19L}, 1, 0},
        ApproachCase{"SlowOwnBoatIsFixed", {at(45, 0), 90, 0.1L}, {at(45 + nm, 0), 0, 0}, 1, 0},
        // Across the 180° meridian: the target 0.6 Nm west of the own boat, sailing east.
        ApproachCase{"Meridian180", {at(0, 179.995L), 0, 0}, {at(0, -179.995L), 0, 6}, 0.6, 0},
        ApproachCase{
            "Meridian180Closing", {at(0, 179.995L), 0, 0}, {at(0, -179.995L), 90, 6}, 0, 6.0},
        ApproachCase{"AtThePole", {at(90, 0), 0, 0}, {at(90 - nm, 0), 0, 0}, 1, 0},
        // Both sail north towards the pole from its two sides, 1.2 Nm apart.
        ApproachCase{"AcrossThePole", {at(89.99L, 0), 0, 5}, {at(89.99L, 180), 0, 5}, 0, 7.2}),
    [](const auto& info) { return info.param.name; });

AisMessage position(std::uint32_t mmsi, long double lat, long double lonEast, double course,
                    double speed, int type = 1) {
    AisMessage m;
    m.type = type;
    m.mmsi = mmsi;
    m.lat = static_cast<double>(lat);
    m.lon = static_cast<double>(lonEast);
    m.course = course;
    m.speed = speed;
    m.status = 0;
    return m;
}

class AisTargetsTest : public testing::Test {
protected:
    const AisTarget* update(milliseconds now) { return targets.update(own, limits, now); }

    AisTargets targets;
    CollisionLimits limits;
    std::optional<Motion> own = Motion{at(45, 0), 0, 0};
};

TEST_F(AisTargetsTest, TheOwnShipIsNeverATarget) {
    targets.take(position(1, 45, 0, 0, 0), true, {});  // its transponder's VDO
    targets.take(position(1, 45, 0, 0, 0), false, {}); // heard back as VDM
    targets.ownMmsi = 2;
    targets.take(position(2, 45, 0, 0, 0), false, {});
    targets.take(position(3, 45 + nm, 0, 180, 5), false, {});
    update({});
    EXPECT_EQ(targets.size(), 1u);
    EXPECT_TRUE(targets.find(3));
}

// One VDO under a ship's MMSI names the own ship; the ship reporting by VDM elsewhere stays a
// target and the disagreement is told. A station's report under a ship's MMSI changes nothing.
TEST_F(AisTargetsTest, AVdoUnderAnotherShipsMmsiHidesNoShip) {
    const std::uint32_t ship = 265547250;
    targets.take(position(ship, 45 + nm, 0, 180, 12), false, seconds(0));
    targets.take(position(ship, 45 + 5 * nm, 0.1L, 0, 0), true, seconds(1)); // a stray VDO
    for (int s = 2; s <= 50; s += 10)
        targets.take(position(ship, 45 + nm, 0, 180, 12), false, seconds(s));
    AisMessage station = position(ship, 46, 1, 0, 0, 4);
    targets.take(station, false, seconds(51));
    station.type = 21;
    targets.take(station, false, seconds(51));
    update(seconds(52));
    ASSERT_TRUE(targets.find(ship));
    EXPECT_EQ(targets.find(ship)->kind, AisKind::classA);
    EXPECT_EQ(targets.find(ship)->position->lat, Real48(45 + nm));
    EXPECT_TRUE(targets.find(ship)->raisesAlarm());
    EXPECT_EQ(targets.disagreementNotice(),
              "AIS: 265547250 comes as the own ship (VDO) and as another ship (VDM).");
}

TEST_F(AisTargetsTest, ALateTargetIsLostThenRemoved) {
    targets.take(position(3, 45 + nm, 0, 180, 5), false, minutes(1));
    update(minutes(4));
    EXPECT_FALSE(targets.find(3)->lost);
    update(minutes(4) + milliseconds(1));
    EXPECT_TRUE(targets.find(3)->lost);
    EXPECT_FALSE(targets.find(3)->dangerous); // a lost target raises no alarm
    update(minutes(11) + milliseconds(1));
    EXPECT_EQ(targets.size(), 0u);
}

TEST_F(AisTargetsTest, NamesTheNearestInTimeAndMergesStaticData) {
    AisMessage name;
    name.type = 5;
    name.mmsi = 4;
    name.shipname = "NORDIC STAR";
    targets.take(name, false, {});
    targets.take(position(4, 45 + 0.6L * nm, 0.3L * nm / 0.70711L, 180, 6), false, {});
    targets.take(position(5, 45 + 1.2L * nm, 0, 180, 6), false, {}); // 0.0 Nm in 12 min
    const AisTarget* raising = update({});
    ASSERT_TRUE(raising);
    EXPECT_EQ(collisionText(*raising), "NORDIC STAR 0.3 Nm in 6 min");
}

struct ExemptCase {
    int status;
    double speed;
    bool raises;
};

class MooredRule : public testing::TestWithParam<ExemptCase> {};

TEST_P(MooredRule, AnchoredOrMooredAndStillRaisesNoAlarm) {
    AisTargets targets;
    AisMessage m = position(7, 45 + 0.1L * nm, 0, 180, GetParam().speed);
    m.status = GetParam().status;
    targets.take(m, false, {});
    EXPECT_EQ(targets.update(Motion{at(45, 0), 0, 0}, {}, {}) != nullptr, GetParam().raises);
}

INSTANTIATE_TEST_SUITE_P(Statuses, MooredRule,
                         testing::Values(ExemptCase{aisStatusMoored, 0.4, false},
                                         ExemptCase{aisStatusAtAnchor, 0, false},
                                         ExemptCase{aisStatusMoored, 0.6, true},
                                         ExemptCase{0, 0, true}));

TEST_F(AisTargetsTest, AnAcknowledgedTargetRaisesAgainOnlyAfterDrawingAway) {
    targets.take(position(8, 45 + nm, 0, 180, 6), false, {});
    ASSERT_TRUE(update({}));
    targets.acknowledge(8);
    EXPECT_FALSE(update(seconds(1)));
    targets.take(position(8, 45 + nm, 0, 90, 6), false, seconds(2)); // turns away: CPA 1 Nm
    EXPECT_FALSE(update(seconds(2)));
    targets.take(position(8, 45 + nm, 0, 180, 6), false, seconds(3));
    EXPECT_TRUE(update(seconds(3)));
}

TEST_F(AisTargetsTest, ListsApproachingByTcpaThenByRange) {
    targets.take(position(1, 45 + 3 * nm, 0, 0, 6), false, {});    // going away, 3 Nm
    targets.take(position(2, 45 + 2 * nm, 0, 0, 6), false, {});    // going away, 2 Nm
    targets.take(position(3, 45 + 4 * nm, 0, 180, 6), false, {});  // 40 min
    targets.take(position(4, 45 + 5 * nm, 0, 180, 60), false, {}); // 5 min
    update({});
    std::vector<std::uint32_t> order;
    for (const AisTarget* t : targets.sorted())
        order.push_back(t->mmsi);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{4, 3, 2, 1}));
}

} // namespace
} // namespace brisomar

namespace brisomar {
namespace {

// The demo's four targets come in as sentences the reader takes, and the crossing ship raises
// the alarm against the simulated boat within the first two minutes.
TEST(DemoTraffic, RaisesTheAlarmWithinTwoMinutes) {
    const NmeaSimulator boat;
    const DemoTraffic traffic([&boat](long double s, long double* course) {
        const NmeaSimulator::Point p = boat.positionAt(s, course);
        return GeoPoint{Real48(p.lat), Real48(p.lon)};
    });
    AisReader reader;
    AisTargets targets;
    std::string raising;
    for (long long second = 0; second < 120; ++second) {
        const std::string sentences = traffic.sentencesAt(second);
        for (std::size_t at = 0; at < sentences.size(); at = sentences.find('!', at + 1)) {
            const AisReading r =
                reader.read(sentences.substr(at, sentences.find('\r', at) - at), seconds(second));
            ASSERT_TRUE(r.refusal.empty()) << r.refusal;
            if (r.message)
                targets.take(*r.message, false, seconds(second));
        }
        long double course = 0;
        const NmeaSimulator::Point p = boat.positionAt(second, &course);
        if (const AisTarget* t = targets.update(
                Motion{at(p.lat, p.lon), course, NmeaSimulator::speedKnots}, {}, seconds(second));
            t && raising.empty())
            raising = t->name;
    }
    EXPECT_EQ(raising, "NORDIC STAR");
    EXPECT_EQ(targets.size(), 4u);
}

} // namespace
} // namespace brisomar
