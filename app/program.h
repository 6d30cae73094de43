#pragma once

#include "app/nav_state.h"

namespace brisomar {

// Everything the program keeps for its run, created once in main; a test builds a fresh one.
struct Program {
    NavState nav;
};

} // namespace brisomar
