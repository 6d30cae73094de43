#pragma once

#include <cmath>
#include <numbers>

namespace brisomar {

// The wind and current sums take their sines, cosines and arc tangents in long double, each
// exactly the C library's result, so that a sum comes out the same in the navigator, the tool
// and the tests. The x87 instructions fsin and fcos do not give it: they reduce the argument
// with π held to 66 bits, so that near a multiple of π even the leading digits are off (the
// sine of the long double nearest π by 8%), and within ±π/4, where nothing is reduced, they
// still differ from the library in the last bit for about one argument in twenty. So sines
// and cosines come from the library. The GNU C library's arc tangent on x87 machines is
// the fpatan instruction itself, taken inline there; BRISOMAR_PORTABLE_TRIG calls the library
// for it as everywhere else.
#if defined(__GLIBC__) && (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64 && \
    !defined(BRISOMAR_PORTABLE_TRIG)
#define BRISOMAR_X87_ARCTAN 1
#endif

// Degrees to radians and back, as the sums have always rounded them.
inline long double radiansFromDegrees(long double degrees) {
    constexpr long double pi = std::numbers::pi_v<long double>;
    return (degrees * pi) * (1.0L / 180);
}
inline long double degreesFromRadians(long double radians) {
    constexpr long double pi = std::numbers::pi_v<long double>;
    return (radians * 180) * (1.0L / pi);
}

struct SinCos {
    long double sin, cos;
};

// The sine and cosine of an angle in radians (the compiler makes one library call of the two).
inline SinCos sinCos(long double radians) {
    return {std::sin(radians), std::cos(radians)};
}

// The arc tangent of x, radians -π/2..π/2.
inline long double arcTan(long double x) {
#ifdef BRISOMAR_X87_ARCTAN
    long double angle = 0;
    asm("fpatan" : "=t"(angle) : "0"(1.0L), "u"(x) : "st(1)"); // arctan(x / 1), as atanl does
    return angle;
#else
    return std::atan(x);
#endif
}

} // namespace brisomar
