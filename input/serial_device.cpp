#include "input/serial_device.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace brisomar {

namespace {

namespace fs = std::filesystem;

// The device file a path leads to, or nothing when it leads to none.
std::optional<fs::path> deviceFile(const std::string& path) {
    std::error_code error;
    fs::path file = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    return file;
}

// Whether `found` holds for an entry of `folder`; a folder that cannot be read, or vanishes while
// it is read (a process ending), has no more entries.
template <typename Found> bool anyEntry(const fs::path& folder, Found found) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        if (found(entry->path()))
            return true;
    return false;
}

bool isProcessNumber(const std::string& name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

int bitsPerSecond(TBaudRate rate) {
    static constexpr std::array<int, 15> rates = {110,   300,   600,    1200,   2400,
                                                  4800,  9600,  14400,  19200,  38400,
                                                  56000, 57600, 115200, 128000, 256000};
    return rates[static_cast<std::size_t>(rate)];
}

std::string defaultDevicePath(int port, const char* environmentValue) {
    if (environmentValue && *environmentValue)
        return environmentValue;
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string openFailureDetail(const std::string& path, const std::string& reason,
                              bool permissionDenied) {
    std::string detail = "Device " + path + ": " + reason;
    if (permissionDenied)
        detail += "\nThe serial devices belong to the group \"dialout\": join it with "
                  "\"sudo adduser $USER dialout\", then log out and in again.";
    return detail;
}

std::string inUseDetail(const std::string& path, const std::string& holder) {
    return "Device " + path + " is in use by " + holder;
}

std::string portsWaitingNotice(const std::vector<std::pair<int, std::string>>& ports,
                               int retrySeconds) {
    std::string notice;
    for (const auto& [port, device] : ports)
        notice += "COM" + std::to_string(port) + " not open, tried every " +
                  std::to_string(retrySeconds) + " s: " + device + ". ";
    return notice;
}

bool openedByAnotherProcess(const std::string& path, int ownProcess, const fs::path& proc) {
    const auto file = deviceFile(path);
    if (!file)
        return false;
    const std::string own = std::to_string(ownProcess);
    return anyEntry(proc, [&](const fs::path& process) {
        const std::string name = process.filename().string();
        if (!isProcessNumber(name) || name == own)
            return false;
        return anyEntry(process / "fd", [&](const fs::path& descriptor) {
            std::error_code error;
            return fs::read_symlink(descriptor, error) == *file;
        });
    });
}

void HeldDevices::hold(const void* holder, int port, const std::string& path) {
    release(holder);
    if (auto file = deviceFile(path))
        held_[holder] = {port, std::move(*file)};
}

void HeldDevices::release(const void* holder) {
    held_.erase(holder);
}

std::optional<int> HeldDevices::portHolding(const std::string& path, const void* asking) const {
    const auto file = deviceFile(path);
    if (!file)
        return std::nullopt;
    for (const auto& [holder, held] : held_)
        if (holder != asking && held.file == *file)
            return held.port;
    return std::nullopt;
}

} // namespace brisomar
