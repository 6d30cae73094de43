// The communication dialog reading instruments over real loopback sockets: a multiplexer's TCP
// server, UDP datagrams and a real gpsd fed from a pseudo-terminal.
#include "app/Vimomain.h"
#include "base/radio_group.h"
#include "input/SeComm32.h"
#include "input/Vimocom.h"
#include "input/network_device.h"
#include "input/nmea_simulator.h"
#include "input/qt_serial_device.h"
#include "pty_pair.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::PtyPair;
using testing::UiFixture;

const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
const std::string rmc50 = "$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x";
const Real48 rmcLat(48 + 7.038L / 60);
constexpr NetworkDevice::Timing testTiming{std::chrono::milliseconds(3000),
                                           std::chrono::milliseconds(50)};
constexpr int patienceMs = 10000; // how long a test waits for the network before it fails

QByteArray bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

// A TCP socket listening on a loopback port the system chose, closed at the end.
class ListeningSocket {
public:
    ListeningSocket() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (fd_ >= 0 && ::bind(fd_, any, size) == 0 && ::listen(fd_, 8) == 0 &&
            ::getsockname(fd_, any, &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~ListeningSocket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;

    bool ok() const { return port_ != 0; }
    int fd() const { return fd_; }
    quint16 port() const { return port_; }

private:
    int fd_;
    quint16 port_ = 0;
};

class NetworkReception : public ::testing::Test {
protected:
    NetworkReception() {
        ui.context.makers.serialDevice = [this] {
            return std::make_unique<ChoosingSerialDevice>(
                std::make_unique<QtSerialDevice>(ui.clock),
                [this] {
                    auto device = std::make_unique<NetworkDevice>(testTiming);
                    network = device.get();
                    return device;
                },
                ui.clock);
        };
        mainDlg = createWindows(ui.context);
        dlg = ui.context.windows.comDlg;
        // The test runs polls and ticks itself.
        dlg->Timer1->stop();
        dlg->SeComm1->PollTimer->stop();
    }

    void switchOn(const QString& device) {
        dlg->deviceChoice(1)->setEditText(device);
        dlg->CommRadioGroup->click(0);
    }

    // Polls port 1 and ticks until the GPS latitude is `lat`.
    bool fixArrives(Real48 lat) {
        return QTest::qWaitFor(
            [&] {
                dlg->SeComm1->PollTimerTimer();
                ui.communicationTick();
                return nav().GpsLat == lat;
            },
            patienceMs);
    }

    bool bytesArrive(int count) {
        return QTest::qWaitFor([&] { return dlg->SeComm1->CharCount() >= count; }, patienceMs);
    }

    // Until the network device has received `count` bytes since it was opened, kept or not.
    bool bytesReceived(std::size_t count) {
        return QTest::qWaitFor([&] { return network->bytesReceived() >= count; }, patienceMs);
    }

    // Lets `count` retry intervals pass with port 1 polled: a check that something did not
    // happen needs as long as it takes to happen.
    void letRetryIntervalsPass(int count) {
        for (int i = 0; i < count; ++i) {
            QTest::qWait(static_cast<int>(testTiming.retryInterval.count()));
            dlg->SeComm1->PollTimerTimer();
        }
    }

    const NavState& nav() const { return ui.program.nav; }

    UiFixture ui;
    NetworkDevice* network = nullptr; // port 1's, once it was given a network address
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoComDlg* dlg = nullptr;
};

// A multiplexer on loopback: the test holds the server end of the one connection.
class TcpMultiplexer : public NetworkReception {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        address = QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort());
    }

    QTcpSocket* acceptConnection() {
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, patienceMs))
            return nullptr;
        return server.nextPendingConnection();
    }

    QTcpServer server;
    QString address;
};

