#pragma once

#include "base/clock.h"
#include "base/nav_state.h"

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// Which sentence and fields carry the GPS fix, as typed in the communication dialog; read at
// every check, so a change applies to the next sentence.
struct GpsSentenceSettings {
    std::string sentence = "GPRMC";
    std::string latitudeField = "3", northSouthField = "4";
    std::string longitudeField = "5", westEastField = "6";
    std::string speedField = "7", courseField = "8";
};

// Which sentence and field carry the extended instrument value, and its label.
struct ExtendedSentenceSettings {
    std::string sentence = "PTTKD";
    std::string field = "1";
    std::string alias = "Deep";
};

// Reception of the two ports: the sentences received since the last check, the check that stores
// GPS and extended values, and the silences since the last valid fix and extended value, counted
// on the steady clock so that midnight and a PC clock set anew change nothing.
class Reception {
public:
    static constexpr int portCount = 2;
    static constexpr int tickIntervalMs = 200; // the communication timer
    static constexpr std::size_t maxSentenceLength = 80;
    // Sentences kept between two ticks; beyond, the oldest are dropped (a flood, not a receiver).
    static constexpr std::size_t maxUncheckedSentences = 4096;
    // How long the GPS sentence may match nothing while another talker's sentence of its type
    // comes before the sailor is told.
    static constexpr std::chrono::seconds unmatchedNotice{10};
    // How long only refused GPS sentences may come before the sailor is told why.
    static constexpr std::chrono::seconds refusedNotice{5};

    // What a check made of a sentence. Refused whole: a wrong checksum, a GPS sentence saying it
    // has no fix; a position field that reads but is no position leaves speed and course taken.
    enum class SentenceUse {
        ignored,
        wrongChecksum,
        gpsNoFix,
        gpsPositionRefused,
        gpsWithoutPosition,
        fix,
        extendedWithoutValue,
        extendedValue,
        heading
    };

    GpsSentenceSettings gps;
    ExtendedSentenceSettings extended;
    // Told of every sentence a tick checks, after its values are stored.
    std::function<void(SentenceUse, std::string_view sentence, const NavState&)> onChecked;
    // Told of every AIS sentence ("!" first) a tick passes on, in the order they arrived.
    std::function<void(std::string_view sentence, const ClockReading&)> onAisSentence;

    // A message as a port delivers it ("$" first): kept without the "$", at most 80 characters,
    // when longer than 6 characters, to be checked at the next tick; dropped otherwise. An AIS
    // sentence ("!" first) is kept whole for the AIS reader, and neither checked nor shown.
    void deliver(int port, std::string_view message);

    // Stores what a GPS or extended sentence ("$" dropped) carries into the navigation state.
    SentenceUse CheckReadString(NavState& nav, std::string_view sentence, const ClockReading& now);

    // The 200 ms tick: checks every sentence delivered since the last tick, from both ports in the
    // order they arrived, and counts the silences (from the first tick until a port is switched
    // on). Gives each port's last sentence of them (empty when none), for the dialog to show.
    std::array<std::string, portCount> tick(NavState& nav, const ClockReading& now);

    // A port was switched on: the extended label is taken and the silence counts restart (not the
    // heading's: a heading from before is no fresher for it).
    void portSwitchedOn(NavState& nav, const ClockReading& now);

    std::size_t uncheckedCount() const { return unchecked_.size(); }
    // What the last tick gave.
    const std::array<std::string, portCount>& shown() const { return shown_; }

private:
    using SteadyTime = std::chrono::milliseconds;

    struct Received {
        int port;
        std::string sentence;
        bool ais; // "!" first, kept
    };

    SentenceUse checkGpsSentence(NavState& nav, std::string_view sentence, const ClockReading& now);
    void takeSpeedAndCourse(NavState& nav, std::string_view sentence) const;
    SentenceUse checkExtendedSentence(NavState& nav, std::string_view sentence,
                                      const ClockReading& now);
    bool isOtherTalker(std::string_view name) const;
    void noteOtherTalker(std::string_view sentence, SteadyTime now);
    std::string unmatchedSentenceNotice(SteadyTime now) const;
    void noteRefusal(const std::string& why, std::string_view sentence, SteadyTime now);
    std::string refusalNotice(SteadyTime now) const;

    std::deque<Received> unchecked_;
    std::array<std::string, portCount> shown_;
    // Steady times of the last valid fix, extended value and sentence the GPS setting matched,
    // or of switching a port on; unset until the first tick.
    std::optional<SteadyTime> lastFix_, lastExtended_, lastGpsSentence_;
    SteadyTime lastHeading_{0}; // of the last heading received
    // The last sentence of the GPS sentence's type from another talker, and when it came.
    std::string otherTalkerName_;
    SteadyTime otherTalkerTime_{0};
    // Why the last GPS sentence refused was ("GPRMC: latitude out of range"), and when.
    std::string refusal_;
    SteadyTime refusedAt_{0};
};

} // namespace brisomar
