#include "navcalc/trigonometry.h"

#include <mpfr.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <optional>

namespace brisomar {

namespace {

// MPFR rounds correctly by construction and gives every value the fast way below cannot vouch
// for. The fast way is worked out for the x87's long double (64-bit mantissa);
// BRISOMAR_PORTABLE_TRIG leaves it out, as a machine with another long double does, so that a
// build can show the sums do not depend on which way a value came.
#if LDBL_MANT_DIG == 64 && !defined(BRISOMAR_PORTABLE_TRIG)
#define BRISOMAR_FAST_TRIG 1
#endif

// An MPFR number of `bits` precision, cleared when it goes.
struct Mpfr {
    mpfr_t value;
    explicit Mpfr(mpfr_prec_t bits) { mpfr_init2(value, bits); }
    ~Mpfr() { mpfr_clear(value); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
};

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// f(x) rounded to the nearest long double. Subnormal results, which MPFR would round twice, do
// not arise: tiny arguments never come here, and no sine, cosine or arc tangent of a larger one
// is that small.
long double exactly(MpfrFunction f, long double x) {
    Mpfr argument(LDBL_MANT_DIG), result(LDBL_MANT_DIG);
    mpfr_set_ld(argument.value, x, MPFR_RNDN);
    f(result.value, argument.value, MPFR_RNDN);
    return mpfr_get_ld(result.value, MPFR_RNDN);
}

// Below this, sin x and arctan x round to x and cos x to 1: the next term of their series, x³/3
// at most, is less than half the spacing of the long doubles next to x (x²/2 next to 1).
constexpr long double tiny = 1 / static_cast<long double>(1ULL << (LDBL_MANT_DIG / 2 + 2));

// Sine and cosine from the fast way, each when it can vouch for it.
struct FastSinCos {
    std::optional<long double> sin, cos;
};

#ifdef BRISOMAR_FAST_TRIG

// The fast way works each value out to about 128 bits, as a pair of long doubles, with an error
// bound, and rounds it when every value within the bound rounds the same; MPFR gives the others
// (about one in a thousand).

// hi + lo, |lo| about a unit in the last place of hi at most.
struct Wide {
    long double hi, lo;
};

// a + b exactly.
Wide twoSum(long double a, long double b) {
    const long double sum = a + b;
    const long double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a + b exactly, when |a| ≥ |b|.
Wide fastTwoSum(long double a, long double b) {
    const long double sum = a + b;
    return {sum, b - (sum - a)};
}

// v split into a high half of 32 bits and the rest, so that products of halves are exact.
Wide halves(long double v) {
    const long double scaled = (0x1p32L + 1) * v;
    const long double high = scaled - (scaled - v);
    return {high, v - high};
}

// a × b exactly.
Wide twoProduct(long double a, long double b) {
    const Wide x = halves(a), y = halves(b);
    const long double product = a * b;
    return {product, (((x.hi * y.hi - product) + x.hi * y.lo) + x.lo * y.hi) + x.lo * y.lo};
}

// v rounded to the nearest integer, 0 ≤ v < 2^62: adding 1.5 × 2^63 leaves no fraction bit.
long double nearestInteger(long double v) {
    constexpr long double shifter = 0x1.8p63L;
    return (v + shifter) - shifter;
}

int asInt(long double integer) {
    return static_cast<int>(static_cast<double>(integer)); // exact, cheaper than from x87 to int
}

// The table points: every 1/256 of a radian or of a tangent.
constexpr long double steps = 256;
constexpr int sineCount = int(std::numbers::pi / 4 * steps) + 2; // to π/4 and a hair beyond
constexpr int arcTangentCount = int(steps) + 1;                  // 0..1

struct Tables {
    // π/2 in three parts of 48, 48 and 64 bits: any whole multiple of the first two below 2^16 is
    // exact, and the three hold π/2 to 2^-160.
    long double halfPi1, halfPi2, halfPi3;
    Wide halfPi;
    std::array<Wide, sineCount> sines, cosines;    // of j/256
    std::array<Wide, arcTangentCount> arcTangents; // of j/256
};

constexpr mpfr_prec_t tableBits = 192;

// v, of tableBits precision or more, as hi + lo: within 2^-128 of it.
Wide wideOf(const Mpfr& v) {
    const long double hi = mpfr_get_ld(v.value, MPFR_RNDN);
    Mpfr rest(mpfr_get_prec(v.value));
    mpfr_set_ld(rest.value, hi, MPFR_RNDN);
    mpfr_sub(rest.value, v.value, rest.value, MPFR_RNDN);
    return {hi, mpfr_get_ld(rest.value, MPFR_RNDN)};
}

// The leading `bits` of `rest` as a long double, taken off `rest`.
long double takeLeading(Mpfr& rest, mpfr_prec_t bits) {
    Mpfr part(bits);
    mpfr_set(part.value, rest.value, MPFR_RNDN);
    mpfr_sub(rest.value, rest.value, part.value, MPFR_RNDN); // exact
    return mpfr_get_ld(part.value, MPFR_RNDN);
}

Tables tablesFromMpfr() {
    Tables t;
    Mpfr halfPi(tableBits + 64);
    mpfr_const_pi(halfPi.value, MPFR_RNDN);
    mpfr_div_2ui(halfPi.value, halfPi.value, 1, MPFR_RNDN);
    t.halfPi = wideOf(halfPi);
    t.halfPi1 = takeLeading(halfPi, 48);
    t.halfPi2 = takeLeading(halfPi, 48);
    t.halfPi3 = takeLeading(halfPi, 64);
    Mpfr point(tableBits), sine(tableBits), cosine(tableBits), arcTangent(tableBits);
    for (int j = 0; j < arcTangentCount; ++j) {
        mpfr_set_si_2exp(point.value, j, -8, MPFR_RNDN); // j/256
        if (j < sineCount) {
            mpfr_sin_cos(sine.value, cosine.value, point.value, MPFR_RNDN);
            t.sines[j] = wideOf(sine);
            t.cosines[j] = wideOf(cosine);
        }
        mpfr_atan(arcTangent.value, point.value, MPFR_RNDN);
        t.arcTangents[j] = wideOf(arcTangent);
    }
    return t;
}

const Tables& tables() {
    static const Tables built = tablesFromMpfr();
    return built;
}

// The results below are within 2^-78 of their size (the analysis beside each; on a million
// arguments they come within 2^-81); the rounding test allows four times that.
constexpr long double relativeError = 0x1p-76L;

// The long double nearest the value that `v` approximates within `error`, when every value that
// close rounds to the same long double; nothing when the test cannot tell.
std::optional<long double> roundedIfClear(Wide v, long double error) {
    const Wide sum = fastTwoSum(v.hi, v.lo);
    if (sum.hi + (sum.lo + error) == sum.hi && sum.hi + (sum.lo - error) == sum.hi)
        return sum.hi;
    return std::nullopt;
}

// Arguments the reduction below takes: their quadrant count stays below 2^16.
constexpr long double reducedUpTo = 0x1p16L;

// x = quadrant·π/2 + r for 0 ≤ x ≤ reducedUpTo, |r| ≤ π/4 and a hair; r within 2^-140 and
// 2^-126 of itself (k·halfPi3 rounded, π/2 held to 2^-160, the sum of the tails rounded).
struct Reduced {
    int quadrant;
    Wide r;
};

Reduced reduced(long double x, const Tables& t) {
    const long double k = nearestInteger(x * (2 / std::numbers::pi_v<long double>));
    // Exact: k·halfPi1 is exact, and it and x differ by less than either's bits can hold.
    const long double head = x - k * t.halfPi1;
    const Wide middle = twoSum(head, -(k * t.halfPi2));
    return {asInt(k) & 3, twoSum(middle.hi, middle.lo - k * t.halfPi3)};
}
constexpr long double reductionError = 0x1p-140L;

// sin r and cos r for |r| ≤ π/4 and a hair. r = a + d with a = j/256 from the tables and
// |d| ≤ 1/512: sin r = sin a·cos d + cos a·sin d, cos r = cos a·cos d − sin a·sin d. The leading
// products are exact; what is added to them, below 2^-18 of the result (sin d − d and cos d − 1
// from their series, whose terms beyond the last taken are below 2^-110), carries the rounding of
// a few long double steps: 2^-78 of the result at most.
struct WideSinCos {
    Wide sin, cos;
};

WideSinCos sinCosNear(Wide r, const Tables& t) {
    const bool negative = r.hi < 0;
    if (negative)
        r = {-r.hi, -r.lo};
    const long double j = nearestInteger(r.hi * steps);
    const Wide& sinA = t.sines[asInt(j)];
    const Wide& cosA = t.cosines[asInt(j)];
    const Wide d = twoSum(r.hi - j / steps, r.lo); // the difference exact: r.hi is near j/256
    const long double z = d.hi * d.hi;
    const long double sinDRest =
        d.hi * z * (-1.0L / 6 + z * (1.0L / 120 + z * (-1.0L / 5040 + z * (1.0L / 362880))));
    const long double cosDRest =
        z * (-0.5L + z * (1.0L / 24 + z * (-1.0L / 720 + z * (1.0L / 40320))));

    const Wide sinProduct = twoProduct(cosA.hi, d.hi);
    const Wide sinHead = twoSum(sinA.hi, sinProduct.hi);
    const long double sinTail = sinProduct.lo + sinA.lo + cosA.hi * d.lo + cosA.lo * d.hi +
                                sinA.hi * cosDRest + cosA.hi * sinDRest;
    const Wide cosProduct = twoProduct(sinA.hi, d.hi);
    const Wide cosHead = twoSum(cosA.hi, -cosProduct.hi);
    const long double cosTail = cosA.lo - cosProduct.lo - sinA.hi * d.lo - sinA.lo * d.hi +
                                cosA.hi * cosDRest - sinA.hi * sinDRest;
    const Wide sine{sinHead.hi, sinHead.lo + sinTail};
    return {negative ? Wide{-sine.hi, -sine.lo} : sine, {cosHead.hi, cosHead.lo + cosTail}};
}

// sin x and cos x for 0 ≤ x ≤ reducedUpTo, each when the rounding test vouches for it.
FastSinCos fastSinCos(long double x) {
    const Tables& t = tables();
    const Reduced reduction = reduced(x, t);
    const WideSinCos near = sinCosNear(reduction.r, t);
    const auto negated = [](Wide v) { return Wide{-v.hi, -v.lo}; };
    const Wide quadrantSin[] = {near.sin, near.cos, negated(near.sin), negated(near.cos)};
    const Wide quadrantCos[] = {near.cos, negated(near.sin), negated(near.cos), near.sin};
    // Neither changes faster than its argument, so the reduction's error adds as it is.
    const auto rounded = [](Wide v) {
        return roundedIfClear(v, relativeError * std::fabs(v.hi) + reductionError);
    };
    return {rounded(quadrantSin[reduction.quadrant]), rounded(quadrantCos[reduction.quadrant])};
}

// arctan y for 0 ≤ y ≤ 1, y = hi + lo with |lo| ≤ 2^-63·hi. arctan y = arctan c + arctan t with
// c = j/256 from the table nearest y and t = (y − c)/(1 + y·c), |t| ≤ 1/512, worked out to 2^-125
// of itself. arctan t − t, below 2^-19 of the result (its series' terms beyond the last taken
// below 2^-93), and the rounding of the steps adding it keep the result within 2^-78.
Wide arcTanNear(Wide y, const Tables& t) {
    const long double j = nearestInteger(y.hi * steps);
    const long double c = j / steps;
    const Wide numerator = twoSum(y.hi - c, y.lo); // the difference exact: y.hi is near c
    const Wide yc = twoProduct(y.hi, c);
    const Wide onePlus = twoSum(1, yc.hi);
    const Wide denominator = fastTwoSum(onePlus.hi, onePlus.lo + yc.lo + y.lo * c);
    const long double reciprocal = 1 / denominator.hi;
    const long double quotient = numerator.hi * reciprocal;
    const Wide back = twoProduct(quotient, denominator.hi);
    const long double quotientLo =
        (((numerator.hi - back.hi) - back.lo) + numerator.lo - quotient * denominator.lo) *
        reciprocal;
    const long double z = quotient * quotient;
    const long double rest =
        quotient * z * (-1.0L / 3 + z * (1.0L / 5 + z * (-1.0L / 7 + z * (1.0L / 9))));
    const Wide& arcTanC = t.arcTangents[asInt(j)];
    const Wide head = twoSum(arcTanC.hi, quotient);
    return {head.hi, head.lo + (arcTanC.lo + quotientLo + rest)};
}

// Arguments the fast arc tangent takes: 1/x stays a normal number to 128 bits.
constexpr long double arcTanUpTo = 0x1p64L;

// arctan x for tiny ≤ x ≤ arcTanUpTo, when the rounding test vouches for it.
std::optional<long double> fastArcTan(long double x) {
    const Tables& t = tables();
    Wide angle{};
    if (x <= 1) {
        angle = arcTanNear({x, 0}, t);
    } else { // π/2 − arctan(1/x), 1/x to 128 bits
        const long double inverse = 1 / x;
        const Wide back = twoProduct(inverse, x);
        const Wide near = arcTanNear({inverse, ((1 - back.hi) - back.lo) / x}, t);
        const Wide head = twoSum(t.halfPi.hi, -near.hi);
        angle = {head.hi, head.lo + (t.halfPi.lo - near.lo)};
    }
    return roundedIfClear(angle, relativeError * angle.hi);
}

#endif

} // namespace

SinCos sinCos(long double radians) {
    const long double size = std::fabs(radians);
    if (size < tiny)
        return {radians, 1};
    FastSinCos fast;
#ifdef BRISOMAR_FAST_TRIG
    if (size <= reducedUpTo)
        fast = fastSinCos(size);
#endif
    const long double sine = fast.sin ? *fast.sin : exactly(mpfr_sin, size);
    return {radians < 0 ? -sine : sine, fast.cos ? *fast.cos : exactly(mpfr_cos, size)};
}

long double arcTan(long double x) {
    const long double size = std::fabs(x);
    if (size < tiny)
        return x;
#ifdef BRISOMAR_FAST_TRIG
    if (size <= arcTanUpTo)
        if (const auto fast = fastArcTan(size))
            return x < 0 ? -*fast : *fast;
#endif
    return exactly(mpfr_atan, x);
}

} // namespace brisomar
