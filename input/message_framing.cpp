#include "input/message_framing.h"

namespace brisomar {

void collectReceivedText(SerialMessage& message, std::string_view received, char msgStart,
                         char msgStop) {
    const auto nul = received.find('\0');
    if (nul != std::string_view::npos)
        received = received.substr(0, nul);
    if (message.PendingMessage.empty()) {
        const auto start = received.find(msgStart);
        if (start == std::string_view::npos)
            return;
        message.PendingMessage.assign(received.substr(start));
        if (received.find(msgStop) != std::string_view::npos)
            message.MessageReady = true;
        return;
    }
    const auto stop = received.find(msgStop);
    if (stop == std::string_view::npos) {
        message.PendingMessage.append(received);
        return;
    }
    message.PendingMessage.append(received.substr(0, stop + 1));
    message.MessageReady = true;
}

} // namespace brisomar
