// Typed and received text: the number readers, the position fields, the calculator's lines and
// the network addresses of a port.
#include "app/coord_text.h"
#include "app/number_text.h"
#include "input/network_address.h"
#include "tools/calc.h"

#include <cstddef>
#include <cstdint>
#include <string>
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
    std::string error;
    if (const auto address = parseNetworkAddress(text, error)) {
        // Written out in full, an address reads back as itself.
        const auto again = parseNetworkAddress(networkAddressText(*address), error);
        if (!again || again->protocol != address->protocol || again->host != address->host ||
            again->port != address->port)
            __builtin_trap();
    }
    tool::CalcSession session;
    session.line(text);
    return 0;
}
