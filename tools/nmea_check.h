#pragma once

#include "base/file_system.h"
#include "input/reception.h"

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// What `nmea check` is asked: the recording, the line's baud rate, and the sentences and fields
// as the communication window sets them.
struct CheckOptions {
    std::string path;
    int baud = 4800;
    GpsSentenceSettings gps;
    ExtendedSentenceSettings extended;
};

// A wrong word after "nmea check", shown as any wrong usage is.
struct CheckUsageError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// Reads the words after "nmea check"; throws CheckUsageError.
CheckOptions parseCheckOptions(const std::vector<std::string>& words);

// Runs the navigator's own reception over a recording on a simulated clock: its bytes arrive at
// the baud rate (10 bits a byte) from the first byte after the header (the "#" lines at its
// top), the port is read every 250 ms, framed into sentences and delivered, and the 200 ms tick
// checks them. Writes one line per fix and per extended value taken, then the summary.
void checkRecording(std::string_view recording, const CheckOptions& options, std::ostream& out);

// The command: the file named in the options, checked. Throws ToolError naming the file.
void checkFile(FileSystem& files, const CheckOptions& options, std::ostream& out);

} // namespace brisomar::tool
