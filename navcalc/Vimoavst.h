#pragma once

#include "navcalc/Vimoseti.h"

namespace brisomar {

// Sums the lengths of lines measured on the chart, in metres and nautical miles.
class TVimoAvstDlg : public AccumulatorDlg {
    Q_OBJECT

public:
    TVimoAvstDlg(UiContext& context, QWidget* parent);
};

} // namespace brisomar
