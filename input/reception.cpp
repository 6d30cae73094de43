#include "input/reception.h"

#include "base/number_text.h"
#include "input/nmea_fields.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace brisomar {

namespace {

constexpr std::string_view separator = ",";
constexpr std::size_t shortestMessage = 6;
constexpr std::size_t talkerLength = 2; // "GP" of "GPRMC"

Real48 fieldValue(std::string_view sentence, const std::string& fieldNumber,
                  const std::string& name) {
    const auto n = readInteger(fieldNumber);
    return n ? NmeaFieldValue(sentence, separator, *n, name) : Real48(NmeaNoValue);
}

std::string fieldText(std::string_view sentence, const std::string& fieldNumber,
                      const std::string& name) {
    const auto n = readInteger(fieldNumber);
    return n ? NmeaFieldText(sentence, separator, *n, name) : std::string();
}

bool hasValue(Real48 v) {
    return v.value() > NmeaNoValue;
}

// Field n of a sentence whatever its name, without its checksum: a status that ends the sentence
// is read too. Empty when the sentence has fewer fields.
std::string_view anyField(std::string_view sentence, int n) {
    sentence = sentence.substr(0, sentence.find('*'));
    for (int i = 0; i < n; ++i) {
        const auto next = sentence.find(separator);
        if (next == std::string_view::npos)
            return {};
        sentence.remove_prefix(next + 1);
    }
    return sentence.substr(0, sentence.find(separator));
}

// How a GPS sentence says it has no fix, known by its type whatever the field settings: "status
// V"; none when it does not.
std::optional<std::string> saysNoFix(std::string_view sentence) {
    struct NoFixMark {
        std::string_view type;
        int field;
        std::string_view noFix, said;
    };
    static constexpr NoFixMark marks[] = {
        {"RMC", 2, "V", "status V"}, // status: A valid, V void
        {"GLL", 6, "V", "status V"},
        {"GGA", 6, "0", "quality 0"}, // quality: 0 no fix
    };
    const std::string_view name = sentenceName(sentence);
    for (const NoFixMark& mark : marks)
        if (name.ends_with(mark.type) && anyField(sentence, mark.field) == mark.noFix)
            return std::string(mark.said);
    return std::nullopt;
}

// "*00, should be *2F": the checksum a sentence carries and the one it should.
std::string checksumMismatch(std::string_view sentence) {
    const std::size_t star = sentence.rfind('*');
    return std::string(sentence.substr(star)) + ", should be *" +
           nmeaChecksum(sentence.substr(0, star));
}

// Seconds, with their fraction, between two readings of the steady clock.
Real48 secondsBetween(std::chrono::milliseconds since, std::chrono::milliseconds now) {
    return Real48(static_cast<long double>((now - since).count()) / 1000);
}

} // namespace

void Reception::deliver(int port, std::string_view message) {
    if (message.size() <= shortestMessage)
        return;
    const bool ais = message.front() == '!';
    unchecked_.push_back({port, std::string(message.substr(ais ? 0 : 1, maxSentenceLength)), ais});
    if (unchecked_.size() > maxUncheckedSentences)
        unchecked_.pop_front();
}

Reception::SentenceUse Reception::CheckReadString(NavState& nav, std::string_view sentence,
                                                  const ClockReading& now) {
    if (checksumIsWrong(sentence)) {
        if (sentenceHasName(sentence, gps.sentence))
            noteRefusal(" refused: wrong checksum (" + checksumMismatch(sentence) + ")", sentence,
                        now.steady);
        return SentenceUse::wrongChecksum;
    }
    if (sentenceHasName(sentence, gps.sentence))
        return checkGpsSentence(nav, sentence, now);
    if (sentenceHasName(sentence, extended.sentence))
        return checkExtendedSentence(nav, sentence, now);
    if (const auto heading = readTrueHeading(sentence)) {
        nav.Heading = Real48(*heading);
        nav.HeadingReceived = true;
        lastHeading_ = now.steady;
        return SentenceUse::heading;
    }
    noteOtherTalker(sentence, now.steady);
    return SentenceUse::ignored;
}

// Speed and course are taken even when the position is refused, but not from a receiver that
// says it has no fix.
Reception::SentenceUse Reception::checkGpsSentence(NavState& nav, std::string_view sentence,
                                                   const ClockReading& now) {
    lastGpsSentence_ = now.steady;
    if (const auto noFix = saysNoFix(sentence)) {
        noteRefusal(": the receiver reports no fix (" + *noFix + ")", sentence, now.steady);
        return SentenceUse::gpsNoFix;
    }
    takeSpeedAndCourse(nav, sentence);
    const NmeaAngle lat = readLatitude(fieldText(sentence, gps.latitudeField, gps.sentence),
                                       fieldText(sentence, gps.northSouthField, gps.sentence));
    const NmeaAngle lon = readLongitude(fieldText(sentence, gps.longitudeField, gps.sentence),
                                        fieldText(sentence, gps.westEastField, gps.sentence));
    if (!hasValue(lat.degrees) || !hasValue(lon.degrees))
        return SentenceUse::gpsWithoutPosition;
    if (!lat.position || !lon.position) {
        noteRefusal(!lat.position ? ": latitude out of range" : ": longitude out of range",
                    sentence, now.steady);
        return SentenceUse::gpsPositionRefused;
    }
    nav.GpsLat = lat.degrees;
    nav.GpsLon = lon.degrees;
    nav.GpsTime = timeOfDay(now.local);
    nav.GpsFixReceived = true;
    lastFix_ = now.steady;
    return SentenceUse::fix;
}

