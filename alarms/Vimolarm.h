#pragma once

#include "alarms/alarm_monitor.h"
#include "app/controls_on_demand.h"
#include "app/window_registry.h"

#include <array>
#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace brisomar {

class HemisphereField;

// The nine watch alarms: limits, an On box that arms each with the limits typed, an Active box
// ticked while it is raised. The timer watches whether or not the window is open; the alarms'
// state is the monitor's, so the controls are built when first needed.
class TVimoLarmDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 2;
    static constexpr int initialIntervalSeconds = 4;

    explicit TVimoLarmDlg(UiContext& context, QWidget* parent);

    void Timer1Timer();
    void FormActivate();
    void SpinEdit1Change();
    // The sailor ticked or unticked a slot's On box or Active box.
    void OnBoxClick(AlarmSlot slot);
    void ActiveBoxClick(AlarmSlot slot);

    QCheckBox* onBox(AlarmSlot slot) const { return rows_[static_cast<int>(slot)].on; }
    QCheckBox* activeBox(AlarmSlot slot) const { return rows_[static_cast<int>(slot)].active; }
    AlarmFieldTexts fieldTexts() const;

    QLineEdit* MaskMinDirBox = nullptr;
    QLineEdit* MaskMaxDirBox = nullptr;
    QLineEdit* MaskMinSpeBox = nullptr;
    QLineEdit* MaskMaxSpeBox = nullptr;
    QLineEdit* MaskMinWindBox = nullptr;
    QLineEdit* MaskMaxWindBox = nullptr;
    QLineEdit* MaskMinWindForceBox = nullptr;
    QLineEdit* MaskMaxWindforceBox = nullptr;
    QLineEdit* MaskSeconds = nullptr;
    QLineEdit* MaskMeter = nullptr;
    HemisphereField* MaskLatNS = nullptr;
    QLineEdit* MaskLat = nullptr;
    HemisphereField* MaskLonWE = nullptr;
    QLineEdit* MaskLon = nullptr;
    QLabel* Panel1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void buildControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QCheckBox* on = nullptr;
        QCheckBox* active = nullptr;
    };

    void buildRows();
    QLineEdit* limitField(const QString& mask, const QString& text, const QString& hint,
                          AlarmLimit shown);
    void showActiveBoxes();

    UiContext& context_;
    AlarmMonitor& monitor_;
    std::array<Row, alarmSlotCount> rows_;
    std::map<QObject*, AlarmLimit> limitOf_; // for the mouse-move display
};

} // namespace brisomar
