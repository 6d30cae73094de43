#pragma once

#include <string>
#include <string_view>

namespace brisomar {

// Whether a sentence, its "$" or "!" dropped, ends in a checksum that is not the exclusive or of
// the characters before the "*": a "*" among its last three characters starts one, which must
// be two hexadecimal digits ("*4G", "*ZZ" and "*7" are wrong). A sentence without one is not
// wrong. The instruments' sentences and the AIS sentences carry the same checksum.
bool checksumIsWrong(std::string_view sentence);

// The two hexadecimal digits (upper case) of a sentence's checksum: the exclusive or of the
// characters between "$" and "*".
std::string nmeaChecksum(std::string_view body);

} // namespace brisomar
