#pragma once

#include "base/file_system.h"

#include <string>

namespace brisomar::tool {

// Converts `in` into `out`, the formats told by their extensions: .WAY to and from .gpx and
// .csv, .LOG to .gpx and .csv, .SPE and .LEE to and from .csv, .MAP to and from .json.
// An existing `out` is replaced only with `force`; it is written whole or not at all.
// Throws ToolError, naming the file at fault.
void convertFile(FileSystem& files, const std::string& in, const std::string& out, bool force);

} // namespace brisomar::tool
