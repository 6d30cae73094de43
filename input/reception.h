#pragma once

#include "app/clock.h"
#include "app/nav_state.h"

#include <array>
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

// Reception of the two ports: one buffered sentence per port between checks, the check that
// stores GPS and extended values, and the count of seconds since the last valid fix.
class Reception {
public:
    static constexpr int portCount = 2;
    static constexpr std::size_t maxSentenceLength = 80;

    GpsSentenceSettings gps;
    ExtendedSentenceSettings extended;

    // A message as a port delivers it ("$" first): kept without the "$", at most 80 characters,
    // when longer than 6 characters and the port's buffer is empty; dropped otherwise.
    void deliver(int port, std::string_view message);

    // Stores what a GPS or extended sentence ("$" dropped) carries into the navigation state.
    void CheckReadString(NavState& nav, std::string_view sentence, const LocalDateTime& now);

    // The 200 ms tick: checks both buffers, empties them and counts the GPS silence.
    // Gives the buffers' texts as they were, for the dialog to show.
    std::array<std::string, portCount> tick(NavState& nav, const LocalDateTime& now);

    // A port was switched on: the extended label is taken and the silence count restarts.
    void portSwitchedOn(NavState& nav, const LocalDateTime& now);

    const std::string& receiveBuffer(int port) const { return receiveBuffers_[port - 1]; }
    int LastFixSecond() const { return lastFixSecond_; }

private:
    void checkGpsSentence(NavState& nav, std::string_view sentence, const LocalDateTime& now);
    void checkExtendedSentence(NavState& nav, std::string_view sentence,
                               const LocalDateTime& now) const;

    std::array<std::string, portCount> receiveBuffers_;
    int lastFixSecond_ = 0; // second of the day of the last valid fix or switching on
};

} // namespace brisomar
