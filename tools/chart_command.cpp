#include "tools/chart_command.h"

#include "tools/tool_files.h"

#include <iomanip>

namespace brisomar::tool {

void importChartsCommand(FileSystem& files, RasterLibrary& library,
                         const ChartImportRequest& request, std::ostream& out) {
    const ChartImportResult result = importCharts(files, library, request, {});
    if (!result.imported())
        throw ToolError(result.refusal);
    for (const ImportedTile& tile : result.tiles)
        out << "record " << tile.record << '\t' << tile.bitmap << '\t' << tile.rect.width << " x "
            << tile.rect.height << "\terror " << std::fixed << std::setprecision(2)
            << tile.error.pixels << " px " << std::setprecision(1) << tile.error.metres << " m\n"
            << std::defaultfloat;
    out << "map file\t" << request.mapFile << '\t' << result.tiles.size() << " records filled\n";
}

} // namespace brisomar::tool
