#include "input/serial_device.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
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

// The entries of a folder; one that cannot be read, or vanishes while it is read (a process
// ending), has no more entries.
std::vector<fs::path> entriesOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        entries.push_back(entry->path());
    return entries;
}

std::optional<int> processNumber(const std::string& name) {
    if (name.empty() || name.size() > 9 ||
        !std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::stoi(name);
}

// The first line of a small file, without its line end, read no further than a lock file or a
// process name reaches; empty when it cannot be read.
std::string firstLine(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text(64, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text.substr(0, text.find('\n'));
}

std::string processName(const fs::path& process) {
    const std::string name = firstLine(process / "comm");
    return name.empty() ? "a program" : name;
}

// Whether a descriptor is the master of the pseudo-terminal whose slave is `device` (pts/N): the
// other end of its line, as socat holds it. The system tells the terminal's number beside it.
bool isMasterOf(const fs::path& descriptor, const fs::path& device) {
    std::error_code error;
    if (device.parent_path().filename() != "pts" ||
        fs::read_symlink(descriptor, error).filename() != "ptmx" || error)
        return false;
    std::ifstream info(descriptor.parent_path().parent_path() / "fdinfo" / descriptor.filename());
    const std::string index = "tty-index:\t" + device.filename().string();
    for (std::string line; std::getline(info, line);)
        if (line == index)
            return true;
    return false;
}

// The names a lock file of the device may carry: the one of the path the sailor chose and the
// one of the device it leads to, each as its name under /dev, "/" written "_".
std::vector<std::string> lockFileNames(const std::string& path) {
    std::vector<std::string> names;
    const auto add = [&names](std::string name) {
        if (name.starts_with("/dev/"))
            name.erase(0, 5);
        std::replace(name.begin(), name.end(), '/', '_');
        name = "LCK.." + name;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    add(path);
    if (const auto file = deviceFile(path))
        add(file->string());
    return names;
}

// The running process a lock file of the device names. Lock files hold the process number in
// text, after blanks in the old style ("      812"); one that names no running process is stale.
std::optional<DeviceHolder> lockHolder(const std::string& path, const HolderSources& sources) {
    for (const fs::path& folder : sources.lockFolders)
        for (const std::string& name : lockFileNames(path)) {
            std::string line = firstLine(folder / name);
            line.erase(0, line.find_first_not_of(' '));
            const auto number = processNumber(line);
            if (!number)
                continue;
            const fs::path process = sources.proc / line;
            std::error_code error;
            if (fs::is_directory(process, error))
                return DeviceHolder{*number, processName(process)};
        }
    return std::nullopt;
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

std::string portsWaitingNotice(const std::vector<WaitingPort>& ports, int retrySeconds) {
    std::string notice;
    for (const WaitingPort& port : ports) {
        const std::string reason = port.reason.substr(0, port.reason.find('\n'));
        notice += "COM" + std::to_string(port.number) + ": " +
                  (reason.empty() ? port.device + " not open" : reason) + ". Tried every " +
                  std::to_string(retrySeconds) + " s. ";
    }
    return notice;
}

std::vector<DeviceHolder> processesHolding(const std::string& path, int ownProcess,
                                           const HolderSources& sources) {
    std::vector<DeviceHolder> holders;
    const auto file = deviceFile(path);
    if (!file)
        return holders;
    for (const fs::path& process : entriesOf(sources.proc)) {
        const auto number = processNumber(process.filename().string());
        if (!number || *number == ownProcess)
            continue;
        const auto descriptors = entriesOf(process / "fd");
        const auto leadsTo = [&](const fs::path& descriptor) {
            std::error_code error;
            return fs::read_symlink(descriptor, error) == *file;
        };
        if (std::any_of(descriptors.begin(), descriptors.end(), leadsTo))
            holders.push_back(
                {*number, processName(process),
                 std::any_of(descriptors.begin(), descriptors.end(),
                             [&](const fs::path& d) { return isMasterOf(d, *file); })});
    }
    std::sort(holders.begin(), holders.end(),
              [](const DeviceHolder& a, const DeviceHolder& b) { return a.process < b.process; });
    return holders;
}

std::string holderText(const std::string& path, int ownProcess, const HolderSources& sources) {
    std::vector<DeviceHolder> holders;
    if (auto locker = lockHolder(path, sources))
        holders.push_back(std::move(*locker));
    else
        holders = processesHolding(path, ownProcess, sources);
    if (holders.empty())
        return "another program";
    // The far end feeds the line; whoever else has it open is the competitor.
    const bool othersThanFarEnds = std::any_of(holders.begin(), holders.end(),
                                               [](const DeviceHolder& h) { return !h.farEnd; });
    std::string text;
    for (const DeviceHolder& holder : holders)
        if (!holder.farEnd || !othersThanFarEnds)
            text += (text.empty() ? "" : ", ") + holder.name + " (process " +
                    std::to_string(holder.process) + ")";
    return text;
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
