#include "app/window_registry.h"

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "info/Vimoabou.h"
#include "info/Vimowarr.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"

namespace brisomar {

std::unique_ptr<TVimoMainDlg> createWindows(UiContext& context) {
    WindowRegistry& w = context.windows;
    auto mainDlg = std::make_unique<TVimoMainDlg>(context);
    w.mainDlg = mainDlg.get();
    w.waypDlg = new TVimoWaypDlg(context, w.mainDlg);
    w.larmDlg = new TVimoLarmDlg(context, w.mainDlg);
    w.aboutDlg = new TVimoAboutDlg(w.mainDlg);
    w.comDlg = new TVimoComDlg(context, w.mainDlg);
    w.logDlg = new TVimoLogDlg(context, w.mainDlg);
    w.sourDlg = new TVimoSourDlg(context, w.mainDlg);
    w.warrDlg = new TVimoWarrDlg(w.mainDlg);
    return mainDlg;
}

void showModal(QDialog* dialog) {
    if (dialog)
        dialog->exec();
}

} // namespace brisomar
