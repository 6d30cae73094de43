// Any bytes as a route file: what reads must write back and read again the same.
#include "fuzz/fuzz_check.h"
#include "records/waypoint_route.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    if (size < waypointFileSize)
        return 0;
    const WaypointRoute route = WaypointRoute::fromFile(Bytes(data, data + size));
    const int counted = route.countedRoute();
    const Bytes written = route.toFile();
    const WaypointRoute reread = WaypointRoute::fromFile(written);
    require(reread.toFile() == written && reread.countedRoute() == counted);
    return 0;
}
