#include "input/own_datagrams.h"

#include <QNetworkInterface>

#include <algorithm>
#include <vector>

namespace brisomar {

namespace {

struct OwnDatagrams {
    std::vector<quint16> ports;
    QList<QHostAddress> localAddresses; // of this computer, when the last port was noted
};

OwnDatagrams& own() {
    static OwnDatagrams datagrams;
    return datagrams;
}

// An IPv4 sender may come mapped into IPv6 on a socket bound to both.
QHostAddress plain(const QHostAddress& address) {
    bool mapped = false;
    const quint32 ipv4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(ipv4) : address;
}

} // namespace

void noteOwnDatagramPort(quint16 port) {
    OwnDatagrams& d = own();
    d.ports.push_back(port);
    d.localAddresses = QNetworkInterface::allAddresses();
}

void forgetOwnDatagramPort(quint16 port) {
    std::vector<quint16>& ports = own().ports;
    if (const auto found = std::find(ports.begin(), ports.end(), port); found != ports.end())
        ports.erase(found);
}

bool isOwnDatagram(const QHostAddress& sender, quint16 senderPort) {
    const OwnDatagrams& d = own();
    if (std::find(d.ports.begin(), d.ports.end(), senderPort) == d.ports.end())
        return false;
    const QHostAddress from = plain(sender);
    return from.isLoopback() || d.localAddresses.contains(from);
}

} // namespace brisomar
