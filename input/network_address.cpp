#include "input/network_address.h"

#include <algorithm>
#include <array>

namespace brisomar {

namespace {

struct Scheme {
    std::string_view prefix;
    NetworkProtocol protocol;
};

constexpr std::array<Scheme, 3> schemes = {{{"tcp://", NetworkProtocol::tcp},
                                            {"udp://", NetworkProtocol::udp},
                                            {"gpsd://", NetworkProtocol::gpsd}}};

const Scheme* schemeOf(std::string_view device) {
    for (const Scheme& scheme : schemes) {
        if (device.starts_with(scheme.prefix))
            return &scheme;
    }
    return nullptr;
}

std::string_view prefixOf(NetworkProtocol protocol) {
    return std::find_if(schemes.begin(), schemes.end(),
                        [protocol](const Scheme& s) { return s.protocol == protocol; })
        ->prefix;
}

std::optional<std::uint16_t> readPort(std::string_view text) {
    constexpr unsigned highestPort = 65535;
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned value = 0;
    for (char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    if (value == 0 || value > highestPort)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

bool isHostCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && u < 0x7f && c != '/' && c != '@' && c != '[' && c != ']';
}

// The host and the port text of "HOST[:PORT]" or "[IPV6][:PORT]".
struct HostAndPort {
    std::string_view host;
    std::optional<std::string_view> port;
};

std::optional<HostAndPort> splitHostAndPort(std::string_view rest, std::string& error) {
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos) {
            error = "the IPv6 address lacks its closing \"]\"";
            return std::nullopt;
        }
        const std::string_view after = rest.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) {
            error = "unexpected \"" + std::string(after) + "\" after the IPv6 address";
            return std::nullopt;
        }
        if (close == 1) {
            error = "the brackets hold no address";
            return std::nullopt;
        }
        HostAndPort parts{rest.substr(1, close - 1), std::nullopt};
        if (!after.empty())
            parts.port = after.substr(1);
        return parts;
    }
    const auto colon = rest.find(':');
    if (colon == std::string_view::npos)
        return HostAndPort{rest, std::nullopt};
    if (rest.find(':', colon + 1) != std::string_view::npos) {
        error = "an IPv6 address goes in brackets, as in [::1]:10110";
        return std::nullopt;
    }
    return HostAndPort{rest.substr(0, colon), rest.substr(colon + 1)};
}

bool validHost(std::string_view host, bool bracketed) {
    return std::all_of(host.begin(), host.end(), [bracketed](char c) {
        return isHostCharacter(c) || (bracketed && c == ':');
    });
}

} // namespace

bool isNetworkAddress(std::string_view device) {
    return schemeOf(device) != nullptr;
}

std::optional<NetworkAddress> parseNetworkAddress(std::string_view device, std::string& error) {
    const Scheme* scheme = schemeOf(device);
    if (!scheme) {
        error = "a network address begins with tcp://, udp:// or gpsd://";
        return std::nullopt;
    }
    const std::string_view rest = device.substr(scheme->prefix.size());
    const auto parts = splitHostAndPort(rest, error);
    if (!parts)
        return std::nullopt;
    if (!validHost(parts->host, rest.starts_with('['))) {
        error = "\"" + std::string(parts->host) + "\" is not a host name or address";
        return std::nullopt;
    }
    NetworkAddress address{scheme->protocol, std::string(parts->host),
                           scheme->protocol == NetworkProtocol::gpsd ? gpsdPort : nmeaNetworkPort};
    if (parts->port) {
        const auto port = readPort(*parts->port);
        if (!port) {
            error = "\"" + std::string(*parts->port) + "\" is not a port number (1 to 65535)";
            return std::nullopt;
        }
        address.port = *port;
    }
    if (address.host.empty() && address.protocol == NetworkProtocol::gpsd)
        address.host = "localhost";
    if (address.host.empty() && address.protocol == NetworkProtocol::tcp) {
        error = "the address needs a host, as in tcp://192.168.1.1:10110";
        return std::nullopt;
    }
    return address;
}

std::string networkAddressText(const NetworkAddress& address) {
    const bool ipv6 = address.host.find(':') != std::string::npos;
    const std::string host = ipv6 ? "[" + address.host + "]" : address.host;
    return std::string(prefixOf(address.protocol)) + host + ":" + std::to_string(address.port);
}

std::string networkFailureDetail(const std::string& device, const std::string& reason) {
    return "Address " + device + ": " + reason;
}

namespace {

bool reachesThisComputer(const std::string& host) {
    return host == "localhost" || host == "::1" || host.starts_with("127.") ||
           host.ends_with(".255");
}

} // namespace

bool reachesOwnInput(std::string_view output, std::string_view device) {
    std::string error;
    const auto to = outputAddress(output, true, error);
    const auto input = parseNetworkAddress(device, error);
    return to && input && input->protocol == NetworkProtocol::udp && to->port == input->port &&
           reachesThisComputer(to->host);
}

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
