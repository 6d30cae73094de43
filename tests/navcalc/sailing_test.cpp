#include "navcalc/sailing.h"

#include "navcalc/optimum_search.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

BoatTables defaults() {
    return {defaultSpeedTable(), defaultLeewayTable()};
}

double d(Real48 v) {
    return static_cast<double>(v.value());
}

// Wind 10 knots from north, no current, steering east, with the default tables.
SailingValues beamReach() {
    SailingValues v;
    v.OptWindDir = Real48(0.0L);
    v.OptWindSpeed = Real48(10.0L);
    v.OptSteerDir = Real48(90.0L);
    return v;
}

TEST(Sailing, ABeamReachMakesSevenKnotsWithALittleLeeway) {
    const BoatTables t = defaults();
    SailingValues v = beamReach();
    ComputeFalseWind(v);
    EXPECT_EQ(v.OptFalseWindDir, Real48(0.0L));
    EXPECT_EQ(v.OptFalseWindSpeed, Real48(10.0L));
    v.OptBoatSpeed = BoatSpeed(t, v.OptSteerDir, v.OptFalseWindSpeed, v.OptFalseWindDir);
    v.OptLeeway = Leeway(t, v.OptSteerDir, v.OptWindSpeed, v.OptWindDir);
    EXPECT_NEAR(d(v.OptBoatSpeed), 7.1, 1e-9); // halfway between 6.7 and 7.5 at 90°
    EXPECT_NEAR(d(v.OptLeeway), 1, 1e-9);
    ComputeResultCourse(v);
    EXPECT_NEAR(d(v.OptResultDir), 91, 1e-9); // the wind from port pushes the boat to starboard
    EXPECT_NEAR(d(v.OptResultSpeed), 7.1, 1e-9);
}

TEST(Sailing, CloseToTheWindTheBoatBarelyMoves) {
    EXPECT_EQ(BoatSpeed(defaults(), Real48(10.0L), Real48(12.0L), Real48(350.0L)), Real48(0.01L));
    EXPECT_EQ(BoatSpeed(BoatTables{}, Real48(90.0L), Real48(12.0L), Real48(0.0L)), Real48(0.0L));
}

TEST(Sailing, LeewaySideFollowsTheWind) {
    SailingValues v;
    v.OptFalseWindSpeed = Real48(10.0L);
    v.OptBoatSpeed = Real48(5.0L);
    v.OptLeeway = Real48(3.0L);
    const auto resultFor = [&](long double heading, long double windFrom) {
        v.OptSteerDir = Real48(heading);
        v.OptFalseWindDir = Real48(windFrom);
        ComputeResultCourse(v);
        return d(v.OptResultDir);
    };
    EXPECT_NEAR(resultFor(0, 45), 357, 1e-9);    // wind from starboard: leeway subtracted
    EXPECT_NEAR(resultFor(180, 45), 183, 1e-9);  // from port: added
    EXPECT_NEAR(resultFor(90, 90), 93, 1e-9);    // dead ahead: added
    EXPECT_NEAR(resultFor(90, 270), 93, 1e-9);   // dead astern: added
    EXPECT_NEAR(resultFor(300, 330), 297, 1e-9); // starboard across north
}

TEST(Sailing, CurrentAloneMakesTheFalseWind) {
    SailingValues v;
    v.OptCurrentDir = Real48(90.0L);
    v.OptCurrentSpeed = Real48(2.0L);
    ComputeFalseWind(v);
    EXPECT_EQ(v.OptFalseWindDir, Real48(90.0L));
    EXPECT_EQ(v.OptFalseWindSpeed, Real48(2.0L));
    v.OptWindSpeed = Real48(2.0L); // wind from 270 and current towards 090 cancel
    v.OptWindDir = Real48(270.0L);
    ComputeFalseWind(v);
    EXPECT_EQ(v.OptFalseWindSpeed, Real48(0.0001L));
}

TEST(Sailing, WindAndCurrentAddAsVectors) {
    SailingValues v;
    v.OptWindDir = Real48(0.0L);
    v.OptWindSpeed = Real48(3.0L);
    v.OptCurrentDir = Real48(90.0L);
    v.OptCurrentSpeed = Real48(4.0L);
    ComputeFalseWind(v);
    EXPECT_NEAR(d(v.OptFalseWindSpeed), 5, 1e-9);
    EXPECT_NEAR(d(v.OptFalseWindDir), 53.1301, 1e-4); // atan(4/3)
    v.OptCurrentDir = Real48(180.0L);
    ComputeFalseWind(v);
    EXPECT_NEAR(d(v.OptFalseWindDir), 180, 1e-9); // X below 0: 180 - 0
}

