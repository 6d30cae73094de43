#pragma once

#include "base/file_system.h"

#include <chrono>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace brisomar::tool {

// Where NMEA sentences go: a serial device at a baud rate, or a new pseudo-terminal.
struct NmeaTarget {
    std::string device; // empty: a new pseudo-terminal
    int baud = 4800;
};

// The time the sending is paced by: the machine's steady clock, or a test's that moves on at
// once when waited on.
class PaceClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~PaceClock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleepUntil(TimePoint moment) = 0;
};

class SteadyPaceClock : public PaceClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint moment) override;
};

// An open output for sentences (a serial device, or the master side of a pseudo-terminal whose
// slave the navigator opens), closed at the end. Throws ToolError with the system's reason.
class NmeaOutput {
public:
    // Raw (8 data bits, no parity, no flow control, modem lines ignored) at `baud`.
    static NmeaOutput serialDevice(const std::string& path, int baud);
    // A new pseudo-terminal, its slave side raw.
    static NmeaOutput pseudoTerminal();

    NmeaOutput(NmeaOutput&& other) noexcept;
    NmeaOutput& operator=(NmeaOutput&&) = delete;
    ~NmeaOutput();

    int fd() const { return fd_; }
    const std::string& slavePath() const { return slavePath_; } // empty for a serial device

    // Whether some program has the pseudo-terminal's slave open, waiting up to `timeout`.
    bool waitForReader(std::chrono::milliseconds timeout, PaceClock& clock) const;
    // Lets the last bytes reach the reader before the output closes.
    void finish(PaceClock& clock) const;

private:
    NmeaOutput(int fd, std::string slavePath) : fd_(fd), slavePath_(std::move(slavePath)) {}

    int fd_;
    std::string slavePath_;
};

// Sends each line of `text` as it stands (checksums neither checked nor added), ended with
// CR LF; blank lines are skipped. Paced at `baud` bits a second, 10 bits a byte; 0 sends at once.
void replayLines(int fd, std::string_view text, int baud, PaceClock& clock);

// The navigator's simulated boat in real time: a fix every second and a depth half a second
// later, for `seconds` (negative: until the program is interrupted).
void simulateSentences(int fd, int seconds, PaceClock& clock);

// The commands: the pseudo-terminal's slave is announced as "pty: /dev/pts/N" on `out`, then
// sending starts a second after a program opened it (which must happen within 30 seconds).
void replayFile(FileSystem& files, const std::string& path, const NmeaTarget& target, bool fast,
                std::ostream& out, PaceClock& clock);
void runSimulator(const NmeaTarget& target, int seconds, std::ostream& out, PaceClock& clock);

} // namespace brisomar::tool
