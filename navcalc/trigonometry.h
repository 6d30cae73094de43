#pragma once

#include <numbers>

namespace brisomar {

// The wind and current sums take their sines, cosines and arc tangents in long double, each the
// exact value rounded to the nearest long double, so that a sum comes out the same in the
// navigator, the tool and the tests, whatever C library or processor works it out. (The C
// library's sinl, cosl and atanl are off by the last bit for about one argument in forty, and
// near a cancellation that bit reaches the stored result.)

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

// The sine and cosine of an angle in radians, each correctly rounded.
SinCos sinCos(long double radians);

// The arc tangent of x, radians -π/2..π/2, correctly rounded.
long double arcTan(long double x);

} // namespace brisomar
