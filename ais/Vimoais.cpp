#include "ais/Vimoais.h"

#include "ais/ais_targets.h"
#include "base/qt_palette.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brisomar {

namespace {

QTimer* secondTimer(QObject* parent, int intervalMs) {
    auto* timer = new QTimer(parent);
    timer->setInterval(intervalMs);
    timer->start();
    return timer;
}

QString text(const std::string& t) {
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

// As wide as the column's header or its sample text in a cell, whichever is wider, plus the grid
// line: what sizing to the contents would make of the sample, measured once.
int columnWidth(const QTableView* list, int column) {
    QStyleOptionViewItem cell;
    cell.initFrom(list);
    cell.font = list->font();
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.text = QString::fromLatin1(aisColumnSamples[static_cast<std::size_t>(column)]);
    const int sample =
        list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), list).width();
    return std::max(list->horizontalHeader()->sectionSizeHint(column), sample + 1);
}

} // namespace

bool AisTargetModel::refresh(const AisTargets& targets) {
    std::vector<Row> rows;
    rows.reserve(targets.size());
    for (const AisTarget* t : targets.sorted())
        rows.push_back({t->mmsi, targetRow(*t),
                        t->raisesAlarm() ? Shade::alarm
                        : t->lost        ? Shade::lost
                                         : Shade::plain});
    if (!std::ranges::equal(rows, rows_, {}, &Row::mmsi, &Row::mmsi)) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
        return true;
    }
    std::size_t first = 0, end = rows.size();
    while (first < end && rows[first] == rows_[first])
        ++first;
    if (first == end)
        return false;
    while (rows[end - 1] == rows_[end - 1])
        --end;
    rows_ = std::move(rows);
    emit dataChanged(index(static_cast<int>(first), 0),
                     index(static_cast<int>(end - 1), columnCount() - 1));
    return false;
}

std::uint32_t AisTargetModel::mmsiAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].mmsi : 0;
}

std::optional<int> AisTargetModel::rowOf(std::uint32_t mmsi) const {
    const auto found = std::ranges::find(rows_, mmsi, &Row::mmsi);
    return found == rows_.end() ? std::nullopt
                                : std::optional(static_cast<int>(found - rows_.begin()));
}

int AisTargetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AisTargetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(aisColumns.size());
}

QVariant AisTargetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return text(row.cells[static_cast<std::size_t>(index.column())]);
    if (role == Qt::ForegroundRole && row.shade != Shade::plain)
        return QBrush(shownColour(row.shade == Shade::alarm ? Qt::red : Qt::gray, QPalette::Text));
    return {};
}

