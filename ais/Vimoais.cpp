#include "ais/Vimoais.h"

#include "ais/ais_targets.h"
#include "ais/ais_texts.h"
#include "base/qt_palette.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

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

} // namespace

TVimoAisDlg::TVimoAisDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar - AIS targets"));
    setHelpContext(context_.help, helpContext);
}

void TVimoAisDlg::buildControls() {
    TargetList = new QTableWidget(0, static_cast<int>(aisColumns.size()), this);
    QStringList headers;
    for (const char* column : aisColumns)
        headers << QString::fromLatin1(column);
    TargetList->setHorizontalHeaderLabels(headers);
    TargetList->verticalHeader()->hide();
    TargetList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TargetList->setSelectionBehavior(QAbstractItemView::SelectRows);
    TargetList->setSelectionMode(QAbstractItemView::SingleSelection);
    TargetList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TargetList->horizontalHeader()->setStretchLastSection(true);
    TargetList->setToolTip(QStringLiteral("Double click: centre the chart on the target."));
    TargetList->setMinimumSize(620, 300);
    connect(TargetList, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { TargetListDoubleClick(row); });

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

// The list is filled anew each second, the chosen target kept chosen.
void TVimoAisDlg::showTargets() {
    const std::uint32_t chosen = selectedMmsi();
    const auto targets = context_.program.aisTargets.sorted();
    TargetList->setRowCount(static_cast<int>(targets.size()));
    listed_.clear();
    for (int row = 0; row < static_cast<int>(targets.size()); ++row) {
        const AisTarget& t = *targets[static_cast<std::size_t>(row)];
        listed_.push_back(t.mmsi);
        const auto cells = targetRow(t);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            QTableWidgetItem* item = TargetList->item(row, column);
            if (!item)
                TargetList->setItem(row, column, item = new QTableWidgetItem);
            item->setText(text(cells[static_cast<std::size_t>(column)]));
            item->setForeground(t.raisesAlarm() ? shownColour(Qt::red, QPalette::Text)
                                : t.lost        ? shownColour(Qt::gray, QPalette::Text)
                                                : palette().color(QPalette::Text));
        }
        if (t.mmsi == chosen)
            TargetList->selectRow(row);
    }
    CountLabel->setText(QStringLiteral("%1 targets").arg(targets.size()));
}

std::uint32_t TVimoAisDlg::selectedMmsi() const {
    const int row = TargetList->currentRow();
    return row >= 0 && row < static_cast<int>(listed_.size()) &&
                   !TargetList->selectedItems().empty()
               ? listed_[static_cast<std::size_t>(row)]
               : 0;
}

void TVimoAisDlg::TargetListDoubleClick(int row) {
    if (row < 0 || row >= static_cast<int>(listed_.size()) || !context_.windows.centreChartOn)
        return;
    const AisTarget* t = context_.program.aisTargets.find(listed_[static_cast<std::size_t>(row)]);
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
