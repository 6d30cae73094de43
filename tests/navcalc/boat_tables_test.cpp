#include "navcalc/boat_tables.h"

#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brisomar {
namespace {

BoatTables defaults() {
    return {defaultSpeedTable(), defaultLeewayTable()};
}

double lookup(const BoatTables& t, const char* table, long double force, long double angle) {
    return static_cast<double>(BoatTableLookup(t, table, Real48(force), Real48(angle)).value());
}

TEST(BoatTableLookup, InterpolatesTheDefaultSpeeds) {
    const BoatTables t = defaults();
    EXPECT_NEAR(lookup(t, "speed", 10, 45), 6.05, 1e-9); // between 8/12 kn and 40/50°
    EXPECT_NEAR(lookup(t, "speed", 8, 15), 1.95, 1e-9);  // half of the 30° value of 3.9
    EXPECT_NEAR(lookup(t, "speed", 2, 90), 2.1, 1e-9);   // half of the 4-knot value of 4.2
    EXPECT_NEAR(lookup(t, "speed", 25, 180), 7.9, 1e-9); // the 20-knot value
    EXPECT_NEAR(lookup(t, "speed", 12, 30), 5.3, 1e-9);  // a grid point itself
    EXPECT_NEAR(lookup(t, "speed", 20, 175), 8.0 + 0.5 * -0.1, 1e-9); // between 170° and 180°
    EXPECT_NEAR(lookup(t, "speed", 16, 200), 7.0, 1e-9);              // above 180 taken as 180
    EXPECT_EQ(lookup(t, "speed", 12, -5), 0);                         // negative angles as 0
}

TEST(BoatTableLookup, AnyOtherNameReadsTheLeewayTable) {
    const BoatTables t = defaults();
    EXPECT_NEAR(lookup(t, "leeweay", 20, 30), 5, 1e-9);
    EXPECT_NEAR(lookup(t, "leeway", 12, 60), 2, 1e-9);
    EXPECT_EQ(lookup(t, "leeweay", 12, 150), 0);
}

TEST(BoatTableLookup, EmptyTablesGiveZero) {
    const BoatTables empty;
    for (const long double force : {0.0L, 5.0L, 20.0L})
        for (const long double angle : {0.0L, 45.0L, 180.0L})
            EXPECT_EQ(lookup(empty, "speed", force, angle), 0);
}

TEST(ParseTableCell, ReadsEitherSeparatorAndClamps) {
    const Real48 low(0.0L), high(90.0L);
    const auto cell = [&](const char* text) {
        return static_cast<double>(ParseTableCell(text, low, high).value());
    };
    EXPECT_EQ(ParseTableCell("7.26", low, high), Real48(7.26L));
    EXPECT_EQ(ParseTableCell("6,5", low, high), Real48(6.5L));
    EXPECT_EQ(ParseTableCell("5,05", low, high), Real48(5.05L));
    EXPECT_EQ(cell(",5"), 0.5);
    EXPECT_EQ(cell("7."), 7);
    EXPECT_EQ(cell("-3"), 0);
    EXPECT_EQ(cell("123"), 90);
    EXPECT_EQ(cell("1,2.3"), 0);
    EXPECT_EQ(cell("abc"), 0);
    EXPECT_EQ(cell(""), 0);
    EXPECT_EQ(tableCellText(ParseTableCell("7.26", low, high), '.'), "07.3");
}

TEST(BoatTableGrid, Headings) {
    EXPECT_EQ(forceHeading(1), " 04 knots");
    EXPECT_EQ(forceHeading(5), " 20 knots");
    EXPECT_EQ(angleHeading(1), "Windage 30°");
    EXPECT_EQ(angleHeading(16), "Windage 180°");
}

class BoatFiles : public ::testing::Test {
protected:
    testing::TempDir dir;
    testing::FailingFileSystem files;
};

TEST_F(BoatFiles, SaveAndLoadGiveTheSameValues) {
    const BoatTable speeds = defaultSpeedTable();
    const Bytes bytes = encodeBoatTable(speeds);
    ASSERT_EQ(bytes.size(), 480u);
    EXPECT_TRUE(std::equal(speeds[0][1].bytes().begin(), speeds[0][1].bytes().end(),
                           bytes.begin() + 6)); // 4 knots at 40° second
    EXPECT_TRUE(std::equal(speeds[1][0].bytes().begin(), speeds[1][0].bytes().end(),
                           bytes.begin() + 96)); // then 8 knots
    const std::string path = dir.file("boat.SPE");
    ASSERT_EQ(saveBoatTable(files, path, ".SPE", speeds), BoatFileResult::Done);
    BoatTable loaded{};
    ASSERT_EQ(loadBoatTable(files, path, ".SPE", loaded), BoatFileResult::Done);
    EXPECT_EQ(encodeBoatTable(loaded), bytes);
}

TEST_F(BoatFiles, OtherExtensionsAreIgnoredAndShortFilesRefused) {
    EXPECT_EQ(saveBoatTable(files, dir.file("boat.LEE"), ".SPE", BoatTable{}),
              BoatFileResult::Ignored);
    EXPECT_FALSE(files.exists(dir.file("boat.LEE")));
    std::ofstream(dir.file("short.spe"), std::ios::binary) << std::string(479, '\x81');
    BoatTable kept = defaultSpeedTable();
    EXPECT_EQ(loadBoatTable(files, dir.file("short.spe"), ".SPE", kept), BoatFileResult::IoError);
    EXPECT_EQ(encodeBoatTable(kept), encodeBoatTable(defaultSpeedTable()));
    EXPECT_EQ(loadBoatTable(files, dir.file("missing.SPE"), ".SPE", kept), BoatFileResult::Ignored);
    EXPECT_FALSE(FileReadable(files, ""));
}

TEST_F(BoatFiles, AFailedSaveLeavesThePreviousFile) {
    const std::string path = dir.file("boat.lee");
    saveBoatTable(files, path, ".LEE", defaultLeewayTable());
    files.replaceFails = true;
    EXPECT_EQ(saveBoatTable(files, path, ".LEE", BoatTable{}), BoatFileResult::IoError);
    BoatTable loaded{};
    loadBoatTable(files, path, ".LEE", loaded);
    EXPECT_EQ(encodeBoatTable(loaded), encodeBoatTable(defaultLeewayTable()));
}

} // namespace
} // namespace brisomar
