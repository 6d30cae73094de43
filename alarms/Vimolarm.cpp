#include "alarms/Vimolarm.h"

#include "ais/ais_targets.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/qt_text.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace brisomar {

namespace {

enum Column { CaptionColumn, OnColumn, ActiveColumn, FirstColumn, SecondColumn, UnitColumn };

const QString positionMask = QStringLiteral("000°00.000;1;_");

// A limit field is named for the sailor by its row's caption, and by its column where the row
// has two: "Communication GPS", "Change of course (Max)".
QString rowName(AlarmSlot slot, const char* column = nullptr) {
    const QString caption = QString::fromLatin1(alarmCaption(slot)).trimmed();
    return column ? QStringLiteral("%1 (%2)").arg(caption, QLatin1String(column)) : caption;
}

} // namespace

TVimoLarmDlg::TVimoLarmDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context), monitor_(context.program.alarms) {
    setWindowTitle(QStringLiteral("Brisomar - Alarm"));
    setHelpContext(context_.help, helpContext);
    Timer1 = new QTimer(this);
    Timer1->setInterval(initialIntervalSeconds * 1000);
    connect(Timer1, &QTimer::timeout, this, &TVimoLarmDlg::Timer1Timer);
    Timer1->start();
}

void TVimoLarmDlg::buildControls() {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    buildRows();
    FormActivate();
}

// A limit field showing the monitor's text for it and keeping that text as typed.
MaskedField* TVimoLarmDlg::limitField(const QString& mask, const QString& name, std::string& text,
                                      const QString& hint, AlarmLimit shown) {
    MaskedField* field = maskedEdit(mask, name, toQString(text), hint, context_.dialogs, this);
    connect(field, &QLineEdit::textChanged, this, [field, &text] { text = maskedText(field); });
    field->setMouseTracking(true);
    field->installEventFilter(this);
    limitOf_[field] = shown;
    return field;
}

HemisphereField* TVimoLarmDlg::hemisphereField(QChar first, QChar other, std::string& text) {
    auto* field = new HemisphereField(first, other, this);
    field->setText(toQString(text));
    connect(field, &QLineEdit::textChanged, this,
            [&text](const QString& changed) { text = changed.toStdString(); });
    return field;
}

