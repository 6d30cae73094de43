#pragma once

#include "base/nav_state.h"
#include "base/nmea_checksum.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brisomar {

// Sentences the navigator sends: the route sentences an autopilot steers by, and the sentences
// received, passed on as they came.

// A sentence ready to send: "$", the body, "*", its checksum, CR LF.
std::string nmeaSentence(std::string_view body);

// The position in use is a live fix: latitude and longitude from the GPS, a fix received in this
// run and none missed for longer than positionLostSeconds. A typed position steers nobody.
bool positionIsLive(const NavState& nav);

// RMB, APB and XTE (talker EC, true bearings, cross-track error in nautical miles) from the
// figures of the waypoint sailed to, as the Waypoint page shows them; their status is V when the
// position is not live. Waypoint ids are the route numbers, "001" to "100"; the first leg starts
// at "000". Empty when no waypoint is sailed to: no route, or the route done.
std::string routeSentences(const NavState& nav);

// What one output sends: the route sentences once a second, the sentences received as they come.
struct OutputChoice {
    bool route = false;
    bool received = false;
};

// Gathers, for each output (the two serial ports and the network), what it sends at each tick of
// the communication window.
class SentenceOutput {
public:
    static constexpr int outputCount = 3;
    static constexpr int networkOutput = 2; // the index after the ports'
    static constexpr std::chrono::milliseconds routeInterval{1000};
    // Received text an output keeps between two ticks; what comes beyond is dropped.
    static constexpr std::size_t maxPendingBytes = 16 * 1024;

    std::array<OutputChoice, outputCount> choices;

    // A whole sentence as port 1 or 2 framed it (its start character first, no line end): kept for
    // every output that sends received sentences, except the port it came from, which would
    // hand the sentences back to their own instrument.
    void received(int port, std::string_view message);

    // Each output's text to send now: the received sentences kept since the last tick and, when a
    // second of steady time has passed since they were last added, the route sentences.
    std::array<std::string, outputCount> tick(const NavState& nav,
                                              std::chrono::milliseconds steady);

private:
    bool routeDue(std::chrono::milliseconds steady);

    std::array<std::string, outputCount> pending_;
    std::optional<std::chrono::milliseconds> lastRoute_;
};

// Where each output's text goes when it is due: the serial ports and the network output.
class SentenceSink {
public:
    virtual ~SentenceSink() = default;
    virtual void send(const std::array<std::string, SentenceOutput::outputCount>& due) = 0;
};

} // namespace brisomar
