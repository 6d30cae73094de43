#include "base/nmea_checksum.h"

#include <cctype>

namespace brisomar {

namespace {

int hexDigit(char c) {
    const auto digit = std::string_view("0123456789ABCDEF")
                           .find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
}

} // namespace

bool checksumIsWrong(std::string_view sentence) {
    constexpr std::size_t checksumLength = 3; // "*hh"
    if (sentence.size() < checksumLength)
        return false;
    const std::size_t mark = sentence.size() - checksumLength;
    const int high = hexDigit(sentence[mark + 1]), low = hexDigit(sentence[mark + 2]);
    if (sentence[mark] != '*' || high < 0 || low < 0)
        return false;
    unsigned char sum = 0;
    for (const char c : sentence.substr(0, mark))
        sum ^= static_cast<unsigned char>(c);
    return sum != high * 16 + low;
}

} // namespace brisomar
