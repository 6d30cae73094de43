#include "navcalc/trigonometry.h"

#include <cmath>

// The C library's own sine, cosine and arc tangent in place of the correctly rounded ones, for
// timing the same sums with either: the program that links this file before the core takes these
// definitions and leaves the core's out.
namespace brisomar {

SinCos sinCos(long double radians) {
    return {std::sin(radians), std::cos(radians)};
}

long double arcTan(long double x) {
    return std::atan(x);
}

} // namespace brisomar
