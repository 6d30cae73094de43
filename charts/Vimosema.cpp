#include "charts/Vimosema.h"

#include "base/coord_text.h"
#include "base/dialogs.h"
#include "base/help.h"
#include "base/masked_fields.h"
#include "base/qt_files.h"
#include "base/qt_palette.h"
#include "base/qt_text.h"
#include "charts/Vimounus.h"
#include "charts/chart_geometry.h"
#include "charts/qt_chart_image.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int timerIntervalMs = 1000;
const QSize previewSize(185, 163);

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(hint);
    return b;
}

} // namespace

TVimosemaDlg::TVimosemaDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context), selection_(context.program.selection) {
    setWindowTitle(QStringLiteral("Brisomar - Select Chart"));
    setHelpContext(context_.help, helpContext);
    setCentredOnScreen();
    setFixedClientSize(clientWidth, clientHeight);
    selection_.onRecordShown = [this](int record) {
        if (controlsBuilt())
            recordShown(record);
    };
    Timer1 = new QTimer(this);
    Timer1->setInterval(timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TVimosemaDlg::Timer1Timer);
    Timer1->start();
}

void TVimosemaDlg::buildControls() {
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(11);
    setFont(bold);

    FilePathEdit = new QLineEdit(this);
    FilePathEdit->setReadOnly(true);
    FilePathEdit->setFocusPolicy(Qt::NoFocus);
    FilePathEdit->setToolTip(QStringLiteral("Click open-button to select map-file"));
    OpenBtn = button(QStringLiteral("Open"), QStringLiteral("Open map-file"), this);
    OKBtn = button(QStringLiteral("Close"), QStringLiteral("Close window."), this);
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    SpinFilePos = arrowsOnlySpinBox(1, mapRecordCount, 1, 1,
                                    QStringLiteral("Select record from map-file (1-25)."), this);
    AutoSelectBtn =
        button(QStringLiteral("Auto Select: Off"), QStringLiteral("Auto-Select BMP-file"), this);
    Show1Btn =
        button(QStringLiteral("Show"), QStringLiteral("Show BMP-picture. (Toggle stretch.)"), this);
    auto* group = new QGroupBox(QStringLiteral("Map information"), this);
    auto* info = new QVBoxLayout(group);
    for (QLabel** label :
         {&LabelFileName, &LabelInfoText, &LabelNWLat, &LabelNWLon, &LabelSELat, &LabelSELon}) {
        *label = new QLabel(group);
        info->addWidget(*label);
    }
    Image1 = new QLabel(this);
    Image1->setFixedSize(previewSize);
    Image1->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("File-path:"), this), 0, 0);
    grid->addWidget(FilePathEdit, 0, 1, 1, 3);
    grid->addWidget(OpenBtn, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("File record:"), this), 1, 0);
    grid->addWidget(SpinFilePos, 1, 1);
    grid->addWidget(AutoSelectBtn, 1, 2);
    grid->addWidget(Show1Btn, 1, 3);
    grid->addWidget(group, 2, 0, 1, 3);
    grid->addWidget(Image1, 2, 3, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(HelpBtn);
    grid->addLayout(buttons, 3, 0, 1, 5);

    connect(OpenBtn, &QPushButton::clicked, this, &TVimosemaDlg::OpenBtnClick);
    connect(SpinFilePos, &QSpinBox::valueChanged, this, &TVimosemaDlg::SpinFilePosChange);
    connect(AutoSelectBtn, &QPushButton::clicked, this, &TVimosemaDlg::AutoSelectBtnClick);
    connect(Show1Btn, &QPushButton::clicked, this, &TVimosemaDlg::Show1BtnClick);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        Image1->hide();
        accept();
    });
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });
    showSelection();
}

// The map file and record in use, which may have been chosen before the controls were built.
void TVimosemaDlg::showSelection() {
    if (!context_.program.chart.MapFilePath.empty())
        recordShown(context_.program.chart.MapIndex);
    FormActivate();
}

