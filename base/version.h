#pragma once

namespace brisomar {

// The version of the navigator and its tool, as the project states it ("2.0").
const char* programVersion();

} // namespace brisomar
