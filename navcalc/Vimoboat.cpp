#include "navcalc/Vimoboat.h"

#include "base/dialogs.h"
#include "base/help.h"
#include "base/qt_files.h"
#include "base/qt_text.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brisomar {

namespace {

const TVimoBoatSheet::FileKind speedFiles{
    QStringLiteral("Load speed data"), QStringLiteral("Save speed data"),
    QStringLiteral("Speed files (*.spe *.SPE)"), QStringLiteral("spe"), ".SPE"};
const TVimoBoatSheet::FileKind leewayFiles{
    QStringLiteral("Load leeway data"), QStringLiteral("Save leeway data"),
    QStringLiteral("Leeway files (*.lee *.LEE)"), QStringLiteral("lee"), ".LEE"};

const QPoint menuOffset(10, 40);
constexpr int cellWidth = 72;
constexpr int cellHeight = 24;
constexpr int visibleRows = 5; // the rest scrolls
const Real48 lowestCell(0.0L);
const Real48 highestCell(90.0L);

// A heading cell: shown like the grid's frame and never edited.
QTableWidgetItem* headingItem(const std::string& text, const QPalette& palette) {
    auto* item = new QTableWidgetItem(toQString(text));
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(palette.button());
    return item;
}

void writeHeadings(QTableWidget* grid) {
    const QPalette palette = grid->palette();
    grid->setItem(0, 0, headingItem(cornerHeading, palette));
    for (int force = 1; force <= tableForces; ++force)
        grid->setItem(0, force, headingItem(forceHeading(force), palette));
    for (int angle = 1; angle <= tableAngles; ++angle)
        grid->setItem(angle, 0, headingItem(angleHeading(angle), palette));
}

void showCell(QTableWidget* grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

// Calls `cell` for every value cell with the table element it shows, column by column.
template <typename Table, typename Cell> void forEachCell(Table& table, Cell cell) {
    for (int force = 1; force <= tableForces; ++force)
        for (int angle = 1; angle <= tableAngles; ++angle)
            cell(angle, force, table[force - 1][angle - 1]);
}

} // namespace

TVimoBoatSheet::TVimoBoatSheet(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context), tables_(context.program.boatTables) {
    setWindowTitle(QStringLiteral("Brisomar-Boatdata"));
    setHelpContext(context_.help, helpContext);
    setFixedClientSize(clientWidth, clientHeight);
}

void TVimoBoatSheet::buildControls() {
    BSpeedGrid = tableGrid(QStringLiteral("Boat speed (knots) table."));
    LeewayGrid = tableGrid(QStringLiteral("Leeway (degrees) table."));
    Label1 = new QLabel(QStringLiteral("Speed"), this);
    Label2 = new QLabel(QStringLiteral("Leeway"), this);
    FileBtn = button(QStringLiteral("File"), QStringLiteral("File popup menu"),
                     &TVimoBoatSheet::FileBtnClick);
    GetSpBtn = button(QStringLiteral("Get Speed"), QStringLiteral("Get used data."),
                      &TVimoBoatSheet::GetSpBtnClick);
    SetSpBtn = button(QStringLiteral("Set Speed"), QStringLiteral("Use this data."),
                      &TVimoBoatSheet::SetSpBtnClick);
    GetLeBtn = button(QStringLiteral("Get Leeway"), QStringLiteral("Get used data."),
                      &TVimoBoatSheet::GetLeBtnClick);
    SetLeBtn = button(QStringLiteral("Set Leeway"), QStringLiteral("Use this data."),
                      &TVimoBoatSheet::SetLeBtnClick);
    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setToolTip(QStringLiteral("Help texts."));
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });
    buildMenu();
    layOut();
    FormActivate();
}

QTableWidget* TVimoBoatSheet::tableGrid(const QString& hint) {
    auto* grid = new QTableWidget(gridRows, gridColumns, this);
    grid->setToolTip(hint);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(cellWidth);
    grid->verticalHeader()->setDefaultSectionSize(cellHeight);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setTabKeyNavigation(true);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    writeHeadings(grid);
    grid->resizeColumnToContents(0);
    grid->setFixedHeight(visibleRows * cellHeight + 2 * grid->frameWidth());
    return grid;
}

QPushButton* TVimoBoatSheet::button(const QString& caption, const QString& hint,
                                    void (TVimoBoatSheet::*click)()) {
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setToolTip(hint);
    connect(pushButton, &QPushButton::clicked, this, click);
    return pushButton;
}

void TVimoBoatSheet::buildMenu() {
    FilePopupMenu = new QMenu(this);
    const auto item = [this](const char* caption, void (TVimoBoatSheet::*click)()) {
        return FilePopupMenu->addAction(QString::fromLatin1(caption), this, click);
    };
    Loadspeeddatafromfile1 =
        item("Load speed data from file", &TVimoBoatSheet::Loadspeeddatafromfile1Click);
    Loadleewaydatafromfile1 =
        item("Load leeway data from file", &TVimoBoatSheet::Loadleewaydatafromfile1Click);
    Usedefaultspeeddata1 =
        item("Use default speed data", &TVimoBoatSheet::Usedefaultspeeddata1Click);
    Usedefaultleewaydata1 =
        item("Use default leeway data", &TVimoBoatSheet::Usedefaultleewaydata1Click);
    Savespeeddatatofile1 =
        item("Save speed data to file", &TVimoBoatSheet::Savespeeddatatofile1Click);
    Saveleewaydatatofile1 =
        item("Save leeway data to file", &TVimoBoatSheet::Saveleewaydatatofile1Click);
    Closedataform1 = item("Close data form", &TVimoBoatSheet::Closedataform1Click);
}

