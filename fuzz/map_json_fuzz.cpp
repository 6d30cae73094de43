// Any bytes as a JSON map table to convert: read, or refused with a reason, never an abort; a
// table that reads writes back and reads again the same.
#include "charts/map_file.h"
#include "fuzz/fuzz_check.h"
#include "tools/map_json.h"
#include "tools/tool_files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    Bytes file;
    try {
        file = encodeMapFile(
            tool::mapFromJson(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const tool::ToolError&) {
        return 0;
    }
    require(encodeMapFile(tool::mapFromJson(tool::mapToJson(*decodeMapFile(file)))) == file);
    return 0;
}
