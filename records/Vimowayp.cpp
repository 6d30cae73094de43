#include "records/Vimowayp.h"

#include "base/dialogs.h"
#include "base/help.h"
#include "base/qt_files.h"
#include "base/qt_text.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

namespace brisomar {

namespace {

const Dialogs::FileChoice waypointFiles{QString(), QStringLiteral("Waypoint files (*.WAY *.way)"),
                                        QStringLiteral("WAY")};

QLineEdit* waypointLineEdit(const QString& text, const QColor& ink, const QColor& paper,
                            QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(true);
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, ink);
    palette.setColor(QPalette::Base, paper);
    edit->setPalette(palette);
    edit->setMinimumWidth(560);
    return edit;
}

} // namespace

TVimoWaypDlg::TVimoWaypDlg(UiContext& context, QWidget* parent)
    : ProgramWindow(parent), context_(context), route_(context.program.route) {
    setWindowTitle(QStringLiteral("Brisomar-Waypoints"));
    setHelpContext(context_.help, helpContext);
    auto* column = new QVBoxLayout(this);
    Edit1 = waypointLineEdit(QStringLiteral("Nr1"), Qt::red, palette().color(QPalette::Base), this);
    Edit2 = waypointLineEdit(QStringLiteral("Nr2"), Qt::black, QColor(192, 192, 192), this);
    column->addWidget(Edit1);
    column->addWidget(Edit2);
    buildMenu();
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
}

void TVimoWaypDlg::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    Load1 = file->addAction(QStringLiteral("Load waypoints"), this, &TVimoWaypDlg::LoadWaypoints);
    Save1 = file->addAction(QStringLiteral("Save waypoints"), this, &TVimoWaypDlg::SaveWaypoints);
    Print1 = file->addAction(QStringLiteral("Print waypoints"), this, [this] {
        context_.dialogs.information(QStringLiteral("Not implemented in this version."));
    });
    Clear1 =
        file->addAction(QStringLiteral("Clear waypoints"), this, &TVimoWaypDlg::ClearWaypoints);
    Close1 = file->addAction(QStringLiteral("Close"), this, &QWidget::hide);
    Close1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    const auto move = [this](bool (WaypointRoute::*step)()) {
        return [this, step] { navigate(step); };
    };
    First1 = bar->addAction(QStringLiteral("F&irst"), this, move(&WaypointRoute::first));
    Back7 = bar->addAction(QStringLiteral("-7"), this, move(&WaypointRoute::back7));
    Back7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F7));
    Prev1 = bar->addAction(QStringLiteral("&Prev"), this, move(&WaypointRoute::previous));
    Next1 = bar->addAction(QStringLiteral("&Next"), this, move(&WaypointRoute::next));
    Forward7 = bar->addAction(QStringLiteral("+7"), this, move(&WaypointRoute::forward7));
    Forward7->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    Last1 = bar->addAction(QStringLiteral("&Last"), this, move(&WaypointRoute::last));
    Help1 = bar->addAction(QStringLiteral("&Help"), this, [this] { showHelp(); });
}

void TVimoWaypDlg::navigate(bool (WaypointRoute::*move)()) {
    if ((route_.*move)())
        ShowWaypoint(route_.WaypointIndex);
}

// A line with the focus would take Ctrl+C as Copy; in this window it is "Close".
bool TVimoWaypDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == Close1->shortcut())
        return true; // left unaccepted, so the shortcut goes to "Close"
    return QDialog::eventFilter(watched, event);
}

void TVimoWaypDlg::ShowSailedTo() {
    const RouteSailing& sailing = route_.sailing;
    QString title = QStringLiteral("Brisomar-Waypoints");
    if (sailing.RouteDone)
        title += QStringLiteral(" - route done");
    else if (sailing.ActiveWaypoint > 0)
        title += QStringLiteral(" - sailing to WP %1").arg(sailing.ActiveWaypoint);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void TVimoWaypDlg::ShowWaypoint(int n) {
    ShowSailedTo();
    const char separator = systemDecimalSeparator();
    Edit1->setText(toQString(waypointLine(n, route_[n], separator)));
    Edit2->setText(n < route_.WaypointCount
                       ? toQString(waypointLine(n + 1, route_[n + 1], separator))
                       : QString());
}

void TVimoWaypDlg::ClearWaypoints() {
    route_.ClearWaypoints();
    Edit1->clear();
    Edit2->clear();
}

void TVimoWaypDlg::LoadWaypoints() {
    Dialogs::FileChoice choice = waypointFiles;
    choice.title = QStringLiteral("Load waypoints");
    const auto path = context_.dialogs.openFileName(choice);
    if (!path || refusedAsDataFile(context_.dialogs, context_.files, *path))
        return;
    switch (loadWaypoints(context_.files, path->toStdString(), route_)) {
    case WaypointFileResult::Done:
        ShowWaypoint(1);
        break;
    case WaypointFileResult::IoError:
        context_.dialogs.information(QStringLiteral("I/O Error."));
        break;
    case WaypointFileResult::NoValues:
        context_.dialogs.information(QStringLiteral("File contains no values."));
        break;
    case WaypointFileResult::Ignored:
        break;
    }
}

void TVimoWaypDlg::SaveWaypoints() {
    Dialogs::FileChoice choice = waypointFiles;
    choice.title = QStringLiteral("Save waypoints");
    const auto path = context_.dialogs.saveFileName(choice, true);
    if (path && !refusedAsDataFile(context_.dialogs, context_.files, *path) &&
        saveWaypoints(context_.files, path->toStdString(), route_) == WaypointFileResult::IoError)
        context_.dialogs.information(QStringLiteral("I/O Error."));
}

void TVimoWaypDlg::FormActivate() {
    if (const int shown = route_.shownOnActivation())
        ShowWaypoint(shown);
}

} // namespace brisomar
