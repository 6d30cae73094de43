#pragma once

#include "base/file_system.h"
#include "charts/chart_import.h"

#include <ostream>

namespace brisomar::tool {

// `chart import`: imports the charts and writes a line for each tile, its record, bitmap, size
// and the largest error of its calibration; throws ToolError with the refusal.
void importChartsCommand(FileSystem& files, RasterLibrary& library,
                         const ChartImportRequest& request, std::ostream& out);

} // namespace brisomar::tool
