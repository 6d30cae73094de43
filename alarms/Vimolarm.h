#pragma once

#include "alarms/alarm_monitor.h"
#include "base/controls_on_demand.h"
#include "base/ui_context.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace brisomar {

class HemisphereField;
class MaskedField;

// The watch alarms: limits, an On box that arms each with the limits typed, an Active box
// ticked while it is raised. The timer watches whether or not the window is open; the alarms'
// state is the monitor's, so the controls are built when first needed.
class TVimoLarmDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 2;
    static constexpr int initialIntervalSeconds = 4;

    explicit TVimoLarmDlg(UiContext& context, QWidget* parent);

    void Timer1Timer();
    void FormActivate() override;
    void SpinEdit1Change();
    // The sailor ticked or unticked a slot's On box or Active box.
    void OnBoxClick(AlarmSlot slot);
    void ActiveBoxClick(AlarmSlot slot);

    QCheckBox* onBox(AlarmSlot slot) const { return rows_[static_cast<int>(slot)].on; }
    QCheckBox* activeBox(AlarmSlot slot) const { return rows_[static_cast<int>(slot)].active; }

    MaskedField* MaskMinDirBox = nullptr;
    MaskedField* MaskMaxDirBox = nullptr;
    MaskedField* MaskMinSpeBox = nullptr;
    MaskedField* MaskMaxSpeBox = nullptr;
    MaskedField* MaskMinWindBox = nullptr;
    MaskedField* MaskMaxWindBox = nullptr;
    MaskedField* MaskMinWindForceBox = nullptr;
    MaskedField* MaskMaxWindforceBox = nullptr;
    MaskedField* MaskSeconds = nullptr;
    MaskedField* MaskMeter = nullptr;
    HemisphereField* MaskLatNS = nullptr;
    MaskedField* MaskLat = nullptr;
    HemisphereField* MaskLonWE = nullptr;
    MaskedField* MaskLon = nullptr;
    MaskedField* MaskDepth = nullptr;
    MaskedField* MaskAnchorRadius = nullptr;
    MaskedField* MaskArrivalRadius = nullptr;
    MaskedField* MaskAisCpa = nullptr;
    MaskedField* MaskAisTcpa = nullptr;
    QLabel* Panel1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void buildControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QCheckBox* on = nullptr;
        QCheckBox* active = nullptr;
        std::vector<MaskedField*> limits; // the fields its On box reads
    };

    void buildRows();
    MaskedField* limitField(const QString& mask, const QString& name, std::string& text,
                            const QString& hint, AlarmLimit shown);
    HemisphereField* hemisphereField(QChar first, QChar other, std::string& text);
    bool limitsComplete(AlarmSlot slot);
    void showActiveBoxes();

    UiContext& context_;
    AlarmMonitor& monitor_;
    std::array<Row, alarmSlotCount> rows_;
    std::map<QObject*, AlarmLimit> limitOf_; // for the mouse-move display
};

} // namespace brisomar
