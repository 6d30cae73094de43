#pragma once

#include <cstdlib>

// A broken promise ends the run, so that the fuzzer keeps the input that broke it.
inline void require(bool promise) {
    if (!promise)
        std::abort();
}
