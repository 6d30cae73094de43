#include "input/Vimosour.h"

#include "base/help.h"
#include "base/masked_fields.h"
#include "base/number_text.h"
#include "base/qt_text.h"
#include "base/radio_group.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int itemManual = 0;
constexpr int itemGps = 1;

const QString positionMask = QStringLiteral("000°00.000;1;_");
const QString threeDigitMask = QStringLiteral("000;1;_");
const QString manualHint = QStringLiteral("Check manual to set this value.");
const QString courseHint = QStringLiteral("Input course 0-360. Check manual to set this value.");
const QString directionHint =
    QStringLiteral("Input direction 0-360. Check manual to set this value.");
const QString speedHint = QStringLiteral("Input speed in knots. Check manual to set this value.");

RadioGroup* sourceGroup(const QString& caption, QWidget* parent) {
    return new RadioGroup(caption, {QStringLiteral("Manual"), QStringLiteral("via GPS")}, 2,
                          parent);
}

RadioGroup* manualOnlyGroup(const QString& caption, QWidget* parent) {
    return new RadioGroup(caption, {QStringLiteral("Manual")}, 1, parent);
}

} // namespace

TVimoSourDlg::TVimoSourDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar - datasource"));
    setHelpContext(context_.help, helpContext);
    setCentredOnScreen();
}

void TVimoSourDlg::buildControls() {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    LatRadioGroup = sourceGroup(QStringLiteral("Latitude"), this);
    LonRadioGroup = sourceGroup(QStringLiteral("Longitude"), this);
    DirRadioGroup = sourceGroup(QStringLiteral("Course"), this);
    SpeRadioGroup = sourceGroup(QStringLiteral("Speed"), this);
    CurDirRadioGroup = manualOnlyGroup(QStringLiteral("Current Direction"), this);
    CurSpeRadioGroup = manualOnlyGroup(QStringLiteral("Current Speed"), this);
    WindDirRadioGroup = manualOnlyGroup(QStringLiteral("Wind Direction"), this);
    WindSpeRadioGroup = manualOnlyGroup(QStringLiteral("Wind Speed"), this);

    MaskLat = maskedField(positionMask, QStringLiteral("Latitude"), manualHint, ManualField::Lat);
    MaskLatNS = new HemisphereField(QLatin1Char('N'), QLatin1Char('S'), this);
    MaskLon = maskedField(positionMask, QStringLiteral("Longitude"), manualHint, ManualField::Lon);
    MaskLonWE = new HemisphereField(QLatin1Char('W'), QLatin1Char('E'), this);
    QFont positionFont(QStringLiteral("Times New Roman"));
    positionFont.setStyleHint(QFont::Serif);
    positionFont.setBold(true);
    MaskLat->setFont(positionFont);
    MaskLon->setFont(positionFont);
    MaskDir =
        maskedField(threeDigitMask, QStringLiteral("Course"), courseHint, ManualField::Course);
    MaskSpe = maskedField(threeDigitMask, QStringLiteral("Speed"), speedHint, ManualField::Speed);
    MaskCurDir = maskedField(threeDigitMask, QStringLiteral("Current Direction"), directionHint,
                             ManualField::CurrentDir);
    MaskCurSpe = maskedField(threeDigitMask, QStringLiteral("Current Speed"), speedHint,
                             ManualField::CurrentSpeed);
    MaskWindDir = maskedField(threeDigitMask, QStringLiteral("Wind Direction"), directionHint,
                              ManualField::WindDir);
    MaskWindSpe = maskedField(threeDigitMask, QStringLiteral("Wind Speed"), speedHint,
                              ManualField::WindSpeed);

    Panel1 = new QLabel(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setMinimumHeight(24);
    Panel1->setToolTip(QStringLiteral("Present value on mouse move."));
    OKBtn = new QPushButton(QStringLiteral("OK (=set)"), this);
    OKBtn->setToolTip(QStringLiteral("Close window and set values."));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize); // a dialog of fixed size, like the others
    const auto addRow = [&](int row, RadioGroup* group, QWidget* field, QWidget* letter) {
        grid->addWidget(group, row, 0);
        grid->addWidget(field, row, 1);
        if (letter)
            grid->addWidget(letter, row, 2);
    };
    addRow(0, LatRadioGroup, MaskLat, MaskLatNS);
    addRow(1, LonRadioGroup, MaskLon, MaskLonWE);
    addRow(2, DirRadioGroup, MaskDir, nullptr);
    addRow(3, SpeRadioGroup, MaskSpe, nullptr);
    addRow(4, CurDirRadioGroup, MaskCurDir, nullptr);
    addRow(5, CurSpeRadioGroup, MaskCurSpe, nullptr);
    addRow(6, WindDirRadioGroup, MaskWindDir, nullptr);
    addRow(7, WindSpeRadioGroup, MaskWindSpe, nullptr);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Panel1, 1);
    bottom->addWidget(OKBtn);
    bottom->addWidget(HelpBtn);
    grid->addLayout(bottom, 8, 0, 1, 3);

    connect(OKBtn, &QPushButton::clicked, this, &TVimoSourDlg::OKBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });
    connect(CurDirRadioGroup, &RadioGroup::clicked, this, &TVimoSourDlg::CurDirRadioGroupClick);
}

