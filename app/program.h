#pragma once

#include "app/nav_state.h"
#include "input/message_framing.h"
#include "input/reception.h"

namespace brisomar {

// Everything the program keeps for its run, created once in main; a test builds a fresh one.
struct Program {
    NavState nav;
    SerialMessage serialMessage; // the one message being collected from the serial ports
    Reception reception;
};

} // namespace brisomar
