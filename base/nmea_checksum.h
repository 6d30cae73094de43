#pragma once

#include <string_view>

namespace brisomar {

// Whether a sentence, its "$" or "!" dropped, ends in a checksum, "*" and two hexadecimal digits,
// that is not the exclusive or of the characters before the "*". A sentence without one is not
// wrong. The instruments' sentences and the AIS sentences carry the same checksum.
bool checksumIsWrong(std::string_view sentence);

} // namespace brisomar
