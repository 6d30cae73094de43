#pragma once

#include "input/network_address.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace brisomar {

// Where the navigator's sentences go on the network: a TCP server any number of clients connect
// to, and UDP datagrams to one address. Addresses are written "HOST:PORT" (an IPv6 address in
// brackets); the server's host is the address it listens on, loopback until the sailor chooses
// another ("" or "0.0.0.0" for every address).
struct NetworkOutputSettings {
    bool tcp = false;
    std::string tcpAddress = "127.0.0.1:10110";
    bool udp = false;
    std::string udpAddress = "127.0.0.1:10110";
};

// The network side of the sentences sent. A client that does not take what it is sent is
// dropped once maxClientBacklog bytes wait for it: it never holds the navigator up nor grows
// its memory.
class NetworkOutput {
public:
    static constexpr std::size_t maxClientBacklog = 64 * 1024;

    virtual ~NetworkOutput() = default;
    // Listens and sends as the settings say (nothing when both are off); gives what failed,
    // as the sailor is told it, or empty.
    virtual std::string apply(const NetworkOutputSettings& settings) = 0;
    // Sends whole lines, each ended with CR LF, to every client and as datagrams (a line each).
    virtual void send(std::string_view lines) = 0;
    virtual std::size_t clientCount() const = 0;
    virtual bool serving() const = 0; // the TCP server listens
};

} // namespace brisomar
