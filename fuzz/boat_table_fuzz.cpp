// Any bytes as a speed or leeway table file: what reads must write back and read again the same,
// and looking a value up in it must not fail.
#include "fuzz/fuzz_check.h"
#include "navcalc/boat_tables.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    if (const auto table = decodeBoatTable(Bytes(data, data + size))) {
        const Bytes written = encodeBoatTable(*table);
        const auto reread = decodeBoatTable(written);
        require(reread && encodeBoatTable(*reread) == written);
        for (const long double force : {0.0L, 5.0L, 13.5L, 20.0L})
            for (const long double angle : {0.0L, 35.0L, 95.0L, 180.0L})
                interpolateBoatTable(*table, force, angle);
    }
    return 0;
}
