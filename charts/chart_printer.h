#pragma once

#include <QImage>
#include <QString>

#include <memory>

class QWidget;

namespace brisomar {

// The printer the chart window prints its client image on.
class ChartPrinter {
public:
    virtual ~ChartPrinter() = default;
    // "Print setup": the platform's print dialog; its choice holds for the following prints.
    virtual void setup(QWidget* parent) = 0;
    // Prints `image` scaled to fit the page; false, with the reason, when nothing could be printed.
    virtual bool print(const QImage& image, QString& reason) = 0;
};

// The print module's entry: makes a chart printer the caller owns.
inline constexpr const char* chartPrinterMaker = "brisomar_make_chart_printer";
using ChartPrinterMaker = ChartPrinter* (*)();

// A chart printer from the module in `folder`; null, with the reason, when the module cannot be
// loaded.
std::unique_ptr<ChartPrinter> loadChartPrinter(const QString& folder, QString& reason);

} // namespace brisomar
