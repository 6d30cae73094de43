#include "input/network_device.h"

#include "input/own_datagrams.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkDatagram>

#include <algorithm>

namespace brisomar {

namespace {

// What gpsd is asked for on every connection: its raw NMEA, relayed as received.
constexpr char gpsdWatch[] = "?WATCH={\"enable\":true,\"nmea\":true}\n";

// Datagrams taken per notification, so that a flood cannot hold up the window; the rest
// wait for the next turn of the event loop.
constexpr int datagramsPerTurn = 64;

std::string noAnswerReason(std::chrono::milliseconds wait) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(wait);
    return "no answer within " + std::to_string(seconds.count()) + " s";
}

} // namespace

NetworkDevice::NetworkDevice(Timing timing) : timing_(timing) {
    retryTimer_.setInterval(timing_.retryInterval);
    tcp_.setReadBufferSize(static_cast<qint64>(maxUnreadBytes));
    QObject::connect(&retryTimer_, &QTimer::timeout, [this] { retry(); });
    QObject::connect(&tcp_, &QTcpSocket::connected, [this] { onConnected(); });
    QObject::connect(&tcp_, &QTcpSocket::disconnected, [this] { onConnectionLost(); });
    QObject::connect(&tcp_, &QTcpSocket::errorOccurred, [this] { onConnectionLost(); });
    QObject::connect(&tcp_, &QTcpSocket::readyRead, [this] { takeStream(); });
    QObject::connect(&udp_, &QUdpSocket::readyRead, [this] { takeDatagrams(); });
}

NetworkDevice::~NetworkDevice() {
    close();
}

bool NetworkDevice::open(const std::string& path, const LineSettings&, std::string& reason) {
    close();
    std::string error;
    const auto address = parseNetworkAddress(path, error);
    if (!address) {
        reason = networkFailureDetail(path, error);
        return false;
    }
    address_ = *address;
    open_ = address_.protocol == NetworkProtocol::udp ? listen(error) : connectWithin(error);
    if (!open_)
        reason = networkFailureDetail(networkAddressText(address_), error);
    return open_;
}

void NetworkDevice::close() {
    open_ = false;
    retryTimer_.stop();
    tcp_.abort();
    udp_.close();
    unread_.clear();
    received_ = 0;
}

// What the connection holds beyond the unread limit is taken as the reader makes room.
std::string NetworkDevice::read(std::size_t count) {
    std::string taken = unread_.substr(0, count);
    unread_.erase(0, count);
    if (address_.protocol != NetworkProtocol::udp)
        takeStream();
    return taken;
}

bool NetworkDevice::receiving() const {
    return tcp_.state() == QAbstractSocket::ConnectedState ||
           udp_.state() == QAbstractSocket::BoundState;
}

// Shares the port, so that other programs on the computer may listen to the same broadcasts.
bool NetworkDevice::listen(std::string& reason) {
    const QString host = QString::fromStdString(address_.host);
    const QHostAddress local =
        host.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(host);
    if (local.isNull()) {
        reason = "listening needs a numeric address of this computer, such as 192.168.1.5";
        return false;
    }
    if (udp_.bind(local, address_.port,
                  QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return true;
    reason = udp_.errorString().toStdString();
    return false;
}

// Waits in a local event loop, so that timers, the other port and the windows go on meanwhile.
bool NetworkDevice::connectWithin(std::string& reason) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&tcp_, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&tcp_, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    startConnecting();
    if (tcp_.state() == QAbstractSocket::HostLookupState ||
        tcp_.state() == QAbstractSocket::ConnectingState) {
        deadline.start(timing_.connectWait);
        loop.exec();
    }
    if (tcp_.state() == QAbstractSocket::ConnectedState)
        return true;
    reason = tcp_.state() == QAbstractSocket::UnconnectedState
                 ? tcp_.errorString().toStdString()
                 : noAnswerReason(timing_.connectWait);
    tcp_.abort();
    return false;
}

void NetworkDevice::startConnecting() {
    tcp_.connectToHost(QString::fromStdString(address_.host), address_.port, QIODevice::ReadWrite);
}

void NetworkDevice::onConnected() {
    retryTimer_.stop();
    if (address_.protocol == NetworkProtocol::gpsd)
        tcp_.write(gpsdWatch);
}

void NetworkDevice::onConnectionLost() {
    if (open_ && !retryTimer_.isActive())
        retryTimer_.start();
}

// A connection still pending from the last try is given up, so no try lasts longer than the
// interval.
void NetworkDevice::retry() {
    if (tcp_.state() == QAbstractSocket::ConnectedState) {
        retryTimer_.stop();
        return;
    }
    tcp_.abort();
    startConnecting();
}

// Only what fits is read: the rest waits in the connection, whose full buffers slow the sender,
// so that a burst loses nothing.
void NetworkDevice::takeStream() {
    keep(tcp_.read(static_cast<qint64>(maxUnreadBytes - std::min(unread_.size(), maxUnreadBytes))));
}

// A datagram longer than the unread limit is cut to it; one the navigator sent itself is not read.
void NetworkDevice::takeDatagrams() {
    for (int i = 0; i < datagramsPerTurn && udp_.hasPendingDatagrams(); ++i) {
        const QNetworkDatagram datagram = udp_.receiveDatagram(static_cast<qint64>(maxUnreadBytes));
        if (!isOwnDatagram(datagram.senderAddress(), static_cast<quint16>(datagram.senderPort())))
            keep(datagram.data());
    }
}

void NetworkDevice::write(std::string_view bytes) {
    if (address_.protocol != NetworkProtocol::tcp ||
        tcp_.state() != QAbstractSocket::ConnectedState ||
        static_cast<std::size_t>(tcp_.bytesToWrite()) + bytes.size() > maxUnreadBytes)
        return;
    tcp_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void NetworkDevice::keep(const QByteArray& bytes) {
    received_ += static_cast<std::size_t>(bytes.size());
    unread_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (unread_.size() > maxUnreadBytes)
        unread_.erase(0, unread_.size() - maxUnreadBytes);
}

} // namespace brisomar
