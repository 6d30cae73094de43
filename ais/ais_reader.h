#pragma once

#include "ais/ais_messages.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace brisomar {

// One AIS sentence, "!AIVDM,2,1,3,B,<payload>,0*hh": any talker, VDM (other ships) or VDO (the
// own ship's transponder).
struct AisSentence {
    bool own = false; // VDO
    int fragments = 1, fragment = 1;
    char sequence = 0; // the sequential id "0" to "9", 0 when empty
    char channel = 0;  // "A", "B", "1", "2", 0 when empty
    std::string payload;
    int fillBits = 0;
};

// The sentence, or why it is refused: "wrong checksum", "not an AIS sentence", ...
std::variant<AisSentence, std::string> parseAisSentence(std::string_view sentence);

// What reading one sentence gave: a whole message decoded, nothing yet (a fragment kept, or a
// type the navigator does not read), or why the sentence or its message was refused.
struct AisReading {
    std::optional<AisMessage> message;
    bool own = false;
    std::string refusal; // empty unless refused
};

// Reads AIS sentences as they arrive and puts messages in several fragments together by their
// sequential id and channel, whatever other sentences come between. The fragments of a message
// come in order: one out of order drops the message begun. A message not finished within
// `fragmentLife` is dropped. Memory stays bounded whatever arrives: a message holds at most
// `maxPayload` characters and at most `maxOpen` messages are begun at once.
class AisReader {
public:
    static constexpr std::chrono::seconds fragmentLife{5};
    static constexpr std::size_t maxPayload = 168; // 1008 bits, five slots
    static constexpr std::size_t maxOpen = 40;     // ten ids on four channels

    // Counts since the start, for the sailor and the tests.
    struct Counts {
        std::size_t sentences = 0, messages = 0, otherTypes = 0, refused = 0;
    };

    AisReading read(std::string_view sentence, std::chrono::milliseconds now);
    const Counts& counts() const { return counts_; }

private:
    struct Begun {
        int fragments = 0, next = 0;
        bool own = false;
        std::string payload;
        std::chrono::milliseconds started{0};
    };

    AisReading assemble(const AisSentence& s, std::chrono::milliseconds now);
    AisReading decode(std::string_view payload, int fillBits, bool own);
    void dropStale(std::chrono::milliseconds now);

    std::map<std::pair<char, char>, Begun> begun_;
    Counts counts_;
};

} // namespace brisomar
