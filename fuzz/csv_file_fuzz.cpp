// Any bytes as a CSV route or boat table to convert: read, or refused with a reason, never an
// abort; what reads writes back and reads again the same.
#include "fuzz/fuzz_check.h"
#include "tools/csv_formats.h"
#include "tools/tool_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// What `read` makes of the text, or nothing when it refuses it.
template <typename Read> auto readOrRefuse(Read read, std::string_view text) {
    using Value = decltype(read(text));
    try {
        return std::optional<Value>(read(text));
    } catch (const brisomar::tool::ToolError&) {
        return std::optional<Value>();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto route = readOrRefuse(tool::routeFromCsv, text))
        require(tool::routeFromCsv(tool::routeToCsv(*route)).toFile() == route->toFile());
    if (const auto table = readOrRefuse(tool::tableFromCsv, text))
        require(encodeBoatTable(tool::tableFromCsv(tool::tableToCsv(*table))) ==
                encodeBoatTable(*table));
    return 0;
}
