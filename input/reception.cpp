#include "input/reception.h"

#include "base/number_text.h"
#include "input/nmea_fields.h"

#include <algorithm>
#include <utility>

namespace brisomar {

namespace {

constexpr std::string_view separator = ",";
constexpr std::size_t shortestMessage = 6;

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

} // namespace

void Reception::deliver(int port, std::string_view message) {
    if (message.size() <= shortestMessage)
        return;
    unchecked_.push_back({port, std::string(message.substr(1, maxSentenceLength))});
    if (unchecked_.size() > maxUncheckedSentences)
        unchecked_.pop_front();
}

Reception::SentenceUse Reception::CheckReadString(NavState& nav, std::string_view sentence,
                                                  const LocalDateTime& now) {
    if (sentenceHasName(sentence, gps.sentence))
        return checkGpsSentence(nav, sentence, now);
    if (sentenceHasName(sentence, extended.sentence))
        return checkExtendedSentence(nav, sentence, now);
    return SentenceUse::ignored;
}

// Speed and course are taken even when the position is refused.
Reception::SentenceUse Reception::checkGpsSentence(NavState& nav, std::string_view sentence,
                                                   const LocalDateTime& now) {
    const Real48 speed = fieldValue(sentence, gps.speedField, gps.sentence);
    if (hasValue(speed) && speed.value() < 10000)
        nav.GpsSpeed = speed;
    const Real48 course = fieldValue(sentence, gps.courseField, gps.sentence);
    if (hasValue(course) && course.value() <= 400)
        nav.GpsCourse = course;
    const Real48 lat = NmeaLatitude(fieldText(sentence, gps.latitudeField, gps.sentence),
                                    fieldText(sentence, gps.northSouthField, gps.sentence));
    const Real48 lon = NmeaLongitude(fieldText(sentence, gps.longitudeField, gps.sentence),
                                     fieldText(sentence, gps.westEastField, gps.sentence));
    if (lat.value() < -90 || lat.value() > 90 || lon.value() < -180 || lon.value() > 180)
        return SentenceUse::gpsWithoutFix;
    nav.GpsLat = lat;
    nav.GpsLon = lon;
    nav.GpsTime = timeOfDay(now);
    lastFixSecond_ = secondOfDay(now);
    return SentenceUse::fix;
}

Reception::SentenceUse Reception::checkExtendedSentence(NavState& nav, std::string_view sentence,
                                                        const LocalDateTime& now) const {
    const Real48 value = fieldValue(sentence, extended.field, extended.sentence);
    if (!hasValue(value))
        return SentenceUse::extendedWithoutValue;
    nav.ExtendedTime = timeOfDay(now);
    nav.ExtendedValue = value;
    return SentenceUse::extendedValue;
}

std::array<std::string, Reception::portCount> Reception::tick(NavState& nav,
                                                              const LocalDateTime& now) {
    std::array<std::string, portCount> shown;
    for (const Received& received : std::exchange(unchecked_, {})) {
        const SentenceUse use = CheckReadString(nav, received.sentence, now);
        if (use == SentenceUse::extendedValue)
            lastExtendedSecond_ = secondOfDay(now);
        if (onChecked)
            onChecked(use, nav);
        shown[received.port - 1] = received.sentence;
    }
    // After midnight the clock is held at the last fix, so the silence reads 0 until then.
    const int clockSecond = std::max(secondOfDay(now), lastFixSecond_);
    nav.GpsSilenceSeconds = Real48(clockSecond - lastFixSecond_);
    const int extendedClockSecond = std::max(secondOfDay(now), lastExtendedSecond_);
    nav.ExtendedSilenceSeconds = Real48(extendedClockSecond - lastExtendedSecond_);
    return shown;
}

void Reception::portSwitchedOn(NavState& nav, const LocalDateTime& now) {
    nav.ExtendedName = extended.alias;
    lastFixSecond_ = lastExtendedSecond_ = secondOfDay(now);
}

} // namespace brisomar
