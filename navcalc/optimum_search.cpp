#include "navcalc/optimum_search.h"

#include "base/number_text.h"
#include "navcalc/navigation_math.h"

namespace brisomar {

namespace {

// One leg from (lat1, lon1) to (lat2, lon2); its minutes and metres become the tool values.
LegFigures leg(SailingValues& v, const BoatTables& tables, const NavState& nav, ToolValues& tools,
               Real48 lat1, Real48 lon1, Real48 lat2, Real48 lon2, Real48 candidateLat,
               Real48 candidateLon, Real48 otherLat, Real48 otherLon) {
    LegFigures figures;
    figures.Dist = DistanceNm(candidateLat, candidateLon, otherLat, otherLon);
    figures.Dir = CourseBetween(lat1, lon1, lat2, lon2);
    const Real48 speed = SpeedAlongCourse(v, tables, nav, tools.ChartCourse, figures.Dir);
    figures.Minutes = Real48(figures.Dist * 60 / speed);
    tools.SailTimeThis = figures.Minutes;
    tools.ChartDistanceThis = Real48(figures.Dist * metresPerNm);
    return figures;
}

} // namespace

CruisePointFigures evaluateCruisePoint(SailingValues& v, const BoatTables& tables,
                                       const NavState& nav, ToolValues& tools, const TWaypoint& a,
                                       const TWaypoint& b, Real48 lat, Real48 lon) {
    CruisePointFigures figures;
    figures.leg1 = leg(v, tables, nav, tools, a.Lat, a.Lon, lat, lon, lat, lon, a.Lat, a.Lon);
    figures.leg2 = leg(v, tables, nav, tools, lat, lon, b.Lat, b.Lon, lat, lon, b.Lat, b.Lon);
    figures.total = Real48(figures.leg1.Minutes + figures.leg2.Minutes);
    figures.origin = {b.Minutes, b.Dist, b.Dir};
    return figures;
}

std::array<std::string, 3> legCells(const LegFigures& leg, char separator) {
    return {FormatFloat("0.0", leg.Minutes, separator), FormatFloat("0.00", leg.Dist, separator),
            FormatFloat("0.0", leg.Dir, separator)};
}

} // namespace brisomar
