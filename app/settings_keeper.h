#pragma once

#include "app/kept_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace brisomar {

// How the navigator is asked to start.
struct StartOptions {
    bool demo = false;    // --demo: the demo chart and boat, with settings of their own
    bool fresh = false;   // --fresh: nothing restored, nothing written until something changes
    bool help = false;    // --help: the usage shown, nothing started
    bool version = false; // --version: the version shown, nothing started
};

// What `brisomar --help` shows.
inline constexpr const char* navigatorUsage =
    R"(Usage: brisomar [--demo] [--fresh]
       brisomar --help | --version

Brisomar Navigator: navigation for small boats on scanned charts.

  --demo     start on the built-in demo chart with a simulated boat; the demo keeps settings
             of its own and never changes yours
  --fresh    restore nothing: start with no chart and no port open
  --help     show this text
  --version  show the version

The settings are kept in $XDG_CONFIG_HOME/brisomar (~/.config/brisomar). The Qt toolkit's own
options (-platform, -style ...) are accepted too. See brisomar(1).
)";
StartOptions startOptions(const std::vector<std::string>& arguments);

// The kept settings live in the folder "brisomar" of the user's configuration folder: the
// settings file and the route beside it; the demo's apart from the sailor's.
inline constexpr const char* settingsFolderName = "brisomar";
std::string settingsFileName(bool demo); // "brisomar.ini", "brisomar-demo.ini"
std::string routeFileName(bool demo);    // "brisomar.WAY", "brisomar-demo.WAY"

// The largest kept file that is read: the navigator's own are a few kilobytes, and a file far
// larger would hold the start up reading it.
inline constexpr std::uintmax_t largestKeptFile = 1 << 20;

// Whether a kept file is read at all: a regular file (a FIFO would hold the start up waiting for a
// writer) of at most largestKeptFile bytes.
bool readableKeptFile(FileSystem& files, const std::string& path);

// The names a kept file that cannot be read is set aside under, tried in turn so that no earlier
// copy is lost: "brisomar.ini.bad", "brisomar.ini.bad.1", "brisomar.ini.bad.2" ...
inline constexpr int mostSetAsideCopies = 1000;
std::string setAsideName(const std::string& path, int copy = 0);

// What became of a kept file that could not be read: `aside` is the name it was given, empty when
// it could not be moved and was left where it was; `notice` says which, once.
struct SetAside {
    std::string aside;
    std::string notice;
};
SetAside setAside(FileSystem& files, const std::string& path);

std::string setAsideNotice(const std::string& path, const std::string& aside);
std::string leftInPlaceNotice(const std::string& path, const std::string& reason);
// Said once when the settings cannot be written; the write is tried again while they differ.
std::string settingsWriteFailure(const std::string& path, const std::string& reason);

// What is to be written: each file whole, or not at all.
struct SettingsWrite {
    std::optional<SettingsValues> values;
    std::optional<Bytes> route;
    bool empty() const { return !values && !route; }
};

// Decides when the kept settings are written: only when they differ from what was last written,
// at first from the settings the navigator started with, so an idle navigator never writes. The
// first write of a run writes both files, so neither is left from an earlier run beside the other.
class SettingsKeeper {
public:
    explicit SettingsKeeper(const KeptSettings& atStart);

    // Compares the values' bytes first, and their texts only when those differ.
    SettingsWrite changes(const KeptSettings& now);

    // The parts of the last changes that reached the disk; a part that failed is offered again.
    void written(const SettingsWrite& done);

private:
    SettingsValues values_;
    std::string print_;    // of settings whose values are values_
    std::string nowPrint_; // of the settings last compared
    Bytes route_;
    bool valuesWritten_ = false, routeWritten_ = false;
};

} // namespace brisomar
