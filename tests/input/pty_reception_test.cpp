// The communication dialog reading a real pseudo-terminal through QSerialPort, as it reads a GPS.
#include "app/Vimomain.h"
#include "base/radio_group.h"
#include "input/SeComm32.h"
#include "input/Vimocom.h"
#include "input/nmea_output.h"
#include "input/qt_serial_device.h"
#include "pty_pair.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSerialPort>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count of the heap in use; g++ ships no header declaring it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::PtyPair;
using testing::TempDir;
using testing::UiFixture;
using namespace std::string_literals;

const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
const Real48 rmcLat(48 + 7.038L / 60);

// One minute of line noise at 9600 baud: 960 bytes a second with start and stop bits.
constexpr std::size_t minuteOfNoise = 60 * 960;

// Random bytes from a fixed seed (the generator's output is the same on every library).
std::string lineNoise(std::size_t size) {
    std::mt19937 random(9600);
    std::string noise(size, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    return noise;
}

// Everything reception writes into the navigation state.
auto receivedValues(const NavState& n) {
    return std::tuple(n.GpsLat, n.GpsLon, n.GpsCourse, n.GpsSpeed, n.GpsTime, n.GpsSilenceSeconds,
                      n.ExtendedValue, n.ExtendedTime);
}

// Bytes of heap in use, large blocks included. AddressSanitizer keeps a heap of its own.
long heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>(heap.uordblks + heap.hblkhd);
#endif
}

// Another program with a device open: one that reads it, or one that holds it exclusively as
// gpsd does, taking the mark off when it closes it.
struct OtherProgram {
    OtherProgram(const std::string& path, bool exclusive)
        : fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
        process.setStandardInputFile(QString::fromStdString(path));
        process.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        EXPECT_TRUE(process.waitForStarted());
        EXPECT_EQ(::ioctl(fd, exclusive ? TIOCEXCL : TIOCNXCL), 0);
    }
    ~OtherProgram() {
        process.kill();
        process.waitForFinished();
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
    std::string name() const {
        return "sleep (process " + std::to_string(process.processId()) + ")";
    }

    QProcess process;
    int fd;
};

// The navigator's windows on real serial devices; the test runs the polls and ticks itself.
class PtyNavigator : public ::testing::Test {
protected:
    PtyNavigator() {
        ui.context.makers.serialDevice = [this] {
            auto device = std::make_unique<QtSerialDevice>(ui.clock);
            devices.push_back(device.get());
            return device;
        };
        mainDlg = createWindows(ui.context);
        dlg = ui.context.windows.comDlg;
        dlg->Timer1->stop();
        dlg->SeComm1->PollTimer->stop();
        dlg->SeComm2->PollTimer->stop();
    }

    void switchOnAt(int port, const std::string& path) {
        dlg->deviceChoice(port)->setEditText(QString::fromStdString(path));
        (port == 1 ? dlg->CommRadioGroup : dlg->CommRadioGroupB)->click(0);
    }

    // Once `count` bytes written on the device's far side wait at port 1 (a pseudo-terminal
    // hands them on asynchronously), one poll takes them all.
    void pollWhenArrived(std::size_t count) {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return dlg->SeComm1->CharCount() >= static_cast<int>(count); }));
        dlg->SeComm1->PollTimerTimer();
    }

    const NavState& nav() const { return ui.program.nav; }

    UiFixture ui;
    std::vector<QtSerialDevice*> devices; // port 1's, then port 2's
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoComDlg* dlg = nullptr;
};

// Port 1 reads a GPS on a pseudo-terminal.
class PtyReception : public PtyNavigator {
protected:
    void SetUp() override {
        ASSERT_TRUE(gps.ok());
        switchOnAt(1, gps.slavePath());
        ASSERT_TRUE(dlg->SeComm1->PortOpen());
        gps.releaseSlave();
    }

    // Writes on the GPS side, polls once they arrived, then the tick.
    void send(const std::string& bytes) {
        ASSERT_TRUE(gps.write(bytes));
        pollWhenArrived(bytes.size());
        ui.communicationTick();
    }

    PtyPair gps;
};

