#include "input/message_framing.h"

#include <utility>

namespace brisomar {

namespace {

bool endsLine(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

} // namespace

void MessageFramer::take(std::string_view received, char msgStart, char msgStop) {
    for (const char c : received) {
        if (starts(c, msgStart)) {
            finish();
            unfinished_.assign(1, c);
        } else if (unfinished_.empty()) {
            continue; // no message begun: dropped
        } else if (endsLine(c)) {
            finish();
        } else {
            if (unfinished_.size() < maxMessageLength)
                unfinished_ += c;
            if (c == msgStop)
                finish();
        }
    }
}

std::string MessageFramer::next() {
    if (finished_.empty())
        return {};
    std::string message = std::move(finished_.front());
    finished_.pop_front();
    return message;
}

void MessageFramer::finish() {
    if (unfinished_.empty())
        return;
    finished_.push_back(std::exchange(unfinished_, std::string()));
    if (finished_.size() > maxWaitingMessages)
        finished_.pop_front();
}

} // namespace brisomar
