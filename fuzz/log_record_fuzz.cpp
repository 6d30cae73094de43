// Any bytes as logbook records, 288 bytes each: what reads must write back and read again the same.
#include "fuzz/fuzz_check.h"
#include "records/log_record.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    for (std::size_t at = 0; at + logRecordSize <= size; at += logRecordSize) {
        LogRecordBytes record;
        std::copy_n(data + at, logRecordSize, record.begin());
        const LogRecordBytes written = encodeLogRecord(decodeLogRecord(record));
        require(encodeLogRecord(decodeLogRecord(written)) == written);
    }
    return 0;
}
