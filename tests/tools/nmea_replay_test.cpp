#include "tools/nmea_replay.h"

#include "input/nmea_simulator.h"
#include "input/reception.h"
#include "temp_dir.h"
#include "tool_fixtures.h"
#include "tools/tool_files.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

namespace brisomar::tool {
namespace {

using namespace std::chrono_literals;

const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
const std::string depth = "$PTTKD,12.5,M";

// A clock that moves on at once to every moment the tool waits for, noting each (from its start)
// and letting the test act while the tool waits.
class FakePaceClock : public PaceClock {
public:
    TimePoint now() const override { return time_; }
    void sleepUntil(TimePoint moment) override {
        wakeUps.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(moment - start_));
        time_ = std::max(time_, moment);
        if (whileWaiting)
            whileWaiting();
    }

    std::vector<std::chrono::milliseconds> wakeUps;
    std::function<void()> whileWaiting;

private:
    const TimePoint start_ = TimePoint(std::chrono::hours(1));
    TimePoint time_ = start_;
};

using Moments = std::vector<std::chrono::milliseconds>;

// A file descriptor of the test's own, closed at the end.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads until `count` bytes came or nothing more comes for a fifth of a second.
std::string readUpTo(int fd, std::size_t count) {
    std::string text;
    char buffer[512];
    pollfd ready{fd, POLLIN, 0};
    while (text.size() < count && poll(&ready, 1, 200) > 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// The received text sentence by sentence through the navigator's own reception.
NavState received(const std::string& text) {
    NavState nav;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        Reception reception;
        reception.deliver(1, line);
        reception.tick(nav, ClockReading{});
    }
    return nav;
}

// The pseudo-terminal the tool announced as "pty: PATH".
std::string announcedPath(const std::ostringstream& out) {
    const std::string text = out.str();
    if (!text.starts_with("pty: /dev/pts/") || !text.ends_with("\n"))
        return {};
    return text.substr(5, text.size() - 6);
}

Fd openSlave(const NmeaOutput& pty) {
    return Fd(::open(pty.slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK));
}

TEST(NmeaReplay, SendsEachLineEndedWithCrLfToTheNavigatorsReception) {
    const NmeaOutput pty = NmeaOutput::pseudoTerminal();
    const Fd reader = openSlave(pty);
    ASSERT_GE(reader.get(), 0);
    FakePaceClock clock;
    replayLines(pty.fd(), rmc + "\n\n" + depth + "\r\n", 0, clock);
    EXPECT_EQ(clock.wakeUps, Moments{}); // sent at once
    const std::string expected = rmc + "\r\n" + depth + "\r\n";
    const std::string text = readUpTo(reader.get(), expected.size());
    EXPECT_EQ(text, expected);

    const NavState nav = received(text);
    EXPECT_EQ(nav.GpsLat, Real48(48 + 7.038L / 60));
    EXPECT_EQ(nav.GpsLon, Real48(-(11 + 31 / 60.0L)));
    EXPECT_EQ(nav.ExtendedValue, Real48(12.5L));
}

TEST(NmeaReplay, PacesTheLinesAtTheBaudRate) {
    const NmeaOutput pty = NmeaOutput::pseudoTerminal();
    const Fd reader = openSlave(pty);
    const std::string line(48, 'x'); // 50 bytes with CR LF: 500 bits
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += line + "\n";
    FakePaceClock clock;
    replayLines(pty.fd(), text, 10000, clock); // a line every 500 bits: 0.05 s
    EXPECT_EQ(clock.wakeUps, (Moments{0ms, 50ms, 100ms, 150ms, 200ms, 250ms}));
    EXPECT_EQ(readUpTo(reader.get(), 300).size(), 300u);
}

TEST(NmeaReplay, TellsWhenAProgramOpenedThePseudoTerminal) {
    const NmeaOutput pty = NmeaOutput::pseudoTerminal();
    EXPECT_TRUE(pty.slavePath().starts_with("/dev/pts/"));
    FakePaceClock clock;
    EXPECT_FALSE(pty.waitForReader(50ms, clock));
    EXPECT_EQ(clock.wakeUps, (Moments{20ms, 40ms, 60ms})); // a look every 20 ms past the wait
    const Fd reader = openSlave(pty);
    EXPECT_TRUE(pty.waitForReader(0ms, clock));
    EXPECT_EQ(clock.wakeUps.size(), 3u);
}

// The navigator opens the announced pseudo-terminal while the tool waits for it.
TEST(NmeaReplay, AnnouncesThePseudoTerminalAndSendsASecondAfterAProgramOpenedIt) {
    const testing::TempDir dir;
    testing::writeFile(dir.file("trip.nmea"), rmc + "\n" + depth + "\n");
    StdFileSystem files;
    std::ostringstream out;
    FakePaceClock clock;
    const std::string sent = rmc + "\r\n" + depth + "\r\n";
    std::optional<Fd> navigator;
    std::string received;
    clock.whileWaiting = [&] {
        if (clock.wakeUps.size() == 3)
            navigator.emplace(::open(announcedPath(out).c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK));
        if (clock.wakeUps.size() == 5) // settling before the end
            received = readUpTo(navigator->get(), sent.size());
    };
    replayFile(files, dir.file("trip.nmea"), {"", 4800}, true, out, clock);
    // Three looks for a program, a second for it to set up, a second for the last bytes.
    EXPECT_EQ(clock.wakeUps, (Moments{20ms, 40ms, 60ms, 1060ms, 2060ms}));
    EXPECT_EQ(received, sent);
}

TEST(NmeaReplay, GivesUpWhenNoProgramOpensThePseudoTerminalWithin30Seconds) {
    const testing::TempDir dir;
    testing::writeFile(dir.file("trip.nmea"), rmc + "\n");
    StdFileSystem files;
    std::ostringstream out;
    FakePaceClock clock;
    try {
        replayFile(files, dir.file("trip.nmea"), {"", 4800}, false, out, clock);
        ADD_FAILURE() << "replayed without a reader";
    } catch (const ToolError& e) {
        EXPECT_EQ(e.what(), announcedPath(out) + ": no program opened it within 30 seconds");
    }
    ASSERT_FALSE(clock.wakeUps.empty());
    EXPECT_EQ(clock.wakeUps.back(), 30s);
}

TEST(NmeaReplay, ReplaysAFileOntoASerialDevice) {
    // The pseudo-terminal's slave stands for the serial device; the test reads the master.
    const NmeaOutput pty = NmeaOutput::pseudoTerminal();
    const testing::TempDir dir;
    testing::writeFile(dir.file("trip.nmea"), rmc + "\r\n" + depth + "\r\n");
    StdFileSystem files;
    std::ostringstream out;
    FakePaceClock clock;
    replayFile(files, dir.file("trip.nmea"), {pty.slavePath(), 115200}, false, out, clock);
    EXPECT_EQ(readUpTo(pty.fd(), 200), rmc + "\r\n" + depth + "\r\n");
    EXPECT_EQ(out.str(), "");
}

TEST(NmeaReplay, SaysWhyADeviceCannotBeUsed) {
    const auto reason = [](const std::string& path, int baud) {
        try {
            NmeaOutput::serialDevice(path, baud);
        } catch (const ToolError& e) {
            return std::string(e.what());
        }
        return std::string("opened");
    };
    EXPECT_EQ(reason("/dev/null", 1234), "no serial line runs at 1234 baud");
    EXPECT_EQ(reason("/nonexistent/tty", 4800), "cannot open: No such file or directory");
    EXPECT_TRUE(reason("/dev/null", 4800).starts_with("not a serial device: "));
}

TEST(NmeaSim, SendsTheSimulatedFixAndDepthHalfASecondApart) {
    const NmeaOutput pty = NmeaOutput::pseudoTerminal();
    const Fd reader = openSlave(pty);
    FakePaceClock clock;
    simulateSentences(pty.fd(), 1, clock);
    EXPECT_EQ(clock.wakeUps, (Moments{0ms, 500ms}));
    const std::string text = readUpTo(reader.get(), 1000);
    EXPECT_TRUE(text.starts_with("$GPRMC,")) << text;
    EXPECT_NE(text.find("\r\n$PTTKD,"), std::string::npos) << text;

    const NavState nav = received(text);
    const NmeaSimulator::Point start0 = NmeaSimulator().positionAt(0);
    EXPECT_NEAR(nav.GpsLat.value(), start0.lat, 0.0001L);
    EXPECT_NEAR(nav.GpsLon.value(), start0.lon, 0.0001L);
    EXPECT_GT(nav.ExtendedValue.value(), 0);
}

} // namespace
} // namespace brisomar::tool
