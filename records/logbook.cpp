#include "records/logbook.h"

#include "base/utf8.h"

#include <algorithm>

namespace brisomar {

namespace {

constexpr std::size_t maxTextCharacters = 255;

// Exactly these two spellings: ".Log" is refused.
bool hasLogExtension(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == ".LOG" || extension == ".log";
}

std::string tornRecordNotice(const std::string& path, std::uintmax_t bytes) {
    return "A torn record at the end of " + path + " was removed (" + std::to_string(bytes) +
           (bytes == 1 ? " byte)" : " bytes)");
}

} // namespace

bool Logbook::useFile(FileSystem& files, const std::string& path) {
    std::string ignored;
    if (!path.empty())
        files.touch(path, ignored);
    LogFileSelected = !path.empty() && hasLogExtension(path);
    LogFileName = LogFileSelected ? path : std::string();
    return LogFileSelected;
}

void Logbook::tick(NavState& nav, FileSystem& files, const LocalDateTime& now,
                   const std::string& text) {
    ++LogMinuteCount;
    const TLogRecord record{std::string(utf8Substring(text, 0, maxTextCharacters)),
                            nav.PosLat,
                            nav.PosLon,
                            nav.PosCourse,
                            nav.PosSpeed,
                            dateTimeValue(now)};
    if (LogMinuteCount < nav.LogInterval || !LogFileSelected || !nav.LogOn)
        return;
    LogMinuteCount = 0;
    const LogRecordBytes bytes = encodeLogRecord(record);
    std::string error;
    const auto done =
        appendWhole(files, LogFileName, Bytes(bytes.begin(), bytes.end()), logRecordSize, error);
    nav.LogWriteFailure = done ? std::string() : error;
    nav.LogRepairNotice =
        done && done->cutBytes != 0 ? tornRecordNotice(LogFileName, done->cutBytes) : std::string();
    if (LogFileName != LogViewFile)
        return;
    if (const auto size = files.size(LogFileName, error))
        LogViewCount = logRecordCount(*size);
}

std::optional<TLogRecord> readLogRecord(FileSystem& files, const std::string& path, int number,
                                        std::string& error) {
    if (number < 1)
        return std::nullopt;
    const auto bytes = files.read(path, static_cast<std::uintmax_t>(number - 1) * logRecordSize,
                                  logRecordSize, error);
    if (!bytes || bytes->size() != logRecordSize)
        return std::nullopt;
    LogRecordBytes record;
    std::copy(bytes->begin(), bytes->end(), record.begin());
    return decodeLogRecord(record);
}

std::optional<TLogRecord> Logbook::openView(FileSystem& files, const std::string& path) {
    LogViewFile = path;
    std::string error;
    const auto first = readLogRecord(files, path, 1, error);
    const auto size = files.size(path, error);
    if (!first || !size) {
        LogViewRecord = LogViewCount = 0;
        return std::nullopt;
    }
    LogViewCount = logRecordCount(*size);
    LogViewRecord = 1;
    return first;
}

bool Logbook::stepView(int step) {
    if (LogViewCount == 0)
        return false;
    if (step > 0 && LogViewRecord < LogViewCount)
        LogViewRecord = std::min(LogViewRecord + step, LogViewCount);
    else if (step < 0 && LogViewRecord > 1)
        LogViewRecord = std::max(LogViewRecord + step, 1);
    return true;
}

std::optional<TLogRecord> Logbook::viewedRecord(FileSystem& files) const {
    std::string error;
    return readLogRecord(files, LogViewFile, LogViewRecord, error);
}

} // namespace brisomar
