#pragma once

#include "app/file_system.h"

#include <string>

namespace brisomar::tool {

// A readable account of a .MAP, .LOG, .WAY, .SPE or .LEE file: positions as the navigator
// writes them, numbers in the general format. Throws ToolError naming the file.
std::string fileInfo(FileSystem& files, const std::string& path);

} // namespace brisomar::tool
