#include "input/reception.h"

#include "app/number_text.h"
#include "input/nmea_fields.h"

#include <algorithm>

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
    std::string& buffer = receiveBuffers_[port - 1];
    if (message.size() > shortestMessage && buffer.empty())
        buffer.assign(message.substr(1, maxSentenceLength));
}

void Reception::CheckReadString(NavState& nav, std::string_view sentence,
                                const LocalDateTime& now) {
    if (sentenceHasName(sentence, gps.sentence))
        checkGpsSentence(nav, sentence, now);
    else if (sentenceHasName(sentence, extended.sentence))
        checkExtendedSentence(nav, sentence, now);
}

// Speed and course are taken even when the position is refused.
void Reception::checkGpsSentence(NavState& nav, std::string_view sentence,
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
        return;
    nav.GpsLat = lat;
    nav.GpsLon = lon;
    nav.GpsTime = timeOfDay(now);
    lastFixSecond_ = secondOfDay(now);
}

void Reception::checkExtendedSentence(NavState& nav, std::string_view sentence,
                                      const LocalDateTime& now) const {
    const Real48 value = fieldValue(sentence, extended.field, extended.sentence);
    if (!hasValue(value))
        return;
    nav.ExtendedTime = timeOfDay(now);
    nav.ExtendedValue = value;
}

std::array<std::string, Reception::portCount> Reception::tick(NavState& nav,
                                                              const LocalDateTime& now) {
    auto shown = receiveBuffers_;
    for (const std::string& sentence : shown)
        CheckReadString(nav, sentence, now);
    for (std::string& buffer : receiveBuffers_)
        buffer.clear();
    // After midnight the clock is held at the last fix, so the silence reads 0 until then.
    const int clockSecond = std::max(secondOfDay(now), lastFixSecond_);
    nav.GpsSilenceSeconds = Real48(clockSecond - lastFixSecond_);
    return shown;
}

void Reception::portSwitchedOn(NavState& nav, const LocalDateTime& now) {
    nav.ExtendedName = extended.alias;
    lastFixSecond_ = secondOfDay(now);
}

} // namespace brisomar
