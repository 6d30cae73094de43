#include "charts/Vimomset.h"

#include "base/coord_text.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/qt_text.h"
#include "base/radio_group.h"
#include "charts/chart_settings.h"
#include "charts/chart_state.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace brisomar {

namespace {

const QString spinHint = QStringLiteral("OK, sets this value");
const char* const pageNames[] = {"MapInfoBox", "PenBox", "TimerBox"};
constexpr int timerPageIndex = 2;

QGroupBox* page(const QString& caption, QWidget* parent) {
    return new QGroupBox(caption, parent);
}

} // namespace

TVimoMsetDlg::TVimoMsetDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar Setup"));
    setHelpContext(context_.help, helpContext);
    setFixedClientSize(clientWidth, clientHeight);
}

void TVimoMsetDlg::buildControls() {
    Notebook = new QStackedWidget(this);
    Notebook->addWidget(mapInfoPage());
    Notebook->addWidget(penPage());
    Notebook->addWidget(timerPage());
    TabSet = new QTabBar(this);
    for (const char* name : pageNames)
        TabSet->addTab(QString::fromLatin1(name));
    TabSet->setCurrentIndex(timerPageIndex);
    Notebook->setCurrentIndex(timerPageIndex);
    connect(TabSet, &QTabBar::currentChanged, this, &TVimoMsetDlg::TabSetClick);

    OKBtn = new QPushButton(QStringLiteral("OK (=set)"), this);
    OKBtn->setToolTip(QStringLiteral("Close window and set values."));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    connect(OKBtn, &QPushButton::clicked, this, &TVimoMsetDlg::OKBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Notebook, 0, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(HelpBtn);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 1);
    grid->addWidget(TabSet, 1, 0, 1, 2);
}

QWidget* TVimoMsetDlg::mapInfoPage() {
    QGroupBox* box = page(QStringLiteral("Chart Information"), this);
    auto* column = new QVBoxLayout(box);
    QFont underlined(QStringLiteral("Times New Roman"));
    underlined.setStyleHint(QFont::Serif);
    underlined.setUnderline(true);
    for (QLabel** label :
         {&LabelMapName, &LabelGlNWLat, &LabelGlNWLon, &LabelGlSELat, &LabelGlSELon}) {
        *label = new QLabel(box);
        (*label)->setFont(underlined);
        column->addWidget(*label);
    }
    return box;
}

QWidget* TVimoMsetDlg::penPage() {
    QGroupBox* box = page(QStringLiteral("PenStyle"), this);
    SpinPosSize = arrowsOnlySpinBox(3, 11, 2, 11, spinHint, box);
    SpinPosWidth = arrowsOnlySpinBox(1, 3, 2, 3, spinHint, box);
    SpinLineWidth = arrowsOnlySpinBox(1, 5, 1, 2, spinHint, box);
    TrackColorGroup =
        new RadioGroup(QStringLiteral("Track Color"), {"Black", "Blue", "Red"}, 3, box);
    TrackStyleGroup =
        new RadioGroup(QStringLiteral("Track Style"), {"Solid", "Dash", "Dot"}, 3, box);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Position Size"), SpinPosSize);
    form->addRow(QStringLiteral("Position Width"), SpinPosWidth);
    form->addRow(QStringLiteral("Line Width"), SpinLineWidth);
    form->addRow(TrackColorGroup);
    form->addRow(TrackStyleGroup);
    return box;
}

QWidget* TVimoMsetDlg::timerPage() {
    QGroupBox* box = page(QStringLiteral("Timer"), this);
    SpinPosTimer = arrowsOnlySpinBox(1, 60, 1, 1, spinHint, box);
    PositionSymbolGroup = new RadioGroup(QStringLiteral("Position mark"),
                                         {"Cross", "Boat with heading and course"}, 1, box);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Blink speed position (seconds)"), SpinPosTimer);
    form->addRow(PositionSymbolGroup);
    return box;
}

void TVimoMsetDlg::TabSetClick() {
    Notebook->setCurrentIndex(TabSet->currentIndex());
}

void TVimoMsetDlg::FormActivate() {
    const ChartState& chart = context_.program.chart;
    const ChartSettings& s = context_.program.chartSettings;
    LabelMapName->setText(toQString("Chart file: " + chart.ChartFileName));
    LabelGlNWLat->setText(toQString("North : " + LatToText(chart.ChartNWLat)));
    LabelGlNWLon->setText(toQString("West  : " + LonToText(chart.ChartNWLon)));
    LabelGlSELat->setText(toQString("South : " + LatToText(chart.ChartSELat)));
    LabelGlSELon->setText(toQString("East  : " + LonToText(chart.ChartSELon)));
    SpinPosTimer->setValue(s.PositionTimerMs / 1000);
    SpinPosSize->setValue(s.PosSize);
    SpinPosWidth->setValue(s.PosWidth);
    SpinLineWidth->setValue(s.LineWidth);
    if (s.TrackStyle >= 0 && s.TrackStyle <= 2)
        TrackStyleGroup->setItemIndex(s.TrackStyle);
    if (s.TrackColor >= 0 && s.TrackColor <= 2)
        TrackColorGroup->setItemIndex(s.TrackColor);
    PositionSymbolGroup->setItemIndex(static_cast<int>(s.MarkSymbol));
}

void TVimoMsetDlg::OKBtnClick() {
    ChartSettings& s = context_.program.chartSettings;
    s.PositionTimerMs = SpinPosTimer->value() * 1000;
    s.PosSize = SpinPosSize->value();
    s.PosWidth = SpinPosWidth->value();
    s.LineWidth = SpinLineWidth->value();
    s.TrackStyle = TrackStyleGroup->itemIndex();
    s.TrackColor = TrackColorGroup->itemIndex();
    s.MarkSymbol =
        PositionSymbolGroup->itemIndex() == 1 ? PositionSymbol::Boat : PositionSymbol::Cross;
    s.ChartSettingsChanged = true;
    s.DetailSettingsChanged = true;
    accept();
}

} // namespace brisomar
