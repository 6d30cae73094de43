#include "navcalc/Vimoseti.h"

#include "base/help.h"
#include "base/qt_palette.h"
#include "base/qt_text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int clientWidth = 269;
constexpr int clientHeight = 128;
constexpr int labelSpacing = 2;

const AccumulatorKind sailTime{"Brisomar-sailtime",
                               SailTimeAdd,
                               clearSailTime,
                               sailTimeThisText,
                               sailTimeSumText,
                               "0",
                               &ToolValues::SailTimeCount,
                               &ToolValues::SailTimeAutoAdd};

// Black when on, the palette's grey text when off. Only the enabled states change, so the
// disabled state keeps the grey to take.
void setCaptionColour(QPushButton* button, bool on) {
    QPalette palette = button->palette();
    const QColor colour = on ? shownColour(Qt::black, QPalette::ButtonText)
                             : palette.color(QPalette::Disabled, QPalette::ButtonText);
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
}

} // namespace

AccumulatorDlg::AccumulatorDlg(UiContext& context, const AccumulatorKind& kind, QWidget* parent)
    : ProgramWindow(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context), kind_(kind) {
    setWindowTitle(QString::fromLatin1(kind.caption));
    setHelpContext(context_.help, helpContext);
    buildGroupBox();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GroupBox1);
    setFixedClientSize(clientWidth, clientHeight);
    setCaptionColour(AutoAddBtn, true);
    connectButtons();
}

void AccumulatorDlg::buildGroupBox() {
    GroupBox1 = new QGroupBox(this);
    LabelThis = new QLabel(QStringLiteral("0"), GroupBox1);
    LabelSum = new QLabel(QStringLiteral("0"), GroupBox1);
    ClearBtn = new QPushButton(QStringLiteral("Clear"), GroupBox1);
    AddBtn = new QPushButton(QStringLiteral("Add"), GroupBox1);
    LabelCount = new QLabel(QStringLiteral("0"), GroupBox1);
    AutoAddBtn = new QPushButton(QStringLiteral("Auto Add"), GroupBox1);
    for (QPushButton* button : {ClearBtn, AddBtn, AutoAddBtn})
        button->setAutoDefault(false);

    auto* column = new QVBoxLayout(GroupBox1);
    column->setSpacing(labelSpacing);
    column->addWidget(LabelThis);
    column->addWidget(LabelSum);
    column->addWidget(LabelCount);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ClearBtn);
    buttons->addWidget(AddBtn);
    buttons->addWidget(AutoAddBtn);
    column->addLayout(buttons);
}

void AccumulatorDlg::connectButtons() {
    connect(ClearBtn, &QPushButton::clicked, this, &AccumulatorDlg::ClearBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &AccumulatorDlg::AddBtnClick);
    connect(AutoAddBtn, &QPushButton::clicked, this, &AccumulatorDlg::AutoAddBtnClick);
}

// The last measurement stays on show.
void AccumulatorDlg::ClearBtnClick() {
    kind_.clear(tools());
    LabelSum->setText(QString::fromLatin1(kind_.clearedSumText));
    showCount();
}

void AccumulatorDlg::AddBtnClick() {
    add();
}

void AccumulatorDlg::AutoAddBtnClick() {
    bool& autoAdd = tools().*kind_.autoAdd;
    autoAdd = !autoAdd;
    setCaptionColour(AutoAddBtn, autoAdd);
}

void AccumulatorDlg::showThis() {
    LabelThis->setText(toQString(kind_.thisText(tools(), systemDecimalSeparator())));
}

// Adds whatever was measured last, again if it was added already.
void AccumulatorDlg::add() {
    kind_.add(tools());
    LabelSum->setText(toQString(kind_.sumText(tools(), systemDecimalSeparator())));
    showCount();
}

void AccumulatorDlg::showCount() {
    LabelCount->setText(QString::number(tools().*kind_.count));
}

TVimoSailTimeDlg::TVimoSailTimeDlg(UiContext& context, QWidget* parent)
    : AccumulatorDlg(context, sailTime, parent) {}

} // namespace brisomar
