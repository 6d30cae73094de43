#include "input/network_address.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

struct AddressRow {
    const char* text;
    NetworkProtocol protocol;
    const char* host;
    std::uint16_t port;
    const char* written; // networkAddressText of the result
};

class ReadsAnAddress : public testing::TestWithParam<AddressRow> {};

TEST_P(ReadsAnAddress, WithItsDefaults) {
    const AddressRow& row = GetParam();
    std::string error;
    const auto address = parseNetworkAddress(row.text, error);
    ASSERT_TRUE(address) << row.text << ": " << error;
    EXPECT_EQ(address->protocol, row.protocol);
    EXPECT_EQ(address->host, row.host);
    EXPECT_EQ(address->port, row.port);
    EXPECT_EQ(networkAddressText(*address), row.written);
    EXPECT_TRUE(isNetworkAddress(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    NetworkAddress, ReadsAnAddress,
    testing::Values(
        AddressRow{"tcp://192.168.1.1:2000", NetworkProtocol::tcp, "192.168.1.1", 2000,
                   "tcp://192.168.1.1:2000"},
        AddressRow{"tcp://mux.local", NetworkProtocol::tcp, "mux.local", 10110,
                   "tcp://mux.local:10110"},
        AddressRow{"tcp://[fe80::1]:65535", NetworkProtocol::tcp, "fe80::1", 65535,
                   "tcp://[fe80::1]:65535"},
        AddressRow{"tcp://[::1]", NetworkProtocol::tcp, "::1", 10110, "tcp://[::1]:10110"},
        AddressRow{"udp://", NetworkProtocol::udp, "", 10110, "udp://:10110"},
        AddressRow{"udp://:1", NetworkProtocol::udp, "", 1, "udp://:1"},
        AddressRow{"udp://10.0.0.5", NetworkProtocol::udp, "10.0.0.5", 10110,
                   "udp://10.0.0.5:10110"},
        AddressRow{"gpsd://", NetworkProtocol::gpsd, "localhost", 2947, "gpsd://localhost:2947"},
        AddressRow{"gpsd://:3000", NetworkProtocol::gpsd, "localhost", 3000,
                   "gpsd://localhost:3000"},
        AddressRow{"gpsd://chartplotter:2948", NetworkProtocol::gpsd, "chartplotter", 2948,
                   "gpsd://chartplotter:2948"}));

struct RefusedRow {
    const char* text;
    const char* error;
};

class RefusesAnAddress : public testing::TestWithParam<RefusedRow> {};

TEST_P(RefusesAnAddress, SayingWhy) {
    std::string error;
    EXPECT_FALSE(parseNetworkAddress(GetParam().text, error)) << GetParam().text;
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    NetworkAddress, RefusesAnAddress,
    testing::Values(
        RefusedRow{"tcp://", "the address needs a host, as in tcp://192.168.1.1:10110"},
        RefusedRow{"tcp://:10110", "the address needs a host, as in tcp://192.168.1.1:10110"},
        RefusedRow{"tcp://host:0", "\"0\" is not a port number (1 to 65535)"},
        RefusedRow{"tcp://host:65536", "\"65536\" is not a port number (1 to 65535)"},
        RefusedRow{"udp://:123456", "\"123456\" is not a port number (1 to 65535)"},
        RefusedRow{"tcp://host:", "\"\" is not a port number (1 to 65535)"},
        RefusedRow{"tcp://host:+80", "\"+80\" is not a port number (1 to 65535)"},
        RefusedRow{"gpsd://host:2947/dev", "\"2947/dev\" is not a port number (1 to 65535)"},
        RefusedRow{"tcp://fe80::1", "an IPv6 address goes in brackets, as in [::1]:10110"},
        RefusedRow{"tcp://[fe80::1", "the IPv6 address lacks its closing \"]\""},
        RefusedRow{"tcp://[fe80::1]10110", "unexpected \"10110\" after the IPv6 address"},
        RefusedRow{"tcp://[]:10110", "the brackets hold no address"},
        RefusedRow{"tcp://my host", "\"my host\" is not a host name or address"},
        RefusedRow{"tcp://user@host", "\"user@host\" is not a host name or address"},
        RefusedRow{"serial:///dev/ttyS0",
                   "a network address begins with tcp://, udp:// or gpsd://"}));

TEST(NetworkAddress, OnlyTheThreeSchemesNameANetworkSource) {
    EXPECT_FALSE(isNetworkAddress("/dev/ttyUSB0"));
    EXPECT_FALSE(isNetworkAddress("Simulator"));
    EXPECT_FALSE(isNetworkAddress("TCP://host")); // as typed: the schemes are lower case
    EXPECT_FALSE(isNetworkAddress("http://host"));
    EXPECT_TRUE(isNetworkAddress("tcp://"));
}

TEST(NetworkAddress, TheFailureDetailNamesTheAddressAndTheReason) {
    EXPECT_EQ(networkFailureDetail("tcp://10.0.0.1:10110", "Connection refused"),
              "Address tcp://10.0.0.1:10110: Connection refused");
}

// Datagrams to this computer or a broadcast, at the port a UDP input reads, come back to it.
TEST(NetworkAddress, AnOutputToTheOwnUdpInputIsKnown) {
    const struct {
        const char *output, *input;
        bool back;
    } rows[] = {{"127.0.0.1:10110", "udp://:10110", true},
                {"localhost:10110", "udp://127.0.0.1:10110", true},
                {"192.168.1.255:10110", "udp://:10110", true},
                {"255.255.255.255", "udp://", true},
                {"127.0.0.1:10111", "udp://:10110", false},
                {"192.168.1.20:10110", "udp://:10110", false},
                {"127.0.0.1:10110", "tcp://127.0.0.1:10110", false},
                {"127.0.0.1:10110", "/dev/ttyUSB0", false}};
    for (const auto& row : rows)
        EXPECT_EQ(reachesOwnInput(row.output, row.input), row.back)
            << row.output << " " << row.input;
}

} // namespace
} // namespace brisomar
