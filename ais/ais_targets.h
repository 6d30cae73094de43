#pragma once

#include "ais/ais_messages.h"
#include "ais/closest_approach.h"
#include "base/nav_state.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace brisomar {

// What sends the reports: drawn and listed differently.
enum class AisKind { classA, classB, baseStation, aidToNavigation, aircraft };

// One ship, aircraft, station or aid that the AIS reports, as its messages tell it. Positions in
// degrees, north and WEST positive, as the navigation state holds them.
struct AisTarget {
    std::uint32_t mmsi = 0;
    AisKind kind = AisKind::classA;
    std::optional<GeoPoint> position;
    std::optional<double> speed, course, draught; // knots, degrees true, metres
    std::optional<int> heading, status, shiptype, toBow, toStern, toPort, toStarboard;
    std::optional<std::uint32_t> imo;
    std::string name, callsign, destination, eta;
    std::chrono::milliseconds lastReport{0}; // steady time
    std::chrono::milliseconds age{0};        // since the last report, at the last update
    bool lost = false;

    // Against the own boat, at the last update; absent without a position on either side.
    std::optional<Approach> approach;
    bool dangerous = false;    // within the alarm's limits and not exempt
    bool acknowledged = false; // by the sailor, until its CPA has been above the limit again

    // Its name, else its MMSI.
    std::string label() const;
    // The heading, else the course, else none: where its symbol points.
    std::optional<double> pointing() const;
    bool raisesAlarm() const { return dangerous && !acknowledged; }
};

// The limits of the AIS collision alarm.
struct CollisionLimits {
    long double cpaNm = 0.5L;
    long double tcpaMinutes = 12;
};

// The targets by MMSI. The own ship (the MMSI the sailor gives, or its transponder's VDO
// reports heard back) is never one. A target without a report for `lostAfter` is lost; after
// `removedAfter` it is removed. Times on the steady clock.
class AisTargets {
public:
    static constexpr std::chrono::minutes lostAfter{3};
    static constexpr std::chrono::minutes removedAfter{10};
    // Beyond this many, a new target takes the place of the one heard from longest ago.
    static constexpr std::size_t maxTargets = 5000;
    // Slower than this, knots, a target at anchor or moored raises no alarm.
    static constexpr double mooredBelowKnots = 0.5;

    // The own ship's MMSI as the sailor gives it; 0 when none.
    std::uint32_t ownMmsi = 0;

    // Merges a decoded message; one from the own transponder only names the own ship.
    void take(const AisMessage& message, bool own, std::chrono::milliseconds now);

    // Ages, loses and removes targets, and takes each one's approach to the own boat (none when
    // `own` is absent) against the limits. Gives the target raising the alarm with the nearest
    // closest approach in time, or none.
    const AisTarget* update(const std::optional<Motion>& own, const CollisionLimits& limits,
                            std::chrono::milliseconds now);

    // The sailor acknowledges a target: it raises no alarm until its CPA has been above the limit.
    void acknowledge(std::uint32_t mmsi);
    void acknowledgeRaising();

    const AisTarget* find(std::uint32_t mmsi) const;
    std::size_t size() const { return targets_.size(); }
    // The approaching ones (TCPA 0 or more) by TCPA, then the others by range.
    std::vector<const AisTarget*> sorted() const;
    template <typename F> void forEach(F f) const {
        for (const auto& [mmsi, target] : targets_)
            f(target);
    }

    // Names an MMSI that comes both as the own ship (VDO) and as another ship (VDM); else empty.
    std::string disagreementNotice() const;

private:
    // The own transponder heard back by a receiver: the VDO's place, within this long.
    static constexpr std::chrono::seconds ownEchoWithin{30};
    static constexpr double ownEchoMetres = 100;
    struct OwnReport {
        GeoPoint position;
        std::chrono::milliseconds at;
    };

    AisTarget& targetFor(std::uint32_t mmsi);
    bool heardBack(const AisMessage& m, std::chrono::milliseconds now) const;
    std::uint32_t transponderMmsi_ = 0; // named by the own VDO reports
    std::optional<OwnReport> ownReport_;
    std::uint32_t disagreeing_ = 0;
    std::unordered_map<std::uint32_t, AisTarget> targets_;
};

// "NORDIC STAR 0.3 Nm in 6 min": the target raising the alarm, as the alarm page names it.
std::string collisionText(const AisTarget& target);

// The boat in use: the navigation state's position, course and speed in use, once a fix or a
// typed position gives one; none before.
std::optional<Motion> ownMotion(const NavState& nav);

// Updates the targets against the boat in use and names the one raising the collision alarm in
// NavState::AisCollision (empty when none).
void watchAisTargets(AisTargets& targets, NavState& nav, const CollisionLimits& limits,
                     std::chrono::milliseconds now);

} // namespace brisomar
