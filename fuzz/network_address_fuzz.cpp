// A port's device as typed: a network address read, written out in full and read back the same.
#include "fuzz/fuzz_check.h"
#include "input/network_address.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (const auto address = parseNetworkAddress(text, error)) {
        const auto again = parseNetworkAddress(networkAddressText(*address), error);
        require(again && again->protocol == address->protocol && again->host == address->host &&
                again->port == address->port);
    }
    return 0;
}
