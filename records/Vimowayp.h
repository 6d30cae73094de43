#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"
#include "records/waypoint_route.h"

#include <QDialog>

class QAction;
class QLineEdit;

namespace brisomar {

// The waypoint route: the current waypoint and the next, browsing, loading, saving and
// clearing. Not modal: the chart window shows and hides it with its waypoint modes.
class TVimoWaypDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    static constexpr int helpContext = 3;

    explicit TVimoWaypDlg(UiContext& context, QWidget* parent);

    // Shows waypoint n and the one after it; the chart tools call it after changing the route.
    void ShowWaypoint(int n);
    // The title names the waypoint sailed to, which need not be the one shown.
    void ShowSailedTo();
    void ClearWaypoints();
    void LoadWaypoints();
    void SaveWaypoints();
    bool eventFilter(QObject* watched, QEvent* event) override; // Ctrl+C on the lines
    void FormActivate() override;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* First1 = nullptr;
    QAction* Back7 = nullptr;
    QAction* Prev1 = nullptr;
    QAction* Next1 = nullptr;
    QAction* Forward7 = nullptr;
    QAction* Last1 = nullptr;
    QAction* Help1 = nullptr;

protected:
private:
    void buildMenu();
    void navigate(bool (WaypointRoute::*move)());

    UiContext& context_;
    WaypointRoute& route_;
};

} // namespace brisomar