void TVimoLarmDlg::buildRows() {
    using L = AlarmLimit;
    using S = AlarmSlot;
    AlarmFieldTexts& f = monitor_.fields;
    MaskMinDirBox = limitField("000;1;_", rowName(S::Course, "Min"), f.minDir,
                               "Input min direction (boat).", L::MinDir);
    MaskMaxDirBox = limitField("000;1;_", rowName(S::Course, "Max"), f.maxDir,
                               "Input max direction (boat).", L::MaxDir);
    MaskMinSpeBox = limitField("00;1;_", rowName(S::Speed, "Min"), f.minSpe,
                               "Input min speed (boat).", L::MinSpe);
    MaskMaxSpeBox = limitField("00;1;_", rowName(S::Speed, "Max"), f.maxSpe,
                               "input max speed (boat).", L::MaxSpe);
    MaskMinWindBox = limitField("000;1;_", rowName(S::WindDirection, "Min"), f.minWind,
                                "Input min winddirection 0-360.", L::MinWind);
    MaskMaxWindBox = limitField("000;1;_", rowName(S::WindDirection, "Max"), f.maxWind,
                                "Input max winddirection 0-360.", L::MaxWind);
    MaskMinWindForceBox = limitField("000;1;_", rowName(S::WindForce, "Min"), f.minWindForce,
                                     "Input min windforce. ", L::MinWindForce);
    MaskMaxWindforceBox = limitField("000;1;_", rowName(S::WindForce, "Max"), f.maxWindForce,
                                     "Input max windforce.", L::MaxWindForce);
    MaskSeconds = limitField("000;1;_", rowName(S::GpsSilence), f.seconds, "Input time in seconds.",
                             L::CommSeconds);
    MaskMeter = limitField("00000;1;_", rowName(S::Divergence), f.meter, "Input distance in meter.",
                           L::DivMeter);
    MaskLatNS = hemisphereField(QLatin1Char('N'), QLatin1Char('S'), f.latNS);
    MaskLat = limitField(positionMask, rowName(S::LatitudePassage), f.lat,
                         "Input latitude. Ex:057°30,000", L::PassLat);
    MaskLonWE = hemisphereField(QLatin1Char('W'), QLatin1Char('E'), f.lonWE);
    MaskLon = limitField(positionMask, rowName(S::LongitudePassage), f.lon,
                         "Input longitude. Ex:018°00,000", L::PassLon);
    MaskDepth = limitField("000.0;1;_", rowName(S::DepthBelow), f.depth, "Input the least depth.",
                           L::MinDepth);
    MaskAnchorRadius = limitField("0000;1;_", rowName(S::AnchorWatch), f.anchorRadius,
                                  "Input the anchor radius in meter.", L::AnchorRadius);
    MaskArrivalRadius = limitField("0000;1;_", rowName(S::Arrival), f.arrivalRadius,
                                   "Input the waypoint arrival radius in meter.", L::ArrivalRadius);
    MaskAisCpa =
        limitField("0.0;1;_", rowName(S::AisCollision, "CPA"), f.aisCpa,
                   "Input the closest approach of an AIS target in nautical miles.", L::AisCpa);
    MaskAisTcpa = limitField("00;1;_", rowName(S::AisCollision, "TCPA"), f.aisTcpa,
                             "Input the minutes within which that approach alarms.", L::AisTcpa);

    struct RowText {
        QWidget* first;
        QWidget* second;
        const char* unit;
    };
    const RowText texts[alarmSlotCount] = {{MaskMinDirBox, MaskMaxDirBox, "Degrees"},
                                           {MaskMinSpeBox, MaskMaxSpeBox, "Knots"},
                                           {MaskMinWindBox, MaskMaxWindBox, "Degrees"},
                                           {MaskMinWindForceBox, MaskMaxWindforceBox, "Knots"},
                                           {nullptr, MaskSeconds, "Seconds"},
                                           {nullptr, MaskMeter, "Meter"},
                                           {MaskLatNS, MaskLat, "Lat"},
                                           {MaskLonWE, MaskLon, "Lon"},
                                           {nullptr, nullptr, ""},
                                           {nullptr, MaskDepth, "Meter"},
                                           {nullptr, MaskAnchorRadius, "Meter"},
                                           {nullptr, MaskArrivalRadius, "Meter"},
                                           {MaskAisCpa, MaskAisTcpa, "Nm, min"}};

    auto* grid = new QGridLayout(this);
    const char* headings[] = {"", "On", "Active", "Min", "Max"};
    for (int column = OnColumn; column <= SecondColumn; ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(headings[column]), this), 0, column);
    for (int i = 0; i < alarmSlotCount; ++i) {
        const int row = i + 1 + (i >= static_cast<int>(AlarmSlot::GpsSilence) ? 1 : 0);
        const auto slot = static_cast<AlarmSlot>(i);
        Row& r = rows_[i];
        r.on = new QCheckBox(this);
        r.on->setToolTip(QStringLiteral("Alarmchecking on/off."));
        r.active = new QCheckBox(this);
        r.active->setToolTip(QStringLiteral("Checked when alarm."));
        connect(r.on, &QCheckBox::clicked, this, [this, slot] { OnBoxClick(slot); });
        connect(r.active, &QCheckBox::clicked, this, [this, slot] { ActiveBoxClick(slot); });
        grid->addWidget(new QLabel(QString::fromLatin1(alarmCaption(slot)), this), row,
                        CaptionColumn);
        grid->addWidget(r.on, row, OnColumn);
        grid->addWidget(r.active, row, ActiveColumn);
        for (auto [field, column] :
             {std::pair(texts[i].first, FirstColumn), std::pair(texts[i].second, SecondColumn)}) {
            if (field)
                grid->addWidget(field, row, column);
            if (auto* limit = qobject_cast<MaskedField*>(field))
                r.limits.push_back(limit);
        }
        grid->addWidget(new QLabel(QString::fromLatin1(texts[i].unit), this), row, UnitColumn);
    }
    const int limitRow = static_cast<int>(AlarmSlot::GpsSilence) + 1;
    grid->addWidget(new QLabel(QStringLiteral("Limit"), this), limitRow, SecondColumn);

    Panel1 = new QLabel(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setMinimumSize(120, 24);
    Panel1->setToolTip(QStringLiteral("Present value on mouse move."));
    SpinEdit1 =
        arrowsOnlySpinBox(4, 30, 2, initialIntervalSeconds,
                          QStringLiteral("Set time between alarm checkings (seconds)."), this);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TVimoLarmDlg::SpinEdit1Change);
    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    OKBtn->setToolTip(QStringLiteral("Close window. "));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Panel1, 1);
    bottom->addWidget(SpinEdit1);
    bottom->addWidget(OKBtn);
    bottom->addWidget(HelpBtn);
    grid->addLayout(bottom, alarmSlotCount + 2, 0, 1, UnitColumn + 1);
}

bool TVimoLarmDlg::limitsComplete(AlarmSlot slot) {
    return fieldsComplete(rows_[static_cast<int>(slot)].limits);
}

// Ticking arms the alarm with the limits its row shows now. A limit that is incomplete or does not
// convert is shown and the box unticked again, so that a ticked box always means a watched alarm.
void TVimoLarmDlg::OnBoxClick(AlarmSlot slot) {
    QCheckBox* box = onBox(slot);
    if (!box->isChecked()) {
        monitor_.switchOff(slot);
        return;
    }
    if (!limitsComplete(slot)) {
        box->setChecked(false);
        return;
    }
    if (const auto error = monitor_.switchOn(slot, context_.program.nav)) {
        context_.dialogs.warning(toQString(*error));
        box->setChecked(false);
    }
}

// Unticking the AIS alarm acknowledges the targets raising it.
void TVimoLarmDlg::ActiveBoxClick(AlarmSlot slot) {
    monitor_.active(slot) = activeBox(slot)->isChecked();
    if (slot == AlarmSlot::AisCollision && !monitor_.active(slot)) {
        context_.program.aisTargets.acknowledgeRaising();
        context_.program.nav.AisCollision.clear();
    }
}

void TVimoLarmDlg::Timer1Timer() {
    if (controlsBuilt())
        showActiveBoxes();
}

void TVimoLarmDlg::showActiveBoxes() {
    for (int i = 0; i < alarmSlotCount; ++i)
        rows_[i].active->setChecked(monitor_.AlarmActive[i]);
}

void TVimoLarmDlg::FormActivate() {
    for (int i = 0; i < alarmSlotCount; ++i)
        rows_[i].on->setChecked(monitor_.AlarmOn[i]);
    showActiveBoxes();
}

void TVimoLarmDlg::SpinEdit1Change() {
    monitor_.IntervalSeconds = SpinEdit1->value();
    Timer1->setInterval(SpinEdit1->value() * 1000);
}

bool TVimoLarmDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto limit = limitOf_.find(watched);
        if (limit != limitOf_.end())
            Panel1->setText(toQString(monitor_.limitText(limit->second, systemDecimalSeparator())));
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brisomar
