#include "navcalc/Vimoposi.h"

#include "app/help.h"

#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int clientWidth = 283;
constexpr int clientHeight = 29;
constexpr int bevelWidth = 2;

} // namespace

TVimoPosiDlg::TVimoPosiDlg(UiContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Brisomar mouse position"));
    Panel1 = new QLabel(QStringLiteral("Lat/Lon"), this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(bevelWidth);
    Panel1->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    setFixedSize(clientWidth, clientHeight);
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this,
            [this] { context_.help.showContext(helpContext); });
}

void TVimoPosiDlg::showPosition(const QString& text) {
    Panel1->setText(text);
}

} // namespace brisomar
