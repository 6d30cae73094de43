// Any bytes as each of the program's data files: decoded, encoded again, decoded again.
#include "charts/map_file.h"
#include "navcalc/boat_tables.h"
#include "records/log_record.h"
#include "records/waypoint_route.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    const Bytes bytes(data, data + size);
    if (const auto table = decodeMapFile(bytes))
        decodeMapFile(encodeMapFile(*table));
    if (const auto boat = decodeBoatTable(bytes))
        decodeBoatTable(encodeBoatTable(*boat));
    if (bytes.size() >= waypointFileSize) {
        const WaypointRoute route = WaypointRoute::fromFile(bytes);
        route.countedRoute();
        WaypointRoute::fromFile(route.toFile());
    }
    if (bytes.size() >= logRecordSize) {
        LogRecordBytes record;
        std::copy_n(bytes.begin(), logRecordSize, record.begin());
        decodeLogRecord(encodeLogRecord(decodeLogRecord(record)));
    }
    return 0;
}
