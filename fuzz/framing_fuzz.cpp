// Bytes from a serial port: framed into messages, delivered and checked like the navigator does.
#include "input/message_framing.h"
#include "input/reception.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brisomar;
    SerialMessage message;
    Reception reception;
    reception.gps.sentence = "??RMC"; // the any-talker name, which takes the factory one too
    NavState nav;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Split the input into reads at every newline, as successive polls would see them.
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        collectReceivedText(message, bytes.substr(start, end - start + 1), '$', '$');
        if (message.MessageReady) {
            message.MessageReady = false;
            reception.deliver(1, std::exchange(message.PendingMessage, std::string()));
            reception.tick(nav, LocalDateTime{});
        }
        start = end + 1;
    }
    return 0;
}
