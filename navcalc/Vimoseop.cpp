#include "navcalc/Vimoseop.h"

#include "base/help.h"
#include "base/number_text.h"
#include "base/qt_text.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeySequence>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int columnCount = 4;
constexpr int rowCount = 5;
constexpr int columnWidth = 90;
constexpr int rowHeight = 24;
constexpr int initialWidth = 373;
constexpr int initialHeight = 154;

const char* const columnHeadings[] = {"Minutes", "NM", "Dir"};
const char* const rowHeadings[] = {"Distance 1", "Distance 2", "Total", "Origin"};

bool isHeading(int row, int column) {
    return row == 0 || column == 0;
}

} // namespace

TVimoSeekOptDlg::TVimoSeekOptDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Brisomar-search optimal cruise-point"));
    setHelpContext(context_.help, helpContext);
    resize(initialWidth, initialHeight);
}

void TVimoSeekOptDlg::buildControls() {
    buildGrid();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
}

// The headings are ordinary cells drawn in the button colour, as in a grid with fixed cells.
void TVimoSeekOptDlg::buildGrid() {
    StringGrid1 = new QTableWidget(rowCount, columnCount, this);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultSectionSize(columnWidth);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowHeight);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QBrush headingBrush = palette().brush(QPalette::Button);
    for (int row = 0; row < rowCount; ++row)
        for (int column = 0; column < columnCount; ++column) {
            auto* cell = new QTableWidgetItem;
            if (isHeading(row, column)) {
                cell->setFlags(Qt::ItemIsEnabled);
                cell->setBackground(headingBrush);
            }
            StringGrid1->setItem(row, column, cell);
        }
}

void TVimoSeekOptDlg::setCell(int column, int row, const QString& text) {
    StringGrid1->item(row, column)->setText(text);
}

void TVimoSeekOptDlg::FormActivate() {
    for (int column = 1; column < columnCount; ++column)
        setCell(column, 0, QString::fromLatin1(columnHeadings[column - 1]));
    for (int row = 1; row < rowCount; ++row)
        setCell(0, row, QString::fromLatin1(rowHeadings[row - 1]));
}

void TVimoSeekOptDlg::SeekOptShowLeg(int row, const LegFigures& leg) {
    if (!isVisible())
        return;
    const auto cells = legCells(leg, systemDecimalSeparator());
    for (int column = 1; column < columnCount; ++column)
        setCell(column, row, toQString(cells[column - 1]));
}

void TVimoSeekOptDlg::SeekOptShowTotal(Real48 minutes) {
    if (isVisible())
        setCell(1, rowTotal, toQString(FormatFloat("0.0", minutes, systemDecimalSeparator())));
}

void TVimoSeekOptDlg::showCruisePoint(const CruisePointFigures& figures) {
    SeekOptShowLeg(rowLeg1, figures.leg1);
    SeekOptShowLeg(rowLeg2, figures.leg2);
    SeekOptShowTotal(figures.total);
    SeekOptShowLeg(rowOrigin, figures.origin);
}

} // namespace brisomar
