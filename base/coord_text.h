#pragma once

#include "base/real48.h"

#include <string>
#include <string_view>

namespace brisomar {

// The one text form of positions. Degrees, north and west positive. Minutes and thousandths are
// truncated after each intermediate is held as Real48, so -23.8 reads "LON E023°47.999'".
// A latitude outside -90..90 (longitude -180..180) gives "0".
std::string LatToText(Real48 latitude);  // "LAT N 15°23.554'"
std::string LonToText(Real48 longitude); // "LON E023°45.000'"

// Reads a position field typed as "ddd°mm.ttt" (ten characters: degrees 1-3, minutes 5-6,
// thousandths 8-10). Unreadable parts count as 0, minutes are capped at 59.999 and degrees at 90
// (TextToLat) or 180 (TextToLon). Degrees, never signed by the text: the caller applies N/S, W/E.
long double TextToLat(std::string_view text);
long double TextToLon(std::string_view text);

// Characters 5 to 17 of a position text: from the hemisphere letter on ("N 15°23.555'").
std::string hemisphereOnwards(const std::string& positionText);

// A typed angle signed by its one-letter hemisphere field: negated when the field holds
// `negativeLetter` ('S' or 'E') in either case.
long double signedByHemisphere(long double degrees, std::string_view field, char negativeLetter);

} // namespace brisomar
