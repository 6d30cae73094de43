#include "records/Vimowayp.h"

#include "app/Vimomain.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

class WaypointDialog : public ::testing::Test {
protected:
    WaypointDialog() : mainDlg(createWindows(ui.context)), dlg(ui.context.windows.waypDlg) {
        WaypointRoute& route = ui.program.route;
        for (int n = 1; n <= 20; ++n) {
            route[n].Lat = Real48(50.0L + n);
            route[n].Lon = Real48(2.0L);
        }
        route.WaypointCount = 20;
        route.WaypointIndex = 16;
    }

    QString current() const { return dlg->Edit1->text(); }

    TempDir dir;
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TVimoWaypDlg* dlg;
};

TEST_F(WaypointDialog, StartsWithItsPlaceholders) {
    EXPECT_EQ(dlg->windowTitle(), "Brisomar-Waypoints");
    EXPECT_EQ(dlg->Edit1->text(), "Nr1");
    EXPECT_EQ(dlg->Edit2->text(), "Nr2");
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(dlg->Forward7->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
    EXPECT_EQ(dlg->Back7->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F7));
    EXPECT_EQ(dlg->Close1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
}

// The last point laid is shown; the title names the one sailed to, as the route moves on.
TEST_F(WaypointDialog, TheTitleNamesTheWaypointSailedTo) {
    WaypointRoute& route = ui.program.route;
    route.sailing.ActiveWaypoint = 3;
    dlg->ShowWaypoint(20);
    EXPECT_EQ(dlg->windowTitle(), "Brisomar-Waypoints - sailing to WP 3");
    route.sailing.ActiveWaypoint = 4;
    ui.mainTick();
    EXPECT_EQ(dlg->windowTitle(), "Brisomar-Waypoints - sailing to WP 4");
    route.sailing.ActiveWaypoint = 20;
    route.sailing.RouteDone = true;
    ui.mainTick();
    EXPECT_EQ(dlg->windowTitle(), "Brisomar-Waypoints - route done");
}

TEST_F(WaypointDialog, BrowsesTheRoute) {
    dlg->Forward7->trigger();
    EXPECT_TRUE(current().startsWith("Nr:20 LAT N 70°00.000' LON W002°00.000' Dir:0.0 NM:0.0"));
    EXPECT_EQ(dlg->Edit2->text(), ""); // the last waypoint has no next
    dlg->Prev1->trigger();
    EXPECT_TRUE(current().startsWith("Nr:19 "));
    EXPECT_TRUE(dlg->Edit2->text().startsWith("Nr:20 "));
    dlg->First1->trigger();
    dlg->Back7->trigger();
    EXPECT_TRUE(current().startsWith("Nr:1 "));
}

TEST_F(WaypointDialog, SavesLoadsAndClears) {
    const QString path = QString::fromStdString(dir.file("route.WAY"));
    ui.dialogs.files = {path};
    dlg->Save1->trigger();
    dlg->ClearWaypoints();
    EXPECT_EQ(ui.program.route.WaypointCount, 0);
    EXPECT_EQ(dlg->Edit1->text(), "");
    ui.dialogs.files = {path};
    dlg->Load1->trigger();
    EXPECT_EQ(ui.program.route.WaypointCount, 20);
    EXPECT_TRUE(current().startsWith("Nr:1 "));
    EXPECT_EQ(ui.dialogs.fileDialogTitles, (QStringList{"Save waypoints", "Load waypoints"}));
    EXPECT_TRUE(ui.dialogs.shown.empty());
}

TEST_F(WaypointDialog, SaysWhatWentWrong) {
    ui.program.route.ClearWaypoints();
    const QString empty = QString::fromStdString(dir.file("empty.WAY"));
    ui.dialogs.files = {empty, empty, QString::fromStdString(dir.file("none/x.WAY"))};
    dlg->Save1->trigger();
    dlg->Load1->trigger();
    dlg->Save1->trigger();
    dlg->Print1->trigger();
    EXPECT_EQ(ui.dialogs.shown, (Boxes{{Information, "File contains no values."},
                                       {Information, "I/O Error."},
                                       {Information, "Not implemented in this version."}}));
}

// Ctrl+C is the window's "Close" even where a line would take it as Copy.
class WaypointDialogLine : public WaypointDialog, public ::testing::WithParamInterface<int> {};

TEST_P(WaypointDialogLine, CtrlCClosesTheWindow) {
    QLineEdit* line = GetParam() == 1 ? dlg->Edit1 : dlg->Edit2;
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    line->setFocus();
    ASSERT_TRUE(line->hasFocus());
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(dlg->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Edit, WaypointDialogLine, ::testing::Values(1, 2));

TEST_F(WaypointDialog, ActivationShowsTheCurrentWaypoint) {
    dlg->FormActivate();
    EXPECT_TRUE(current().startsWith("Nr:16 "));
}

} // namespace
} // namespace brisomar
