#include "records/logbook.h"

#include "base/status_pages.h"
#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace brisomar {
namespace {

using testing::FailingFileSystem;
using testing::TempDir;

class LogbookTest : public ::testing::Test {
protected:
    LogbookTest() {
        nav.PosLat = Real48(57.5L);
        nav.LogOn = true;
    }

    // Runs minute ticks, moving the clock a minute each time.
    void minutes(int count) {
        for (int i = 0; i < count; ++i) {
            ++now.minute;
            log.tick(nav, files, now, "Under way");
        }
    }

    int recordsIn(const std::string& path) {
        std::string error;
        return logRecordCount(files.size(path, error).value_or(0));
    }

    TempDir dir;
    FailingFileSystem files;
    Logbook log;
    NavState nav;
    LocalDateTime now{2026, 12, 7, 10, 0, 0, 0};
};

TEST_F(LogbookTest, UseCreatesTheFileAndTakesOnlyLogExtensions) {
    EXPECT_TRUE(log.useFile(files, dir.file("trip.LOG")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("trip.LOG")));
    EXPECT_TRUE(log.useFile(files, dir.file("trip.log")));
    EXPECT_EQ(log.LogFileName, dir.file("trip.log"));
    EXPECT_FALSE(log.useFile(files, dir.file("trip.Log")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("trip.Log"))); // created all the same
    EXPECT_FALSE(log.LogFileSelected);
    EXPECT_EQ(log.LogFileName, "");
    EXPECT_FALSE(log.useFile(files, ""));
}

TEST_F(LogbookTest, WritesEveryIntervalOnceItHasPassedSinceTheLastWrite) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogOn = false;
    minutes(7); // the counter runs while logging is off
    EXPECT_EQ(recordsIn(path), 0);
    nav.LogOn = true;
    minutes(1); // 8 minutes since start: written at once
    EXPECT_EQ(recordsIn(path), 1);
    minutes(4);
    EXPECT_EQ(recordsIn(path), 1);
    minutes(1);
    EXPECT_EQ(recordsIn(path), 2);
    nav.LogInterval = 10;
    minutes(9);
    EXPECT_EQ(recordsIn(path), 2);
    minutes(1);
    EXPECT_EQ(recordsIn(path), 3);

    std::string error;
    const auto record = readLogRecord(files, path, 3, error);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Text, "Under way");
    EXPECT_EQ(record->Lat, Real48(57.5L));
    EXPECT_EQ(record->DateTime, dateTimeValue(now));
}

TEST_F(LogbookTest, NothingIsWrittenWithoutAFile) {
    minutes(10);
    EXPECT_EQ(log.LogMinuteCount, 10);
}

TEST_F(LogbookTest, ViewerClampsItsStepsToTheFile) {
    const std::string path = dir.file("five.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(5);
    ASSERT_TRUE(log.openView(files, path));
    EXPECT_EQ(log.LogViewCount, 5);
    EXPECT_EQ(log.LogViewRecord, 1);
    log.stepView(2);
    log.stepView(10);
    EXPECT_EQ(log.LogViewRecord, 5);
    log.stepView(1);
    EXPECT_EQ(log.LogViewRecord, 5);
    log.stepView(-100);
    EXPECT_EQ(log.LogViewRecord, 1);
    log.stepView(-1);
    EXPECT_EQ(log.LogViewRecord, 1);
    log.stepView(100);
    EXPECT_EQ(log.LogViewRecord, 5);
    ASSERT_TRUE(log.viewedRecord(files));
    EXPECT_EQ(log.viewedRecord(files)->DateTime, dateTimeValue(now));
}

TEST_F(LogbookTest, LoggingIntoTheViewedFileGrowsTheViewer) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(1);
    log.openView(files, path);
    minutes(2);
    EXPECT_EQ(log.LogViewCount, 3);
}

TEST_F(LogbookTest, AnEmptyOrMissingFileCannotBeViewed) {
    const std::string path = dir.file("empty.LOG");
    std::string error;
    ASSERT_TRUE(files.touch(path, error));
    EXPECT_FALSE(log.openView(files, path));
    EXPECT_EQ(log.LogViewRecord, 0);
    EXPECT_EQ(log.LogViewCount, 0);
    EXPECT_FALSE(log.stepView(1));
    EXPECT_FALSE(log.openView(files, dir.file("missing.LOG")));
}

TEST_F(LogbookTest, AShortWriteIsUndoneAndReportedUntilAWriteSucceeds) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(2);
    files.appendBytesBeforeFailure = 100;
    minutes(1);
    EXPECT_EQ(nav.LogWriteFailure, "No space left on device");
    std::string error;
    EXPECT_EQ(files.size(path, error), 2 * logRecordSize); // no torn record
    EXPECT_EQ(log.LogMinuteCount, 0);                      // the record is lost, not retried
    files.appendBytesBeforeFailure = -1;
    minutes(1);
    EXPECT_EQ(nav.LogWriteFailure, "");
    EXPECT_EQ(files.size(path, error), 3 * logRecordSize);
}

TEST_F(LogbookTest, ATornRecordLeftByACrashIsCutOffBeforeTheNextWriteAndToldOnce) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(2);
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(128, 'x'); // killed
    nav.PosLat = Real48(58.25L);
    minutes(1);
    std::string error;
    EXPECT_EQ(files.size(path, error), 3 * logRecordSize);
    const auto third = readLogRecord(files, path, 3, error);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->Lat, Real48(58.25L));
    EXPECT_EQ(third->DateTime, dateTimeValue(now));
    const std::string notice = "A torn record at the end of " + path + " was removed (128 bytes)";
    EXPECT_EQ(nav.LogRepairNotice, notice);
    EXPECT_EQ(statusPageText(StatusPage::Log, nav, {}, 0),
              "Log is on. Interval: 1 minutes. " + notice);
    minutes(1);
    EXPECT_EQ(nav.LogRepairNotice, "");
    EXPECT_EQ(statusPageText(StatusPage::Log, nav, {}, 0), "Log is on. Interval: 1 minutes.");
}

TEST_F(LogbookTest, TheViewerReadsTheWholeRecordsBeforeATornOne) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(2);
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(200, '\xff');
    ASSERT_TRUE(log.openView(files, path));
    EXPECT_EQ(log.LogViewCount, 2);
    log.stepView(100);
    ASSERT_TRUE(log.viewedRecord(files));
    EXPECT_EQ(log.viewedRecord(files)->Text, "Under way");
}

TEST_F(LogbookTest, AWriteThatDoesNotReachTheDiskIsUndone) {
    const std::string path = dir.file("trip.LOG");
    log.useFile(files, path);
    nav.LogInterval = 1;
    minutes(1);
    files.syncFails = true;
    minutes(1);
    EXPECT_EQ(nav.LogWriteFailure, "Input/output error");
    std::string error;
    EXPECT_EQ(files.size(path, error), logRecordSize);
}

TEST_F(LogbookTest, AVanishedFolderOrAFolderInPlaceOfTheFileIsReported) {
    const std::string folder = dir.file("voyage");
    std::filesystem::create_directory(folder);
    log.useFile(files, folder + "/trip.LOG");
    nav.LogInterval = 1;
    minutes(1);
    std::filesystem::remove_all(folder);
    minutes(1);
    EXPECT_NE(nav.LogWriteFailure, "");
    EXPECT_FALSE(std::filesystem::exists(folder)); // nothing was created in its place

    std::filesystem::create_directories(folder + "/trip.LOG");
    minutes(1);
    EXPECT_EQ(nav.LogWriteFailure, "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/trip.LOG"));
}

} // namespace
} // namespace brisomar
