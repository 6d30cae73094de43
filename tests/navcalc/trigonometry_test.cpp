#include "navcalc/trigonometry.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace brisomar {
namespace {

// Random arguments of each kind; fewer in the sanitizer build, where each takes longer.
#ifndef BRISOMAR_TRIG_RANDOM_COUNT
#define BRISOMAR_TRIG_RANDOM_COUNT 1'000'000
#endif
constexpr int randomCount = BRISOMAR_TRIG_RANDOM_COUNT;

// f(x) correctly rounded to a long double by MPFR.
long double exactly(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), long double x) {
    mpfr_t value;
    mpfr_init2(value, LDBL_MANT_DIG);
    mpfr_set_ld(value, x, MPFR_RNDN);
    f(value, value, MPFR_RNDN);
    const long double result = mpfr_get_ld(value, MPFR_RNDN);
    mpfr_clear(value);
    return result;
}

// Each value with the long doubles on either side of it.
std::vector<long double> withNeighbours(const std::vector<long double>& values) {
    std::vector<long double> all;
    constexpr long double inf = std::numeric_limits<long double>::infinity();
    for (const long double v : values)
        all.insert(all.end(), {std::nextafter(v, -inf), v, std::nextafter(v, inf)});
    return all;
}

// Long doubles of either sign spread evenly over the binary orders of magnitude 2^low..2^high.
std::vector<long double> spread(std::mt19937_64& random, int count, int low, int high) {
    std::uniform_real_distribution<long double> exponent(low, high);
    std::vector<long double> values;
    for (int i = 0; i < count; ++i)
        values.push_back((i % 2 ? -1 : 1) * std::exp2(exponent(random)));
    return values;
}

constexpr long double smallest = std::numeric_limits<long double>::denorm_min();
constexpr long double largest = std::numeric_limits<long double>::max();

// Radians of random directions, others of every size for a tenth, every whole degree (the
// headings "Steer?" tries) and the edges of the ways of working, with neighbours and both signs.
std::vector<long double> anglesChecked() {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<long double> degrees(0, 360);
    std::vector<long double> angles = spread(random, randomCount / 10, -40, 70);
    while (angles.size() < randomCount)
        angles.push_back(radiansFromDegrees(degrees(random)));
    std::vector<long double> edges = {0, 0x1p-34L, 0x1p16L, smallest, largest};
    for (int d = 0; d <= 360; ++d)
        edges.push_back(radiansFromDegrees(d));
    for (const long double v : withNeighbours(edges))
        angles.insert(angles.end(), {v, -v});
    return angles;
}

// Random q / √(1 − q²) with 1 − q² ≥ 0.0001 as the sums make them, others of every size for a
// tenth, then the edges and tiny, subnormal, huge and infinite ones, with neighbours and signs.
std::vector<long double> tangentsChecked() {
    std::mt19937_64 random(18);
    std::uniform_real_distribution<long double> sine(-0.99995L, 0.99995L);
    std::vector<long double> tangents = spread(random, randomCount / 10, -80, 80);
    while (tangents.size() < randomCount) {
        const long double q = sine(random);
        tangents.push_back(q / std::sqrt(1 - q * q));
    }
    const std::vector<long double> edges = {
        0,        1,          99.99875L,
        0x1p-34L, 0x1p-8000L, std::numeric_limits<long double>::min(),
        1e-4940L, smallest,   0x1p64L,
        1e300L,   largest,    std::numeric_limits<long double>::infinity()};
    for (const long double v : withNeighbours(edges))
        tangents.insert(tangents.end(), {v, -v});
    return tangents;
}

// The same long double, zeros by their sign; any not-a-number is as good as another.
bool same(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

// The arguments whose result is not MPFR's: how many, and the first few.
struct Differences {
    int count = 0;
    std::string examples;

    void check(const char* what, long double argument, long double ours, long double exact) {
        if (same(ours, exact) || ++count > 3)
            return;
        std::ostringstream text;
        text.precision(21);
        text << what << "(" << argument << ") = " << ours << ", MPFR " << exact << "\n";
        examples += text.str();
    }
};

TEST(Trigonometry, SinesAndCosinesAreCorrectlyRounded) {
    Differences found;
    for (const long double r : anglesChecked()) {
        const SinCos ours = sinCos(r);
        found.check("sin", r, ours.sin, exactly(mpfr_sin, r));
        found.check("cos", r, ours.cos, exactly(mpfr_cos, r));
    }
    EXPECT_EQ(found.count, 0) << found.examples;
}

TEST(Trigonometry, ArcTangentsAreCorrectlyRounded) {
    Differences found;
    for (const long double x : tangentsChecked())
        found.check("atan", x, arcTan(x), exactly(mpfr_atan, x));
    EXPECT_EQ(found.count, 0) << found.examples;
}

} // namespace
} // namespace brisomar
