// Any bytes as a GPX route to convert: read, or refused with a reason, never an abort; a route
// that reads writes back and reads again the same.
#include "fuzz/fuzz_check.h"
#include "tools/gpx.h"
#include "tools/tool_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    std::optional<WaypointRoute> route;
    try {
        route = tool::routeFromGpx(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tool::ToolError&) {
        return 0;
    }
    require(tool::routeFromGpx(tool::routeToGpx(*route)).toFile() == route->toFile());
    return 0;
}
