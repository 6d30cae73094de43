#include "ais/ais_targets.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace brisomar {

namespace {

AisKind kindOf(int type, AisKind known) {
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 5:
        return AisKind::classA;
    case 18:
    case 19:
    case 24:
        return AisKind::classB;
    case 4:
        return AisKind::baseStation;
    case 9:
        return AisKind::aircraft;
    case 21:
        return AisKind::aidToNavigation;
    default:
        return known; // the long-range report comes from either class
    }
}

bool reportsPosition(int type) {
    return type != 5 && type != 24 && type != 14;
}

bool reportsHeading(int type) {
    return type <= 3 || type == 18 || type == 19;
}

template <typename T> void takeIfGiven(std::optional<T>& kept, const std::optional<T>& given) {
    if (given)
        kept = given;
}

void takeIfGiven(std::string& kept, const std::optional<std::string>& given) {
    if (given)
        kept = *given;
}

// What the message says of the target's place and motion.
void takeMotion(AisTarget& t, const AisMessage& m) {
    if (m.lat && m.lon)
        t.position = GeoPoint{Real48(*m.lat), Real48(-*m.lon)}; // AIS counts east positive
    if (m.type == 4 || m.type == 21)
        return;
    t.speed = m.speed;
    t.course = m.course;
    if (reportsHeading(m.type))
        t.heading = m.heading;
    takeIfGiven(t.status, m.status);
}

void takeStatic(AisTarget& t, const AisMessage& m) {
    takeIfGiven(t.name, m.shipname);
    takeIfGiven(t.name, m.name);
    takeIfGiven(t.callsign, m.callsign);
    takeIfGiven(t.destination, m.destination);
    takeIfGiven(t.eta, m.eta);
    takeIfGiven(t.imo, m.imo);
    takeIfGiven(t.shiptype, m.shiptype);
    takeIfGiven(t.toBow, m.toBow);
    takeIfGiven(t.toStern, m.toStern);
    takeIfGiven(t.toPort, m.toPort);
    takeIfGiven(t.toStarboard, m.toStarboard);
    takeIfGiven(t.draught, m.draught);
}

bool exempt(const AisTarget& t) {
    const bool stays = t.status == aisStatusAtAnchor || t.status == aisStatusMoored;
    return stays && t.speed.value_or(0) < AisTargets::mooredBelowKnots;
}

bool canCollide(AisKind kind) {
    return kind == AisKind::classA || kind == AisKind::classB;
}

// A station's or an aid's report under a ship's MMSI (its first digit 2 to 7) is no ship's.
bool stationUnderAShipsMmsi(const AisMessage& m) {
    return (m.type == 4 || m.type == 21) && m.mmsi >= 200000000 && m.mmsi < 800000000;
}

} // namespace

std::string AisTarget::label() const {
    return name.empty() ? std::to_string(mmsi) : name;
}

std::optional<double> AisTarget::pointing() const {
    if (heading)
        return *heading;
    return course;
}

// A VDO names the own ship and no more: a ship reporting by VDM under that MMSI stays a target,
// unless it is the own transponder heard back, where and when it last reported itself.
void AisTargets::take(const AisMessage& m, bool own, std::chrono::milliseconds now) {
    if (own) {
        transponderMmsi_ = m.mmsi;
        if (reportsPosition(m.type) && m.lat && m.lon)
            ownReport_ = {GeoPoint{Real48(*m.lat), Real48(-*m.lon)}, now};
        return;
    }
    if (m.type == 14 || stationUnderAShipsMmsi(m) || (m.mmsi != 0 && m.mmsi == ownMmsi))
        return;
    if (m.mmsi != 0 && m.mmsi == transponderMmsi_) {
        if (heardBack(m, now) || (!reportsPosition(m.type) && !targets_.contains(m.mmsi)))
            return;
        disagreeing_ = m.mmsi;
    }
    AisTarget& t = targetFor(m.mmsi);
    t.kind = kindOf(m.type, t.kind);
    t.lastReport = now;
    t.age = {};
    t.lost = false;
    if (reportsPosition(m.type))
        takeMotion(t, m);
    takeStatic(t, m);
}

bool AisTargets::heardBack(const AisMessage& m, std::chrono::milliseconds now) const {
    if (!ownReport_ || !m.lat || !m.lon || now - ownReport_->at > ownEchoWithin)
        return false;
    const GeoPoint reported{Real48(*m.lat), Real48(-*m.lon)};
    return GeodesicBetween(ownReport_->position, reported).metres <= ownEchoMetres;
}