// A sine off by its last bit turns what is left of nearly cancelling wind and current.
TEST(Sailing, NearlyCancellingWindAndCurrentLeaveTheExactDirection) {
    const auto direction = [](long double windDir, long double windSpeed, long double currentDir,
                              long double currentSpeed) {
        SailingValues v;
        v.OptWindDir = Real48(windDir);
        v.OptWindSpeed = Real48(windSpeed);
        v.OptCurrentDir = Real48(currentDir);
        v.OptCurrentSpeed = Real48(currentSpeed);
        ComputeFalseWind(v);
        return v.OptFalseWindDir.bytes();
    };
    EXPECT_EQ(direction(359, 16.089474969984188L, 179, 16.08947496998418814L),
              (Real48::Bytes{0x58, 0x4d, 0xed, 0xbe, 0x23, 0x03}));
    EXPECT_EQ(direction(185.672525358268274L, 12.643876L, 5.672525358L, 12.64387617843771849L),
              (Real48::Bytes{0x7a, 0x19, 0xcc, 0xf7, 0x3f, 0x25}));
}

TEST(EvaluateOptInputs, ResetsOutOfRangeFieldsAndWarnsOfUnreadableOnes) {
    SailingValues v;
    OptFields fields;
    fields.windSpeed = "025";
    fields.windDir = "400";
    fields.currentSpeed = "1 2";
    const OptEvaluation shown = EvaluateOptInputs(v, defaults(), fields, '.');
    EXPECT_EQ(fields.windSpeed, "020");
    EXPECT_EQ(v.OptWindSpeed, Real48(20.0L));
    EXPECT_EQ(fields.windDir, "000");
    EXPECT_EQ(shown.warnings, std::vector<std::string>{"Error at position: 2"});
    EXPECT_EQ(v.OptCurrentSpeed, Real48(1.0L)); // what was read up to the blank
    EXPECT_EQ(shown.falseWindSpeed, "21.0");
    EXPECT_EQ(shown.falseWindDir, "000");
}

TEST(EvaluateOptInputs, ShowsTheBoatsFigures) {
    SailingValues v;
    OptFields fields;
    fields.windSpeed = "010";
    fields.steerDir = "090";
    const OptEvaluation shown = EvaluateOptInputs(v, defaults(), fields, ',');
    EXPECT_EQ(shown.steerSpeed, "07,1");
    EXPECT_EQ(shown.leeway, "001");
    ComputeResultCourse(v);
    EXPECT_EQ(resultDirText(v, '.'), "091");
    EXPECT_EQ(resultSpeedText(v, '.'), "07.1");
    EXPECT_FALSE(lowBoatSpeed(v));
}

// The working values as steering `heading` alone makes them.
SailingValues steering(SailingValues v, const BoatTables& t, long double heading) {
    v.OptSteerDir = Real48(heading);
    v.OptBoatSpeed = BoatSpeed(t, v.OptSteerDir, v.OptFalseWindSpeed, v.OptFalseWindDir);
    v.OptLeeway = Leeway(t, v.OptSteerDir, v.OptWindSpeed, v.OptWindDir);
    ComputeResultCourse(v);
    return v;
}

void expectSameWorkingValues(const SailingValues& a, const SailingValues& b) {
    EXPECT_EQ(a.OptSteerDir, b.OptSteerDir);
    EXPECT_EQ(a.OptBoatSpeed, b.OptBoatSpeed);
    EXPECT_EQ(a.OptLeeway, b.OptLeeway);
    EXPECT_EQ(a.OptResultDir, b.OptResultDir);
    EXPECT_EQ(a.OptResultSpeed, b.OptResultSpeed);
}

TEST(SteerSearch, FindsTheHeadingThatMakesGoodTheWantedDirection) {
    const BoatTables t = defaults();
    SailingValues v = beamReach();
    v.OptGeoDir = Real48(91.0L);
    ComputeFalseWind(v);
    const SteerSearch best = searchSteerHeading(v, t, nullptr);
    EXPECT_EQ(best.bestHeading, 90);
    EXPECT_TRUE(best.found());
    expectSameWorkingValues(v, steering(v, t, 359)); // left at the last heading tried
    SailingValues still;                             // no wind, no current
    ComputeFalseWind(still);
    EXPECT_FALSE(searchSteerHeading(still, t, nullptr).found());
}

