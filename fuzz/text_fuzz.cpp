// Typed and received text: the number readers, the position fields and the calculator's lines.
#include "app/coord_text.h"
#include "app/number_text.h"
#include "tools/calc.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readNumber(text);
    readNumber(text, ',');
    readInteger(text);
    TextToLat(text);
    TextToLon(text);
    if (const auto value = readNumber(text))
        if (const auto stored = Real48::tryFrom(*value)) {
            FloatToStr(*stored);
            LatToText(*stored);
            FormatFloat("0.00", *stored);
        }
    tool::CalcSession session;
    session.line(text);
    return 0;
}
