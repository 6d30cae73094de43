#include "base/nmea_checksum.h"

#include <algorithm>
#include <cctype>

namespace brisomar {

namespace {

int hexDigit(char c) {
    const auto digit = std::string_view("0123456789ABCDEF")
                           .find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
}

unsigned char exclusiveOr(std::string_view body) {
    unsigned char sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

} // namespace

bool checksumIsWrong(std::string_view sentence) {
    constexpr std::size_t checksumLength = 3; // "*hh"
    const std::size_t tail = std::min(sentence.size(), checksumLength);
    const std::size_t star = sentence.find('*', sentence.size() - tail);
    if (star == std::string_view::npos)
        return false;
    if (star + checksumLength != sentence.size())
        return true; // a checksum cut short
    const int high = hexDigit(sentence[star + 1]), low = hexDigit(sentence[star + 2]);
    if (high < 0 || low < 0)
        return true;
    return exclusiveOr(sentence.substr(0, star)) != high * 16 + low;
}

std::string nmeaChecksum(std::string_view body) {
    const unsigned char sum = exclusiveOr(body);
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {digits[sum >> 4], digits[sum & 15]};
}

} // namespace brisomar
