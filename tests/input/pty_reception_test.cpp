// The communication dialog reading a real pseudo-terminal through QSerialPort, as it reads a GPS.
#include "app/Vimomain.h"
#include "app/radio_group.h"
#include "input/SeComm32.h"
#include "input/Vimocom.h"
#include "input/qt_serial_device.h"
#include "pty_pair.h"
#include "ui_fakes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count of the heap in use; g++ ships no header declaring it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include <algorithm>
#include <random>
#include <tuple>

namespace brisomar {
namespace {

using testing::PtyPair;
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

class PtyReception : public ::testing::Test {
protected:
    PtyReception() {
        ui.context.makers.serialDevice = [] { return std::make_unique<QtSerialDevice>(); };
        mainDlg = createWindows(ui.context);
        dlg = ui.context.windows.comDlg;
    }

    void SetUp() override {
        ASSERT_TRUE(gps.ok());
        switchOnAt(gps);
        ASSERT_TRUE(dlg->SeComm1->PortOpen());
        gps.releaseSlave();
    }

    void switchOnAt(const PtyPair& pty) {
        dlg->deviceChoice(1)->setEditText(QString::fromStdString(pty.slavePath()));
        dlg->CommRadioGroup->click(0);
    }

    // Writes on the GPS side, then runs port 1's polls until a message is delivered (within
    // one poll interval: the pseudo-terminal hands bytes on asynchronously), then the tick.
    void send(const std::string& bytes) {
        ASSERT_TRUE(gps.write(bytes));
        pollOnce();
        dlg->Timer1Timer();
    }

    void pollOnce() {
        for (int waited = 0; waited < TSeComm32::pollIntervalMs; waited += 10) {
            dlg->SeComm1->PollTimerTimer();
            if (!ui.program.reception.receiveBuffer(1).empty())
                return;
            QTest::qWait(10);
        }
    }

    const NavState& nav() const { return ui.program.nav; }

    // What the program keeps of what it received: the message being collected and port 1's
    // sentence waiting for the tick.
    std::size_t heldBytes() const {
        return ui.program.serialMessage.PendingMessage.size() +
               ui.program.reception.receiveBuffer(1).size();
    }

    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoComDlg* dlg = nullptr;
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
    mainDlg->Timer1Timer();
    mainDlg->Timer1Timer();
    EXPECT_EQ(mainDlg->TextPanel->text(),
              "Speed GPS: 22.3999999999942 knots. In use: 22.3999999999942 knots.");
}

TEST_F(PtyReception, OnlyTheFirstSentenceOfAReadCounts) {
    send(rmc + "\r\n$PTTKD,12.5,M\r\n");
    EXPECT_EQ(nav().GpsLat, rmcLat);
    EXPECT_TRUE(nav().ExtendedValue.isZero()); // beyond the 80 characters kept
}

TEST_F(PtyReception, TheExtendedSentenceSetsItsValue) {
    send("$PTTKD,12.5,M\r\n");
    EXPECT_EQ(nav().ExtendedValue, Real48(12.5L));
    EXPECT_EQ(nav().ExtendedName, "Deep");
}

TEST_F(PtyReception, ASentenceSplitAcrossPollsSetsNothing) {
    send(rmc.substr(0, 20));
    send(rmc.substr(20) + "\r\n");
    EXPECT_TRUE(nav().GpsLat.isZero());
    EXPECT_TRUE(nav().GpsSpeed.isZero());
    send(rmc + "\r\n"); // the next whole sentence is taken
    EXPECT_EQ(nav().GpsLat, rmcLat);
}

TEST_F(PtyReception, ReadsAreCutAtTheFirstNul) {
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

TEST_F(PtyReception, ALongSentenceIsCutTo80Characters) {
    send(rmc + std::string(120, ',') + "\r\n");
    EXPECT_EQ(dlg->Edit1->text().toStdString(), rmc.substr(1) + std::string(80 - 67, ','));
    EXPECT_EQ(nav().GpsSpeed, Real48(22.4L));
}

TEST_F(PtyReception, TenMinutesOfLineNoiseAsFastAsItGoesChangeNoValueAndLeaveMemoryFlat) {
    send(rmc + "\r\n");
    send("$PTTKD,12.5,M\r\n");
    const auto before = receivedValues(nav());
    const std::string noise = lineNoise(10 * minuteOfNoise);
    // Only these two sentences carry values: the noise holds neither, but does hold messages.
    ASSERT_EQ(noise.find("$" + ui.program.reception.gps.sentence), std::string::npos);
    ASSERT_EQ(noise.find("$" + ui.program.reception.extended.sentence), std::string::npos);
    ASSERT_NE(noise.find('$'), std::string::npos);

    std::string_view unsent = noise;
    std::size_t mostHeld = 0;
    long heapAfterFirstMinute = 0;
    while (!unsent.empty()) {
        unsent.remove_prefix(gps.writeWithoutWaiting(unsent));
        dlg->SeComm1->PollTimerTimer();
        mostHeld = std::max(mostHeld, heldBytes());
        dlg->Timer1Timer();
        if (heapAfterFirstMinute == 0 && noise.size() - unsent.size() >= minuteOfNoise)
            heapAfterFirstMinute = heapInUse();
    }
    const long heapGrowth = heapInUse() - heapAfterFirstMinute;
    pollOnce(); // the last bytes written
    dlg->Timer1Timer();

    EXPECT_EQ(receivedValues(nav()), before);
    EXPECT_LE(mostHeld, Reception::maxSentenceLength);
    EXPECT_LT(heapGrowth, 64 * 1024);
    send("$PTTKD,7.5,M\r\n"); // still listening
    EXPECT_EQ(nav().ExtendedValue, Real48(7.5L));
}

TEST_F(PtyReception, AVanishedReceiverIsSurvivedAndSwitchingOffAndOnRecovers) {
    send(rmc + "\r\n");
    ui.clock.time.second = 5;
    gps.closeMaster();
    for (int i = 0; i < 3; ++i) {
        dlg->SeComm1->PollTimerTimer();
        QTest::qWait(10);
    }
    EXPECT_FALSE(dlg->SeComm1->PortOpen());
    dlg->Timer1Timer();
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(5.0L));
    EXPECT_TRUE(ui.dialogs.shown.isEmpty());

    PtyPair replugged;
    ASSERT_TRUE(replugged.ok());
    dlg->CommRadioGroup->click(1);
    switchOnAt(replugged);
    ASSERT_TRUE(dlg->SeComm1->PortOpen());
    ASSERT_TRUE(replugged.write("$GPRMC,1,A,5000.000,N,00100.000,W,6.0,90.0,x*00\r\n"));
    pollOnce();
    dlg->Timer1Timer();
    EXPECT_EQ(nav().GpsLat, Real48(50.0L));
    EXPECT_EQ(nav().GpsSilenceSeconds, Real48(0.0L));
}

} // namespace
} // namespace brisomar
