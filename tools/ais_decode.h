#pragma once

#include "ais/ais_messages.h"
#include "base/file_system.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace brisomar::tool {

// A decoded message as one line of JSON: "type", "mmsi", then each field the message has, in
// the units of GPX and of AIS practice (degrees north and east positive, knots, metres).
std::string aisMessageJson(const AisMessage& message);

// `ais decode`: the AIS sentences of a recording, one a line (anything before the "!" on a line
// is skipped, and so are the lines without one), put together and decoded as the navigator reads
// them. Writes one JSON line per message to `out` and "line N: REASON" to `err` for each line
// that does not decode. Gives the number of such lines.
int decodeAisRecording(std::string_view recording, std::ostream& out, std::ostream& err);

// The command: the file read (text of at most 64 MB) and decoded. Throws ToolError naming the file.
int decodeAisFile(FileSystem& files, const std::string& path, std::ostream& out, std::ostream& err);

} // namespace brisomar::tool
