#pragma once

#include "charts/chart_printer.h"

#include <QPrinter>

namespace brisomar {

// Printing through Qt's print system.
class QtChartPrinter : public ChartPrinter {
public:
    void setup(QWidget* parent) override;
    bool print(const QImage& image, QString& reason) override;

    QPrinter& printer() { return printer_; }

private:
    QPrinter printer_;
};

} // namespace brisomar
