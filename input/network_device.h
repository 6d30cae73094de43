#pragma once

#include "input/network_address.h"
#include "input/serial_device.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <chrono>

namespace brisomar {

// A port's device on the network: a TCP client of a multiplexer, a connection to gpsd asked to
// relay raw NMEA, or a UDP listener that only reads. Opening waits up to `connectWait` for the
// connection while the window goes on working. A connection lost later is retried every
// `retryInterval` while the device stays open, delivering no bytes meanwhile, so the port stays
// on and the GPS silence grows; close() ends the retries. At most maxUnreadBytes wait to be
// read, so a flood cannot grow the program's memory: a connection is read no faster than the
// port reads (the sender slowed, nothing lost); of datagrams, the oldest are dropped first.
// Line settings do not apply.
class NetworkDevice : public SerialDevice {
public:
    static constexpr std::size_t maxUnreadBytes = 16 * 1024;
    struct Timing {
        std::chrono::milliseconds connectWait{3000};
        std::chrono::milliseconds retryInterval{5000};
    };

    explicit NetworkDevice(Timing timing);
    NetworkDevice() : NetworkDevice(Timing{}) {}
    ~NetworkDevice() override;

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() override { return unread_.size(); }
    std::string read(std::size_t count) override;
    void purge() override { unread_.clear(); }
    // Sends to a TCP peer (a multiplexer takes sentences too); at most maxUnreadBytes wait to go.
    void write(std::string_view bytes) override;

    // Bytes can arrive now: the connection is up, or the UDP port is bound.
    bool receiving() const;
    // Every byte received since the device was opened, whether still waiting or dropped.
    std::size_t bytesReceived() const { return received_; }

private:
    bool listen(std::string& reason);
    bool connectWithin(std::string& reason);
    void startConnecting();
    void onConnected();
    void onConnectionLost();
    void retry();
    void takeStream();
    void takeDatagrams();
    void keep(const QByteArray& bytes);

    Timing timing_;
    NetworkAddress address_;
    QTimer retryTimer_; // outlives the sockets, which may still signal while destroyed
    QTcpSocket tcp_;
    QUdpSocket udp_;
    std::string unread_;
    std::size_t received_ = 0;
    bool open_ = false;
};

} // namespace brisomar
