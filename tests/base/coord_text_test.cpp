#include "base/coord_text.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

std::string lat(long double v) {
    return LatToText(Real48(v));
}
std::string lon(long double v) {
    return LonToText(Real48(v));
}

TEST(LatToText, WritesHemisphereDegreesAndTruncatedMinutes) {
    EXPECT_EQ(lat(0), "LAT N 00°00.000'");
    EXPECT_EQ(lat(90), "LAT N 90°00.000'");
    EXPECT_EQ(lat(-90), "LAT S 90°00.000'");
    EXPECT_EQ(lat(-0.5), "LAT S 00°30.000'");
    EXPECT_EQ(lat(10.125), "LAT N 10°07.500'");
    EXPECT_EQ(lat(15.3925833L), "LAT N 15°23.554'");
    EXPECT_EQ(lat(15.392583333333333L), "LAT N 15°23.555'");
    EXPECT_EQ(lat(5.0L + 23.5555L / 60), "LAT N 05°23.555'");
}

TEST(LatToText, OutOfRangeIsZero) {
    EXPECT_EQ(lat(90.0001L), "0");
    EXPECT_EQ(lat(-90.0001L), "0");
    EXPECT_EQ(lat(1000), "0");
}

TEST(LonToText, PadsDegreesToThreeDigits) {
    EXPECT_EQ(lon(0), "LON W000°00.000'");
    EXPECT_EQ(lon(180), "LON W180°00.000'");
    EXPECT_EQ(lon(5.5), "LON W005°30.000'");
    EXPECT_EQ(lon(-23.75), "LON E023°45.000'");
    EXPECT_EQ(lon(-180.5), "0");
    EXPECT_EQ(lon(180.0001L), "0");
}

TEST(LonToText, TruncatesAfterTheStoredIntermediates) {
    EXPECT_EQ(lon(-23.8L), "LON E023°47.999'");
    EXPECT_EQ(lon(-179.99L), "LON E179°59.399'");
}

TEST(TextToLat, ReadsDegreesMinutesAndThousandths) {
    EXPECT_EQ(TextToLat("015°23.555"),
              Real48(15).value() + Real48(Real48(23).value() + 555 * 0.001L).value() / 60);
    EXPECT_EQ(TextToLat("091°10.000"), 90.0L);
    EXPECT_EQ(TextToLat("090°59.000"), 90.0L);
    EXPECT_EQ(TextToLat("045°75.000"), 45 + Real48(59.999L).value() * (1.0L / 60));
    EXPECT_EQ(TextToLat("   °  .   "), 0.0L);
    EXPECT_EQ(TextToLat(""), 0.0L);
}

TEST(TextToLat, AnUnreadablePartCountsAsZero) {
    EXPECT_EQ(TextToLat("0x5°30.000"), 30 * (1.0L / 60));
    EXPECT_EQ(TextToLat("010°3 .000"), 10.0L);
    EXPECT_EQ(TextToLat("010°30.5__"), 10.0L + 30 * (1.0L / 60));
}

TEST(TextToLon, ReadsUpTo180) {
    const long double minutes = Real48(45 + 678 * 0.001L).value();
    EXPECT_EQ(TextToLon("123°45.678"), 123 + minutes * (1.0L / 60));
    EXPECT_NEAR(static_cast<double>(TextToLon("123°45.678")), 123 + 45.678 / 60, 1e-9);
    EXPECT_EQ(TextToLon("180°30.000"), 180.0L);
    EXPECT_EQ(TextToLon("179°60.000"), 179 + Real48(59.999L).value() * (1.0L / 60));
}

TEST(TextToLon, CountsTheDegreeSignAsOneCharacter) {
    // Read byte-wise, the two bytes of "°" would shift minutes and thousandths.
    EXPECT_EQ(TextToLon("001°01.001"), 1 + Real48(1 + 1 * 0.001L).value() * (1.0L / 60));
}

} // namespace
} // namespace brisomar
