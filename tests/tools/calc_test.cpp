#include "tools/calc.h"

#include "charts/chart_fixtures.h"
#include "charts/map_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace brisomar::tool {
namespace {

std::string answer(std::string_view line) {
    return calcLine(line).line;
}

TEST(Calc, ComputesWithTheProgramsRoutines) {
    EXPECT_EQ(answer("Real48\t1.0"), "810000000000");
    EXPECT_EQ(answer("Real48\t-10000"), "8e000000409c");
    EXPECT_EQ(answer("Real48Value\t7DCDCCCCCC4C"), "0.10000000000002274");
    EXPECT_EQ(answer("LonToText\t-23.8"), "LON E023°47.999'");
    EXPECT_EQ(answer("LatToText\t91"), "0");
    EXPECT_EQ(answer("TextToLat\t091°10.000"), "90");
    EXPECT_EQ(answer("TextToLon\t   °  .   "), "0");
    EXPECT_EQ(answer("FloatToStr\t22.4"), "22.3999999999942");
    EXPECT_EQ(answer("FormatFloat\t0.0\t-0.04"), "-0.0");
}

// On WGS 84: GeographicLib's JFK to LHR example; the boat moving from the first position to
// the second.
TEST(Calc, SailsToTheActiveWaypointOnTheEllipsoid) {
    std::istringstream bearing(answer("WaypointBearing\t40.6\t73.8\t51.6\t0.5"));
    double azimuth = 0, distanceNm = 0;
    ASSERT_TRUE(bearing >> azimuth >> distanceNm);
    EXPECT_NEAR(azimuth, 51.19888284557983, 1e-9);
    EXPECT_NEAR(distanceNm * 1852, 5551759.400318678, 0.001);
    const struct {
        const char* line;
        const char* answer;
    } arrivals[] = {
        {"ArrivalCheck\t44\t30\t45\t30\t45.0008\t30\t45.0008\t30\t100", "radius"},
        {"ArrivalCheck\t44\t30\t45\t30\t44.9999\t30.01\t45.0011\t30.01\t100", "line"},
        {"ArrivalCheck\t44\t30\t45\t30\t45.0011\t30.01\t45.0011\t30.01\t100", "none"},
    };
    for (const auto& a : arrivals)
        EXPECT_EQ(answer(a.line), a.answer) << a.line;
}

TEST(Calc, ReportsBadLinesAsErrors) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"Real48\t1e39", "error: overflow"},
        {"FloatToStr\tabc", "error: unreadable number 'abc'"},
        {"Real48\t1\t2", "error: Real48 takes 1 argument(s), got 2"},
        {"LatToText", "error: LatToText takes 1 argument(s), got 0"},
        {"Steer\t1\t2", "error: unknown function Steer"},
        {"Real48Value\t81000000000", "error: not 12 hex digits: '81000000000'"},
        {"Real48Value\t81000000000g", "error: not 12 hex digits: 'g'"},
        {"FormatFloat\t#.0\t1", "error: unknown pattern '#.0'"},
        {"\t", "error: unknown function "},
    };
    for (const auto& c : cases) {
        const CalcAnswer a = calcLine(c.line);
        EXPECT_TRUE(a.failed) << c.line;
        EXPECT_EQ(a.line, c.error);
    }
}

// Every listed function takes the arguments the list gives it: with that many it gets past the
// count, with one more it does not.
TEST(Calc, ListsEveryFunctionWithItsArguments) {
    std::istringstream list(functionList());
    int functions = 0;
    for (std::string line; std::getline(list, line); ++functions) {
        const auto arguments = std::count(line.begin(), line.end(), '\t');
        const std::string name = line.substr(0, line.find('\t'));
        std::string call = name;
        for (int i = 0; i < arguments; ++i)
            call += "\t1";
        const std::string wrongCount = "error: " + name + " takes ";
        EXPECT_FALSE(answer(call).starts_with(wrongCount)) << line;
        EXPECT_TRUE(answer(call + "\t1").starts_with(wrongCount)) << line;
    }
    EXPECT_EQ(functions, 32);
    EXPECT_NE(functionList().find("\nDistanceNm\tlat1\tlon1\tlat2\tlon2\n"), std::string::npos);
}

TEST(Calc, ConvertsOnTheChartOfTheLastUseMap) {
    testing::TempDir dir;
    MapTable table{};
    table[1] = testing::easyRecord("chart.bmp");                 // 60..50 N on rows 0..1000
    table[2] = testing::recordBetween("odd.bmp", 50, 0, 60, 10); // edges in the wrong order
    const std::string path = dir.file("easy.MAP");
    const Bytes bytes = encodeMapFile(table);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    CalcSession session;
    EXPECT_EQ(session.line("LatToChartY\t55").line, "0"); // no chart yet
    EXPECT_EQ(session.line("UseMap\t" + path + "\t2").line, "ok");
    EXPECT_EQ(session.line("LatToChartY\t55").line, "500");
    EXPECT_EQ(session.line("LatToChartY\t60.5").line, "-50");
    EXPECT_EQ(session.line("LonToChartX\t2.5").line, "750");
    EXPECT_EQ(session.line("ChartYToLat\t500").line, session.line("Real48\t55").line);
    EXPECT_EQ(session.line("ChartYToLat\t1001").line, "000000000000");
    EXPECT_EQ(session.line("UseMap\t" + dir.file("missing.MAP") + "\t1").failed, true);
    EXPECT_EQ(session.line("UseMap\t" + path + "\t26").failed, true);
    EXPECT_EQ(session.line("LatToChartY\t55").line, "500"); // a failed UseMap changes nothing
    EXPECT_EQ(session.line("UseMap\t" + path + "\t3").line, "ok");
    EXPECT_EQ(session.line("LatToChartY\t55").line, "-500"); // corners taken as they are
}

TEST(Calc, ChartHelpers) {
    EXPECT_EQ(answer("InterpolatePixel\t0\t1000\t55\t60\t50"), "500");
    EXPECT_EQ(answer("InterpolatePixel\t0\t1000\t55\t60\t60"), "0");
    EXPECT_EQ(answer("InterpolatePixel\t0\t2000000000\t1e6\t0\t1"), "error: overflow");
    EXPECT_EQ(answer("InterpolatePixel\t0\t1.5\t1\t0\t1"), "error: unreadable integer '1.5'");
    EXPECT_EQ(answer("PositionOnChart\t0.5\t5\t1\t10\t-2\t0"), "false");
    EXPECT_EQ(answer("PositionOnChart\t-1\t5\t1\t10\t-2\t0"), "true");
}

TEST(Calc, AnswersEveryLineInOrderAndFailsAtTheEndIfAnyFailed) {
    std::istringstream in("Real48\t0.5\n\nbogus\nLatToText\t-0.5\r\n");
    std::ostringstream out;
    CalcSession session;
    EXPECT_EQ(runCalc(in, out, session), 1);
    EXPECT_EQ(out.str(), "800000000000\n\nerror: unknown function bogus\nLAT S 00°30.000'\n");
    std::istringstream good("Real48\t0.5\n");
    std::ostringstream goodOut;
    EXPECT_EQ(runCalc(good, goodOut, session), 0);
}

} // namespace
} // namespace brisomar::tool
