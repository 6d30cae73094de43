#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brisomar::tool {

// Comma-separated values: a field holding a comma, a quote or a line break is quoted, quotes
// inside doubled. Rows end with a line feed; reading also takes CR LF.
using CsvRow = std::vector<std::string>;

std::string csvLine(const CsvRow& row);

// The rows of a text (a leading UTF-8 byte order mark and blank lines are skipped), read no
// further than one row beyond `mostRows`, so that a reader of so many rows learns that there are
// more without holding them. Throws ToolError for a quoted field that never ends.
std::vector<CsvRow> parseCsv(std::string_view text, std::size_t mostRows = SIZE_MAX);

} // namespace brisomar::tool