TEST_F(PtyReception, TheRecommendedMinimumSentenceSetsTheFix) {
    send(rmc + "\r\n");
    EXPECT_EQ(nav().GpsLat, rmcLat);
    EXPECT_EQ(nav().GpsLon, Real48(-(11 + 31 / 60.0L)));
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));
    EXPECT_EQ(nav().GpsCourse, Real48(84.4L));
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(0.0L));
    mainDlg->TabSet->setCurrentIndex(static_cast<int>(StatusPage::Speed));
    ui.mainTick();
    ui.mainTick();
    EXPECT_EQ(mainDlg->TextPanel->text(),
              "Speed GPS: 22.3999999999942 knots. In use: 22.3999999999942 knots.");
}

TEST_F(PtyReception, EverySentenceOfAReadCounts) {
    send("$GPGGA,1,2,3\r\n" + rmc + "\r\n$PTTKD,12.5,M\r\n");
    EXPECT_EQ(nav().GpsLat, rmcLat);
    EXPECT_EQ(nav().ExtendedValue, Real48(12.5L));
}

TEST_F(PtyReception, TheExtendedSentenceSetsItsValue) {
    send("$PTTKD,12.5,M\r\n");
    EXPECT_EQ(nav().ExtendedValue, Real48(12.5L));
    EXPECT_EQ(nav().ExtendedName, "Deep");
}

TEST_F(PtyReception, ASentenceSplitAcrossPollsIsJoined) {
    ASSERT_TRUE(gps.write(rmc.substr(0, 20)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->SeComm1->CharCount() == 20; }));
    dlg->SeComm1->PollTimerTimer();
    ui.communicationTick();
    EXPECT_TRUE(nav().GpsLat.isZero());
    send(rmc.substr(20) + "\r\n");
    EXPECT_EQ(nav().GpsLat, rmcLat);
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));
}

TEST_F(PtyReception, ANulEndsTheSentence) {
    send(rmc.substr(0, 40) + "\0"s + rmc.substr(40) + "\r\n");
    EXPECT_TRUE(nav().GpsSpeed.isZero()); // the speed field lay after the NUL
    EXPECT_EQ(nav().GpsLat, rmcLat);
}

TEST_F(PtyReception, GarbageAndVoidFixesChangeNothing) {
    std::string garbage;
    for (int i = 0; i < 512; ++i)
        garbage += static_cast<char>((i * 37 + 11) % 256);
    send(garbage);
    send("$GPRMC,123519,V,,,,,,,230394,,*6A\r\n");
    send("$GPRMC,1,A,4807.038,N,01131.000,E,1e39,999,x," + std::string(100, 'x') + "\r\n");
    EXPECT_TRUE(nav().GpsSpeed.isZero());
    EXPECT_TRUE(nav().GpsCourse.isZero());
    EXPECT_TRUE(nav().ExtendedValue.isZero());
    EXPECT_EQ(nav().GpsLat, rmcLat); // the position of the long sentence was valid
}

// Port 2 is an autopilot's line: it takes the route sentences and what the GPS sends.
TEST_F(PtyReception, APortSendsTheRouteAndTheOtherPortsSentences) {
    PtyPair autopilot;
    switchOnAt(2, autopilot.slavePath());
    dlg->SendRouteCheckB->setChecked(true);
    dlg->SendReceivedCheckB->setChecked(true);
    send(rmc + "\r\n");
    ui.program.nav.Waypoint.progress = RouteProgress::Sailing;
    ui.clock.pass(std::chrono::seconds(1));
    ui.communicationTick();
    const std::string expected = rmc + "\r\n" + routeSentences(nav());
    std::string sent;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sent += autopilot.readWaiting()) == expected; }))
        << sent;
    EXPECT_TRUE(sent.find("$ECRMB,A,") != std::string::npos) << sent;
}

TEST_F(PtyReception, ALongSentenceIsCutTo80Characters) {
    send(rmc + std::string(120, ',') + "\r\n");
    EXPECT_EQ(dlg->Edit1->text().toStdString(), rmc.substr(1) + std::string(80 - 67, ','));
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));
}

