#include "input/TaskIcon.h"

#include "ui_fakes.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

using testing::FakeTrayShell;

TEST(TaskIcon, ShowsOnceWithItsTipAndHidesAgain) {
    auto tray = std::make_shared<FakeTrayShell::Shared>();
    TTaskIcon icon(std::make_unique<FakeTrayShell>(tray));
    icon.setToolTip(QStringLiteral("Comport open"));
    icon.setActive(true);
    icon.setActive(true);
    EXPECT_TRUE(icon.Active());
    EXPECT_EQ(tray->adds, 1);
    EXPECT_EQ(tray->tip, "Comport open");
    icon.setActive(false);
    EXPECT_FALSE(icon.Active());
    EXPECT_FALSE(tray->shown);
}

TEST(TaskIcon, ADesktopWithoutTrayLeavesItInactiveToRetry) {
    auto tray = std::make_shared<FakeTrayShell::Shared>();
    tray->available = false;
    TTaskIcon icon(std::make_unique<FakeTrayShell>(tray));
    icon.setActive(true);
    EXPECT_FALSE(icon.Active());
    tray->available = true; // the panel starts later
    icon.setActive(true);
    EXPECT_TRUE(icon.Active());
    EXPECT_EQ(tray->adds, 1);
}

TEST(TaskIcon, TipIsCutTo64AndTheDesktopGets63) {
    auto tray = std::make_shared<FakeTrayShell::Shared>();
    TTaskIcon icon(std::make_unique<FakeTrayShell>(tray));
    icon.setActive(true);
    icon.setToolTip(QString(70, QLatin1Char('x')));
    EXPECT_EQ(icon.ToolTip().size(), 64);
    EXPECT_EQ(tray->tip.size(), 63);
}

TEST(TaskIcon, IsRemovedWhenDestroyedWhileActive) {
    auto tray = std::make_shared<FakeTrayShell::Shared>();
    {
        TTaskIcon icon(std::make_unique<FakeTrayShell>(tray));
        icon.setActive(true);
    }
    EXPECT_EQ(tray->removes, 1);
    EXPECT_FALSE(tray->shown);
}

TEST(TaskIcon, ReportsClicksOnTheIcon) {
    auto shell = std::make_unique<FakeTrayShell>(std::make_shared<FakeTrayShell::Shared>());
    TrayShell* seam = shell.get();
    TTaskIcon icon(std::move(shell));
    int clicks = 0, doubles = 0;
    Qt::MouseButton right = Qt::NoButton;
    icon.OnClick = [&] { ++clicks; };
    icon.OnDblClick = [&] { ++doubles; };
    icon.OnRightClick = [&](Qt::MouseButton button, QPoint) { right = button; };
    seam->onClick(TrayShell::Click::Left);
    seam->onClick(TrayShell::Click::Double);
    seam->onClick(TrayShell::Click::Right);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(right, Qt::RightButton);
}

} // namespace
} // namespace brisomar
