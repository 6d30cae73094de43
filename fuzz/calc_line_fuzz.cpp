// Lines for brisomar-tool calc, several to a session as it reads them.
#include "tools/calc.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    brisomar::tool::CalcSession session;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        session.line(text.substr(start, end - start));
        start = end + 1;
    }
    return 0;
}