MaskedField* TVimoSourDlg::maskedField(const QString& mask, const QString& name,
                                       const QString& hint, ManualField field) {
    MaskedField* edit = maskedEdit(mask, name, QString(), hint, context_.dialogs, this);
    edit->setMouseTracking(true);
    edit->installEventFilter(this);
    fieldOf_[edit] = field;
    return edit;
}

void TVimoSourDlg::FormActivate() {
    const NavState& nav = context_.program.nav;
    LatRadioGroup->setItemIndex(nav.ManualLat ? itemManual : itemGps);
    LonRadioGroup->setItemIndex(nav.ManualLon ? itemManual : itemGps);
    DirRadioGroup->setItemIndex(nav.ManualCourse ? itemManual : itemGps);
    SpeRadioGroup->setItemIndex(nav.ManualSpeed ? itemManual : itemGps);
    for (RadioGroup* group :
         {CurDirRadioGroup, CurSpeRadioGroup, WindDirRadioGroup, WindSpeRadioGroup})
        group->setItemIndex(0);
}

ManualEntry TVimoSourDlg::typedEntry() const {
    return {maskedText(MaskLat),     MaskLatNS->text().toStdString(),
            maskedText(MaskLon),     MaskLonWE->text().toStdString(),
            maskedText(MaskDir),     maskedText(MaskSpe),
            maskedText(MaskCurDir),  maskedText(MaskCurSpe),
            maskedText(MaskWindDir), maskedText(MaskWindSpe)};
}

void TVimoSourDlg::OKBtnClick() {
    if (!fieldsComplete(
            {MaskLat, MaskLon, MaskDir, MaskSpe, MaskCurDir, MaskCurSpe, MaskWindDir, MaskWindSpe}))
        return;
    NavState& nav = context_.program.nav;
    const QString manual = QStringLiteral("Manual");
    nav.ManualLat = LatRadioGroup->selectedText() == manual;
    nav.ManualLon = LonRadioGroup->selectedText() == manual;
    nav.ManualCourse = DirRadioGroup->selectedText() == manual;
    nav.ManualSpeed = SpeRadioGroup->selectedText() == manual;
    ApplyManualValues(nav, typedEntry());
    accept();
}

void TVimoSourDlg::MaskLatNSClick() {
    MaskLatNS->toggle();
}

void TVimoSourDlg::MaskLonWEClick() {
    MaskLonWE->toggle();
}

// Stores the typed current direction at once; a text that does not read changes nothing
// (the next OK stores 0 for it).
void TVimoSourDlg::CurDirRadioGroupClick() {
    if (!fieldsComplete({MaskCurDir}))
        return;
    if (const auto direction = readNumber(maskedText(MaskCurDir)))
        context_.program.nav.CurrentDir = Real48(*direction);
}

bool TVimoSourDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto field = fieldOf_.find(watched);
        if (field != fieldOf_.end())
            Panel1->setText(toQString(
                valueInUseText(field->second, context_.program.nav, systemDecimalSeparator())));
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brisomar
