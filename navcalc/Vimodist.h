#pragma once

#include "app/controls_on_demand.h"
#include "app/window_registry.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisomar {

class HemisphereField;

// The distance calculator: two typed positions and the distance between them, in nautical
// miles from one mile on, in metres below. What is typed stays in this window alone, so its
// controls are built when first needed.
class TVimoDistDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 1;

    explicit TVimoDistDlg(UiContext& context, QWidget* parent);

    void FormActivate();
    void MaskLatANSClick();
    void MaskLatBNSClick();
    void MaskLonAWEClick();
    void MaskLonBWEClick();
    void CalcBtnClick();

    QLineEdit* MaskLatA = nullptr;
    QLineEdit* MaskLonA = nullptr;
    QLineEdit* MaskLatB = nullptr;
    QLineEdit* MaskLonB = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EditAnswer = nullptr;
    QPushButton* CalcBtn = nullptr;
    HemisphereField* MaskLatBNS = nullptr;
    HemisphereField* MaskLatANS = nullptr;
    HemisphereField* MaskLonBWE = nullptr;
    HemisphereField* MaskLonAWE = nullptr;

protected:
    void buildControls() override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();

    UiContext& context_;
};

} // namespace brisomar
