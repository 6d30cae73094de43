#pragma once

#include "base/ui_context.h"
#include "charts/chart_import.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace brisomar {

// The raster library from the chart import module in `folder`; null, with the reason, when the
// module cannot be loaded.
std::unique_ptr<RasterLibrary> loadRasterLibrary(const QString& folder, QString& reason);

// "Import chart…": asks for the charts and the map file (the one open, unless the sailor
// chooses another), imports them off the window thread with a progress bar and Cancel, the
// program's timers going on meanwhile, and opens the map file at the first new record. Gives that
// record; nothing when nothing was imported.
std::optional<int> importChartsFromMenu(UiContext& context, QWidget* parent);

} // namespace brisomar
