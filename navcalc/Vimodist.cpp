#include "navcalc/Vimodist.h"

#include "base/coord_text.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/qt_text.h"
#include "navcalc/navigation_math.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace brisomar {

namespace {

const QString positionMask = QStringLiteral("000°00.000;1;_");
const QString latitudeHint = QStringLiteral("Input latitude. Ex:057°30,000");
const QString longitudeHint = QStringLiteral("Input longitude. Ex:019°30,000");

// A typed angle in degrees, negated when its hemisphere field holds `negativeLetter`.
Real48 typedAngle(long double degrees, const QLineEdit* hemisphere, char negativeLetter) {
    return Real48(signedByHemisphere(degrees, hemisphere->text().toStdString(), negativeLetter));
}

Real48 typedLatitude(const QLineEdit* field, const QLineEdit* hemisphere) {
    return typedAngle(TextToLat(maskedText(field)), hemisphere, 'S');
}

Real48 typedLongitude(const QLineEdit* field, const QLineEdit* hemisphere) {
    return typedAngle(TextToLon(maskedText(field)), hemisphere, 'E');
}

} // namespace

TVimoDistDlg::TVimoDistDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar-distance"));
    setHelpContext(context_.help, helpContext);
    setFixedClientSize(clientWidth, clientHeight);
}

void TVimoDistDlg::buildControls() {
    Dialogs& dialogs = context_.dialogs;
    Label1 = new QLabel(QStringLiteral("Position A"), this);
    Label2 = new QLabel(QStringLiteral("Position B"), this);
    Label3 = new QLabel(QStringLiteral("Latitude"), this);
    Label4 = new QLabel(QStringLiteral("Longitude"), this);
    // Each field is named by its row and its column, as the sailor sees them.
    const auto field = [&](const QLabel* row, const QLabel* column, const QString& hint) {
        return maskedEdit(positionMask, QStringLiteral("%1 (%2)").arg(row->text(), column->text()),
                          QString(), hint, dialogs, this);
    };
    MaskLatA = field(Label3, Label1, latitudeHint);
    MaskLonA = field(Label4, Label1, longitudeHint);
    MaskLatB = field(Label3, Label2, latitudeHint);
    MaskLonB = field(Label4, Label2, longitudeHint);
    EditAnswer = new QLineEdit(this);
    EditAnswer->setReadOnly(true);
    EditAnswer->setToolTip(QStringLiteral("Answer."));
    CalcBtn = new QPushButton(QStringLiteral("Calc."), this);
    CalcBtn->setToolTip(QStringLiteral("Calculate distance."));
    MaskLatBNS = new HemisphereField(QLatin1Char('N'), QLatin1Char('S'), this);
    MaskLatANS = new HemisphereField(QLatin1Char('N'), QLatin1Char('S'), this);
    MaskLonBWE = new HemisphereField(QLatin1Char('W'), QLatin1Char('E'), this);
    MaskLonAWE = new HemisphereField(QLatin1Char('W'), QLatin1Char('E'), this);
    layOut();

    connect(CalcBtn, &QPushButton::clicked, this, &TVimoDistDlg::CalcBtnClick);
}

void TVimoDistDlg::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 1, 1, 2);
    grid->addWidget(Label2, 0, 3, 1, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(MaskLatANS, 1, 1);
    grid->addWidget(MaskLatA, 1, 2);
    grid->addWidget(MaskLatBNS, 1, 3);
    grid->addWidget(MaskLatB, 1, 4);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(MaskLonAWE, 2, 1);
    grid->addWidget(MaskLonA, 2, 2);
    grid->addWidget(MaskLonBWE, 2, 3);
    grid->addWidget(MaskLonB, 2, 4);
    grid->addWidget(CalcBtn, 3, 0);
    grid->addWidget(EditAnswer, 3, 1, 1, 4);

    QWidget* const order[] = {MaskLatANS, MaskLatA,   MaskLatBNS, MaskLatB, MaskLonAWE,
                              MaskLonA,   MaskLonBWE, MaskLonB,   CalcBtn,  EditAnswer};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TVimoDistDlg::FormActivate() {
    MaskLatANS->setText(QStringLiteral("N"));
    MaskLatBNS->setText(QStringLiteral("N"));
    MaskLonAWE->setText(QStringLiteral("W"));
    MaskLonBWE->setText(QStringLiteral("W"));
}

void TVimoDistDlg::MaskLatANSClick() {
    MaskLatANS->toggle();
}

void TVimoDistDlg::MaskLatBNSClick() {
    MaskLatBNS->toggle();
}

void TVimoDistDlg::MaskLonAWEClick() {
    MaskLonAWE->toggle();
}

void TVimoDistDlg::MaskLonBWEClick() {
    MaskLonBWE->toggle();
}

void TVimoDistDlg::CalcBtnClick() {
    if (!fieldsComplete({MaskLatA, MaskLonA, MaskLatB, MaskLonB}))
        return;
    const Real48 distance =
        DistanceNm(typedLatitude(MaskLatA, MaskLatANS), typedLongitude(MaskLonA, MaskLonAWE),
                   typedLatitude(MaskLatB, MaskLatBNS), typedLongitude(MaskLonB, MaskLonBWE));
    EditAnswer->setText(toQString(distanceAnswer(distance, systemDecimalSeparator())));
}

} // namespace brisomar
