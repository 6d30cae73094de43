#pragma once

#include "base/ui_context.h"
#include "charts/chart_selection.h"

#include "base/controls_on_demand.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace brisomar {

// Chart selection: a map file of up to 25 charts, the record to use, automatic selection of a
// chart that holds the boat, and a preview. Its timer runs the automatic selection and the
// "Chart unusable!" notice whether or not the dialog is open. What it shows is kept in the
// program, so its controls are built when first needed.
class TVimosemaDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 3;
    static constexpr int clientWidth = 593;
    static constexpr int clientHeight = 247;

    explicit TVimosemaDlg(UiContext& context, QWidget* parent);

    void OpenBtnClick();
    void SpinFilePosChange();
    void Show1BtnClick();
    void AutoSelectBtnClick();
    void Timer1Timer();
    void FormActivate() override;
    void ShowMapRecordInfo(int n);

    QLineEdit* FilePathEdit = nullptr;
    QPushButton* OpenBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QSpinBox* SpinFilePos = nullptr;
    QPushButton* AutoSelectBtn = nullptr;
    QPushButton* Show1Btn = nullptr;
    QLabel* LabelFileName = nullptr;
    QLabel* LabelInfoText = nullptr;
    QLabel* LabelNWLat = nullptr;
    QLabel* LabelNWLon = nullptr;
    QLabel* LabelSELat = nullptr;
    QLabel* LabelSELon = nullptr;
    QLabel* Image1 = nullptr;
    bool Image1Stretch = true;
    QTimer* Timer1 = nullptr;

protected:
    void buildControls() override;
    void hideEvent(QHideEvent* event) override;

private:
    void warn(const std::optional<std::string>& warning);
    void showAutoSelect();
    void recordShown(int record);
    void showSelection();

    UiContext& context_;
    ChartSelection& selection_;
};

} // namespace brisomar
