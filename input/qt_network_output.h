#pragma once

#include "input/network_output.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QUdpSocket>

#include <vector>

namespace brisomar {

// The network output on Qt's sockets. Each client's kernel send buffer is kept small, so that a
// client that stopped reading is found out soon; it is dropped when maxClientBacklog bytes wait.
class QtNetworkOutput : public NetworkOutput {
public:
    static constexpr int clientSendBufferBytes = 16 * 1024;

    QtNetworkOutput();
    ~QtNetworkOutput() override;

    std::string apply(const NetworkOutputSettings& settings) override;
    void send(std::string_view lines) override;
    std::size_t clientCount() const override { return clients_.size(); }
    bool serving() const override { return server_.isListening(); }

private:
    std::string listen(const std::string& address);
    std::string aim(const std::string& address);
    void takeClients();
    void drop(QTcpSocket* client);
    void sendDatagrams(std::string_view lines);

    QTcpServer server_;
    std::string listeningAt_;
    std::vector<QTcpSocket*> clients_;
    QUdpSocket udp_;
    std::optional<std::pair<QHostAddress, quint16>> udpTarget_;
};

} // namespace brisomar