// Knots and degrees true: a negative speed or course is no value.
void Reception::takeSpeedAndCourse(NavState& nav, std::string_view sentence) const {
    const Real48 speed = fieldValue(sentence, gps.speedField, gps.sentence);
    if (speed.value() >= 0 && speed.value() < 10000)
        nav.GpsSpeed = speed;
    const Real48 course = fieldValue(sentence, gps.courseField, gps.sentence);
    if (course.value() >= 0 && course.value() <= 400)
        nav.GpsCourse = course;
}

Reception::SentenceUse Reception::checkExtendedSentence(NavState& nav, std::string_view sentence,
                                                        const ClockReading& now) {
    const Real48 value = fieldValue(sentence, extended.field, extended.sentence);
    if (!hasValue(value))
        return SentenceUse::extendedWithoutValue;
    nav.ExtendedTime = timeOfDay(now.local);
    nav.ExtendedValue = value;
    lastExtended_ = now.steady;
    return SentenceUse::extendedValue;
}

// "GNRMC" while the GPS sentence is "GPRMC": its type from another talker.
bool Reception::isOtherTalker(std::string_view name) const {
    const std::string_view wanted = gps.sentence;
    return name.size() == wanted.size() && name.size() > talkerLength &&
           name.substr(talkerLength) == wanted.substr(talkerLength) &&
           !sentenceHasName(name, wanted);
}

void Reception::noteOtherTalker(std::string_view sentence, SteadyTime now) {
    const std::string_view name = sentenceName(sentence);
    if (!isOtherTalker(name))
        return;
    otherTalkerName_ = name;
    otherTalkerTime_ = now;
}

std::string Reception::unmatchedSentenceNotice(SteadyTime now) const {
    if (now - *lastGpsSentence_ < unmatchedNotice || now - otherTalkerTime_ >= unmatchedNotice ||
        !isOtherTalker(otherTalkerName_))
        return {};
    return "Receiving " + otherTalkerName_ + ", not " + gps.sentence + ": set the sentence to " +
           std::string(talkerLength, '?') + otherTalkerName_.substr(talkerLength) + " to read it.";
}

void Reception::noteRefusal(const std::string& why, std::string_view sentence, SteadyTime now) {
    refusal_ = std::string(sentenceName(sentence)) + why;
    refusedAt_ = now;
}

// Said once only refused GPS sentences have come for a while: else the boat stands still with
// the sentences seen arriving, and nobody says why.
std::string Reception::refusalNotice(SteadyTime now) const {
    if (refusal_.empty() || now - *lastFix_ < refusedNotice || now - refusedAt_ >= refusedNotice)
        return {};
    return refusal_ + ".";
}

std::array<std::string, Reception::portCount> Reception::tick(NavState& nav,
                                                              const ClockReading& now) {
    for (std::optional<SteadyTime>* since : {&lastFix_, &lastExtended_, &lastGpsSentence_})
        if (!*since)
            *since = now.steady; // the first tick of the run
    std::array<std::string, portCount> shown;
    for (const Received& received : std::exchange(unchecked_, {})) {
        if (received.ais) {
            if (onAisSentence)
                onAisSentence(received.sentence, now);
            continue;
        }
        const SentenceUse use = CheckReadString(nav, received.sentence, now);
        if (onChecked)
            onChecked(use, received.sentence, nav);
        shown[received.port - 1] = received.sentence;
    }
    nav.GpsSilenceSeconds = secondsBetween(*lastFix_, now.steady);
    nav.ExtendedSilenceSeconds = secondsBetween(*lastExtended_, now.steady);
    nav.HeadingSilenceSeconds = secondsBetween(lastHeading_, now.steady);
    const std::string unmatched = unmatchedSentenceNotice(now.steady);
    const std::string refused = refusalNotice(now.steady);
    nav.SentenceNotice = unmatched + (unmatched.empty() || refused.empty() ? "" : " ") + refused;
    shown_ = shown;
    return shown;
}

void Reception::portSwitchedOn(NavState& nav, const ClockReading& now) {
    nav.ExtendedName = extended.alias;
    lastFix_ = lastExtended_ = lastGpsSentence_ = now.steady;
}

} // namespace brisomar
