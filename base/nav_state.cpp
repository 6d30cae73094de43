#include "base/nav_state.h"

namespace brisomar {

void SelectInUseValues(NavState& s) {
    s.PosLat = s.ManualLat ? s.ManualLatValue : s.GpsLat;
    s.PosLon = s.ManualLon ? s.ManualLonValue : s.GpsLon;
    if (!s.ManualLat && !s.ManualLon)
        s.LastUpdate = s.GpsTime;
    s.PosCourse = s.ManualCourse ? s.ManualCourseValue : s.GpsCourse;
    s.PosSpeed = s.ManualSpeed ? s.ManualSpeedValue : s.GpsSpeed;
}

bool PositionKnown(const NavState& s) {
    const bool fixLive = s.GpsFixReceived && s.GpsSilenceSeconds.value() <= positionLostSeconds;
    return (s.ManualLat || fixLive) && (s.ManualLon || fixLive);
}

Real48 HeadingInUse(const NavState& s) {
    const bool fresh = s.HeadingReceived && s.HeadingSilenceSeconds.value() <= headingStaleSeconds;
    return fresh ? s.Heading : s.PosCourse;
}

} // namespace brisomar