void TVimosemaDlg::ShowMapRecordInfo(int n) {
    const MapRecord& r = context_.program.chart.Table[n - 1];
    LabelFileName->setText(toQString(recordCaption("Path:", r.FileName)));
    LabelInfoText->setText(toQString(recordCaption("Text:", r.InfoText)));
    const ChartCorners corners = recordCorners(r);
    LabelNWLat->setText(toQString("North Latitude: " + LatToText(corners.NWLat)));
    LabelSELat->setText(toQString("South Latitude: " + LatToText(corners.SELat)));
    LabelNWLon->setText(toQString("West Longitude: " + LonToText(corners.NWLon)));
    LabelSELon->setText(toQString("East Longitude: " + LonToText(corners.SELon)));
}

// The selection moved to `record`: the field, the labels and the preview follow it.
void TVimosemaDlg::recordShown(int record) {
    Image1->hide();
    const QSignalBlocker quiet(SpinFilePos);
    SpinFilePos->setValue(record);
    ShowMapRecordInfo(record);
}

void TVimosemaDlg::OpenBtnClick() {
    const auto path = context_.dialogs.openFileName({QStringLiteral("Open map-file"),
                                                     QStringLiteral("MAP-files (*.MAP *.map)"),
                                                     QStringLiteral("MAP")});
    if (!path || refusedAsDataFile(context_.dialogs, context_.files, *path))
        return;
    bool opened = false;
    warn(selection_.openMapFile(context_.files, path->toStdString(), opened));
    if (!opened) {
        const QSignalBlocker quiet(SpinFilePos);
        SpinFilePos->setValue(1);
        showAutoSelect();
    }
    FilePathEdit->setText(toQString(context_.program.chart.MapFilePath));
}

void TVimosemaDlg::SpinFilePosChange() {
    warn(selection_.showRecord(context_.files, SpinFilePos->value()));
}

void TVimosemaDlg::Show1BtnClick() {
    const ChartState& chart = context_.program.chart;
    if (!chart.ChartUsable) {
        Image1->hide();
        return;
    }
    Image1Stretch = !Image1Stretch;
    const auto image = readChartImage(toQString(chart.ChartFileName));
    if (!image) {
        context_.dialogs.warning(
            QStringLiteral("Cannot read %1").arg(toQString(chart.ChartFileName)));
        return;
    }
    const QImage shown = Image1Stretch ? reducedImage(*image, previewSize)
                                       : image->copy(QRect(QPoint(0, 0), previewSize));
    Image1->setPixmap(QPixmap::fromImage(paletteImage(shown, shownPalette())));
    Image1->show();
}

void TVimosemaDlg::AutoSelectBtnClick() {
    context_.program.chart.AutoSelect = !context_.program.chart.AutoSelect;
    showAutoSelect();
}

void TVimosemaDlg::showAutoSelect() {
    AutoSelectBtn->setText(context_.program.chart.AutoSelect ? QStringLiteral("Auto Select: On")
                                                             : QStringLiteral("Auto Select: Off"));
}

void TVimosemaDlg::Timer1Timer() {
    const bool noticeWanted = selection_.noticeWanted();
    QDialog* notice = context_.windows.unusDlg;
    if (!notice)
        return;
    if (noticeWanted && !notice->isVisible()) {
        notice->show();
        notice->raise();
    } else if (!noticeWanted && notice->isVisible()) {
        notice->hide();
    }
}

void TVimosemaDlg::FormActivate() {
    showAutoSelect();
    FilePathEdit->setText(toQString(context_.program.chart.MapFilePath));
}

void TVimosemaDlg::warn(const std::optional<std::string>& warning) {
    if (warning)
        context_.dialogs.warning(toQString(*warning));
}

// However the dialog is closed, the chart it shows is asked for again when usable.
void TVimosemaDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    warn(selection_.SelectMapRecord(context_.files));
}

} // namespace brisomar