TEST_F(PtyReception, TenMinutesOfLineNoiseAsFastAsItGoesChangeNoValueAndLeaveMemoryFlat) {
    send(rmc + "\r\n");
    send("$PTTKD,12.5,M\r\n");
    const NavState before = nav();
    const std::string noise = lineNoise(10 * minuteOfNoise);
    // Only these two sentences carry values: the noise holds neither, but does hold messages.
    ASSERT_EQ(noise.find("$" + ui.program.reception.gps.sentence), std::string::npos);
    ASSERT_EQ(noise.find("$" + ui.program.reception.extended.sentence), std::string::npos);
    ASSERT_NE(noise.find('$'), std::string::npos);

    std::string_view unsent = noise;
    long heapAfterFirstMinute = 0;
    while (!unsent.empty()) {
        unsent.remove_prefix(gps.writeWithoutWaiting(unsent));
        dlg->SeComm1->PollTimerTimer();
        ui.communicationTick();
        if (heapAfterFirstMinute == 0 && noise.size() - unsent.size() >= minuteOfNoise)
            heapAfterFirstMinute = heapInUse();
    }
    const long heapGrowth = heapInUse() - heapAfterFirstMinute;
    EXPECT_LT(heapGrowth, 64 * 1024);

    // Still listening: once a sentence written behind the last noise counts, all the noise was
    // taken, and only that sentence changed a value.
    ASSERT_TRUE(gps.write("$PTTKD,7.5,M\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        dlg->SeComm1->PollTimerTimer();
        ui.communicationTick();
        return nav().ExtendedValue == Real48(7.5L);
    }));
    NavState expected = before;
    expected.ExtendedValue = Real48(7.5L);
    EXPECT_EQ(receivedValues(nav()), receivedValues(expected));
}

// A USB receiver is pulled out and put back: its device, here a link to a pseudo-terminal, is
// gone and comes back, leading to a new one.
TEST_F(PtyNavigator, AnUnpluggedReceiverIsOpenedAgainEveryFiveSecondsUntilItIsBack) {
    TempDir dir;
    const std::string link = dir.file("ttyUSB0");
    PtyPair receiver;
    ASSERT_TRUE(receiver.ok());
    std::filesystem::create_symlink(receiver.slavePath(), link);
    ui.clock.time = {2026, 12, 7, 9, 0, 0, 0};
    switchOnAt(1, link);
    ASSERT_TRUE(devices[0]->receiving());
    receiver.releaseSlave();
    ASSERT_TRUE(receiver.write(rmc + "\r\n"));
    pollWhenArrived(rmc.size() + 2);
    ui.communicationTick();
    ASSERT_EQ(nav().GpsLat, rmcLat);

    std::filesystem::remove(link);
    receiver.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        dlg->SeComm1->PollTimerTimer();
        return !devices[0]->receiving();
    }));
    PtyPair pluggedIn;
    ASSERT_TRUE(pluggedIn.ok());
    // Seconds after the loss, whether the device is back by then, and whether it is open after.
    const struct {
        int second;
        bool back, receiving;
    } steps[] = {{4, false, false}, {5, false, false}, {9, true, false}, {10, true, true}};
    for (const auto& step : steps) {
        ui.clock.time.second = step.second;
        if (step.back && !std::filesystem::is_symlink(link))
            std::filesystem::create_symlink(pluggedIn.slavePath(), link);
        dlg->SeComm1->PollTimerTimer();
        ui.communicationTick();
        EXPECT_EQ(devices[0]->receiving(), step.receiving) << step.second << " s";
        EXPECT_EQ(nav().GpsSilenceSeconds, Real48(static_cast<long double>(step.second)));
    }
    EXPECT_TRUE(dlg->SeComm1->PortOpen());
    EXPECT_EQ(dlg->CommRadioGroup->selectedText(), "On");
    EXPECT_TRUE(ui.dialogs.shown.empty());

    pluggedIn.releaseSlave();
    const std::string rmc50 = "$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x\r\n";
    ASSERT_TRUE(pluggedIn.write(rmc50));
    pollWhenArrived(rmc50.size());
    ui.communicationTick();
    EXPECT_EQ(nav().GpsLat, Real48(50.0L));
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(0.0L));

    dlg->CommRadioGroup->click(1); // off: no more tries
    EXPECT_FALSE(dlg->SeComm1->PortOpen());
}

