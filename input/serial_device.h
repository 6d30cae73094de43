#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brisomar {

// Line settings of a serial port, in the order and with the names the port component uses.
enum class TBaudRate : std::uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum class TParity : std::uint8_t { pEven, pMark, pNone, pOdd };
enum class TDataBits : std::uint8_t { db7, db8 };
enum class TStopBits : std::uint8_t { sb1, sb2 };

int bitsPerSecond(TBaudRate rate); // br4800 -> 4800

// A port in message mode is read four times a second.
inline constexpr int serialPollIntervalMs = 250;

// A line setting as the communication window offers it: its items in order and the one a port
// starts with. The kept settings name the same items.
struct LineChoice {
    std::span<const std::string_view> items;
    std::size_t initial;
    std::string_view initialItem() const { return items[initial]; }
};
// AIS receivers and multiplexers send at 38400 baud and above.
inline constexpr std::string_view baudRateItems[] = {"1200",  "2400",  "4800",  "9600",
                                                     "38400", "57600", "115200"};
inline constexpr std::string_view byteSizeItems[] = {"7", "8"};
inline constexpr std::string_view stopBitsItems[] = {"1", "2"};
inline constexpr std::string_view parityItems[] = {"None", "Odd", "Even"};
inline constexpr LineChoice baudRateChoice{baudRateItems, 2};
inline constexpr LineChoice byteSizeChoice{byteSizeItems, 1};
inline constexpr LineChoice stopBitsChoice{stopBitsItems, 0};
inline constexpr LineChoice parityChoice{parityItems, 0};

struct LineSettings {
    TBaudRate baudRate = TBaudRate::br9600;
    TParity parity = TParity::pNone;
    TDataBits dataBits = TDataBits::db8;
    TStopBits stopBits = TStopBits::sb1;
};

// The seam to one serial device: opened with the line settings, no flow control, DTR and RTS
// off; for writing too when the device may be written, since the program sends what the sailor
// chooses (route sentences, the sentences received).
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Opens `path`; on failure gives false and says why in `reason`. Settings the device refuses
    // leave its previous ones in force, the device staying open.
    virtual bool open(const std::string& path, const LineSettings& settings,
                      std::string& reason) = 0;
    virtual void close() = 0;
    // True from a successful open until close, also while a device that failed (unplugged, far
    // side gone) is being opened again.
    virtual bool isOpen() const = 0;
    virtual std::size_t bytesWaiting() = 0; // clears line errors
    virtual std::string read(std::size_t count) = 0;
    virtual void purge() = 0; // discards what is queued in both directions
    // Sends the bytes, or drops them when the device cannot take them now (not there, its queue
    // full): a slow line never holds the program up nor grows its memory. A device that cannot
    // send drops them all.
    virtual void write(std::string_view) {}
};

// The device that stands for COM n unless the sailor chooses another: the environment's
// BRISOMAR_COM<n> when set (pass its value, or null), else the Linux name /dev/ttyS<n-1>.
std::string defaultDevicePath(int port, const char* environmentValue);

// The detail shown with an open failure: the device and the system's reason, with what to do
// when the reason is a missing permission.
std::string openFailureDetail(const std::string& path, const std::string& reason,
                              bool permissionDenied);

// The detail shown when a device is held already: "Device PATH is in use by HOLDER".
std::string inUseDetail(const std::string& path, const std::string& holder);

// A port that did not open at start: its number, its device and why it did not open.
struct WaitingPort {
    int number;
    std::string device;
    std::string reason; // as the open failure's box says it; may be empty
};

// The Comm page's notice of the ports that did not open at start: they are tried again every
// `retrySeconds` while they stay on. Each says why (the first line of its reason), else that its
// device is not open: "COM1: Device /dev/ttyUSB0 is in use by gpsd (process 812). Tried every
// 5 s. ". It leads the page's narrow line, so the reason comes first. Empty when none waits.
std::string portsWaitingNotice(const std::vector<WaitingPort>& ports, int retrySeconds);

// A running process holding a device: its number, its name in the process table, and whether it
// holds the pseudo-terminal's other end too, feeding the line (socat's pair).
struct DeviceHolder {
    int process;
    std::string name;
    bool farEnd = false;
};

// Where the system says who holds a device: the process table and the folders that serial
// programs keep their lock files in ("LCK.." and the device's name, "/" written "_").
struct HolderSources {
    std::filesystem::path proc = "/proc";
    std::vector<std::filesystem::path> lockFolders = {
        "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
        "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
};

// The processes other than `ownProcess` that have the device file `path` leads to open, as far
// as the process table shows (the processes of other users may be hidden from us).
std::vector<DeviceHolder> processesHolding(const std::string& path, int ownProcess,
                                           const HolderSources& sources = {});

// Who holds the device, as inUseDetail names it: the running process its lock file names, else
// the processes holding it ("gpsd (process 812)") other than the one feeding a pseudo-terminal
// from its far end, else "another program".
std::string holderText(const std::string& path, int ownProcess, const HolderSources& sources = {});

// The serial devices the program's ports hold, told apart by the device file each path leads
// to (a symbolic link leads to its target), so that a port asking for a device another port
// holds is told which one. Paths that lead to no file (the simulator, network addresses) are
// never held. Each holder is known by its own address.
class HeldDevices {
public:
    void hold(const void* holder, int port, const std::string& path);
    void release(const void* holder);
    // The port of another holder of the device `path` leads to.
    std::optional<int> portHolding(const std::string& path, const void* asking) const;

private:
    struct Held {
        int port;
        std::filesystem::path file;
    };
    std::map<const void*, Held> held_;
};

} // namespace brisomar
