#pragma once

#include "base/file_system.h"

#include <iosfwd>
#include <string>

namespace brisomar::tool {

// A readable account of a .MAP, .LOG, .WAY, .SPE or .LEE file on `out`: positions as the
// navigator writes them, numbers in the general format, values out of range and a torn log
// record at the end said as such, control characters of texts escaped. Throws ToolError naming
// the file.
void fileInfo(FileSystem& files, const std::string& path, std::ostream& out);

} // namespace brisomar::tool
