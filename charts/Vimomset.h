#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;

namespace brisomar {

class RadioGroup;

// Chart settings: the corners of the chart in use, how the cross and the track are drawn, how
// fast the position mark blinks and whether it is the cross or the boat symbol. Only OK changes
// anything. The controls show the settings kept in the program, so they are built when first
// needed.
class TVimoMsetDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 5;
    static constexpr int clientWidth = 356;
    static constexpr int clientHeight = 230;

    explicit TVimoMsetDlg(UiContext& context, QWidget* parent);

    void FormActivate() override;
    void OKBtnClick();
    void TabSetClick();

    QTabBar* TabSet = nullptr;
    QStackedWidget* Notebook = nullptr;
    QLabel* LabelMapName = nullptr;
    QLabel* LabelGlNWLat = nullptr;
    QLabel* LabelGlNWLon = nullptr;
    QLabel* LabelGlSELat = nullptr;
    QLabel* LabelGlSELon = nullptr;
    QSpinBox* SpinPosSize = nullptr;
    QSpinBox* SpinPosWidth = nullptr;
    QSpinBox* SpinLineWidth = nullptr;
    QSpinBox* SpinPosTimer = nullptr;
    RadioGroup* TrackColorGroup = nullptr;
    RadioGroup* TrackStyleGroup = nullptr;
    RadioGroup* PositionSymbolGroup = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    void buildControls() override;

private:
    QWidget* mapInfoPage();
    QWidget* penPage();
    QWidget* timerPage();

    UiContext& context_;
};

} // namespace brisomar
