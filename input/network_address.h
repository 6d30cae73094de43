#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// Where a port reads instruments from the network instead of a serial device.
enum class NetworkProtocol : std::uint8_t {
    tcp,  // a client connection to a multiplexer or gateway
    udp,  // datagrams received on a local port
    gpsd, // a connection to gpsd, asked to relay its raw NMEA
};

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::tcp;
    std::string host; // name or address, IPv6 without brackets; empty for UDP: every address
    std::uint16_t port = 0;
};

inline constexpr std::uint16_t nmeaNetworkPort = 10110;
inline constexpr std::uint16_t gpsdPort = 2947;

// Whether a port's device text names a network source: it begins with "tcp://", "udp://" or
// "gpsd://".
bool isNetworkAddress(std::string_view device);

// Reads "tcp://HOST[:PORT]", "udp://[ADDRESS][:PORT]" or "gpsd://[HOST][:PORT]"; an IPv6
// address goes in brackets ("tcp://[fe80::1]:10110"). The port defaults to 10110 (gpsd: 2947),
// gpsd's host to localhost. Gives nothing and says why in `error` when the text does not read.
std::optional<NetworkAddress> parseNetworkAddress(std::string_view device, std::string& error);

// "HOST:PORT" where the navigator sends: a network address (port 10110 when left out); nothing,
// with the reason in `error`, when it does not read or lacks a host that `hostNeeded`.
std::optional<NetworkAddress> outputAddress(std::string_view text, bool hostNeeded,
                                            std::string& error);

// Whether datagrams sent to `output` ("HOST:PORT") come back to the UDP input `device`
// ("udp://[ADDRESS][:PORT]"): the same port, on this computer (loopback) or a broadcast.
bool reachesOwnInput(std::string_view output, std::string_view device);

// The address written out in full, defaults included: "gpsd://localhost:2947", "udp://:10110".
std::string networkAddressText(const NetworkAddress& address);

// The detail shown with a failure to connect or listen: the address and the reason.
std::string networkFailureDetail(const std::string& device, const std::string& reason);

} // namespace brisomar
