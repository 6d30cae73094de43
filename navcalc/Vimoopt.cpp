#include "navcalc/Vimoopt.h"

#include "base/dialogs.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/number_text.h"
#include "base/qt_palette.h"
#include "base/qt_text.h"
#include "navcalc/accumulators.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace brisomar {

namespace {

const QString threeDigitMask = QStringLiteral("000;1;_");
const QString threeDigits = QStringLiteral("000");
const QString noResult = QStringLiteral("---");
const QString directionSpinHint = QStringLiteral("+/- 10");
const QString speedSpinHint = QStringLiteral("+/- 1 knots");
const QColor silver(192, 192, 192);
const QColor navy(0, 0, 128);

enum Row { HeadingRow, DirectionRow, SpeedRow, BelowRow };
enum Column {
    CaptionColumn,
    GeoColumn,
    TrueWindColumn,
    CurrentColumn,
    FalseWindColumn,
    SteerColumn,
    LeewayColumn,
    ResultColumn,
    ButtonColumn
};

QToolButton* arrow(Qt::ArrowType direction, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(direction);
    button->setFixedSize(16, 11);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void paint(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// Room for the widest text a field shows, "00.0".
void fitShortText(QLineEdit* field) {
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000.0")) + 6);
}

MaskedField* inputField(const char* name, const QString& hint, Dialogs& dialogs, QWidget* parent) {
    MaskedField* field =
        maskedEdit(threeDigitMask, QString::fromLatin1(name), threeDigits, hint, dialogs, parent);
    fitShortText(field);
    return field;
}

QHBoxLayout* side(QWidget* first, QWidget* second) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(2);
    pair->addWidget(first);
    pair->addWidget(second);
    return pair;
}

} // namespace

SpinButton::SpinButton(const QString& hint, QWidget* parent) : ProgramWindow(parent) {
    setToolTip(hint);
    upButton = arrow(Qt::UpArrow, this);
    downButton = arrow(Qt::DownArrow, this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(upButton);
    column->addWidget(downButton);
}

TVimoOptDlg::TVimoOptDlg(UiContext& context, QWidget* parent)
    : ProgramWindow(parent), context_(context), sailing_(context.program.sailing) {
    setWindowTitle(QStringLiteral("Brisomar-Evaluate/modify data"));
    setHelpContext(context_.help, helpContext);
    setFixedClientSize(clientWidth, clientHeight);
    setAutoFillBackground(true);
    paint(this, QPalette::Window, silver);
    buildFields();
    buildButtons();
    layOut();
}

void TVimoOptDlg::buildFields() {
    using T = TVimoOptDlg;
    SpinWindDir = spinButton(directionSpinHint, &T::SpinWindDirDownClick, &T::SpinWindDirUpClick);
    MaskWindDir = inputField("Wind direction", QStringLiteral("Wind direction 0-359°"),
                             context_.dialogs, this);
    EditGeoDir = outputField(QStringLiteral("Geographical direction"));
    EditGeoDir->setText(threeDigits);
    SpinWindSp = spinButton(speedSpinHint, &T::SpinWindSpDownClick, &T::SpinWindSpUpClick);
    MaskWindSp =
        inputField("Wind speed", QStringLiteral("Wind speed 1-20 knots."), context_.dialogs, this);
    EditResultDir = outputField(QStringLiteral("True course"));
    EditResultSp = outputField(QStringLiteral("True speed"));
    SpinCurrDir = spinButton(directionSpinHint, &T::SpinCurrDirDownClick, &T::SpinCurrDirUpClick);
    MaskCurrDir = inputField("Current direction", QStringLiteral("Current direction 0-359°"),
                             context_.dialogs, this);
    SpinCurrSp = spinButton(speedSpinHint, &T::SpinCurrSpDownClick, &T::SpinCurrSpUpClick);
    MaskCurrSp = inputField("Current speed", QStringLiteral("Current speed 1-20 knots"),
                            context_.dialogs, this);
    SpinSteerDir =
        spinButton(directionSpinHint, &T::SpinSteerDirDownClick, &T::SpinSteerDirUpClick);
    MaskSteerDir =
        inputField("Steered direction", QStringLiteral("Compass course"), context_.dialogs, this);
    EditSteerSp = outputField(QStringLiteral("Calculated speed."));
    EditLeewDir = outputField(QStringLiteral("Interpolated leeway."));
    EditFalseWDir = outputField(QStringLiteral("Wind compensated for current."));
    EditFalseWSp = outputField(QStringLiteral("Windforce compensated for current."));

    PanelSpeed = new QLabel(this);
    PanelSpeed->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelSpeed->setAlignment(Qt::AlignCenter);
    PanelSpeed->setMinimumWidth(28);
    PanelSpeed->setAutoFillBackground(true);
    PanelSpeed->setToolTip(QStringLiteral("Red indicates low speed."));
    paint(PanelSpeed, QPalette::Window, Qt::green);

    Gauge1 = new QProgressBar(this);
    Gauge1->setRange(0, 360);
    Gauge1->setValue(0);
    paint(Gauge1, QPalette::Highlight, navy);
    paint(Gauge1, QPalette::Base, silver);
    Gauge1->hide();
}

void TVimoOptDlg::buildButtons() {
    using T = TVimoOptDlg;
    BitBtn1 = button(QStringLiteral("Calc"), QStringLiteral("Calculate result."), &T::BitBtn1Click);
    BitBtn2 =
        button(QStringLiteral("Steer?"), QStringLiteral("Geogr = Result ?"), &T::BitBtn2Click);
    WindGlUpdate =
        button(QStringLiteral("Use"), QStringLiteral("Store this wind."), &T::WindGlUpdateClick);
    CurrGlUpdate =
        button(QStringLiteral("Use"), QStringLiteral("Store this current."), &T::CurrGlUpdateClick);
    SpLeeBtn = button(QStringLiteral("Boat Data"), QStringLiteral("Open boat-data tables."),
                      &T::SpLeeBtnClick);
}

void TVimoOptDlg::layOut() {
    auto* grid = new QGridLayout(this);
    const auto label = [this, grid](const char* caption, int row, int column) {
        auto* heading = new QLabel(QString::fromLatin1(caption), this);
        grid->addWidget(heading, row, column);
        return heading;
    };
    Label1 = label("Direction:", DirectionRow, CaptionColumn);
    Label8 = label("Speed:", SpeedRow, CaptionColumn);
    Label2 = label("Geogr.", HeadingRow, GeoColumn);
    Label9 = label("True wind", HeadingRow, TrueWindColumn);
    Label6 = label("Current", HeadingRow, CurrentColumn);
    Label4 = label("Wind", HeadingRow, FalseWindColumn);
    Label3 = label("Steer", HeadingRow, SteerColumn);
    Label5 = label("Leeway", HeadingRow, LeewayColumn);
    Label7 = label("Result", HeadingRow, ResultColumn);

    grid->addWidget(EditGeoDir, DirectionRow, GeoColumn);
    grid->addLayout(side(MaskWindDir, SpinWindDir), DirectionRow, TrueWindColumn);
    grid->addLayout(side(MaskWindSp, SpinWindSp), SpeedRow, TrueWindColumn);
    grid->addWidget(WindGlUpdate, BelowRow, TrueWindColumn);
    grid->addLayout(side(MaskCurrDir, SpinCurrDir), DirectionRow, CurrentColumn);
    grid->addLayout(side(MaskCurrSp, SpinCurrSp), SpeedRow, CurrentColumn);
    grid->addWidget(CurrGlUpdate, BelowRow, CurrentColumn);
    grid->addWidget(EditFalseWDir, DirectionRow, FalseWindColumn);
    grid->addWidget(EditFalseWSp, SpeedRow, FalseWindColumn);
    grid->addLayout(side(MaskSteerDir, SpinSteerDir), DirectionRow, SteerColumn);
    grid->addLayout(side(EditSteerSp, PanelSpeed), SpeedRow, SteerColumn);
    grid->addWidget(SpLeeBtn, BelowRow, SteerColumn);
    grid->addWidget(EditLeewDir, DirectionRow, LeewayColumn);
    grid->addWidget(EditResultDir, DirectionRow, ResultColumn);
    grid->addWidget(EditResultSp, SpeedRow, ResultColumn);
    grid->addWidget(BitBtn2, DirectionRow, ButtonColumn);
    grid->addWidget(BitBtn1, SpeedRow, ButtonColumn);
    grid->addWidget(Gauge1, BelowRow, ButtonColumn);
}

QLineEdit* TVimoOptDlg::outputField(const QString& hint) {
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setToolTip(hint);
    fitShortText(field);
    return field;
}

QPushButton* TVimoOptDlg::button(const QString& caption, const QString& hint,
                                 void (TVimoOptDlg::*click)()) {
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setToolTip(hint);
    connect(pushButton, &QPushButton::clicked, this, click);
    return pushButton;
}

SpinButton* TVimoOptDlg::spinButton(const QString& hint, void (TVimoOptDlg::*down)(),
                                    void (TVimoOptDlg::*up)()) {
    auto* spin = new SpinButton(hint, this);
    connect(spin->downButton, &QToolButton::clicked, this, down);
    connect(spin->upButton, &QToolButton::clicked, this, up);
    return spin;
}

// The fields read for the working values, each with the text it gives.
std::array<TVimoOptDlg::FieldSlot, 6> TVimoOptDlg::inputFields() const {
    return {{{EditGeoDir, &OptFields::geoDir},
             {MaskWindDir, &OptFields::windDir},
             {MaskWindSp, &OptFields::windSpeed},
             {MaskCurrDir, &OptFields::currentDir},
             {MaskCurrSp, &OptFields::currentSpeed},
             {MaskSteerDir, &OptFields::steerDir}}};
}

bool TVimoOptDlg::typedComplete() {
    return fieldsComplete({MaskWindDir, MaskWindSp, MaskCurrDir, MaskCurrSp, MaskSteerDir});
}

OptFields TVimoOptDlg::typedFields() const {
    OptFields typed;
    for (const auto& [field, text] : inputFields())
        typed.*text = maskedText(field);
    return typed;
}

// Reads the fields into the working values, warning of each unreadable one and showing again
// those out of range, then shows the wind felt, the boat's speed and its leeway.
void TVimoOptDlg::EvaluateOptInputs() {
    const OptFields typed = typedFields();
    OptFields checked = typed;
    const OptEvaluation shown = brisomar::EvaluateOptInputs(sailing_, context_.program.boatTables,
                                                            checked, systemDecimalSeparator());
    for (const std::string& warning : shown.warnings)
        context_.dialogs.warning(toQString(warning));
    for (const auto& [field, text] : inputFields())
        if (checked.*text != typed.*text)
            field->setText(toQString(checked.*text));
    EditFalseWDir->setText(toQString(shown.falseWindDir));
    EditFalseWSp->setText(toQString(shown.falseWindSpeed));
    EditSteerSp->setText(toQString(shown.steerSpeed));
    EditLeewDir->setText(toQString(shown.leeway));
}

void TVimoOptDlg::showResult() {
    const char separator = systemDecimalSeparator();
    EditResultDir->setText(toQString(resultDirText(sailing_, separator)));
    EditResultSp->setText(toQString(resultSpeedText(sailing_, separator)));
}

void TVimoOptDlg::showNoResult() {
    EditResultDir->setText(noResult);
    EditResultSp->setText(noResult);
}

void TVimoOptDlg::showSpeedPanel() {
    const bool low = lowBoatSpeed(sailing_);
    paint(PanelSpeed, QPalette::Window, shownColour(low ? Qt::red : Qt::white));
    PanelSpeed->setText(low ? QStringLiteral("!!!") : QString());
}

void TVimoOptDlg::BitBtn1Click() {
    if (!typedComplete())
        return;
    EvaluateOptInputs();
    ComputeResultCourse(sailing_);
    showResult();
    showSpeedPanel();
}

// Tries every whole heading with the wind and current typed, puts the best into the steer
// field and computes with it as "Calc" does.
void TVimoOptDlg::BitBtn2Click() {
    if (!typedComplete())
        return;
    EvaluateOptInputs();
    Gauge1->show();
    const SteerSearch search = searchSteerHeading(
        sailing_, context_.program.boatTables, [this](int heading) { Gauge1->setValue(heading); });
    Gauge1->setValue(0);
    Gauge1->hide();
    MaskSteerDir->setText(
        search.found() ? toQString(FormatFloat("000", search.bestHeading, systemDecimalSeparator()))
                       : threeDigits);
    EvaluateOptInputs();
    ComputeResultCourse(sailing_);
    if (search.found())
        showResult();
    else
        showNoResult();
    showSpeedPanel();
}

void TVimoOptDlg::WindGlUpdateClick() {
    if (!typedComplete())
        return;
    EvaluateOptInputs();
    context_.program.nav.WindDir = sailing_.OptWindDir;
    context_.program.nav.WindSpeed = sailing_.OptWindSpeed;
}

void TVimoOptDlg::CurrGlUpdateClick() {
    if (!typedComplete())
        return;
    EvaluateOptInputs();
    context_.program.nav.CurrentDir = sailing_.OptCurrentDir;
    context_.program.nav.CurrentSpeed = sailing_.OptCurrentSpeed;
}

void TVimoOptDlg::stepField(QLineEdit* field, Spin spin, int steps) {
    field->setText(toQString(spin(maskedText(field), steps)));
}

void TVimoOptDlg::SpinWindDirDownClick() {
    stepField(MaskWindDir, spinDirection, -1);
}

void TVimoOptDlg::SpinWindDirUpClick() {
    stepField(MaskWindDir, spinDirection, 1);
}

void TVimoOptDlg::SpinCurrDirDownClick() {
    stepField(MaskCurrDir, spinDirection, -1);
}

void TVimoOptDlg::SpinCurrDirUpClick() {
    stepField(MaskCurrDir, spinDirection, 1);
}

void TVimoOptDlg::SpinSteerDirDownClick() {
    stepField(MaskSteerDir, spinDirection, -1);
}

void TVimoOptDlg::SpinSteerDirUpClick() {
    stepField(MaskSteerDir, spinDirection, 1);
}

void TVimoOptDlg::SpinWindSpDownClick() {
    stepField(MaskWindSp, spinSpeed, -1);
}

void TVimoOptDlg::SpinWindSpUpClick() {
    stepField(MaskWindSp, spinSpeed, 1);
}

void TVimoOptDlg::SpinCurrSpDownClick() {
    stepField(MaskCurrSp, spinSpeed, -1);
}

void TVimoOptDlg::SpinCurrSpUpClick() {
    stepField(MaskCurrSp, spinSpeed, 1);
}

void TVimoOptDlg::SpLeeBtnClick() {
    showModal(boatSheet);
}

void TVimoOptDlg::showGeoDir(Real48 course) {
    EditGeoDir->setText(toQString(FormatFloat("0", course, systemDecimalSeparator())));
}

// The fields keep what was typed; only the working values follow the wind and current in use.
void TVimoOptDlg::FormActivate() {
    LoadWindCurrent(sailing_, context_.program.nav, context_.program.tools.ChartCourse);
}

} // namespace brisomar
