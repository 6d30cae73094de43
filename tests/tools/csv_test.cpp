#include "tools/csv.h"

#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <gtest/gtest.h>

namespace brisomar::tool {
namespace {

TEST(Csv, QuotesOnlyTheFieldsThatNeedIt) {
    EXPECT_EQ(csvLine({"a", " 04 knots", "x,y", "say \"hi\"", "two\nlines", ""}),
              "a, 04 knots,\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\",\n");
}

TEST(Csv, ReadsWhatItWrites) {
    const std::vector<CsvRow> rows = {{"a", " b ", "x,y"}, {"say \"hi\"", "two\r\nlines", ""}};
    std::string text;
    for (const CsvRow& row : rows)
        text += csvLine(row);
    EXPECT_EQ(parseCsv(text), rows);
}

TEST(Csv, TakesCrLfAByteOrderMarkAndBlankLines) {
    const std::vector<CsvRow> expected = {{"a", "b"}, {"c", ""}};
    EXPECT_EQ(parseCsv("\xEF\xBB\xBF"
                       "a,b\r\n\r\nc,\r\n"),
              expected);
    EXPECT_EQ(parseCsv("a,b\nc,"), expected);
}

TEST(Csv, RefusesAQuotedFieldThatNeverEnds) {
    EXPECT_THROW(parseCsv("a,b\n\"c,d\n"), ToolError);
}

TEST(NumberText, ReadsBackToTheSameBytes) {
    std::mt19937 random(2024);
    for (int i = 0; i < 30000; ++i) {
        const Real48 value = testing::randomReal48(random);
        const std::string text = numberText(value);
        ASSERT_EQ(numberValue(text, "n").bytes(), value.bytes()) << text;
    }
    for (const long double value : {0.0L, 1.0L, -0.1L, 6.1L, 22.4L, 1e-6L, 1.7e38L, 2.9e-39L})
        EXPECT_EQ(numberValue(numberText(Real48(value)), "n"), Real48(value)) << value;
    EXPECT_EQ(numberText(Real48(6.5L)), "6.5");
    EXPECT_EQ(numberText(Real48(6.1L)), "6.1");
    EXPECT_EQ(numberText(Real48(150.0L)), "150");
    EXPECT_EQ(numberText(Real48(9.96L)), "9.96");
    EXPECT_EQ(numberText(Real48(0.00125L)), "0.00125");
    EXPECT_EQ(numberText(Real48(1099511627775.0L)), "1099511627775"); // 40 bits
    EXPECT_EQ(numberText(Real48(1e15L)), "1e+15");
    EXPECT_EQ(numberText(Real48(-1.5e30L)), "-1.5e+30");
    EXPECT_EQ(numberText(Real48::fromBytes({0, 1, 2, 3, 4, 5})), "0"); // a zero with stray bits
}

TEST(NumberText, NamesWhatItCannotRead) {
    EXPECT_THROW(numberValue("1e39", "x"), ToolError);
    try {
        numberWithin("-181", "point 3 lon", 180);
        FAIL();
    } catch (const ToolError& e) {
        EXPECT_STREQ(e.what(), "point 3 lon: -181 is outside -180 to 180");
    }
}

} // namespace
} // namespace brisomar::tool