std::string AisTargets::disagreementNotice() const {
    if (disagreeing_ == 0)
        return {};
    return "AIS: " + std::to_string(disagreeing_) +
           " comes as the own ship (VDO) and as another ship (VDM).";
}

AisTarget& AisTargets::targetFor(std::uint32_t mmsi) {
    if (const auto found = targets_.find(mmsi); found != targets_.end())
        return found->second;
    if (targets_.size() >= maxTargets) {
        const auto oldest =
            std::min_element(targets_.begin(), targets_.end(), [](auto& a, auto& b) {
                return a.second.lastReport < b.second.lastReport;
            });
        targets_.erase(oldest);
    }
    AisTarget& t = targets_[mmsi];
    t.mmsi = mmsi;
    return t;
}

const AisTarget* AisTargets::update(const std::optional<Motion>& own, const CollisionLimits& limits,
                                    std::chrono::milliseconds now) {
    std::erase_if(targets_, [&](const auto& entry) {
        return now - entry.second.lastReport > removedAfter || entry.first == ownMmsi;
    });
    const AisTarget* raising = nullptr;
    for (auto& [mmsi, t] : targets_) {
        t.age = now - t.lastReport;
        t.lost = t.age > lostAfter;
        t.approach.reset();
        if (own && t.position)
            t.approach = ClosestApproach(
                *own, {*t.position, t.course.value_or(0), t.course ? t.speed.value_or(0) : 0});
        const Approach* a = t.approach ? &*t.approach : nullptr;
        if (a && a->cpaNm > limits.cpaNm)
            t.acknowledged = false;
        t.dangerous = a && !t.lost && canCollide(t.kind) && !exempt(t) && a->cpaNm < limits.cpaNm &&
                      a->tcpaMinutes >= 0 && a->tcpaMinutes <= limits.tcpaMinutes;
        if (t.raisesAlarm() && (!raising || a->tcpaMinutes < raising->approach->tcpaMinutes))
            raising = &t;
    }
    return raising;
}

void AisTargets::acknowledge(std::uint32_t mmsi) {
    if (const auto found = targets_.find(mmsi); found != targets_.end())
        found->second.acknowledged = true;
}

void AisTargets::acknowledgeRaising() {
    for (auto& [mmsi, t] : targets_)
        if (t.dangerous)
            t.acknowledged = true;
}

const AisTarget* AisTargets::find(std::uint32_t mmsi) const {
    const auto found = targets_.find(mmsi);
    return found == targets_.end() ? nullptr : &found->second;
}

std::vector<const AisTarget*> AisTargets::sorted() const {
    std::vector<const AisTarget*> list;
    list.reserve(targets_.size());
    for (const auto& [mmsi, t] : targets_)
        list.push_back(&t);
    // Approaching first, by TCPA; then by range; targets without a position last, by MMSI.
    const auto order = [](const AisTarget* t) {
        const Approach* a = t->approach ? &*t->approach : nullptr;
        const bool approaching = a && a->tcpaMinutes > 0;
        return std::tuple(!a, !approaching, approaching ? a->tcpaMinutes : 0, a ? a->rangeNm : 0,
                          t->mmsi);
    };
    std::sort(list.begin(), list.end(),
              [&](const AisTarget* a, const AisTarget* b) { return order(a) < order(b); });
    return list;
}

std::string collisionText(const AisTarget& t) {
    char figures[64] = "";
    if (t.approach)
        std::snprintf(figures, sizeof figures, " %.1f Nm in %.0f min",
                      static_cast<double>(t.approach->cpaNm),
                      static_cast<double>(t.approach->tcpaMinutes));
    return t.label() + figures;
}

std::optional<Motion> ownMotion(const NavState& nav) {
    if (!nav.GpsFixReceived && !(nav.ManualLat && nav.ManualLon))
        return std::nullopt;
    return Motion{{nav.PosLat, nav.PosLon}, nav.PosCourse, nav.PosSpeed};
}

void watchAisTargets(AisTargets& targets, NavState& nav, const CollisionLimits& limits,
                     std::chrono::milliseconds now) {
    const AisTarget* raising = targets.update(ownMotion(nav), limits, now);
    nav.AisCollision = raising ? collisionText(*raising) : std::string();
    nav.AisNotice = targets.disagreementNotice();
}

} // namespace brisomar
