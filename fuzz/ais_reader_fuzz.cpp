// Bytes from a port carrying AIS: framed, read, put together from fragments, decoded and merged
// into the targets as the navigator does, the clock moving a second a read.
#include "ais/ais_reader.h"
#include "ais/ais_targets.h"
#include "fuzz_check.h"
#include "input/message_framing.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    MessageFramer framer;
    AisReader reader;
    AisTargets targets;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t read = 1 + size % 61;
    std::chrono::milliseconds now{0};
    for (std::size_t start = 0; start < bytes.size(); start += read) {
        framer.take(bytes.substr(start, read), '$', '$');
        while (framer.ready()) {
            const AisReading r = reader.read(framer.next(), now);
            if (!r.message)
                continue;
            const AisMessage& m = *r.message;
            require(!m.lat || (std::fabs(*m.lat) <= 90 && std::fabs(*m.lon) <= 180));
            require(!m.course || (*m.course >= 0 && *m.course < 360));
            targets.take(m, r.own, now);
        }
        targets.update(Motion{{Real48(57.0L), Real48(-11.0L)}, 45, 6}, {}, now);
        require(targets.size() <= AisTargets::maxTargets);
        now += std::chrono::seconds(1);
    }
    return 0;
}
