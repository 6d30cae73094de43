#include "input/SeComm32.h"

#include "base/qt_seams.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::FakeSerialDevice;
using testing::ScriptedDialogs;

class SeComm32 : public ::testing::Test {
protected:
    // A port on a fake device; the device stays reachable through the returned pointer.
    std::unique_ptr<TSeComm32> makePort(FakeSerialDevice*& device) {
        auto owned = std::make_unique<FakeSerialDevice>(serial);
        device = owned.get();
        auto port = std::make_unique<TSeComm32>(std::move(owned), held, dialogs);
        port->OnDataMessage = [this] { ++events; };
        return port;
    }

    std::shared_ptr<FakeSerialDevice::Shared> serial = std::make_shared<FakeSerialDevice::Shared>();
    HeldDevices held;
    ScriptedDialogs dialogs;
    int events = 0;
};

TEST_F(SeComm32, StartsClosedWithTheComponentsDefaults) {
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    EXPECT_FALSE(port->PortOpen());
    EXPECT_EQ(port->Port(), 1);
    EXPECT_EQ(port->BaudRate(), TBaudRate::br9600);
    EXPECT_EQ(port->DataBits(), TDataBits::db8);
    EXPECT_EQ(port->Parity(), TParity::pNone);
    EXPECT_EQ(port->StopBits(), TStopBits::sb1);
    EXPECT_EQ(port->MsgStart, '\x01');
    EXPECT_EQ(port->MsgStop, '\x02');
    EXPECT_TRUE(port->ShowErrors);
    EXPECT_EQ(port->Mode(), TSeComm32::TMode::mNormal);
    EXPECT_FALSE(port->PollTimer->isActive());
    EXPECT_EQ(port->PollTimer->interval(), 250);
}

TEST_F(SeComm32, OpenFailureWithoutErrorsShownIsSilent) {
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->ShowErrors = false;
    port->setDevicePath("/dev/missing");
    EXPECT_FALSE(port->Open());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SeComm32, OpenFailureAsksAbortOrRetry) {
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->setPort(2);
    port->setDevicePath("/dev/missing");
    dialogs.answers = {Dialogs::Answer::Retry, Dialogs::Answer::Retry, Dialogs::Answer::Abort};
    EXPECT_FALSE(port->Open());
    EXPECT_EQ(dialogs.shown, Boxes(3, {AbortRetry, "Error Opening COM2: "}));
    EXPECT_EQ(dialogs.details[0], "Device /dev/missing: No such file or directory");
}

TEST_F(SeComm32, RetryOpensOnceTheReceiverIsPluggedIn) {
    // The sailor plugs the receiver in while the box is up, then answers Retry.
    struct PlugInThenRetry : ScriptedDialogs {
        std::shared_ptr<FakeSerialDevice::Shared> serial;
        Answer abortRetry(const QString& text, const QString& detail) override {
            ScriptedDialogs::abortRetry(text, detail);
            serial->openable.push_back("/dev/later");
            return Answer::Retry;
        }
    } plugIn;
    plugIn.serial = serial;
    TSeComm32 port(std::make_unique<FakeSerialDevice>(serial), held, plugIn);
    port.setDevicePath("/dev/later");
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(plugIn.shown, (Boxes{{AbortRetry, "Error Opening COM1: "}}));
    EXPECT_EQ(serial->opened, std::vector<std::string>{"/dev/later"});
}

TEST_F(SeComm32, OpenAppliesTheLineSettings) {
    serial->openable = {"/dev/gps"};
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->setDevicePath("/dev/gps");
    port->setBaudRate(TBaudRate::br4800);
    port->setParity(TParity::pMark);
    port->setDataBits(TDataBits::db7);
    port->setStopBits(TStopBits::sb2);
    ASSERT_TRUE(port->Open());
    ASSERT_EQ(serial->settings.size(), 1u);
    EXPECT_EQ(serial->settings[0].baudRate, TBaudRate::br4800);
    EXPECT_EQ(serial->settings[0].parity, TParity::pMark);
    EXPECT_EQ(serial->settings[0].dataBits, TDataBits::db7);
    EXPECT_EQ(serial->settings[0].stopBits, TStopBits::sb2);
}

