#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"
#include "navcalc/optimum_search.h"

class QTableWidget;

namespace brisomar {

// The figures of the optimum search: both legs through the cruise-point under the mouse, their
// total minutes and the direct leg for comparison. Written only while the window is on show, so
// its grid is built when first needed.
class TVimoSeekOptDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 3;
    static constexpr int rowLeg1 = 1;
    static constexpr int rowLeg2 = 2;
    static constexpr int rowTotal = 3;
    static constexpr int rowOrigin = 4;

    TVimoSeekOptDlg(UiContext& context, QWidget* parent);

    // Writes the headings; the figures stay.
    void FormActivate() override;
    void SeekOptShowLeg(int row, const LegFigures& leg);
    void SeekOptShowTotal(Real48 minutes);
    // The rows of one evaluation in the order they are computed.
    void showCruisePoint(const CruisePointFigures& figures);

    QTableWidget* StringGrid1 = nullptr;

protected:
    void buildControls() override;

private:
    void buildGrid();
    void setCell(int column, int row, const QString& text);

    UiContext& context_;
};

} // namespace brisomar
