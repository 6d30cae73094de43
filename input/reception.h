#pragma once

#include "base/clock.h"
#include "base/nav_state.h"

#include <array>
#include <deque>
#include <functional>
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
// GPS and extended values, and the count of seconds since the last valid fix.
class Reception {
public:
    static constexpr int portCount = 2;
    static constexpr int tickIntervalMs = 200; // the communication timer
    static constexpr std::size_t maxSentenceLength = 80;
    // Sentences kept between two ticks; beyond, the oldest are dropped (a flood, not a receiver).
    static constexpr std::size_t maxUncheckedSentences = 4096;

    // What a check made of a sentence.
    enum class SentenceUse { ignored, gpsWithoutFix, fix, extendedWithoutValue, extendedValue };

    GpsSentenceSettings gps;
    ExtendedSentenceSettings extended;
    // Told of every sentence a tick checks, after its values are stored.
    std::function<void(SentenceUse, const NavState&)> onChecked;

    // A message as a port delivers it ("$" first): kept without the "$", at most 80 characters,
    // when longer than 6 characters, to be checked at the next tick; dropped otherwise.
    void deliver(int port, std::string_view message);

    // Stores what a GPS or extended sentence ("$" dropped) carries into the navigation state.
    SentenceUse CheckReadString(NavState& nav, std::string_view sentence, const LocalDateTime& now);

    // The 200 ms tick: checks every sentence delivered since the last tick, from both ports in the
    // order they arrived, and counts the GPS silence. Gives each port's last sentence of them
    // (empty when none), for the dialog to show.
    std::array<std::string, portCount> tick(NavState& nav, const LocalDateTime& now);

    // A port was switched on: the extended label is taken and the silence count restarts.
    void portSwitchedOn(NavState& nav, const LocalDateTime& now);

    std::size_t uncheckedCount() const { return unchecked_.size(); }
    int LastFixSecond() const { return lastFixSecond_; }

private:
    struct Received {
        int port;
        std::string sentence;
    };

    SentenceUse checkGpsSentence(NavState& nav, std::string_view sentence,
                                 const LocalDateTime& now);
    SentenceUse checkExtendedSentence(NavState& nav, std::string_view sentence,
                                      const LocalDateTime& now) const;

    std::deque<Received> unchecked_;
    int lastFixSecond_ = 0;      // second of the day of the last valid fix or switching on
    int lastExtendedSecond_ = 0; // of the last extended value or switching on
};

} // namespace brisomar
