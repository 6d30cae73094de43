#include "input/qt_network_output.h"

#include "input/own_datagrams.h"

#include <QTcpSocket>

#include <algorithm>

namespace brisomar {

namespace {

// "" listens on every address; otherwise the address must be written as numbers.
std::optional<QHostAddress> hostAddress(const std::string& host) {
    if (host.empty())
        return QHostAddress(QHostAddress::Any);
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(host)))
        return std::nullopt;
    return address;
}

std::string joined(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + " " + second;
}

} // namespace

QtNetworkOutput::QtNetworkOutput() {
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { takeClients(); });
}

// A client deleted while connected says it disconnected: it is told nothing any more.
QtNetworkOutput::~QtNetworkOutput() {
    if (udp_.state() == QAbstractSocket::BoundState)
        forgetOwnDatagramPort(udp_.localPort());
    for (QTcpSocket* client : clients_) {
        client->disconnect();
        delete client;
    }
}

// A server that goes on listening where it did keeps its clients.
std::string QtNetworkOutput::apply(const NetworkOutputSettings& settings) {
    const bool sameServer =
        settings.tcp && server_.isListening() && settings.tcpAddress == listeningAt_;
    if (!sameServer) {
        server_.close();
        while (!clients_.empty())
            drop(clients_.back());
    }
    udpTarget_.reset();
    const std::string tcp = settings.tcp && !sameServer ? listen(settings.tcpAddress) : "";
    const std::string udp = settings.udp ? aim(settings.udpAddress) : "";
    return joined(tcp, udp);
}

std::string QtNetworkOutput::listen(const std::string& text) {
    std::string error;
    const auto address = outputAddress(text, false, error);
    const auto host = address ? hostAddress(address->host) : std::nullopt;
    if (address && !host)
        error = "\"" + address->host + "\" is no address of this computer";
    if (!host || !server_.listen(*host, address->port)) {
        if (error.empty())
            error = server_.errorString().toStdString();
        return "TCP server " + text + " not started: " + error + ".";
    }
    listeningAt_ = text;
    return {};
}

std::string QtNetworkOutput::aim(const std::string& text) {
    std::string error;
    const auto address = outputAddress(text, true, error);
    const auto host = address ? hostAddress(address->host) : std::nullopt;
    if (!host)
        return "UDP " + text + ": " + (error.empty() ? "not an address" : error) + ".";
    // Sent from a port of its own, so that the navigator's inputs know its datagrams.
    if (udp_.state() != QAbstractSocket::BoundState) {
        if (!udp_.bind(QHostAddress::Any, 0))
            return "UDP " + text + ": " + udp_.errorString().toStdString() + ".";
        noteOwnDatagramPort(udp_.localPort());
    }
    udpTarget_ = std::pair(*host, address->port);
    return {};
}

// A client sends nothing the navigator reads: what it sends is thrown away.
void QtNetworkOutput::takeClients() {
    while (QTcpSocket* client = server_.nextPendingConnection()) {
        client->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, clientSendBufferBytes);
        QObject::connect(client, &QTcpSocket::readyRead, [client] { client->readAll(); });
        QObject::connect(client, &QTcpSocket::disconnected, [this, client] { drop(client); });
        clients_.push_back(client);
    }
}

void QtNetworkOutput::drop(QTcpSocket* client) {
    const auto found = std::find(clients_.begin(), clients_.end(), client);
    if (found == clients_.end())
        return;
    clients_.erase(found);
    client->disconnect();
    client->abort();
    client->deleteLater();
}

void QtNetworkOutput::send(std::string_view lines) {
    if (lines.empty())
        return;
    for (QTcpSocket* client : std::vector(clients_)) {
        if (static_cast<std::size_t>(client->bytesToWrite()) + lines.size() > maxClientBacklog)
            drop(client);
        else
            client->write(lines.data(), static_cast<qint64>(lines.size()));
    }
    sendDatagrams(lines);
}

void QtNetworkOutput::sendDatagrams(std::string_view lines) {
    if (!udpTarget_)
        return;
    for (std::size_t start = 0; start < lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size() - 1) + 1;
        udp_.writeDatagram(lines.data() + start, static_cast<qint64>(end - start),
                           udpTarget_->first, udpTarget_->second);
        start = end;
    }
}

} // namespace brisomar
