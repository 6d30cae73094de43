#include "records/Vimolog.h"

#include "base/clock.h"
#include "base/coord_text.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/number_text.h"
#include "base/qt_files.h"
#include "base/qt_text.h"
#include "records/logbook.h"

#include <QDate>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace brisomar {

namespace {

const Dialogs::FileChoice logFiles{QString(), QStringLiteral("Log-files (*.LOG *.log)"),
                                   QStringLiteral("LOG")};

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(hint);
    return b;
}

QLineEdit* edit(const QString& hint, bool readOnly, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setToolTip(hint);
    e->setReadOnly(readOnly);
    return e;
}

// A record whose date is damaged shows the rest of it with dashes for its date and time.
QString dateAndTimeText(double dateTime) {
    if (!isDateTime(dateTime))
        return QStringLiteral("Date: -- Time: --");
    const LocalDateTime t = fromDateTimeValue(dateTime);
    const QDate date(t.year, t.month, t.day);
    return QStringLiteral("Date: ") + QLocale().toString(date, QLocale::ShortFormat) +
           QStringLiteral(" Time: ") + longTimeText(dayFraction(t));
}

// A From or To field that lost the focus: its integer, or 0 shown as "0".
int readRangeField(QLineEdit* field) {
    const auto value = readInteger(field->text().toStdString());
    if (!value)
        field->setText(QStringLiteral("0"));
    return value.value_or(0);
}

} // namespace

TVimoLogDlg::TVimoLogDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Brisomar - Logbook"));
    setHelpContext(context_.help, helpContext);
    LogTimer = new QTimer(this);
    LogTimer->setInterval(timerIntervalMs);
    connect(LogTimer, &QTimer::timeout, this, &TVimoLogDlg::LogTimerTimer);
    LogTimer->start();
}

void TVimoLogDlg::buildControls() {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    LogOnBtn = button(QStringLiteral("Log : Off"), QStringLiteral("Log On/Off."), this);
    SpinIntervall = arrowsOnlySpinBox(5, 60, 5, 5, QStringLiteral("Log-interval (minutes)."), this);
    FilePathEdit = edit(QStringLiteral("Click use-button to select log-file"), true, this);
    UseBtn = button(QStringLiteral("Use"), QStringLiteral("Select log-file"), this);
    OpenBtn = button(QStringLiteral("Open"), QStringLiteral("Open log-file"), this);
    TextEdit = edit(QStringLiteral("Enter text to save in log-file."), false, this);
    TextEdit->setText(toQString(context_.program.logbook.LogText));
    connect(TextEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { context_.program.logbook.LogText = text.toStdString(); });
    OKBtn = button(QStringLiteral("Close"), QStringLiteral("Close window."), this);
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);

    auto* form = new QFormLayout;
    form->addRow(LogOnBtn);
    form->addRow(QStringLiteral("Interval"), SpinIntervall);
    auto* path = new QHBoxLayout;
    path->addWidget(FilePathEdit, 1);
    path->addWidget(UseBtn);
    path->addWidget(OpenBtn);
    form->addRow(QStringLiteral("File-path"), path);
    form->addRow(QStringLiteral("Log-Text"), TextEdit);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buildViewer());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(HelpBtn);
    column->addLayout(buttons);

    connect(LogOnBtn, &QPushButton::clicked, this, &TVimoLogDlg::LogOnBtnClick);
    connect(UseBtn, &QPushButton::clicked, this, &TVimoLogDlg::UseBtnClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TVimoLogDlg::OpenBtnClick);
    connect(SpinIntervall, &QSpinBox::valueChanged, this, &TVimoLogDlg::SpinIntervallChange);
    connect(FromEdit, &QLineEdit::editingFinished, this, &TVimoLogDlg::FromEditExit);
    connect(ToEdit, &QLineEdit::editingFinished, this, &TVimoLogDlg::ToEditExit);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });
}