QVariant AisTargetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount())
        return QString::fromLatin1(aisColumns[static_cast<std::size_t>(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

TVimoAisDlg::TVimoAisDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar - AIS targets"));
    setHelpContext(context_.help, helpContext);
}

void TVimoAisDlg::buildControls() {
    TargetList = new QTableView(this);
    targets_ = new AisTargetModel(this);
    TargetList->setModel(targets_);
    TargetList->verticalHeader()->hide();
    TargetList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TargetList->setSelectionBehavior(QAbstractItemView::SelectRows);
    TargetList->setSelectionMode(QAbstractItemView::SingleSelection);
    QHeaderView* header = TargetList->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < targets_->columnCount(); ++column)
        header->resizeSection(column, columnWidth(TargetList, column));
    header->setStretchLastSection(true);
    TargetList->setToolTip(QStringLiteral("Double click: centre the chart on the target."));
    TargetList->setMinimumSize(620, 300);
    connect(TargetList, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { TargetListDoubleClick(index.row()); });

    EditOwnMmsi = new QLineEdit(this);
    EditOwnMmsi->setValidator(new QIntValidator(0, 999999999, EditOwnMmsi));
    EditOwnMmsi->setMaxLength(9);
    EditOwnMmsi->setToolTip(
        QStringLiteral("The own ship's MMSI: never listed as a target. Empty: none."));
    connect(EditOwnMmsi, &QLineEdit::textChanged, this, &TVimoAisDlg::OwnMmsiChange);
    CountLabel = new QLabel(this);
    DetailsBtn = new QPushButton(QStringLiteral("&Details"), this);
    DetailsBtn->setToolTip(QStringLiteral("Show all that is known of the target."));
    AckBtn = new QPushButton(QStringLiteral("&Acknowledge"), this);
    AckBtn->setToolTip(
        QStringLiteral("No alarm from this target until its CPA has been above the limit again."));
    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    connect(DetailsBtn, &QPushButton::clicked, this, &TVimoAisDlg::DetailsBtnClick);
    connect(AckBtn, &QPushButton::clicked, this, &TVimoAisDlg::AckBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Own MMSI"), this));
    bottom->addWidget(EditOwnMmsi);
    bottom->addWidget(CountLabel, 1);
    for (QPushButton* button : {DetailsBtn, AckBtn, OKBtn, HelpBtn})
        bottom->addWidget(button);
    auto* column = new QVBoxLayout(this);
    column->addWidget(TargetList, 1);
    column->addLayout(bottom);

    TargetDlg = new TVimoAisTargetDlg(context_, this);
    Timer1 = secondTimer(this, timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TVimoAisDlg::Timer1Timer);
}

void TVimoAisDlg::FormActivate() {
    const std::uint32_t own = context_.program.aisTargets.ownMmsi;
    EditOwnMmsi->setText(own ? QString::number(own) : QString());
    showTargets();
}

void TVimoAisDlg::Timer1Timer() {
    if (isVisible())
        showTargets();
}

// The list is refreshed each second, the chosen target kept chosen.
void TVimoAisDlg::showTargets() {
    const int row = selectedRow();
    const std::uint32_t chosen = targets_->mmsiAt(row);
    if (targets_->refresh(context_.program.aisTargets) && row >= 0)
        chooseAgain(chosen, row);
    CountLabel->setText(QStringLiteral("%1 targets").arg(targets_->rowCount()));
}

// After the rows were made anew, which forgets the choice: the target that was chosen in `row`
// chosen again, scrolled into sight when it moved to another row; else the list stays scrolled
// as the sailor left it.
void TVimoAisDlg::chooseAgain(std::uint32_t mmsi, int row) {
    const std::optional<int> now = targets_->rowOf(mmsi);
    if (!now)
        return;
    QScrollBar* scroll = TargetList->verticalScrollBar();
    const int scrolled = scroll->value();
    TargetList->selectRow(*now);
    if (*now == row)
        scroll->setValue(scrolled);
}

int TVimoAisDlg::selectedRow() const {
    const QModelIndexList rows = TargetList->selectionModel()->selectedRows();
    return rows.empty() ? -1 : rows.front().row();
}

std::uint32_t TVimoAisDlg::selectedMmsi() const {
    return targets_->mmsiAt(selectedRow());
}

void TVimoAisDlg::TargetListDoubleClick(int row) {
    if (row < 0 || row >= targets_->rowCount() || !context_.windows.centreChartOn)
        return;
    const AisTarget* t = context_.program.aisTargets.find(targets_->mmsiAt(row));
    if (t && t->position)
        context_.windows.centreChartOn(*t->position);
}

void TVimoAisDlg::DetailsBtnClick() {
    if (const std::uint32_t mmsi = selectedMmsi())
        showDetails(mmsi);
}

void TVimoAisDlg::AckBtnClick() {
    if (const std::uint32_t mmsi = selectedMmsi())
        context_.program.aisTargets.acknowledge(mmsi);
    showTargets();
}

void TVimoAisDlg::OwnMmsiChange() {
    context_.program.aisTargets.ownMmsi = EditOwnMmsi->text().toUInt();
}

void TVimoAisDlg::showDetails(std::uint32_t mmsi) {
    ensureControls();
    TargetDlg->showTarget(mmsi);
}

TVimoAisTargetDlg::TVimoAisTargetDlg(UiContext& context, QWidget* parent)
    : ProgramWindow(parent), context_(context) {
    setHelpContext(context_.help, TVimoAisDlg::helpContext);
    DetailsLabel = new QLabel(this);
    DetailsLabel->setTextFormat(Qt::RichText);
    DetailsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    AckBtn = new QPushButton(QStringLiteral("&Acknowledge"), this);
    AckBtn->setToolTip(
        QStringLiteral("No alarm from this target until its CPA has been above the limit again."));
    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    connect(AckBtn, &QPushButton::clicked, this, &TVimoAisTargetDlg::AckBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(AckBtn);
    buttons->addWidget(OKBtn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(DetailsLabel, 1);
    column->addLayout(buttons);
    setMinimumWidth(300); // room for the title with the MMSI
    Timer1 = secondTimer(this, TVimoAisDlg::timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TVimoAisTargetDlg::Timer1Timer);
}

void TVimoAisTargetDlg::showTarget(std::uint32_t mmsi) {
    mmsi_ = mmsi;
    showDetails();
    show();
    raise();
}

void TVimoAisTargetDlg::Timer1Timer() {
    if (isVisible())
        showDetails();
}

void TVimoAisTargetDlg::AckBtnClick() {
    context_.program.aisTargets.acknowledge(mmsi_);
    showDetails();
}

// A target removed meanwhile is said to be gone.
void TVimoAisTargetDlg::showDetails() {
    const AisTarget* t = context_.program.aisTargets.find(mmsi_);
    setWindowTitle(QStringLiteral("AIS target %1").arg(mmsi_));
    AckBtn->setEnabled(t && t->raisesAlarm());
    if (!t) {
        DetailsLabel->setText(QStringLiteral("No report for 10 minutes: the target is gone."));
        return;
    }
    QString rows;
    for (const auto& [label, value] : targetDetails(*t))
        rows += QStringLiteral("<tr><td>%1</td><td><b>%2</b></td></tr>")
                    .arg(text(label), text(value).toHtmlEscaped());
    DetailsLabel->setText(QStringLiteral("<table cellspacing=2>%1</table>").arg(rows));
}

} // namespace brisomar
