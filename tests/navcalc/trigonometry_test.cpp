#include "navcalc/trigonometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace brisomar {
namespace {

// The C library's own functions, called through pointers the compiler cannot see through, so
// that it neither folds them nor merges a sine and a cosine into one call.
long double (*volatile librarySin)(long double) = ::sinl;
long double (*volatile libraryCos)(long double) = ::cosl;
long double (*volatile libraryAtan2)(long double, long double) = ::atan2l;

constexpr int randomCount = 1'000'000;

// Each value with the long doubles on either side of it.
std::vector<long double> withNeighbours(const std::vector<long double>& values) {
    std::vector<long double> all;
    constexpr long double inf = std::numeric_limits<long double>::infinity();
    for (const long double v : values)
        all.insert(all.end(), {std::nextafter(v, -inf), v, std::nextafter(v, inf)});
    return all;
}

// Radians as the sums make them from directions: random ones in 0..360 degrees, then every
// whole degree (the headings "Steer?" tries) with its neighbours.
std::vector<long double> anglesChecked() {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<long double> degrees(0, 360);
    std::vector<long double> angles;
    for (int i = 0; i < randomCount; ++i)
        angles.push_back(radiansFromDegrees(degrees(random)));
    std::vector<long double> whole;
    for (int d = 0; d <= 360; ++d)
        whole.push_back(radiansFromDegrees(d));
    const std::vector<long double> neighbours = withNeighbours(whole);
    angles.insert(angles.end(), neighbours.begin(), neighbours.end());
    return angles;
}

// Arguments as the sums give the arc tangent, q / √(1 − q²) with 1 − q² ≥ 0.0001, random and
// then the edges of that range, ±1 and 0 with their neighbours.
std::vector<long double> tangentsChecked() {
    std::mt19937_64 random(18);
    std::uniform_real_distribution<long double> sine(-0.99995L, 0.99995L);
    std::vector<long double> tangents;
    for (int i = 0; i < randomCount; ++i) {
        const long double q = sine(random);
        tangents.push_back(q / std::sqrt(1 - q * q));
    }
    const std::vector<long double> neighbours = withNeighbours({-99.99875L, -1, 0, 1, 99.99875L});
    tangents.insert(tangents.end(), neighbours.begin(), neighbours.end());
    return tangents;
}

bool sameBits(long double a, long double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// The arguments whose result is not the library's: how many, and the first few.
struct Differences {
    int count = 0;
    std::string examples;

    void add(const char* what, long double argument, long double ours, long double library) {
        if (++count > 3)
            return;
        std::ostringstream text;
        text.precision(21);
        text << what << "(" << argument << ") = " << ours << ", library " << library << "\n";
        examples += text.str();
    }
};

TEST(Trigonometry, SinesAndCosinesAreTheLibrarys) {
    const std::vector<long double> angles = anglesChecked();
    ASSERT_EQ(angles.size(), randomCount + 3 * 361u);
    Differences found;
    for (const long double r : angles) {
        const SinCos ours = sinCos(r);
        const long double sine = librarySin(r), cosine = libraryCos(r);
        if (!sameBits(ours.sin, sine))
            found.add("sin", r, ours.sin, sine);
        if (!sameBits(ours.cos, cosine))
            found.add("cos", r, ours.cos, cosine);
    }
    EXPECT_EQ(found.count, 0) << found.examples;
}

TEST(Trigonometry, ArcTangentsAreTheLibrarys) {
    Differences found;
    for (const long double x : tangentsChecked()) {
        const long double ours = arcTan(x), library = libraryAtan2(x, 1);
        if (!sameBits(ours, library))
            found.add("atan", x, ours, library);
    }
    EXPECT_EQ(found.count, 0) << found.examples;
}

} // namespace
} // namespace brisomar
