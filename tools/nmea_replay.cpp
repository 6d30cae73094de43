#include "tools/nmea_replay.h"

#include "input/nmea_simulator.h"
#include "tools/local_time.h"
#include "tools/tool_files.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <ostream>
#include <thread>

namespace brisomar::tool {

namespace {

using namespace std::chrono_literals;

constexpr auto readerWait = 30s;
constexpr auto readerLookInterval = 20ms;
constexpr auto ptySettle = 1s; // for the reader to set its port up, and to read the last bytes
constexpr int bitsPerByte = 10;

[[noreturn]] void systemFailure(const std::string& doing) {
    throw ToolError(doing + ": " + std::strerror(errno));
}

speed_t speedOf(int baud) {
    static const std::map<int, speed_t> speeds = {
        {300, B300},     {600, B600},       {1200, B1200},    {2400, B2400},
        {4800, B4800},   {9600, B9600},     {19200, B19200},  {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}};
    const auto found = speeds.find(baud);
    if (found == speeds.end())
        throw ToolError("no serial line runs at " + std::to_string(baud) + " baud");
    return found->second;
}

void makeRaw(int fd, speed_t speed) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        systemFailure("not a serial device");
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    if (tcsetattr(fd, TCSANOW, &settings) != 0)
        systemFailure("cannot set the line");
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            systemFailure("cannot send");
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
}

// Opens where the sentences go; a pseudo-terminal is announced and waits for its reader.
NmeaOutput openTarget(const NmeaTarget& target, std::ostream& out, PaceClock& clock) {
    if (!target.device.empty())
        return aboutFile(target.device,
                         [&] { return NmeaOutput::serialDevice(target.device, target.baud); });
    NmeaOutput output = NmeaOutput::pseudoTerminal();
    out << "pty: " << output.slavePath() << std::endl;
    if (!output.waitForReader(readerWait, clock))
        throw ToolError(output.slavePath() + ": no program opened it within 30 seconds");
    clock.sleepUntil(clock.now() + ptySettle);
    return output;
}

// When the byte `sent` starts at `baud` bits a second, 10 bits a byte (to the microsecond).
std::chrono::microseconds byteStart(std::size_t sent, int baud) {
    return std::chrono::microseconds(static_cast<long long>(sent) * bitsPerByte * 1'000'000 / baud);
}

} // namespace

void SteadyPaceClock::sleepUntil(TimePoint moment) {
    std::this_thread::sleep_until(moment);
}

NmeaOutput NmeaOutput::serialDevice(const std::string& path, int baud) {
    const speed_t speed = speedOf(baud);
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        systemFailure("cannot open");
    NmeaOutput output(fd, "");
    makeRaw(fd, speed);
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        systemFailure("cannot set the line");
    return output;
}

NmeaOutput NmeaOutput::pseudoTerminal() {
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        systemFailure("cannot make a pseudo-terminal");
    NmeaOutput output(master, name);
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings); // kept while the master is open
    ::close(slave);
    return output;
}

NmeaOutput::NmeaOutput(NmeaOutput&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), slavePath_(std::move(other.slavePath_)) {}

NmeaOutput::~NmeaOutput() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool NmeaOutput::waitForReader(std::chrono::milliseconds timeout, PaceClock& clock) const {
    const auto deadline = clock.now() + timeout;
    for (;;) {
        // The master side hangs up while no program has the slave side open.
        pollfd hangup{fd_, 0, 0};
        if (poll(&hangup, 1, 0) >= 0 && (hangup.revents & POLLHUP) == 0)
            return true;
        if (clock.now() >= deadline)
            return false;
        clock.sleepUntil(clock.now() + readerLookInterval);
    }
}

void NmeaOutput::finish(PaceClock& clock) const {
    if (slavePath_.empty())
        tcdrain(fd_);
    else
        clock.sleepUntil(clock.now() + ptySettle);
}

void replayLines(int fd, std::string_view text, int baud, PaceClock& clock) {
    const auto start = clock.now();
    std::size_t sent = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (baud > 0)
            clock.sleepUntil(start + byteStart(sent, baud));
        const std::string bytes = std::string(line) + "\r\n";
        writeAll(fd, bytes);
        sent += bytes.size();
    }
}

void simulateSentences(int fd, int seconds, PaceClock& clock) {
    const NmeaSimulator simulator;
    const auto start = clock.now();
    for (long long slot = 0; seconds < 0 || slot < 2LL * seconds; ++slot) {
        clock.sleepUntil(start + slot * 500ms);
        writeAll(fd, simulator.sentenceFor(slot, localNow()));
    }
}

void replayFile(FileSystem& files, const std::string& path, const NmeaTarget& target, bool fast,
                std::ostream& out, PaceClock& clock) {
    const std::string text = aboutFile(path, [&] { return textOf(readDataFile(files, path)); });
    const NmeaOutput output = openTarget(target, out, clock);
    replayLines(output.fd(), text, fast ? 0 : target.baud, clock);
    output.finish(clock);
}

void runSimulator(const NmeaTarget& target, int seconds, std::ostream& out, PaceClock& clock) {
    const NmeaOutput output = openTarget(target, out, clock);
    simulateSentences(output.fd(), seconds, clock);
    output.finish(clock);
}

} // namespace brisomar::tool
