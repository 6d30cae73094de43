#include "navcalc/Vimoposi.h"

#include "base/help.h"

#include <QKeySequence>
#include <QLabel>
#include <QVBoxLayout>

namespace brisomar {

namespace {

constexpr int clientWidth = 283;
constexpr int clientHeight = 29;
constexpr int bevelWidth = 2;

} // namespace

TVimoPosiDlg::TVimoPosiDlg(UiContext& context, QWidget* parent)
    : ProgramWindow(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Brisomar mouse position"));
    setHelpContext(context_.help, helpContext);
    Panel1 = new QLabel(QStringLiteral("Lat/Lon"), this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(bevelWidth);
    Panel1->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    setFixedClientSize(clientWidth, clientHeight);
}

void TVimoPosiDlg::showPosition(const QString& text) {
    Panel1->setText(text);
}

} // namespace brisomar
