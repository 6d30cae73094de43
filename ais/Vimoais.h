#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace brisomar {

class TVimoAisTargetDlg;

// The AIS targets window: every target with its range, bearing, CPA, TCPA, speed, course, class
// and the age of its last report, the approaching ones first by TCPA, then the others by range.
// A double click centres the chart on the target; Details shows all that is known of it. Its
// controls are built when first needed: the targets are the program's.
class TVimoAisDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 13;
    static constexpr int timerIntervalMs = 1000;

    TVimoAisDlg(UiContext& context, QWidget* parent);

    void Timer1Timer(); // refreshes the list while the window is open
    void FormActivate() override;
    void TargetListDoubleClick(int row);
    void DetailsBtnClick();
    void AckBtnClick();
    void OwnMmsiChange();
    // Opens the details of a target.
    void showDetails(std::uint32_t mmsi);

    QTableWidget* TargetList = nullptr;
    QLineEdit* EditOwnMmsi = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* DetailsBtn = nullptr;
    QPushButton* AckBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* Timer1 = nullptr;
    TVimoAisTargetDlg* TargetDlg = nullptr;

protected:
    void buildControls() override;

private:
    std::uint32_t selectedMmsi() const; // 0 when none
    void showTargets();

    UiContext& context_;
    std::vector<std::uint32_t> listed_; // the MMSI of each row
};

// One target's details: name, MMSI, call sign, IMO, type, size, destination, ETA, status, speed,
// course, heading, range, bearing, CPA, TCPA and the age of its last report. Acknowledge stops
// its alarm until its CPA has been above the limit again.
class TVimoAisTargetDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    TVimoAisTargetDlg(UiContext& context, QWidget* parent);

    void showTarget(std::uint32_t mmsi);
    void Timer1Timer();
    void AckBtnClick();

    QLabel* DetailsLabel = nullptr;
    QPushButton* AckBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void showDetails();

    UiContext& context_;
    std::uint32_t mmsi_ = 0;
};

} // namespace brisomar
