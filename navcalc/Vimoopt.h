#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"
#include "navcalc/sailing.h"

#include <QDialog>

#include <array>
#include <utility>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace brisomar {
class MaskedField;
}

namespace brisomar {

// A pair of small arrows beside a field; each click steps the field once.
class SpinButton : public ProgramWindow<QWidget> {
public:
    SpinButton(const QString& hint, QWidget* parent);

    QToolButton* upButton = nullptr;
    QToolButton* downButton = nullptr;
};

// Wind, current and steering: the wind felt drifting with the current, the boat's speed and
// leeway on the steered heading, the course and speed made good, the heading that makes good
// the wanted ("Geogr.") direction, and the wind and current taken into use.
class TVimoOptDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    static constexpr int helpContext = 6;
    static constexpr int clientWidth = 538;
    static constexpr int clientHeight = 105;

    explicit TVimoOptDlg(UiContext& context, QWidget* parent);

    void FormActivate() override;
    void EvaluateOptInputs();
    void BitBtn1Click();
    void BitBtn2Click();
    void WindGlUpdateClick();
    void CurrGlUpdateClick();
    void SpinWindDirDownClick();
    void SpinWindDirUpClick();
    void SpinCurrDirDownClick();
    void SpinCurrDirUpClick();
    void SpinSteerDirDownClick();
    void SpinSteerDirUpClick();
    void SpinWindSpDownClick();
    void SpinWindSpUpClick();
    void SpinCurrSpDownClick();
    void SpinCurrSpUpClick();
    void SpLeeBtnClick();

    // The course of the line measured on the chart, as the wanted direction.
    void showGeoDir(Real48 course);

    // The boat data form the "Boat Data" button opens; none yet while null.
    QDialog* boatSheet = nullptr;

    SpinButton* SpinWindDir = nullptr;
    MaskedField* MaskWindDir = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EditGeoDir = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    SpinButton* SpinWindSp = nullptr;
    MaskedField* MaskWindSp = nullptr;
    QLineEdit* EditResultDir = nullptr;
    QLineEdit* EditResultSp = nullptr;
    SpinButton* SpinCurrDir = nullptr;
    MaskedField* MaskCurrDir = nullptr;
    SpinButton* SpinCurrSp = nullptr;
    MaskedField* MaskCurrSp = nullptr;
    SpinButton* SpinSteerDir = nullptr;
    MaskedField* MaskSteerDir = nullptr;
    QLineEdit* EditSteerSp = nullptr;
    QLineEdit* EditLeewDir = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QLabel* PanelSpeed = nullptr;
    QPushButton* WindGlUpdate = nullptr;
    QPushButton* CurrGlUpdate = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* EditFalseWDir = nullptr;
    QLineEdit* EditFalseWSp = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QPushButton* SpLeeBtn = nullptr;

protected:
private:
    using Spin = std::string (*)(const std::string& fieldText, int steps);
    using FieldSlot = std::pair<QLineEdit*, std::string OptFields::*>;

    void buildFields();
    void buildButtons();
    void layOut();
    QLineEdit* outputField(const QString& hint);
    QPushButton* button(const QString& caption, const QString& hint, void (TVimoOptDlg::*click)());
    SpinButton* spinButton(const QString& hint, void (TVimoOptDlg::*down)(),
                           void (TVimoOptDlg::*up)());
    std::array<FieldSlot, 6> inputFields() const;
    bool typedComplete();
    OptFields typedFields() const;
    void stepField(QLineEdit* field, Spin spin, int steps);
    void showResult();
    void showNoResult();
    void showSpeedPanel();

    UiContext& context_;
    SailingValues& sailing_;
};

} // namespace brisomar
