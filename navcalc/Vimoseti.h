#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"
#include "navcalc/accumulators.h"

#include <QDialog>

#include <string>

class QGroupBox;
class QLabel;
class QPushButton;

namespace brisomar {

// What one accumulator window adds up: its caption, the core's rules and texts for it and the
// fields of ToolValues it counts in.
struct AccumulatorKind {
    const char* caption;
    void (*add)(ToolValues&);
    void (*clear)(ToolValues&);
    std::string (*thisText)(const ToolValues&, char);
    std::string (*sumText)(const ToolValues&, char);
    const char* clearedSumText;
    int ToolValues::*count;
    bool ToolValues::*autoAdd;
};

// The layout shared by the sail-time and chart-distance windows: the last measurement, its sum
// and the number of additions, with the buttons Clear, Add and Auto Add.
class AccumulatorDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    static constexpr int helpContext = 1;

    void ClearBtnClick();
    void AddBtnClick();
    void AutoAddBtnClick();

    // For the chart tools: the measurement just made, and its addition when Auto Add is on.
    void showThis();
    void add();

    QGroupBox* GroupBox1 = nullptr;
    QLabel* LabelThis = nullptr;
    QLabel* LabelSum = nullptr;
    QPushButton* ClearBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QLabel* LabelCount = nullptr;
    QPushButton* AutoAddBtn = nullptr;

protected:
    AccumulatorDlg(UiContext& context, const AccumulatorKind& kind, QWidget* parent);

private:
    void buildGroupBox();
    void connectButtons();
    void showCount();
    ToolValues& tools() { return context_.program.tools; }

    UiContext& context_;
    const AccumulatorKind& kind_;
};

// Sums the sailing times of lines measured on the chart.
class TVimoSailTimeDlg : public AccumulatorDlg {
    Q_OBJECT

public:
    TVimoSailTimeDlg(UiContext& context, QWidget* parent);
};

} // namespace brisomar