void TVimoBoatSheet::layOut() {
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(BSpeedGrid);
    column->addWidget(Label2);
    column->addWidget(LeewayGrid);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {FileBtn, GetSpBtn, SetSpBtn, GetLeBtn, SetLeBtn, HelpBtn})
        buttons->addWidget(b);
    column->addLayout(buttons);
}

void TVimoBoatSheet::fillGrid(QTableWidget* grid, const BoatTable& table) {
    const char separator = systemDecimalSeparator();
    forEachCell(table, [grid, separator](int row, int column, const Real48& value) {
        showCell(grid, row, column, toQString(tableCellText(value, separator)));
    });
}

// Every cell is read into the table and shown again as it was understood.
void TVimoBoatSheet::readGrid(QTableWidget* grid, BoatTable& table) {
    sourceFile(table).clear();
    const char separator = systemDecimalSeparator();
    forEachCell(table, [grid, separator](int row, int column, Real48& value) {
        QTableWidgetItem* cell = grid->item(row, column);
        value = ParseTableCell(cell->text().toStdString(), lowestCell, highestCell);
        cell->setText(toQString(tableCellText(value, separator)));
    });
}

void TVimoBoatSheet::useDefaults(QTableWidget* grid, BoatTable& table, const BoatTable& defaults) {
    table = defaults;
    sourceFile(table).clear();
    fillGrid(grid, table);
}

// A file with another extension is passed over in silence; the grid shows the table afterwards
// whatever happened.
void TVimoBoatSheet::loadTable(const FileKind& kind, QTableWidget* grid, BoatTable& table) {
    const auto path = context_.dialogs.openFileName({kind.loadTitle, kind.filter, kind.suffix});
    if (path && !refusedAsDataFile(context_.dialogs, context_.files, *path)) {
        switch (loadBoatTable(context_.files, path->toStdString(), kind.extension, table)) {
        case BoatFileResult::Done:
            sourceFile(table) = path->toStdString();
            break;
        case BoatFileResult::IoError:
            context_.dialogs.information(QStringLiteral("I/O Error."));
            break;
        case BoatFileResult::Ignored:
            break;
        }
    }
    fillGrid(grid, table);
}

// Where the kept table was loaded from.
std::string& TVimoBoatSheet::sourceFile(const BoatTable& table) {
    return &table == &tables_.SpeedTable ? tables_.SpeedFile : tables_.LeewayFile;
}

// The grid becomes the table in use before the file is chosen, even when the save is cancelled.
void TVimoBoatSheet::saveTable(const FileKind& kind, QTableWidget* grid, BoatTable& table) {
    readGrid(grid, table);
    const auto path =
        context_.dialogs.saveFileName({kind.saveTitle, kind.filter, kind.suffix}, true);
    if (path && !refusedAsDataFile(context_.dialogs, context_.files, *path) &&
        saveBoatTable(context_.files, path->toStdString(), kind.extension, table) ==
            BoatFileResult::IoError)
        context_.dialogs.information(QStringLiteral("I/O Error."));
}

void TVimoBoatSheet::FormActivate() {
    GetSpBtnClick();
    GetLeBtnClick();
}

void TVimoBoatSheet::FileBtnClick() {
    FilePopupMenu->popup(frameGeometry().topLeft() + menuOffset);
}

void TVimoBoatSheet::GetSpBtnClick() {
    fillGrid(BSpeedGrid, tables_.SpeedTable);
}

void TVimoBoatSheet::SetSpBtnClick() {
    readGrid(BSpeedGrid, tables_.SpeedTable);
}

void TVimoBoatSheet::GetLeBtnClick() {
    fillGrid(LeewayGrid, tables_.LeewayTable);
}

void TVimoBoatSheet::SetLeBtnClick() {
    readGrid(LeewayGrid, tables_.LeewayTable);
}

void TVimoBoatSheet::Loadspeeddatafromfile1Click() {
    loadTable(speedFiles, BSpeedGrid, tables_.SpeedTable);
}

void TVimoBoatSheet::Loadleewaydatafromfile1Click() {
    loadTable(leewayFiles, LeewayGrid, tables_.LeewayTable);
}

void TVimoBoatSheet::Usedefaultspeeddata1Click() {
    useDefaults(BSpeedGrid, tables_.SpeedTable, defaultSpeedTable());
}

void TVimoBoatSheet::Usedefaultleewaydata1Click() {
    useDefaults(LeewayGrid, tables_.LeewayTable, defaultLeewayTable());
}

void TVimoBoatSheet::Savespeeddatatofile1Click() {
    saveTable(speedFiles, BSpeedGrid, tables_.SpeedTable);
}

void TVimoBoatSheet::Saveleewaydatatofile1Click() {
    saveTable(leewayFiles, LeewayGrid, tables_.LeewayTable);
}

void TVimoBoatSheet::Closedataform1Click() {
    close();
}

} // namespace brisomar
