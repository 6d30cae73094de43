#include "navcalc/navigation_math.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

Real48 r(long double v) {
    return Real48(v);
}

double course(long double lat1, long double lon1, long double lat2, long double lon2) {
    return static_cast<double>(CourseBetween(r(lat1), r(lon1), r(lat2), r(lon2)).value());
}

double distance(long double lat1, long double lon1, long double lat2, long double lon2) {
    return static_cast<double>(DistanceNm(r(lat1), r(lon1), r(lat2), r(lon2)).value());
}

TEST(CourseBetween, TheQuadrantsFrom57North20West) {
    // tan A = tan 1° / (sin 1° cos 57°): A = 61.43°, so the courses lie 28.57° off north.
    EXPECT_NEAR(course(57, 20, 58, 19), 28.57, 0.005);
    EXPECT_NEAR(course(57, 20, 56, 19), 151.43, 0.005);
    EXPECT_NEAR(course(57, 20, 56, 21), 208.57, 0.005);
    EXPECT_NEAR(course(57, 20, 58, 21), 331.43, 0.005);
}

TEST(CourseBetween, MeridiansAndParallelsGiveExactCourses) {
    EXPECT_EQ(course(57, 20, 57, 19), 90);
    EXPECT_EQ(course(57, 20, 57, 21), 270);
    EXPECT_EQ(course(57, 20, 58, 20), 0);
    EXPECT_EQ(course(57, 20, 56, 20), 180);
    EXPECT_EQ(course(57, 20, 57, 20), 0);
}

TEST(CourseBetween, TakesTheShortWayAcrossTheDateLine) {
    EXPECT_EQ(course(10, 179, 10, -179), 270);
    EXPECT_EQ(course(10, -179, 10, 179), 90);
    // North-westward across it: tan A = tan 1° / (sin 1° cos 10°), A = 45.44°.
    EXPECT_NEAR(course(10, 179.5, 11, -179.5), 270 + 45.44, 0.005);
}

TEST(CourseBetween, NearThePoleTheCourseIsZero) {
    EXPECT_EQ(course(89.5, 20, 88, 10), 0);
    EXPECT_EQ(course(-89.5, 20, -88, 10), 0);
}

TEST(DistanceNm, ADegreeIsSixtyPointOneOhEightMiles) {
    // 3443.936 x pi / 180 = 60.1076...
    EXPECT_NEAR(distance(0, 0, 0, 1), 60.1076, 0.0005);
    EXPECT_NEAR(distance(0, 0, 1, 0), 60.1076, 0.0005);
    EXPECT_NEAR(distance(0, 1, 0, -1), 2 * 60.1076, 0.001);     // across Greenwich
    EXPECT_NEAR(distance(0, 179.5, 0, -179.5), 60.1076, 0.001); // across the date line
}

TEST(DistanceNm, IsSymmetricAndZeroForOnePosition) {
    EXPECT_EQ(distance(57.3L, 19.2L, 12.5L, -44.1L), distance(12.5L, -44.1L, 57.3L, 19.2L));
    EXPECT_EQ(distance(57.5L, 19.5L, 57.5L, 19.5L), 0);
    EXPECT_EQ(distance(-33.9L, -151.2L, -33.9L, -151.2L), 0); // c may round past 1 here
    EXPECT_NEAR(distance(0, 0, 0, 180), 3443.936 * 3.14159265358979, 0.001);
}

TEST(DistanceAnswer, MilesFromOneMileElseMetres) {
    EXPECT_EQ(distanceAnswer(Real48(1.0L), '.'), "1 Nm");
    EXPECT_EQ(distanceAnswer(Real48(0.5L), '.'), "926 Meter");
    EXPECT_EQ(distanceAnswer(Real48(0.0L), '.'), "0 Meter");
    // Half a minute of latitude: about 927.69 m on this sphere once c is held as Real48.
    const Real48 halfMinute = DistanceNm(r(57.5L), r(19.5L), r(57.5L + 0.5L / 60), r(19.5L));
    EXPECT_NEAR(static_cast<double>(halfMinute.value() * 1852), 927.7, 0.1);
    EXPECT_EQ(distanceAnswer(halfMinute, ',').substr(0, 4), "927,");
}

} // namespace
} // namespace brisomar
