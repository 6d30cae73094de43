#include "charts/chart_printer.h"

#include "base/program_modules.h"

namespace brisomar {

std::unique_ptr<ChartPrinter> loadChartPrinter(const QString& folder, QString& reason) {
    const auto make = reinterpret_cast<ChartPrinterMaker>(
        moduleFunction(folder, printModuleName, chartPrinterMaker, reason));
    return std::unique_ptr<ChartPrinter>(make ? make() : nullptr);
}

} // namespace brisomar
