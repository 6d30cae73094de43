#pragma once

#include "app/program.h"
#include "base/ui_context.h"

#include <memory>

namespace brisomar {

// Creates the windows in the program's order. The first, the main window, owns the others and
// stays hidden until the caller shows it.
std::unique_ptr<TVimoMainDlg> createWindows(UiContext& context);

} // namespace brisomar
