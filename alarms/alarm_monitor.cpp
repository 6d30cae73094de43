#include "alarms/alarm_monitor.h"

#include "base/coord_text.h"
#include "base/number_text.h"
#include "navcalc/geodesy.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brisomar {

namespace {

// Outside the allowed band Lo..Hi; with Lo >= Hi the band wraps (350 to 010 through north),
// so equal limits never raise.
bool outsideBand(long double v, long double lo, long double hi) {
    return lo < hi ? (v < lo || v > hi) : (v < lo && v > hi);
}

// The boat passes the limit when it crosses it from the side it started on.
bool passed(long double position, long double limit, long double start) {
    if (limit < start)
        return position < limit;
    if (limit > start)
        return position > limit;
    return false;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Reads a limit as a decimal number, blanks around it allowed.
std::optional<std::string> convertReal(const std::string& text, Real48& limit) {
    const auto value = readNumber(trimmed(text));
    if (!value)
        return "'" + text + "' is not a valid floating point value";
    limit = Real48(*value);
    return std::nullopt;
}

std::optional<std::string> convertInteger(const std::string& text, int& limit) {
    const auto value = readInteger(trimmed(text));
    if (!value)
        return "'" + text + "' is not a valid integer value";
    limit = *value;
    return std::nullopt;
}

std::optional<std::string> convertRange(const std::string& minText, const std::string& maxText,
                                        Real48& min, Real48& max) {
    if (auto error = convertReal(minText, min))
        return error;
    return convertReal(maxText, max);
}

const char* const captions[alarmSlotCount] = {
    "Change of course",    "Change of speed ",  "Change of wind",
    "Change of windforce", "Communication GPS", "Divergence from waypoints",
    "Latitude passage",    "Longitude passage", "Position outside detail-chart",
    "Depth below",         "Anchor watch",      "Arrival",
    "AIS collision"};

// The last arrival as the alarm page names it: "Arrived at WP 2, now WP 3".
std::string arrivalName(const WaypointArrivals& a) {
    if (a.count == 0)
        return captions[static_cast<int>(AlarmSlot::Arrival)];
    return "Arrived at WP " + std::to_string(a.reached) + ", " +
           (a.next == 0 ? std::string("route done") : "now WP " + std::to_string(a.next));
}

// The alarm as the alarm page names it: the arrival and the AIS target by what raised them.
std::string raisedName(AlarmSlot slot, const NavState& nav) {
    if (slot == AlarmSlot::Arrival)
        return arrivalName(nav.Arrivals);
    if (slot == AlarmSlot::AisCollision && !nav.AisCollision.empty())
        return "AIS: " + nav.AisCollision;
    return trimmed(captions[static_cast<int>(slot)]);
}

// Off the anchor: outside the radius, or no position to tell.
bool offAnchor(const NavState& nav, const AlarmLimits& l) {
    const long double metres =
        GeodesicBetween({l.AnchorLat, l.AnchorLon}, {nav.PosLat, nav.PosLon}).metres;
    return metres > l.AnchorRadius || nav.GpsSilenceSeconds.value() > watchSilenceSeconds;
}

} // namespace

const char* alarmCaption(AlarmSlot slot) {
    return captions[static_cast<int>(slot)];
}

std::optional<std::string> AlarmMonitor::switchOn(AlarmSlot slot, const NavState& nav) {
    const AlarmFieldTexts& f = fields;
    AlarmLimits& l = limits;
    std::optional<std::string> error;
    switch (slot) {
    case AlarmSlot::Course:
        error = convertRange(f.minDir, f.maxDir, l.MinDir, l.MaxDir);
        break;
    case AlarmSlot::Speed:
        error = convertRange(f.minSpe, f.maxSpe, l.MinSpe, l.MaxSpe);
        break;
    case AlarmSlot::WindDirection:
        error = convertRange(f.minWind, f.maxWind, l.MinWind, l.MaxWind);
        break;
    case AlarmSlot::WindForce:
        error = convertRange(f.minWindForce, f.maxWindForce, l.MinWindForce, l.MaxWindForce);
        break;
    case AlarmSlot::GpsSilence:
        error = convertInteger(f.seconds, l.CommSeconds);
        break;
    case AlarmSlot::Divergence:
        error = convertReal(f.meter, l.DivMeter);
        break;
    case AlarmSlot::LatitudePassage:
        l.PassStartLat = nav.PosLat;
        l.PassLat = Real48(signedByHemisphere(TextToLat(f.lat), f.latNS, 'S'));
        break;
    case AlarmSlot::LongitudePassage:
        l.PassStartLon = nav.PosLon;
        l.PassLon = Real48(signedByHemisphere(TextToLon(f.lon), f.lonWE, 'E'));
        break;
    case AlarmSlot::OutsideDetailChart:
        break;
    case AlarmSlot::DepthBelow:
        error = convertReal(f.depth, l.MinDepth);
        break;
    case AlarmSlot::AnchorWatch:
        error = convertReal(f.anchorRadius, l.AnchorRadius);
        if (!error) {
            l.AnchorLat = nav.PosLat;
            l.AnchorLon = nav.PosLon;
            active(slot) = false; // armed anew where the boat lies: the old drag is history
        }
        break;
    case AlarmSlot::Arrival:
        error = convertReal(f.arrivalRadius, l.ArrivalRadius);
        arrivalsSeen_ = nav.Arrivals.count; // only waypoints reached from now on
        break;
    case AlarmSlot::AisCollision:
        error = convertRange(f.aisCpa, f.aisTcpa, l.AisCpa, l.AisTcpa);
        break;
    }
    if (!error)
        on(slot) = true;
    return error;
}

void AlarmMonitor::tick(NavState& nav) {
    AlarmPhase = !AlarmPhase;
    if (!AlarmPhase)
        evaluate(nav);
    int raised = 0;
    for (int i = 0; i < alarmSlotCount; ++i)
        raised += AlarmOn[i] && AlarmActive[i] ? 1 : 0;
    nav.ActiveAlarmCount = raised;
    nav.ActiveAlarmNames = raisedNames(nav);
}

// The names of the raised alarms, alphabetical, without the captions' trailing blanks.
std::string AlarmMonitor::raisedNames(const NavState& nav) const {
    std::vector<std::string> names;
    for (int i = 0; i < alarmSlotCount; ++i)
        if (AlarmOn[i] && AlarmActive[i])
            names.push_back(raisedName(static_cast<AlarmSlot>(i), nav));
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

void AlarmMonitor::evaluate(const NavState& nav) {
    for (int i = 0; i < alarmSlotCount; ++i) {
        const auto slot = static_cast<AlarmSlot>(i);
        if (!AlarmOn[i])
            AlarmActive[i] = false;
        else if (slot == AlarmSlot::AisCollision)
            AlarmActive[i] = conditionHolds(slot, nav);
        else if (conditionHolds(slot, nav))
            AlarmActive[i] = true;
    }
    arrivalsSeen_ = nav.Arrivals.count;
}

bool AlarmMonitor::conditionHolds(AlarmSlot slot, const NavState& nav) const {
    const AlarmLimits& l = limits;
    switch (slot) {
    case AlarmSlot::Course:
        return outsideBand(nav.PosCourse, l.MinDir, l.MaxDir);
    case AlarmSlot::Speed:
        return outsideBand(nav.PosSpeed, l.MinSpe, l.MaxSpe);
    case AlarmSlot::WindDirection:
        return outsideBand(nav.WindDir, l.MinWind, l.MaxWind);
    case AlarmSlot::WindForce:
        return outsideBand(nav.WindSpeed, l.MinWindForce, l.MaxWindForce);
    case AlarmSlot::GpsSilence:
        return nav.GpsSilenceSeconds.value() > l.CommSeconds;
    case AlarmSlot::Divergence:
        return nav.Waypoint.progress == RouteProgress::Sailing &&
               std::fabs(nav.Waypoint.crossTrackMetres) > l.DivMeter.value();
    case AlarmSlot::LatitudePassage:
        return passed(nav.PosLat, l.PassLat, l.PassStartLat);
    case AlarmSlot::LongitudePassage:
        return passed(nav.PosLon, l.PassLon, l.PassStartLon);
    case AlarmSlot::OutsideDetailChart:
        return nav.PosOutsideDetailChart;
    case AlarmSlot::DepthBelow:
        return nav.ExtendedValue.value() < l.MinDepth.value() ||
               nav.ExtendedSilenceSeconds.value() > watchSilenceSeconds;
    case AlarmSlot::AnchorWatch:
        return offAnchor(nav, l);
    case AlarmSlot::Arrival:
        return nav.Arrivals.count != arrivalsSeen_;
    case AlarmSlot::AisCollision:
        return !nav.AisCollision.empty();
    }
    return false;
}

std::string AlarmMonitor::limitText(AlarmLimit limit, char separator) const {
    const AlarmLimits& l = limits;
    const auto whole = [separator](long double v) { return FormatFloat("0", v, separator); };
    switch (limit) {
    case AlarmLimit::MinDir:
        return whole(l.MinDir);
    case AlarmLimit::MaxDir:
        return whole(l.MaxDir);
    case AlarmLimit::MinSpe:
        return whole(l.MinSpe);
    case AlarmLimit::MaxSpe:
        return whole(l.MaxSpe);
    case AlarmLimit::MinWind:
        return whole(l.MinWind);
    case AlarmLimit::MaxWind:
        return whole(l.MaxWind);
    case AlarmLimit::MinWindForce:
        return whole(l.MinWindForce);
    case AlarmLimit::MaxWindForce:
        return whole(l.MaxWindForce);
    case AlarmLimit::CommSeconds:
        return whole(l.CommSeconds);
    case AlarmLimit::DivMeter:
        return whole(l.DivMeter);
    case AlarmLimit::PassLat:
        return hemisphereOnwards(LatToText(l.PassLat));
    case AlarmLimit::PassLon:
        return hemisphereOnwards(LonToText(l.PassLon));
    case AlarmLimit::MinDepth:
        return FormatFloat("0.0", l.MinDepth, separator);
    case AlarmLimit::AnchorRadius:
        return whole(l.AnchorRadius);
    case AlarmLimit::ArrivalRadius:
        return whole(l.ArrivalRadius);
    case AlarmLimit::AisCpa:
        return FormatFloat("0.0", l.AisCpa, separator);
    case AlarmLimit::AisTcpa:
        return whole(l.AisTcpa);
    }
    return {};
}

} // namespace brisomar
