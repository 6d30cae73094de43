#include "app/window_registry.h"

#include "ais/Vimoais.h"
#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "charts/Vimomapa.h"
#include "charts/Vimomapb.h"
#include "charts/Vimomset.h"
#include "charts/Vimosema.h"
#include "charts/Vimounus.h"
#include "info/Vimoabou.h"
#include "info/Vimowarr.h"
#include "input/Vimocom.h"
#include "input/Vimosour.h"
#include "navcalc/Vimoavst.h"
#include "navcalc/Vimoboat.h"
#include "navcalc/Vimodist.h"
#include "navcalc/Vimoopt.h"
#include "navcalc/Vimoposi.h"
#include "navcalc/Vimoseop.h"
#include "navcalc/Vimoseti.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"

namespace brisomar {

std::unique_ptr<TVimoMainDlg> createWindows(UiContext& context) {
    WindowRegistry& w = context.windows;
    auto mainDlg = std::make_unique<TVimoMainDlg>(context);
    w.mainDlg = mainDlg.get();
    w.mapA = new TMapA(context, w.mainDlg);
    w.semaDlg = new TVimosemaDlg(context, w.mainDlg);
    w.distDlg = new TVimoDistDlg(context, w.mainDlg);
    w.mapB = new TMapB(context, w.mainDlg);
    w.waypDlg = new TVimoWaypDlg(context, w.mainDlg);
    w.optDlg = new TVimoOptDlg(context, w.mainDlg);
    w.sailTimeDlg = new TVimoSailTimeDlg(context, w.mainDlg);
    w.posiDlg = new TVimoPosiDlg(context, w.mainDlg);
    w.avstDlg = new TVimoAvstDlg(context, w.mainDlg);
    w.seekOptDlg = new TVimoSeekOptDlg(context, w.mainDlg);
    w.larmDlg = new TVimoLarmDlg(context, w.mainDlg);
    w.boatSheet = new TVimoBoatSheet(context, w.mainDlg);
    w.optDlg->boatSheet = w.boatSheet;
    w.aboutDlg = new TVimoAboutDlg(w.mainDlg);
    w.comDlg = new TVimoComDlg(context, w.mainDlg);
    w.logDlg = new TVimoLogDlg(context, w.mainDlg);
    w.sourDlg = new TVimoSourDlg(context, w.mainDlg);
    w.msetDlg = new TVimoMsetDlg(context, w.mainDlg);
    w.unusDlg = new TVimounusdlg(w.mainDlg);
    w.warrDlg = new TVimoWarrDlg(w.mainDlg);
    w.aisDlg = new TVimoAisDlg(context, w.mainDlg);
    return mainDlg;
}

} // namespace brisomar
