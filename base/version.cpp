#include "base/version.h"

namespace brisomar {

const char* programVersion() {
    return BRISOMAR_VERSION; // set by the build from the project's version
}

} // namespace brisomar