QWidget* TVimoLogDlg::buildViewer() {
    auto* group = new QGroupBox(QStringLiteral("View log-file"), this);
    auto* column = new QVBoxLayout(group);
    LabelPosition = new QLabel(group);
    LabelDirPos = new QLabel(group);
    LabelTime = new QLabel(group);
    LabelText = new QLabel(group);
    for (QLabel* label : {LabelPosition, LabelDirPos, LabelTime, LabelText})
        column->addWidget(label);
    Edit1 = edit(QString(), true, group);
    auto* steps = new QHBoxLayout;
    steps->addWidget(new QLabel(QStringLiteral("File record:"), group));
    steps->addWidget(Edit1);
    for (const int records : {1, 10, 100, -1, -10, -100}) {
        auto* b =
            new QPushButton(QStringLiteral("%1%2").arg(records > 0 ? "+" : "").arg(records), group);
        connect(b, &QPushButton::clicked, this, [this, records] { step(records); });
        steps->addWidget(b);
    }
    column->addLayout(steps);
    FromEdit = edit(QStringLiteral("Show from this record."), false, group);
    ToEdit = edit(QStringLiteral("Show to this record."), false, group);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Show in chart:"), group));
    range->addWidget(new QLabel(QStringLiteral("From:"), group));
    range->addWidget(FromEdit);
    range->addWidget(new QLabel(QStringLiteral("To:"), group));
    range->addWidget(ToEdit);
    column->addLayout(range);
    return group;
}

void TVimoLogDlg::LogTimerTimer() {
    if (controlsBuilt())
        showLogFile();
}

void TVimoLogDlg::LogOnBtnClick() {
    context_.program.nav.LogOn = !context_.program.nav.LogOn;
    showLogOn();
}

void TVimoLogDlg::showLogOn() {
    LogOnBtn->setText(context_.program.nav.LogOn ? QStringLiteral("Log : On")
                                                 : QStringLiteral("Log : Off"));
}

void TVimoLogDlg::UseBtnClick() {
    Dialogs::FileChoice choice = logFiles;
    choice.title = QStringLiteral("Use as log-file");
    const auto path = context_.dialogs.saveFileName(choice, false);
    if (!path || refusedAsDataFile(context_.dialogs, context_.files, *path))
        return;
    if (context_.program.logbook.useFile(context_.files, path->toStdString()))
        showLogFile();
    else
        FilePathEdit->setText(QStringLiteral("Error:Wrong FileName"));
}

// The file logged to, and why its last write failed until one succeeds.
void TVimoLogDlg::showLogFile() {
    const Logbook& log = context_.program.logbook;
    if (!log.LogFileSelected)
        return;
    QString text = toQString(log.LogFileName);
    if (!context_.program.nav.LogWriteFailure.empty())
        text = QStringLiteral("Last write failed (%1): %2")
                   .arg(toQString(context_.program.nav.LogWriteFailure), text);
    FilePathEdit->setText(text);
}

void TVimoLogDlg::OpenBtnClick() {
    Dialogs::FileChoice choice = logFiles;
    choice.title = QStringLiteral("Open log-file");
    const auto path = context_.dialogs.openFileName(choice);
    if (!path || refusedAsDataFile(context_.dialogs, context_.files, *path))
        return;
    const auto first = context_.program.logbook.openView(context_.files, path->toStdString());
    if (!first) {
        Edit1->setText(QStringLiteral("Error"));
        return;
    }
    showRecord(*first);
    Edit1->setText(QStringLiteral("1"));
}

void TVimoLogDlg::step(int records) {
    Logbook& log = context_.program.logbook;
    if (!log.stepView(records))
        return;
    Edit1->setText(QString::number(log.LogViewRecord));
    if (const auto record = log.viewedRecord(context_.files))
        showRecord(*record);
    else
        context_.dialogs.information(QStringLiteral("File error!"));
}

void TVimoLogDlg::showRecord(const TLogRecord& record) {
    const char separator = systemDecimalSeparator();
    LabelPosition->setText(
        toQString("Position: " + LatToText(record.Lat) + " " + LonToText(record.Lon)));
    LabelDirPos->setText(toQString("Course: " + FloatToStr(record.Course, separator) + " °" +
                                   " Speed: " + FloatToStr(record.Speed, separator) + " kn"));
    LabelTime->setText(dateAndTimeText(record.DateTime));
    LabelText->setText(toQString(record.Text));
}

void TVimoLogDlg::SpinIntervallChange() {
    context_.program.nav.LogInterval = SpinIntervall->value();
}

void TVimoLogDlg::FromEditExit() {
    context_.program.logbook.LogShowFrom = readRangeField(FromEdit);
}

void TVimoLogDlg::ToEditExit() {
    context_.program.logbook.LogShowTo = readRangeField(ToEdit);
}

void TVimoLogDlg::FormActivate() {
    showLogOn();
    FilePathEdit->setText(toQString(context_.program.logbook.LogFileName));
    showLogFile();
    SpinIntervall->setValue(context_.program.nav.LogInterval);
}

} // namespace brisomar
