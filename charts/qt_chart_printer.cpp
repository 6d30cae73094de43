#include "charts/qt_chart_printer.h"

#include <QPainter>
#include <QPrintDialog>

namespace brisomar {

void QtChartPrinter::setup(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    dialog.exec();
}

bool QtChartPrinter::print(const QImage& image, QString& reason) {
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        // A printer that could not begin stays busy and ignores every later setup: start afresh.
        printer_ = std::make_unique<QPrinter>();
        reason = QStringLiteral("choose a printer (or a PDF file) in Print setup.");
        return false;
    }
    const QRect page = painter.viewport();
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), fitted.width(), fitted.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
    return true;
}

} // namespace brisomar