// A program that reads a device, or keeps it open as socat keeps both ends of its pair, is no
// competitor; one that holds it exclusively is, and is named. The navigator holds its own
// devices alone.
TEST_F(PtyReception, OnlyADeviceHeldExclusivelyIsInUseAndItsHolderIsNamed) {
    const int fd = ::open(gps.slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0); // the test runs as root, whom an exclusive device does not refuse
    int exclusive = 0;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    ::close(fd);
    EXPECT_EQ(exclusive, 1);

    TempDir dir;
    const std::string link = dir.file("gps");
    std::filesystem::create_symlink(gps.slavePath(), link);
    PtyPair read, held;
    ASSERT_TRUE(read.ok() && held.ok());
    const OtherProgram holder(held.slavePath(), true), reader(read.slavePath(), false);
    const std::pair<std::string, std::string> cases[] = {{gps.slavePath(), "port 1"},
                                                         {link, "port 1"},
                                                         {held.slavePath(), holder.name()},
                                                         {read.slavePath(), ""}};
    for (const auto& [path, inUseBy] : cases) {
        ui.dialogs.details.clear();
        switchOnAt(2, path);
        EXPECT_EQ(dlg->SeComm2->PortOpen(), inUseBy.empty()) << path;
        EXPECT_EQ(ui.dialogs.details.join(QString()).toStdString(),
                  inUseBy.empty() ? "" : "Device " + path + " is in use by " + inUseBy);
        dlg->CommRadioGroupB->click(1);
    }
    EXPECT_EQ(ui.dialogs.shown, Boxes(3, {AbortRetry, "Error Opening COM2: "}));
}

// A port switched on at start on a held device names the holder while tried again.
TEST_F(PtyNavigator, APortWaitingForAHeldDeviceNamesItsHolder) {
    PtyPair held;
    ASSERT_TRUE(held.ok());
    auto holder = std::make_unique<OtherProgram>(held.slavePath(), true);
    dlg->deviceChoice(1)->setEditText(QString::fromStdString(held.slavePath()));
    dlg->switchOnAtStart(1);
    const std::string notice = "COM1: Device " + held.slavePath() + " is in use by " +
                               holder->name() + ". Tried every 5 s. ";
    dlg->RetryTimerTimer();
    EXPECT_EQ(nav().CommNotice, notice);
    holder.reset();
    dlg->RetryTimerTimer();
    EXPECT_TRUE(dlg->SeComm1->PortOpen());
    EXPECT_EQ(nav().CommNotice, "");
    EXPECT_EQ(ui.dialogs.shown, Boxes{});
}

// socat keeps both ends of its pair open; the navigator's end opens and reads, also when left
// marked exclusive by a navigator killed before.
TEST_F(PtyNavigator, TheEndOfASocatPairOpensAndReads) {
    TempDir dir;
    const std::string navigatorEnd = dir.file("navigator"), gpsEnd = dir.file("gps");
    QProcess socat;
    socat.start(QStringLiteral("socat"),
                {QString::fromStdString("pty,raw,echo=0,link=" + navigatorEnd),
                 QString::fromStdString("pty,raw,echo=0,link=" + gpsEnd)});
    ASSERT_TRUE(socat.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::filesystem::exists(navigatorEnd) && std::filesystem::exists(gpsEnd); }));
    const int killed = ::open(navigatorEnd.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    EXPECT_EQ(::ioctl(killed, TIOCEXCL), 0);
    ::close(killed);
    switchOnAt(1, navigatorEnd);
    EXPECT_TRUE(dlg->SeComm1->PortOpen());
    EXPECT_EQ(ui.dialogs.shown, Boxes{});
    std::ofstream(gpsEnd) << rmc << "\r\n" << std::flush;
    pollWhenArrived(rmc.size() + 2);
    ui.communicationTick();
    EXPECT_EQ(nav().GpsLat, rmcLat);
    socat.kill();
    socat.waitForFinished();
}

} // namespace
} // namespace brisomar