TEST_F(TcpMultiplexer, ASentenceSplitAcrossWritesIsOneFixAndALostConnectionComesBack) {
    bool windowWorkedDuringTheWait = false;
    QTimer::singleShot(0, [&] { windowWorkedDuringTheWait = true; });
    switchOn(address);
    ASSERT_TRUE(dlg->SeComm1->PortOpen());
    EXPECT_TRUE(windowWorkedDuringTheWait);
    QTcpSocket* peer = acceptConnection();
    ASSERT_NE(peer, nullptr);

    peer->write(bytes(rmc.substr(0, 30)));
    ASSERT_TRUE(bytesArrive(30));
    peer->write(bytes(rmc.substr(30) + "\r\n"));
    ASSERT_TRUE(bytesArrive(static_cast<int>(rmc.size()) + 2));
    ASSERT_TRUE(fixArrives(rmcLat));
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));

    peer->abort(); // the multiplexer goes away
    server.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !network->receiving(); }, patienceMs));
    letRetryIntervalsPass(2); // retries fail quietly
    ui.clock.time.second = 7;
    ui.communicationTick();
    EXPECT_TRUE(dlg->SeComm1->PortOpen()); // the port stays on, silent
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(7.0L));
    EXPECT_TRUE(ui.dialogs.shown.empty());

    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, address.section(':', -1).toUShort()));
    QTcpSocket* again = acceptConnection();
    ASSERT_NE(again, nullptr);
    again->write(bytes(rmc50 + "\r\n"));
    ASSERT_TRUE(fixArrives(Real48(50.0L)));
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(0.0L));

    dlg->CommRadioGroup->click(1); // off: the connection ends and no retry follows
    ASSERT_TRUE(QTest::qWaitFor([&] { return again->state() == QAbstractSocket::UnconnectedState; },
                                patienceMs));
    letRetryIntervalsPass(3);
    EXPECT_FALSE(server.hasPendingConnections());
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(TcpMultiplexer, AFailureAsksAbortOrRetryWithTheAddressAndTheReason) {
    server.close();
    ui.dialogs.answers = {Dialogs::Answer::Retry};
    switchOn(address);
    EXPECT_FALSE(dlg->SeComm1->PortOpen());
    EXPECT_EQ(dlg->CommRadioGroup->itemIndex(), 1); // Off after Abort, as after any failed opening
    EXPECT_EQ(ui.dialogs.shown, Boxes(2, {AbortRetry, "Error Opening COM1: "}));
    ASSERT_EQ(ui.dialogs.details.size(), 2);
    EXPECT_TRUE(ui.dialogs.details[0].startsWith(QStringLiteral("Address %1: ").arg(address)))
        << ui.dialogs.details[0].toStdString();
    EXPECT_TRUE(ui.dialogs.details[0].contains(QStringLiteral("refused"), Qt::CaseInsensitive))
        << ui.dialogs.details[0].toStdString();

    switchOn(QStringLiteral("tcp://127.0.0.1:99999"));
    EXPECT_EQ(ui.dialogs.details.last(),
              "Address tcp://127.0.0.1:99999: \"99999\" is not a port number (1 to 65535)");
}

TEST_F(TcpMultiplexer, EndlessTextWithoutStartCharacterIsBoundedAndDropped) {
    switchOn(address);
    QTcpSocket* peer = acceptConnection();
    ASSERT_NE(peer, nullptr);
    const QByteArray megabyte(1 << 20, 'x');
    peer->write(megabyte);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            EXPECT_LE(dlg->SeComm1->CharCount(), static_cast<int>(NetworkDevice::maxUnreadBytes));
            dlg->SeComm1->PollTimerTimer();
            return network->bytesReceived() >= static_cast<std::size_t>(megabyte.size());
        },
        patienceMs));
    ui.communicationTick();
    EXPECT_TRUE(dlg->Edit1->text().isEmpty());
    peer->write(bytes(rmc + "\r\n"));
    EXPECT_TRUE(fixArrives(rmcLat));
}

// A burst faster than the port reads waits in the connection: every sentence is taken.
TEST_F(TcpMultiplexer, ABurstLosesNoSentence) {
    int fixes = 0;
    ui.program.reception.onChecked = [&fixes](Reception::SentenceUse use, std::string_view,
                                              const NavState&) {
        fixes += use == Reception::SentenceUse::fix ? 1 : 0;
    };
    switchOn(address);
    QTcpSocket* peer = acceptConnection();
    ASSERT_NE(peer, nullptr);
    constexpr int sent = 10001;
    QByteArray burst;
    for (int i = 0; i < sent; ++i)
        burst += bytes(rmc50 + "\r\n");
    peer->write(burst);
    // The connection is read several times between two polls, as the program's 250 ms allow.
    for (int poll = 0; poll < 1000 && fixes < sent; ++poll) {
        QTest::qWait(20);
        dlg->SeComm1->PollTimerTimer();
        ui.communicationTick();
    }
    EXPECT_EQ(fixes, sent);
}

