#pragma once

#include "base/clock.h"
#include "base/file_system.h"
#include "base/nav_state.h"
#include "records/log_record.h"

#include <optional>
#include <string>

namespace brisomar {

// The logbook: records appended to the chosen file every LogInterval minutes while logging is
// on, and the viewer's place in the file opened for viewing.
class Logbook {
public:
    int LogMinuteCount = 0;
    bool LogFileSelected = false;
    std::string LogFileName;
    std::string LogViewFile;
    int LogViewRecord = 0; // 1-based; 0 when nothing is open
    int LogViewCount = 0;
    int LogShowFrom = 0;
    int LogShowTo = 0;
    std::string LogText; // written into each record, as typed in the log window

    // Takes a file for logging: creates it empty if it is missing (even when the name is then
    // refused), and accepts only the extensions ".LOG" and ".log".
    bool useFile(FileSystem& files, const std::string& path);

    // The minute tick: writes a record with the values in use and `text` once LogInterval
    // minutes have passed since the last write, if logging is on with a file chosen. A failed
    // write is undone and reported in nav.LogWriteFailure until a write succeeds. A torn record
    // at the end of the file (from a crash during an earlier write) is cut off before the
    // write and told in nav.LogRepairNotice until the next write.
    void tick(NavState& nav, FileSystem& files, const LocalDateTime& now, const std::string& text);

    // Opens a file for viewing and reads its first record; nothing when it cannot (an empty
    // file included), the viewer then holding no records.
    std::optional<TLogRecord> openView(FileSystem& files, const std::string& path);

    // Moves the viewer by `step` records, clamped to the file: forward only from before the
    // last record, back only from after the first. Gives false, doing nothing, while no
    // records are open.
    bool stepView(int step);

    // The record the viewer stands at, or nothing when it cannot be read.
    std::optional<TLogRecord> viewedRecord(FileSystem& files) const;
};

std::optional<TLogRecord> readLogRecord(FileSystem& files, const std::string& path, int number,
                                        std::string& error);

// The whole records of a file of that size; a torn record at the end does not count.
inline int logRecordCount(std::uintmax_t fileSize) {
    return static_cast<int>(fileSize / logRecordSize);
}

} // namespace brisomar
