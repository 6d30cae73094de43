#pragma once

#include "app/window_registry.h"

#include <QString>

#include <optional>

namespace brisomar {

// The demo: a chart of a coast of our own invention off 45° N 30° W, with a map file whose
// calibration follows the chart's Mercator spacing through intermediate points.
inline constexpr const char* demoMapFileName = "brisomar-demo.MAP";
inline constexpr const char* demoChartFileName = "brisomar-demo.bmp";

// Writes the demo chart and its map file into `folder`; gives the map file's path.
std::optional<QString> writeDemoChart(const QString& folder);

// Opens the demo chart in the chart window and feeds port 1 from the built-in simulator, with
// the built-in boat tables and a breeze of 12 knots from 240° in use.
bool startDemo(UiContext& context, const QString& folder);

} // namespace brisomar