TEST(NetworkDevice, AConnectionWithoutAnswerIsGivenUpAfterTheWaitWithTheWindowWorking) {
    QTcpServer server; // its one queue place taken, it lets further connections hang
    server.setListenBacklogSize(0);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    server.pauseAccepting();
    QTcpSocket queued;
    queued.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(queued.waitForConnected(patienceMs));

    NetworkDevice device({std::chrono::milliseconds(300), std::chrono::milliseconds(50)});
    bool timerFired = false;
    QTimer::singleShot(100, [&] { timerFired = true; });
    std::string reason;
    const QString address = QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort());
    EXPECT_FALSE(device.open(address.toStdString(), LineSettings{}, reason));
    EXPECT_TRUE(timerFired);
    EXPECT_EQ(reason, "Address " + address.toStdString() + ": no answer within 1 s");
    EXPECT_FALSE(device.isOpen());
    EXPECT_FALSE(device.receiving());
}

// Datagrams sent to the port a listening device was bound to.
class UdpBroadcast : public NetworkReception {
protected:
    void SetUp() override {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
        probe.close();
        switchOn(QStringLiteral("udp://127.0.0.1:%1").arg(port));
        ASSERT_TRUE(dlg->SeComm1->PortOpen());
    }

    void send(const QByteArray& datagram) {
        ASSERT_EQ(sender.writeDatagram(datagram, QHostAddress::LocalHost, port), datagram.size());
    }

    quint16 port = 0;
    QUdpSocket sender;
};

TEST_F(UdpBroadcast, DatagramsOfOneOrSeveralSentencesSetTheValues) {
    send(bytes(rmc + "\r\n"));
    ASSERT_TRUE(fixArrives(rmcLat));
    EXPECT_EQ(nav().GpsCourse, Real48(84.4L));

    send(bytes("$PTTKD,12.5,M\r\n" + rmc50 + "\r\n")); // every sentence counts
    ASSERT_TRUE(fixArrives(Real48(50.0L)));
    EXPECT_EQ(nav().ExtendedValue, Real48(12.5L));
}

// The navigator's own datagrams, from its network output, are not read back: a stale fix would
// stay live for ever. Another program's, from this computer, are.
TEST_F(UdpBroadcast, TheNavigatorsOwnDatagramsAreNotReadBack) {
    QtNetworkOutput output;
    ASSERT_EQ(output.apply({false, {}, true, "127.0.0.1:" + std::to_string(port)}), "");
    output.send(rmc + "\r\n");
    send(bytes("$PTTKD,12.5,M\r\n"));
    ASSERT_TRUE(bytesArrive(15));
    dlg->SeComm1->PollTimerTimer();
    ui.communicationTick();
    EXPECT_EQ(nav().ExtendedValue, Real48(12.5L));
    EXPECT_TRUE(nav().GpsLat.isZero()) << "the navigator's own fix came back";
}

TEST_F(UdpBroadcast, AnOutputToThePortsOwnInputIsRefusedNamingBoth) {
    dlg->UdpAddressEdit->setText(QStringLiteral("127.0.0.1:%1").arg(port));
    dlg->UdpCheck->click();
    EXPECT_FALSE(dlg->UdpCheck->isChecked());
    EXPECT_EQ(dlg->NetworkStatusLabel->text(),
              QStringLiteral("UDP to 127.0.0.1:%1 refused: port 1 reads udp://127.0.0.1:%1, and "
                             "would read back what it sends.")
                  .arg(port));
    EXPECT_FALSE(ui.program.output.choices[SentenceOutput::networkOutput].route);
}

TEST_F(UdpBroadcast, AnyTalkerIsTakenAfterTypingQuestionMarks) {
    const std::string gnrmc = "$GNRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x\r\n";
    send(bytes(gnrmc));
    ASSERT_TRUE(bytesArrive(static_cast<int>(gnrmc.size())));
    dlg->SeComm1->PollTimerTimer();
    ui.communicationTick();
    EXPECT_EQ(dlg->SeComm1->CharCount(), 0); // taken, and refused: the factory name wants GPRMC
    EXPECT_TRUE(nav().GpsLat.isZero());

    EXPECT_TRUE(dlg->EditNMEASentence->toolTip().contains(QStringLiteral("type \"??RMC\"")));
    dlg->EditNMEASentence->clear();
    QTest::keyClicks(dlg->EditNMEASentence, QStringLiteral("??RMC"));
    EXPECT_EQ(dlg->EditNMEASentence->text(), "??RMC");
    send(bytes(gnrmc));
    EXPECT_TRUE(fixArrives(Real48(50.0L)));
}

