// Any bytes as a GPX route to convert: read, or refused with a reason, never an abort; a route
// that reads writes back and reads again the same, and reads the same from bytes cut after a
// tag, as the first bytes of a longer file are.
#include "fuzz/fuzz_check.h"
#include "tools/gpx.h"
#include "tools/tool_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

std::optional<brisomar::WaypointRoute> routeOrNone(std::string_view text, bool cut) {
    try {
        return brisomar::tool::routeFromGpx(text, cut);
    } catch (const brisomar::tool::ToolError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<WaypointRoute> route = routeOrNone(text, false);
    const std::optional<WaypointRoute> fromCut = routeOrNone(text, true);
    if (!route)
        return 0;
    require(tool::routeFromGpx(tool::routeToGpx(*route)).toFile() == route->toFile());
    require(!text.ends_with('>') || (fromCut && fromCut->toFile() == route->toFile()));
    return 0;
}
