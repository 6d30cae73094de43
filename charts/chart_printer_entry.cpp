// The print module: chart printing and the print library it needs, loaded the first time the
// chart window prints or sets up its printer.
#include "charts/qt_chart_printer.h"

extern "C" Q_DECL_EXPORT brisomar::ChartPrinter* brisomar_make_chart_printer() {
    return new brisomar::QtChartPrinter();
}
