// Typed and received numbers: the readers, and what is read written back as text.
#include "base/number_text.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readInteger(text);
    readNumber(text, ',');
    if (const auto value = readNumber(text))
        if (const auto stored = Real48::tryFrom(*value)) {
            // The general format reads back to the same stored number.
            const auto reread = readNumber(FloatToStr(*stored));
            require(reread && Real48::tryFrom(*reread) == stored);
            FormatFloat("0.00", *stored);
            FormatFloat("000", *stored);
        }
    return 0;
}
