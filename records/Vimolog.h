#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"
#include "records/log_record.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace brisomar {

// The logbook: the file logged to, logging on and off, the interval and the text written with
// each record; a viewer stepping through a log file; the stretch the chart draws. The logging
// runs from the start; the controls are built when first opened.
class TVimoLogDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 8;
    static constexpr int timerIntervalMs = 60000;

    explicit TVimoLogDlg(UiContext& context, QWidget* parent);

    void LogTimerTimer();
    void LogOnBtnClick();
    void UseBtnClick();
    void OpenBtnClick();
    void SpinIntervallChange();
    void FromEditExit();
    void ToEditExit();
    void FormActivate() override;
    void step(int records); // the "+1" ... "-100" buttons

    QPushButton* LogOnBtn = nullptr;
    QSpinBox* SpinIntervall = nullptr;
    QLineEdit* FilePathEdit = nullptr;
    QPushButton* UseBtn = nullptr;
    QPushButton* OpenBtn = nullptr;
    QLineEdit* TextEdit = nullptr;
    QLabel* LabelPosition = nullptr;
    QLabel* LabelDirPos = nullptr;
    QLabel* LabelTime = nullptr;
    QLabel* LabelText = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* FromEdit = nullptr;
    QLineEdit* ToEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* LogTimer = nullptr;

protected:
    void buildControls() override;

private:
    QWidget* buildViewer();
    void showRecord(const TLogRecord& record);
    void showLogFile();
    void showLogOn();

    UiContext& context_;
};

} // namespace brisomar