TEST_F(SeComm32, ChangedSettingsReopenAnOpenPortAndParityAlways) {
    serial->openable = {"/dev/gps"};
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->setDevicePath("/dev/gps");
    port->setBaudRate(TBaudRate::br4800); // closed: stored only
    EXPECT_TRUE(serial->opened.empty());
    ASSERT_TRUE(port->Open());
    port->setBaudRate(TBaudRate::br4800); // unchanged: nothing
    EXPECT_EQ(serial->opened.size(), 1u);
    port->setParity(TParity::pNone); // unchanged, yet reopened
    EXPECT_EQ(serial->opened.size(), 2u);
    port->setStopBits(TStopBits::sb2);
    EXPECT_EQ(serial->opened.size(), 3u);
    EXPECT_EQ(serial->settings.back().stopBits, TStopBits::sb2);
    EXPECT_TRUE(port->PortOpen());
}

TEST_F(SeComm32, ClosedPortWarnsWhenCountedOrRead) {
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    EXPECT_EQ(port->CharCount(), 0);
    EXPECT_EQ(port->ReadMessage(), "");
    EXPECT_EQ(dialogs.shown, Boxes(2, {Warning, "Port Not Open -- Operation Aborted"}));
    port->ShowErrors = false;
    EXPECT_EQ(port->ReadMessage(), "");
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(SeComm32, PollsDeliverEveryWholeMessageAndJoinOnesTheyCut) {
    serial->openable = {"/dev/gps"};
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->MsgStart = port->MsgStop = '$';
    port->setDevicePath("/dev/gps");
    ASSERT_TRUE(port->Open());
    device->waiting = "xx$GPRMC,1,2\r\n$PTTKD,3\r\n$GPG";
    port->PollTimerTimer();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(port->ReadMessage(), "$GPRMC,1,2");
    EXPECT_EQ(port->ReadMessage(), "$PTTKD,3");
    EXPECT_EQ(port->ReadMessage(), ""); // "$GPG" is not whole yet
    device->waiting = "GA,4";
    port->PollTimerTimer();
    EXPECT_EQ(events, 1);
    device->waiting = "\r\nno start character";
    port->PollTimerTimer();
    EXPECT_EQ(events, 2);
    EXPECT_EQ(port->ReadMessage(), "$GPGGA,4");
    EXPECT_EQ(serial->purges, 0); // nothing received is thrown away
}

TEST_F(SeComm32, InUseWhileAPollReadsAndNoLonger) {
    // A device that notes, at each read, whether its port says a poll is running.
    struct WatchedDevice : FakeSerialDevice {
        using FakeSerialDevice::FakeSerialDevice;
        std::string read(std::size_t count) override {
            inUseWhileRead.push_back(port->InUse());
            return FakeSerialDevice::read(count);
        }
        const TSeComm32* port = nullptr;
        std::vector<bool> inUseWhileRead;
    };
    serial->openable = {"/dev/gps"};
    auto owned = std::make_unique<WatchedDevice>(serial);
    WatchedDevice* device = owned.get();
    TSeComm32 port(std::move(owned), held, dialogs);
    device->port = &port;
    std::vector<bool> inUseWhenDelivered;
    port.OnDataMessage = [&] { inUseWhenDelivered.push_back(port.InUse()); };
    port.MsgStart = port.MsgStop = '$';
    port.setDevicePath("/dev/gps");
    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(port.InUse());
    device->waiting = "$GPRMC,1\r\n";
    port.PollTimerTimer();
    EXPECT_EQ(device->inUseWhileRead, std::vector<bool>{true});
    EXPECT_EQ(inUseWhenDelivered, std::vector<bool>{false}); // the poll is over
    EXPECT_FALSE(port.InUse());
}

TEST_F(SeComm32, MessageSpreadOverPollsWithDistinctStartAndStop) {
    serial->openable = {"/dev/gps"};
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->setDevicePath("/dev/gps");
    ASSERT_TRUE(port->Open());
    device->waiting = "\x01"
                      "abc";
    port->PollTimerTimer();
    EXPECT_EQ(events, 0);
    device->waiting = "de\x02"
                      "fg";
    port->PollTimerTimer();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(port->ReadMessage(), "\x01"
                                   "abcde\x02");
}

TEST_F(SeComm32, UnfetchedMessagesWaitAndClosingDropsThem) {
    serial->openable = {"/dev/gps"};
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->OnDataMessage = nullptr; // nobody fetches
    port->MsgStart = port->MsgStop = '$';
    port->setDevicePath("/dev/gps");
    ASSERT_TRUE(port->Open());
    device->waiting = "$A,1\n";
    port->PollTimerTimer();
    device->waiting = "$B,2\n$C";
    port->PollTimerTimer();
    EXPECT_EQ(serial->purges, 0);
    EXPECT_EQ(port->ReadMessage(), "$A,1");
    ASSERT_TRUE(port->Open()); // closed first: what came from before is gone
    device->waiting = ",3\n";
    port->PollTimerTimer();
    EXPECT_EQ(port->ReadMessage(), "");
}

TEST_F(SeComm32, EachPortFramesItsOwnStream) {
    serial->openable = {"/dev/a", "/dev/b"};
    FakeSerialDevice* first = nullptr;
    FakeSerialDevice* second = nullptr;
    const auto a = makePort(first);
    const auto b = makePort(second);
    for (TSeComm32* port : {a.get(), b.get()})
        port->MsgStart = port->MsgStop = '$';
    a->setDevicePath("/dev/a");
    b->setDevicePath("/dev/b");
    ASSERT_TRUE(a->Open() && b->Open());
    first->waiting = "$GPRMC,begun on a";
    a->PollTimerTimer();
    second->waiting = "$PTTKD,whole on b\r\n";
    b->PollTimerTimer();
    first->waiting = ",ended on a\r\n";
    a->PollTimerTimer();
    EXPECT_EQ(b->ReadMessage(), "$PTTKD,whole on b");
    EXPECT_EQ(a->ReadMessage(), "$GPRMC,begun on a,ended on a");
}

// Two ports on fake devices named by real files, so that a link leads to its target.
TEST_F(SeComm32, ADeviceTheOtherPortHoldsIsInUseByThatPort) {
    testing::TempDir dir;
    const std::string gps = dir.file("ttyUSB0");
    const std::string link = dir.file("gps");
    std::ofstream(gps).put('\n');
    std::filesystem::create_symlink(gps, link);
    serial->openable = {gps, link};
    FakeSerialDevice* first = nullptr;
    FakeSerialDevice* second = nullptr;
    const auto a = makePort(first);
    const auto b = makePort(second);
    b->setPort(2);
    a->setDevicePath(gps);
    ASSERT_TRUE(a->Open());
    for (const std::string& path : {gps, link}) {
        b->setDevicePath(path);
        EXPECT_FALSE(b->Open());
        EXPECT_EQ(dialogs.details.last().toStdString(), "Device " + path + " is in use by port 1");
    }
    EXPECT_EQ(dialogs.shown, Boxes(2, {AbortRetry, "Error Opening COM2: "}));
    ASSERT_TRUE(a->Open()); // a port reopening its own device
    a->Close();
    EXPECT_TRUE(b->Open());
    a->setDevicePath(link);
    EXPECT_FALSE(a->Open());
    EXPECT_EQ(dialogs.details.last().toStdString(), "Device " + link + " is in use by port 2");
}

// The box the port shows when it cannot open its device, answered by key or by its buttons.
TEST(OpenErrorBox, EscapeAndTheCloseButtonCountAsRetryOnlyAbortGivesUp) {
    const std::vector<std::pair<const char*, std::function<void(QMessageBox&)>>> answers = {
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"close button", [](QMessageBox& box) { box.close(); }},
        {"Retry", [](QMessageBox& box) { box.button(QMessageBox::Retry)->click(); }},
        {"Abort", [](QMessageBox& box) { box.button(QMessageBox::Abort)->click(); }}};
    const std::vector<Dialogs::Answer> expected = {Dialogs::Answer::Retry, Dialogs::Answer::Retry,
                                                   Dialogs::Answer::Retry, Dialogs::Answer::Abort};
    QtDialogs dialogs;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                answers[i].second(*box);
        });
        EXPECT_EQ(dialogs.abortRetry(QStringLiteral("Error Opening COM1: "), QString()),
                  expected[i])
            << answers[i].first;
    }
}

TEST_F(SeComm32, MessageModeRunsThePollTimer) {
    FakeSerialDevice* device = nullptr;
    const auto port = makePort(device);
    port->setMode(TSeComm32::TMode::mMessage);
    EXPECT_TRUE(port->PollTimer->isActive());
    port->setMode(TSeComm32::TMode::mNormal);
    EXPECT_FALSE(port->PollTimer->isActive());
}

} // namespace
} // namespace brisomar