TEST(SteerSearch, TheDeviationIsAPlainDifference) {
    const BoatTables t = defaults();
    SailingValues v = beamReach();
    v.OptGeoDir = Real48(359.0L); // a result of 001 counts as 358 away
    ComputeFalseWind(v);
    int reported = 0;
    const SteerSearch best = searchSteerHeading(v, t, [&](int) { ++reported; });
    EXPECT_EQ(reported, 40); // every ninth heading
    EXPECT_GT(best.bestHeading, 300);
}

TEST(SpeedAlongCourse, TheBestSpeedOrAlmostNothing) {
    const BoatTables t = defaults();
    NavState nav;
    nav.WindSpeed = Real48(10.0L);
    SailingValues v;
    const Real48 east = SpeedAlongCourse(v, t, nav, Real48(), Real48(90.0L));
    EXPECT_GT(d(east), 7.0);
    EXPECT_LT(d(east), 7.2);
    expectSameWorkingValues(v, steering(v, t, 350)); // the last heading tried: 100° to port
    EXPECT_EQ(SpeedAlongCourse(v, t, nav, Real48(), Real48(0.0L)), Real48(0.00001L)); // upwind
    EXPECT_EQ(SpeedAlongCourse(v, BoatTables{}, nav, Real48(), Real48(90.0L)), Real48(0.00001L));
}

// With a current the searches work out its sine and cosine and the tables at the winds' forces
// once; the working values they leave are still those of their last heading summed alone.
TEST(HeadingSearches, SumTheLastHeadingAsCalcDoes) {
    const BoatTables t = defaults();
    NavState nav;
    nav.WindDir = Real48(200.0L);
    nav.WindSpeed = Real48(12.0L);
    nav.CurrentDir = Real48(90.0L);
    nav.CurrentSpeed = Real48(1.5L);
    SailingValues v;
    EXPECT_GT(d(SpeedAlongCourse(v, t, nav, Real48(), Real48(45.0L))), 1.5);
    expectSameWorkingValues(v, steering(v, t, 305)); // 100° to port of 045
    v.OptGeoDir = Real48(120.0L);
    EXPECT_TRUE(searchSteerHeading(v, t, nullptr).found());
    expectSameWorkingValues(v, steering(v, t, 359));
}

TEST(Spins, WrapAround) {
    EXPECT_EQ(spinDirection("005", -1), "355");
    EXPECT_EQ(spinDirection("355", 1), "005");
    EXPECT_EQ(spinDirection("400", 1), "010");
    EXPECT_EQ(spinSpeed("020", 1), "000");
    EXPECT_EQ(spinSpeed("000", -1), "020");
    EXPECT_EQ(spinSpeed("025", 1), "001");
}

TEST(OptimumSearch, EvaluatesBothLegsOfACruisePoint) {
    const BoatTables t = defaults();
    NavState nav;
    nav.WindSpeed = Real48(10.0L); // from north
    ToolValues tools;
    SailingValues v;
    TWaypoint a{Real48(57.0L), Real48(20.0L), {}, {}, {}};
    TWaypoint b{Real48(57.0L), Real48(18.0L), Real48(65.0L), Real48(90.0L), Real48(600.0L)};
    const CruisePointFigures f =
        evaluateCruisePoint(v, t, nav, tools, a, b, Real48(57.0L), Real48(19.0L));
    EXPECT_EQ(f.leg1.Dir, Real48(90.0L));
    EXPECT_EQ(f.leg2.Dir, Real48(90.0L));
    EXPECT_NEAR(d(f.leg1.Dist), 32.7, 0.1); // a degree of longitude at 57°
    EXPECT_NEAR(d(f.leg1.Minutes), d(f.leg1.Dist) * 60 / 7.1, 1.0);
    EXPECT_EQ(f.total, Real48(f.leg1.Minutes + f.leg2.Minutes));
    EXPECT_EQ(f.origin.Minutes, Real48(600.0L));
    EXPECT_EQ(tools.SailTimeThis, f.leg2.Minutes);
    EXPECT_EQ(tools.ChartDistanceThis, Real48(f.leg2.Dist * 1852));
    const CruisePointFigures onA = evaluateCruisePoint(v, t, nav, tools, a, b, a.Lat, a.Lon);
    EXPECT_TRUE(onA.leg1.Dist.isZero());
    EXPECT_TRUE(onA.leg1.Minutes.isZero());
    EXPECT_TRUE(onA.leg1.Dir.isZero());
    EXPECT_EQ(legCells({Real48(12.34L), Real48(1.25L), Real48(28.57L)}, '.'),
              (std::array<std::string, 3>{"12.3", "1.25", "28.6"}));
}

} // namespace
} // namespace brisomar
