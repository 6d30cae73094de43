#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace brisomar {

// Cuts the bytes one port receives into whole messages, however the reads divide them. A message
// begins at `msgStart`, or at "!" when that is "$": NMEA's encapsulated sentences (AIS) are
// framed like its others; it ends at `msgStop` when that differs from the start character (the stop
// character is kept), at a CR, LF or NUL (not kept), or where the next start character begins
// the next message. A message cut by two reads is joined; one longer than maxMessageLength is cut
// to that length; bytes before a start character are dropped. Finished messages wait, oldest
// first, until fetched; beyond maxWaitingMessages the oldest are dropped, so a flood cannot grow
// the program's memory.
class MessageFramer {
public:
    static constexpr char encapsulatedStart = '!';
    // The start character and the 80 characters a sentence is checked by.
    static constexpr std::size_t maxMessageLength = 81;
    static constexpr std::size_t maxWaitingMessages = 4096;

    void take(std::string_view received, char msgStart, char msgStop);

    bool ready() const { return !finished_.empty(); }
    std::string next(); // the oldest finished message, or empty when none
    const std::string& unfinished() const { return unfinished_; }

private:
    void finish();
    static bool starts(char c, char msgStart) {
        return c == msgStart || (msgStart == '$' && c == encapsulatedStart);
    }

    std::string unfinished_; // the message begun, start character first; empty when none
    std::deque<std::string> finished_;
};

} // namespace brisomar
