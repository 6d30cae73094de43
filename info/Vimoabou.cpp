#include "info/Vimoabou.h"

#include "info/info_dialog.h"

namespace brisomar {

TVimoAboutDlg::TVimoAboutDlg(QWidget* parent) : ProgramWindow(parent) {
    OKBtn = buildInfoDialog(
        this, QStringLiteral("About"),
        QStringLiteral("<b>Brisomar Navigator</b><br>Version 2.0 b1<br><br>"
                       "Navigation for small boats: position, course and speed from a GPS, "
                       "scanned charts, watch alarms, a logbook, a waypoint route and the wind, "
                       "current and boat-performance sums of the skipper.<br><br>"
                       "Navigation software never replaces good seamanship."));
}

} // namespace brisomar
