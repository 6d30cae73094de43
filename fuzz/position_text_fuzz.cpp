// Typed latitudes and longitudes, and positions written back as text.
#include "base/coord_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto lat = Real48::tryFrom(TextToLat(text)))
        LatToText(*lat);
    if (const auto lon = Real48::tryFrom(TextToLon(text)))
        LonToText(*lon);
    return 0;
}
