// The navigator itself, killed and started again: a change it made is on the disk within a
// second, whatever stops it then. Each test waits only as long as the program needs, polling.
#include "kept_fixtures.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::contentsOf;
using testing::settingsValue;
using testing::TempDir;

constexpr int startPatienceMs = 30000;  // a loaded machine starts the program slowly
constexpr int searchPatienceMs = 60000; // the automatic chart search waits 11 seconds

// The navigator in a process of its own, with the test's folders for its settings and data and
// no screen. Killed (SIGKILL) at the end.
class Navigator {
public:
    Navigator(const TempDir& dir, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.file("config")));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(dir.file("data")));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(BRISOMAR_PROGRAM), arguments);
    }
    ~Navigator() { kill(); }
    Navigator(const Navigator&) = delete;
    Navigator& operator=(const Navigator&) = delete;

    bool started() { return process_.waitForStarted(startPatienceMs); }
    bool running() const { return process_.state() == QProcess::Running; }

    void kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(startPatienceMs);
    }

private:
    QProcess process_;
};

// A GPS multiplexer on loopback, as the navigator's port 1 reads it.
class Multiplexer {
public:
    Multiplexer() { server_.listen(QHostAddress::LocalHost, 0); }

    QString address() const {
        return QStringLiteral("tcp://127.0.0.1:%1").arg(server_.serverPort());
    }

    // The navigator connected: its port is open.
    QTcpSocket* accepted(int patienceMs) {
        if (!QTest::qWaitFor([this] { return server_.hasPendingConnections(); }, patienceMs))
            return nullptr;
        return server_.nextPendingConnection();
    }

private:
    QTcpServer server_;
};

// Waits for `key` of the settings file to read `value`, sending `sentence` to the GPS meanwhile.
bool settingBecomes(const std::string& path, const char* key, const std::string& value,
                    QTcpSocket* gps, const std::string& sentence, int patienceMs) {
    QElapsedTimer sent;
    return QTest::qWaitFor(
        [&] {
            if (!sent.isValid() || sent.elapsed() >= 250) {
                gps->write(QByteArray::fromStdString(sentence + "\r\n"));
                sent.start();
            }
            return settingsValue(path, key) == value;
        },
        patienceMs);
}

// The sailor's port 1 reads a multiplexer; automatic selection moves the chart to the boat's.
TEST(Restart, AChangeMadeBeforeAKillNineIsThereAtTheNextStart) {
    TempDir dir;
    Multiplexer gps;
    const std::string valuesPath = dir.file("config/brisomar/brisomar.ini");
    KeptSettings sailor;
    sailor.ports[0].on = true;
    sailor.ports[0].device = gps.address().toStdString();
    sailor.chart.mapFile = testing::writeTwoCharts(dir);
    sailor.chart.autoSelect = true;
    sailor.alarms.on[static_cast<int>(AlarmSlot::Speed)] = true;
    sailor.alarms.limits.MinSpe = Real48(5.0L);
    sailor.alarms.limits.MaxSpe = Real48(9.0L);
    testing::writeSettingsFile(valuesPath, sailor);

    {
        Navigator first(dir, {});
        ASSERT_TRUE(first.started());
        QTcpSocket* feed = gps.accepted(startPatienceMs);
        ASSERT_NE(feed, nullptr) << "the port that was on is not opened at the start";
        // The boat is on the northern chart, record 2: the search finds it, the change is kept.
        ASSERT_TRUE(settingBecomes(valuesPath, "Chart/Record", "2", feed,
                                   "$GPRMC,120000,A,5230.000,N,00130.000,W,6.0,90.0,010126,,",
                                   searchPatienceMs));
        first.kill();
    }
    const std::string kept = contentsOf(valuesPath);
    EXPECT_EQ(settingsValue(valuesPath, "Chart/AutoSelect"), "true");
    EXPECT_EQ(settingsValue(valuesPath, "Port1/Device"), gps.address().toStdString());
    EXPECT_EQ(settingsValue(valuesPath, "Alarms/SpeedOn"), "true");

    Navigator second(dir, {});
    ASSERT_TRUE(second.started());
    ASSERT_NE(gps.accepted(startPatienceMs), nullptr) << "the port is not opened again";
    EXPECT_TRUE(second.running());
    second.kill();
    EXPECT_EQ(contentsOf(valuesPath), kept); // restored, unchanged: nothing written
}

TEST(Restart, TheDemoKeepsSettingsOfItsOwnAndLeavesTheSailorsAlone) {
    TempDir dir;
    const std::string sailorsPath = dir.file("config/brisomar/brisomar.ini");
    const std::string demoPath = dir.file("config/brisomar/brisomar-demo.ini");
    KeptSettings sailor;
    sailor.alarms.on[static_cast<int>(AlarmSlot::OutsideDetailChart)] = true;
    testing::writeSettingsFile(sailorsPath, sailor);
    const std::string sailors = contentsOf(sailorsPath);

    Navigator demo(dir, {"--demo"});
    ASSERT_TRUE(demo.started());
    // The demo switches port 1 on to its simulator: a change, kept in the demo's own file.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settingsValue(demoPath, "Port1/On") == "true"; },
                                startPatienceMs));
    demo.kill();
    EXPECT_EQ(settingsValue(demoPath, "Port1/Device"), "Simulator");
    EXPECT_EQ(settingsValue(demoPath, "Alarms/OutsideDetailChartOn"), "false");
    EXPECT_EQ(contentsOf(sailorsPath), sailors);
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/brisomar/brisomar.WAY")));
}

} // namespace
} // namespace brisomar
