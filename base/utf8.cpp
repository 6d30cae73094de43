#include "base/utf8.h"

namespace brisomar {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset of character `index`, or the text's size when it has fewer characters.
std::size_t byteOffsetOf(std::string_view text, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size() && seen < index; ++seen) {
        ++at;
        while (at < text.size() && isContinuationByte(text[at]))
            ++at;
    }
    return at;
}

} // namespace

std::string_view utf8Substring(std::string_view text, std::size_t start, std::size_t count) {
    const std::size_t from = byteOffsetOf(text, start);
    const std::size_t to = from + byteOffsetOf(text.substr(from), count);
    return text.substr(from, to - from);
}

} // namespace brisomar
