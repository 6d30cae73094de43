#include "base/cp1252.h"

#include <array>
#include <cstdint>

namespace brisomar {

namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? highControls[byte - 0x80] : char32_t{byte};
}

int byteOf(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < highControls.size(); ++i)
        if (highControls[i] == codePoint)
            return static_cast<int>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of a UTF-8 text; a malformed sequence reads as one U+FFFD per byte.
char32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length - 1 > text.size())
        return 0xFFFD;
    char32_t c = lead & (0x3F >> (length - 1));
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (next & 0x3F);
        ++at;
    }
    return c;
}

} // namespace

std::string utf8ToCp1252(std::string_view utf8) {
    std::string bytes;
    for (std::size_t at = 0; at < utf8.size();)
        bytes += static_cast<char>(byteOf(nextCodePoint(utf8, at)));
    return bytes;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string utf8;
    for (const char byte : bytes)
        appendUtf8(utf8, codePointOf(static_cast<unsigned char>(byte)));
    return utf8;
}

std::string heldByCp1252(std::string_view utf8) {
    std::string held;
    for (std::size_t at = 0; at < utf8.size();)
        if (const char32_t c = nextCodePoint(utf8, at); c == '?' || byteOf(c) != '?')
            appendUtf8(held, c);
    return held;
}

} // namespace brisomar
