#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisomar {

class HemisphereField;
class MaskedField;

// The distance calculator: two typed positions and the distance between them, in nautical
// miles from one mile on, in metres below. What is typed stays in this window alone, so its
// controls are built when first needed.
class TVimoDistDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 1;
    static constexpr int clientWidth = 311;
    static constexpr int clientHeight = 120;

    explicit TVimoDistDlg(UiContext& context, QWidget* parent);

    void FormActivate() override;
    void MaskLatANSClick();
    void MaskLatBNSClick();
    void MaskLonAWEClick();
    void MaskLonBWEClick();
    void CalcBtnClick();

    MaskedField* MaskLatA = nullptr;
    MaskedField* MaskLonA = nullptr;
    MaskedField* MaskLatB = nullptr;
    MaskedField* MaskLonB = nullptr;
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

private:
    void layOut();

    UiContext& context_;
};

} // namespace brisomar
