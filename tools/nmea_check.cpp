#include "tools/nmea_check.h"

#include "app/program.h"
#include "base/number_text.h"
#include "engine/watch_engine.h"
#include "input/message_framing.h"
#include "input/nmea_fields.h"
#include "input/serial_device.h"
#include "tools/tool_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <ostream>
#include <unordered_map>
#include <utility>

namespace brisomar::tool {

namespace {

constexpr long long bitsPerByte = 10;
constexpr int recordingPort = 1;              // the port the recording is read on
constexpr std::size_t sentenceTextLength = 8; // as the window's sentence edits take
constexpr std::size_t fieldCount = 6;
// The field edits' lengths: latitude, N/S, longitude, W/E, speed, course.
constexpr std::array<std::size_t, fieldCount> fieldLengths = {2, 2, 8, 2, 2, 2};
constexpr std::size_t extendedFieldLength = 2;
constexpr std::size_t seenNamesShown = 10; // of a noisy line's names, the most frequent

// The clock the simulated run starts from; only the time since it is written.
const LocalDateTime simulationStart{2026, 1, 1, 12, 0, 0, 0};

bool isWholeNumberOrEmpty(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string sentenceText(const std::string& option, const std::string& value) {
    if (value.size() > sentenceTextLength)
        throw CheckUsageError(option + " takes at most 8 characters, not '" + value + "'");
    return value;
}

std::string fieldNumber(const std::string& option, const std::string& value, std::size_t length) {
    if (!isWholeNumberOrEmpty(value) || value.size() > length)
        throw CheckUsageError(option + " takes field numbers or nothing, not '" + value + "'");
    return value;
}

// LAT,NS,LON,EW,SPEED,COURSE into the GPS settings.
void setFields(GpsSentenceSettings& gps, const std::string& value) {
    std::vector<std::string> numbers(1);
    for (const char c : value) {
        if (c == ',')
            numbers.emplace_back();
        else
            numbers.back() += c;
    }
    if (numbers.size() != fieldCount)
        throw CheckUsageError("--fields takes six numbers LAT,NS,LON,EW,SPEED,COURSE, not '" +
                              value + "'");
    std::array<std::string*, fieldCount> settings = {&gps.latitudeField,  &gps.northSouthField,
                                                     &gps.longitudeField, &gps.westEastField,
                                                     &gps.speedField,     &gps.courseField};
    for (std::size_t i = 0; i < fieldCount; ++i)
        *settings[i] = fieldNumber("--fields", numbers[i], fieldLengths[i]);
}

int baudRate(const std::string& value) {
    const auto baud = isWholeNumberOrEmpty(value) ? readInteger(value) : std::nullopt;
    if (baud && *baud > 0)
        return *baud;
    throw CheckUsageError("--baud needs a positive whole number, not '" + value + "'");
}

constexpr std::array<std::string_view, 5> optionNames = {"--baud", "--sentence", "--extended",
                                                         "--fields", "--extended-field"};

void setOption(CheckOptions& options, const std::string& option, const std::string& value) {
    if (option == "--baud")
        options.baud = baudRate(value);
    else if (option == "--sentence")
        options.gps.sentence = sentenceText(option, value);
    else if (option == "--extended")
        options.extended.sentence = sentenceText(option, value);
    else if (option == "--fields")
        setFields(options.gps, value);
    else
        options.extended.field = fieldNumber(option, value, extendedFieldLength);
}

// The recording without the "#" lines at its top.
std::string_view withoutHeader(std::string_view recording) {
    while (recording.starts_with('#')) {
        const auto end = recording.find('\n');
        recording.remove_prefix(end == std::string_view::npos ? recording.size() : end + 1);
    }
    return recording;
}

// Milliseconds as seconds with three decimals.
std::string secondsText(long long ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", ms / 1000, ms % 1000);
    return text;
}

using ms = std::chrono::milliseconds;

// The navigator's port and its watch over one recording, and what they took.
class CheckRun {
public:
    CheckRun(std::string_view bytes, const CheckOptions& options, std::ostream& out)
        : bytes_(bytes), baud_(options.baud), out_(out) {
        Reception& reception_ = program_.reception;
        reception_.gps = options.gps;
        reception_.extended = options.extended;
        reception_.onChecked = [this](Reception::SentenceUse use, std::string_view sentence,
                                      const NavState& nav) {
            count(use, sentence);
            report(use, nav);
        };
    }

    // Polls and advances the watch in the order of their times (the poll first when both fall
    // due at once), until the reception after the poll that read the last byte.
    void run() {
        advance(0);
        long long nextPoll = serialPollIntervalMs;
        bool allRead = bytes_.empty();
        for (;;) {
            const long long nextStep = engine_.nextDue().value().count();
            if (nextPoll <= nextStep) {
                allRead = poll(nextPoll);
                nextPoll += serialPollIntervalMs;
            } else {
                advance(nextStep);
                if (allRead && engine_.lastRun(WatchStep::Reception) == ms(nextStep))
                    break;
            }
        }
    }

    // The counts; when the GPS sentence matched nothing, the names of the sentences that came.
    void summary() {
        out_ << "summary\tsentences " << sentences_ << "\tgps " << gpsSentences_ << "\tfixes "
             << fixes_ << "\trejected " << rejectedText() << "\tlongest-gap "
             << secondsText(longestGap_);
        if (gpsSentences_ == 0 && !seen_.empty())
            out_ << "\tseen " << seenText();
        out_ << '\n';
    }

private:
    // The bytes that arrived by `ms` and were not read yet are read, framed and delivered.
    bool poll(long long ms) {
        const auto arrived = static_cast<std::size_t>(std::min<long long>(
            static_cast<long long>(bytes_.size()), ms * baud_ / (bitsPerByte * 1000)));
        framer_.take(bytes_.substr(read_, arrived - read_), '$', '$');
        read_ = arrived;
        while (framer_.ready())
            program_.reception.deliver(recordingPort, framer_.next());
        return read_ == bytes_.size();
    }

    void advance(long long ms) {
        now_ = ms;
        engine_.advance({fromDateTimeValue(dateTimeValue(simulationStart) + ms / 86400000.0),
                         std::chrono::milliseconds(ms)});
    }

    void count(Reception::SentenceUse use, std::string_view sentence) {
        using enum Reception::SentenceUse;
        ++sentences_;
        if (use == gpsNoFix || use == gpsPositionRefused || use == gpsWithoutPosition || use == fix)
            ++gpsSentences_;
        if (use == wrongChecksum)
            ++wrongChecksums_;
        else if (use == gpsNoFix)
            ++noFixes_;
        else if (use == gpsPositionRefused)
            ++refusedPositions_;
        const std::string name(sentenceName(sentence));
        if (name.empty())
            return;
        const auto [at, added] = seenIndex_.try_emplace(name, seen_.size());
        if (added)
            seen_.emplace_back(name, 0);
        ++seen_[at->second].second;
    }

    // Writes each fix and extended value taken.
    void report(Reception::SentenceUse use, const NavState& nav) {
        if (use == Reception::SentenceUse::fix) {
            if (fixes_ > 0)
                longestGap_ = std::max(longestGap_, now_ - lastFix_);
            ++fixes_;
            lastFix_ = now_;
            out_ << "fix\t" << secondsText(now_) << '\t' << FloatToStr(nav.GpsLat) << '\t'
                 << FloatToStr(nav.GpsLon) << '\t' << FloatToStr(nav.GpsSpeed) << '\t'
                 << FloatToStr(nav.GpsCourse) << '\n';
        } else if (use == Reception::SentenceUse::extendedValue) {
            out_ << "extended\t" << secondsText(now_) << '\t' << FloatToStr(nav.ExtendedValue)
                 << '\n';
        }
    }

    // "5 (checksum 1, no fix 3, out of range 1)", naming only the reasons that occurred.
    std::string rejectedText() const {
        std::string reasons;
        for (const auto& [reason, n] :
             {std::pair{"checksum", wrongChecksums_}, std::pair{"no fix", noFixes_},
              std::pair{"out of range", refusedPositions_}})
            if (n > 0)
                reasons +=
                    (reasons.empty() ? " (" : ", ") + std::string(reason) + " " + std::to_string(n);
        return std::to_string(wrongChecksums_ + noFixes_ + refusedPositions_) + reasons +
               (reasons.empty() ? "" : ")");
    }

    // "GNRMC 840, GNGGA 840, ...": the most frequent first, of equals the first seen first.
    std::string seenText() const {
        auto names = seen_;
        std::stable_sort(names.begin(), names.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        std::string text;
        for (std::size_t i = 0; i < std::min(names.size(), seenNamesShown); ++i)
            text += (i == 0 ? "" : ", ") + names[i].first + " " + std::to_string(names[i].second);
        return names.size() > seenNamesShown ? text + ", ..." : text;
    }

    std::string_view bytes_;
    long long baud_;
    std::ostream& out_;
    MessageFramer framer_;
    Program program_;
    StdFileSystem files_; // the watch opens no file: no log, no chart
    WatchEngine engine_{program_.watchParts(), files_};
    std::size_t read_ = 0;
    long long now_ = 0;
    long long lastFix_ = 0;
    long long longestGap_ = 0;
    long long sentences_ = 0, gpsSentences_ = 0, fixes_ = 0;
    long long wrongChecksums_ = 0, noFixes_ = 0, refusedPositions_ = 0;
    std::unordered_map<std::string, std::size_t> seenIndex_;
    std::vector<std::pair<std::string, long long>> seen_; // names and counts, as first seen
};

} // namespace

CheckOptions parseCheckOptions(const std::vector<std::string>& words) {
    CheckOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!words[i].starts_with("--")) {
            files.push_back(words[i]);
            continue;
        }
        if (std::find(optionNames.begin(), optionNames.end(), words[i]) == optionNames.end())
            throw CheckUsageError("nmea check does not take " + words[i]);
        if (i + 1 >= words.size())
            throw CheckUsageError(words[i] + " needs a value");
        setOption(options, words[i], words[i + 1]);
        ++i;
    }
    if (files.size() != 1)
        throw CheckUsageError("expected 1 file name, got " + std::to_string(files.size()));
    options.path = files[0];
    return options;
}

void checkRecording(std::string_view recording, const CheckOptions& options, std::ostream& out) {
    CheckRun run(withoutHeader(recording), options, out);
    run.run();
    run.summary();
}

void checkFile(FileSystem& files, const CheckOptions& options, std::ostream& out) {
    const std::string text =
        aboutFile(options.path, [&] { return textOf(readDataFile(files, options.path)); });
    checkRecording(text, options, out);
}

} // namespace brisomar::tool
