#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"
#include "input/manual_values.h"

#include <map>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisomar {

class HemisphereField;
class MaskedField;
class RadioGroup;

// The data source dialog: for latitude, longitude, course and speed, the GPS or a typed value;
// and the typed wind and current. OK stores everything typed. What is typed stays in the
// dialog, read by nothing else, so its controls are built when first needed.
class TVimoSourDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 12;

    explicit TVimoSourDlg(UiContext& context, QWidget* parent);

    void FormActivate() override;
    void OKBtnClick();
    void MaskLatNSClick();
    void MaskLonWEClick();
    void CurDirRadioGroupClick();
    ManualEntry typedEntry() const;

    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    RadioGroup* LatRadioGroup = nullptr;
    RadioGroup* LonRadioGroup = nullptr;
    RadioGroup* DirRadioGroup = nullptr;
    RadioGroup* SpeRadioGroup = nullptr;
    RadioGroup* CurDirRadioGroup = nullptr;
    RadioGroup* CurSpeRadioGroup = nullptr;
    RadioGroup* WindDirRadioGroup = nullptr;
    RadioGroup* WindSpeRadioGroup = nullptr;
    MaskedField* MaskLat = nullptr;
    HemisphereField* MaskLatNS = nullptr;
    HemisphereField* MaskLonWE = nullptr;
    MaskedField* MaskLon = nullptr;
    MaskedField* MaskDir = nullptr;
    MaskedField* MaskSpe = nullptr;
    MaskedField* MaskCurSpe = nullptr;
    MaskedField* MaskWindSpe = nullptr;
    MaskedField* MaskCurDir = nullptr;
    MaskedField* MaskWindDir = nullptr;
    QLabel* Panel1 = nullptr;

protected:
    void buildControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MaskedField* maskedField(const QString& mask, const QString& name, const QString& hint,
                             ManualField field);

    UiContext& context_;
    std::map<QObject*, ManualField> fieldOf_; // for the mouse-move display
};

} // namespace brisomar
