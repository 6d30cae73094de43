#pragma once

#include <cstddef>
#include <string_view>

namespace brisomar {

// Texts count characters as Unicode code points: "°" is one character, two UTF-8 bytes.
// Up to `count` characters from character `start` (0-based); shorter or empty past the end.
std::string_view utf8Substring(std::string_view text, std::size_t start, std::size_t count);

} // namespace brisomar
