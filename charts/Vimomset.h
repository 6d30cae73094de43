#pragma once

#include "app/window_registry.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;

namespace brisomar {

class RadioGroup;

// Chart settings: the corners of the chart in use, how the cross and the track are drawn and
// how fast the cross blinks. Only OK changes anything.
class TVimoMsetDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 5;

    explicit TVimoMsetDlg(UiContext& context, QWidget* parent);

    void FormActivate();
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
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* mapInfoPage();
    QWidget* penPage();
    QWidget* timerPage();

    UiContext& context_;
};

} // namespace brisomar
