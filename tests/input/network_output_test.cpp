// The network output over real loopback sockets: the comm window's TCP server read by a client,
// a client that never reads dropped, datagrams that arrive.
#include "app/Vimomain.h"
#include "input/Vimocom.h"
#include "input/qt_network_output.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

constexpr int patienceMs = 10000;

// A loopback port nobody listens on now.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

std::string address(quint16 port) {
    return "127.0.0.1:" + std::to_string(port);
}

TEST(NetworkOutput, TheCommWindowsServerSendsTheRouteToAClientAndWaitsForABusyPort) {
    testing::UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    TVimoComDlg* dlg = ui.context.windows.comDlg;
    dlg->Timer1->stop();
    const quint16 port = freePort();
    dlg->TcpAddressEdit->setText(QString::fromStdString(address(port)));
    dlg->TcpServerCheck->setChecked(true);
    EXPECT_FALSE(dlg->TcpAddressEdit->isEnabled());
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(client.waitForConnected(patienceMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->networkOutput()->clientCount() == 1; }));
    ui.program.nav.Waypoint.progress = RouteProgress::Sailing;
    ui.communicationTick();
    const std::string expected = routeSentences(ui.program.nav);
    std::string read;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return (read += client.readAll().toStdString()) == expected;
    })) << read;
    EXPECT_EQ(dlg->NetworkStatusLabel->text(), "TCP clients: 1");

    // Another navigator has the port: it is said why, and tried again until it is free.
    dlg->TcpServerCheck->setChecked(false);
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, port));
    dlg->TcpServerCheck->setChecked(true);
    EXPECT_TRUE(dlg->NetworkStatusLabel->text().startsWith(
        QString::fromStdString("TCP server " + address(port) + " not started: ")));
    EXPECT_TRUE(dlg->RetryTimer->isActive());
    other.close();
    dlg->RetryTimerTimer();
    EXPECT_EQ(dlg->NetworkStatusLabel->text(), "TCP clients: 0");
    EXPECT_FALSE(dlg->RetryTimer->isActive());
}

TEST(NetworkOutput, AClientThatNeverReadsIsDroppedAndTheOthersGoOn) {
    QtNetworkOutput output;
    const quint16 port = freePort();
    ASSERT_EQ(output.apply({true, address(port), false, {}}), "");
    QTcpSocket reader;
    reader.connectToHost(QHostAddress::LocalHost, port);
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    const int smallest = 1;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr*>(&server), sizeof server), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return output.clientCount() == 2; }, patienceMs));

    const std::string line = "$GPRMC," + std::string(70, '0') + "\r\n";
    std::size_t sent = 0, read = 0;
    while (output.clientCount() == 2 && sent < (16u << 20)) {
        output.send(line);
        sent += line.size();
        QCoreApplication::processEvents();
        read += static_cast<std::size_t>(reader.readAll().size());
    }
    EXPECT_EQ(output.clientCount(), 1u) << "after " << sent << " bytes";
    EXPECT_TRUE(QTest::qWaitFor([&] {
        read += static_cast<std::size_t>(reader.readAll().size());
        return read == sent;
    }));
    ::close(stalled);
}

TEST(NetworkOutput, DatagramsArriveOneLineEach) {
    QUdpSocket listener;
    ASSERT_TRUE(listener.bind(QHostAddress::LocalHost, 0));
    QtNetworkOutput output;
    ASSERT_EQ(output.apply({false, {}, true, address(listener.localPort())}), "");
    output.send("$A*00\r\n$B*00\r\n");
    for (const char* expected : {"$A*00\r\n", "$B*00\r\n"}) {
        ASSERT_TRUE(listener.waitForReadyRead(patienceMs));
        EXPECT_EQ(listener.receiveDatagram().data().toStdString(), expected);
    }
    EXPECT_EQ(output.apply({false, {}, true, "nowhere:10110"}),
              "UDP nowhere:10110: not an address.");
}

} // namespace
} // namespace brisomar
