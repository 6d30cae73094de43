#pragma once

#include "app/window_registry.h"
#include "base/palette.h"
#include "base/program_window.h"
#include "base/status_pages.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QTabBar;
class QTimer;

namespace brisomar {

// The main window: a strip of fixed size with the status line of the selected tab, the alarm
// lamp and the menu that opens every other window. Its timer is the heartbeat of the program.
class TVimoMainDlg : public ProgramWindow<QMainWindow> {
    Q_OBJECT

public:
    static constexpr int formWidth = 627;
    static constexpr int formHeight = 97;
    static constexpr int formLeft = 7;
    static constexpr int timerIntervalMs = 1100;
    static constexpr int helpContext = 1;

    explicit TVimoMainDlg(UiContext& context);

    void Timer1Timer();
    void TabSetClick();
    void FormActivate() override;
    void FormResize();
    // Shows every window, and the charts, in `palette`.
    void PaletteClick(PaletteChoice palette);

    QTabBar* TabSet = nullptr;
    QLabel* TextPanel = nullptr;
    QLabel* LarmPanel = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Source1 = nullptr;
    QAction* Comm1 = nullptr;
    QAction* Larm1 = nullptr;
    QAction* Config1 = nullptr;
    QAction* Map1 = nullptr;
    QAction* Log1 = nullptr;
    QAction* Extended1 = nullptr;
    QAction* Ais1 = nullptr;
    QAction* Warranties1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Content1 = nullptr;
    QAction* Warning1 = nullptr;
    std::array<QAction*, 3> PaletteItems{}; // Day, Dusk, Night

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPanels();
    void buildMenu();
    void Exit1Click();
    void Map1Click();
    void Extended1Click();
    void Content1Click();
    void Warning1Click();
    void showStatusPage();
    void showStatusLine(const std::string& line);
    void setAlarmLamp(bool on);
    StatusPage selectedPage() const;

    UiContext& context_;
    int shownCurrent_ = 0; // the current waypoint when the last tick looked
};

} // namespace brisomar
