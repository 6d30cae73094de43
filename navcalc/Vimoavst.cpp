#include "navcalc/Vimoavst.h"

namespace brisomar {

namespace {

const AccumulatorKind chartDistance{"Brisomar-chartdistance ",
                                    DistanceAdd,
                                    clearDistance,
                                    distanceThisText,
                                    distanceSumText,
                                    "0 m, 0 Nm",
                                    &ToolValues::ChartDistanceCount,
                                    &ToolValues::ChartDistanceAutoAdd};

} // namespace

TVimoAvstDlg::TVimoAvstDlg(UiContext& context, QWidget* parent)
    : AccumulatorDlg(context, chartDistance, parent) {}

} // namespace brisomar
