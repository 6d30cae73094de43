#pragma once

#include "app/kept_settings.h"
#include "app/window_registry.h"

namespace brisomar {

// The kept settings as the program and its windows hold them now. No window's controls are built
// for it: a window whose controls are not built yet shows its defaults.
KeptSettings gatherKept(UiContext& context);

// Sets everything kept as the sailor would set it again, once the windows are created: the
// palette, the values, the chart, the chart window where it was, the route, the ports (a port that
// does not open shows no box and is tried again), the chart mode, then the other windows where they
// were. Alarms that were on are evaluated from the first alarm tick. Nothing shows a box: nobody
// may be at the screen.
void restoreKept(UiContext& context, const KeptSettings& kept);

} // namespace brisomar
