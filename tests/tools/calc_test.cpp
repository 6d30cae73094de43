#include "tools/calc.h"

#include <gtest/gtest.h>

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

TEST(Calc, ReportsBadLinesAsErrors) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"Real48\t1e39", "error: overflow"},
        {"FloatToStr\tabc", "error: unreadable number 'abc'"},
        {"Real48\t1\t2", "error: Real48 takes 1 argument(s), got 2"},
        {"LatToText", "error: LatToText takes 1 argument(s), got 0"},
        {"DistanceNm\t1\t2\t3\t4", "error: unknown function DistanceNm"},
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

TEST(Calc, AnswersEveryLineInOrderAndFailsAtTheEndIfAnyFailed) {
    std::istringstream in("Real48\t0.5\n\nbogus\nLatToText\t-0.5\r\n");
    std::ostringstream out;
    EXPECT_EQ(runCalc(in, out), 1);
    EXPECT_EQ(out.str(), "800000000000\n\nerror: unknown function bogus\nLAT S 00°30.000'\n");
    std::istringstream good("Real48\t0.5\n");
    std::ostringstream goodOut;
    EXPECT_EQ(runCalc(good, goodOut), 0);
}

} // namespace
} // namespace brisomar::tool
