// Any bytes as a map file: what reads must write back and read again the same.
#include "charts/map_file.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    if (const auto table = decodeMapFile(Bytes(data, data + size))) {
        const Bytes written = encodeMapFile(*table);
        const auto reread = decodeMapFile(written);
        require(reread && encodeMapFile(*reread) == written);
    }
    return 0;
}
