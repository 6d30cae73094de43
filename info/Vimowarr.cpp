#include "info/Vimowarr.h"

#include "info/info_dialog.h"

namespace brisomar {

TVimoWarrDlg::TVimoWarrDlg(QWidget* parent) : ProgramWindow(parent) {
    OKBtn = buildInfoDialog(
        this, QStringLiteral("Important"),
        QStringLiteral(
            "<b>Important</b><br><br>"
            "This program is an aid to navigation, not a substitute for it. Charts scanned "
            "and calibrated by hand, map files, GPS receivers and the instruments feeding them "
            "can all be wrong, out of date or inaccurate, and a position on screen can be "
            "miles from the truth.<br><br>"
            "You, the user, bear the entire risk as to the quality, accuracy and precision "
            "of the charts, maps and GPS equipment you use with this program, and of every "
            "decision you take with it. Keep a proper lookout, keep a paper chart and a "
            "written log, and cross-check your position by independent means."));
}

} // namespace brisomar
