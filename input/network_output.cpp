#include "input/network_output.h"

namespace brisomar {

std::optional<NetworkAddress> outputAddress(std::string_view text, bool hostNeeded,
                                            std::string& error) {
    // Read as a UDP source is: the host may be left out.
    auto address = parseNetworkAddress("udp://" + std::string(text), error);
    if (address && hostNeeded && address->host.empty()) {
        error = "an address is needed before the port";
        return std::nullopt;
    }
    return address;
}

} // namespace brisomar