TEST_F(UdpBroadcast, OversizedDatagramsAndNoiseAreBoundedAndSurvived) {
    send(QByteArray(60000, '$'));
    ASSERT_TRUE(bytesReceived(NetworkDevice::maxUnreadBytes)); // the datagram cut to the limit
    QByteArray noise(1000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 37 + 11) % 256);
    for (std::size_t sent = 1; sent <= 100; ++sent) {
        send(noise);
        if (sent % 10 == 0) { // taken ten at a time, so the system's queue never overflows
            ASSERT_TRUE(bytesReceived(NetworkDevice::maxUnreadBytes + sent * noise.size()));
        }
    }
    EXPECT_EQ(dlg->SeComm1->CharCount(), static_cast<int>(NetworkDevice::maxUnreadBytes));
    for (int i = 0; i < 3; ++i) {
        dlg->SeComm1->PollTimerTimer();
        ui.communicationTick();
    }
    EXPECT_TRUE(nav().GpsLat.isZero());
    EXPECT_TRUE(nav().GpsSpeed.isZero());
    send(bytes(rmc + "\r\n"));
    EXPECT_TRUE(fixArrives(rmcLat));
}

// Debian's gpsd reading a receiver on a pseudo-terminal, serving on a loopback port that the
// test listens on first and hands over as systemd would: no other test can take the port in
// between, and clients may connect at once.
class Gpsd : public NetworkReception {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(QStringLiteral("/usr/sbin/gpsd")))
            << "gpsd is installed by scripts/setup";
        ASSERT_TRUE(receiver.ok());
        // gpsd may drop its privileges before it opens the device.
        ASSERT_EQ(::chmod(receiver.slavePath().c_str(), 0666), 0);
        const ListeningSocket control, clients;
        ASSERT_TRUE(control.ok() && clients.ok());
        port = clients.port();
        // gpsd takes its control socket as descriptor 3 and its listening socket as 4 when
        // LISTEN_FDS is 2 and LISTEN_PID is its own process, which the shell knows before it
        // becomes gpsd.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LISTEN_FDS"), QStringLiteral("2"));
        gpsd.setProcessEnvironment(environment);
        gpsd.setChildProcessModifier([control = control.fd(), clients = clients.fd()] {
            // Moved above 4 first, so that placing one cannot close the other.
            const int controlAbove = ::fcntl(control, F_DUPFD_CLOEXEC, 5);
            const int clientsAbove = ::fcntl(clients, F_DUPFD_CLOEXEC, 5);
            ::dup2(controlAbove, 3);
            ::dup2(clientsAbove, 4);
        });
        gpsd.start(QStringLiteral("/bin/sh"),
                   {"-c", "export LISTEN_PID=$$; exec /usr/sbin/gpsd \"$@\"", "sh", "-N", "-n",
                    "-b", QString::fromStdString(receiver.slavePath())});
        ASSERT_TRUE(gpsd.waitForStarted());
    }

    void TearDown() override {
        gpsd.terminate();
        if (!gpsd.waitForFinished(3000))
            gpsd.kill();
        gpsd.waitForFinished();
    }

    PtyPair receiver;
    QProcess gpsd;
    quint16 port = 0;
};

TEST_F(Gpsd, TheRelayedRecommendedMinimumSentenceSetsTheFix) {
    switchOn(QStringLiteral("gpsd://127.0.0.1:%1").arg(port));
    ASSERT_TRUE(dlg->SeComm1->PortOpen());
    int polls = 0;
    const bool fixed = QTest::qWaitFor(
        [&] {
            if (polls++ % 10 == 0) // once a second or so, as a receiver sends
                receiver.write(rmc + "\r\n");
            dlg->SeComm1->PollTimerTimer();
            ui.communicationTick();
            return nav().GpsLat == rmcLat;
        },
        patienceMs);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(nav().GpsLon, Real48(-(11 + 31 / 60.0L)));
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));
    EXPECT_EQ(nav().GpsCourse, Real48(84.4L));
}

} // namespace
} // namespace brisomar
