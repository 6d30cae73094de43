#include "charts/Vimounus.h"

#include <QLabel>
#include <QVBoxLayout>

namespace brisomar {

TVimounusdlg::TVimounusdlg(QWidget* parent)
    : ProgramWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Brisomar Chart information"));
    auto* layout = new QVBoxLayout(this);
    Panel1 =
        new QLabel(QStringLiteral("Chart unusable! Select another, Ctrl+M (chart menu)."), this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    Panel1->setPalette(palette);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace brisomar
