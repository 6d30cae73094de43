// Bytes from a serial port: framed into messages, delivered and checked like the navigator does.
#include "input/message_framing.h"
#include "input/reception.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    MessageFramer framer;
    Reception reception;
    reception.gps.sentence = "??RMC"; // the any-talker name, which takes the factory one too
    NavState nav;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Successive polls read 1 to 61 bytes each, cutting sentences at places that vary with
    // the input.
    const std::size_t read = 1 + size % 61;
    for (std::size_t start = 0; start < bytes.size(); start += read) {
        framer.take(bytes.substr(start, read), '$', '$');
        while (framer.ready())
            reception.deliver(1, framer.next());
        reception.tick(nav, ClockReading{});
    }
    return 0;
}
