#pragma once

#include <string>
#include <string_view>

namespace brisomar {

// The message being collected from the serial ports. There is one for the whole program, shared
// by every port: a message begun on one port can be completed by another.
struct SerialMessage {
    std::string PendingMessage;
    bool MessageReady = false;
};

// Adds one read of a port to the pending message. The read is cut at its first NUL. With nothing
// pending, a message starts at the first `msgStart` (a read without one is dropped) and is ready
// at once if the read holds a `msgStop` anywhere; otherwise the read is appended up to and
// including its first `msgStop`, which makes the message ready (the rest of the read is lost).
void collectReceivedText(SerialMessage& message, std::string_view received, char msgStart,
                         char msgStop);

} // namespace brisomar
