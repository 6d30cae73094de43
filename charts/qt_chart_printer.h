#pragma once

#include "charts/chart_printer.h"

#include <QPrinter>

#include <memory>

namespace brisomar {

// Printing through Qt's print system.
class QtChartPrinter : public ChartPrinter {
public:
    void setup(QWidget* parent) override;
    bool print(const QImage& image, QString& reason) override;

    QPrinter& printer() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_ = std::make_unique<QPrinter>();
};

} // namespace brisomar
