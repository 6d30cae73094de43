#pragma once

#include <string>
#include <string_view>

namespace brisomar {

// The single-byte code page of the program's files (Windows-1252). Text in memory is UTF-8;
// a character the code page lacks is written as "?". Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D,
// unassigned in the code page, read as the control characters of the same number.
std::string utf8ToCp1252(std::string_view utf8);
std::string cp1252ToUtf8(std::string_view bytes);

// The characters of a UTF-8 text that the code page holds, in order; the others left out.
std::string heldByCp1252(std::string_view utf8);

} // namespace brisomar
