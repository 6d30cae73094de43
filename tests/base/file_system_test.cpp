#include "base/file_system.h"

#include "failing_file_system.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace brisomar {
namespace {

namespace fs = std::filesystem;
using testing::FailingFileSystem;
using testing::TempDir;

std::string contentOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class Saving : public ::testing::Test {
protected:
    bool save(const std::string& name, const std::string& content) {
        error.clear();
        return files.replace(dir.file(name), bytes(content), error);
    }

    TempDir dir;
    FailingFileSystem files;
    std::string error;
};

TEST_F(Saving, TheNewContentsReachTheDiskBeforeTheRenameAndTheFolderAfterIt) {
    const std::string route = dir.file("route.WAY");
    write(route, "old");
    std::vector<std::pair<std::string, std::string>> syncs; // what was synced, what the file held
    files.onSync = [&](const std::string& path) { syncs.emplace_back(path, contentOf(route)); };
    ASSERT_TRUE(save("route.WAY", "new"));
    ASSERT_EQ(syncs.size(), 2u);
    EXPECT_TRUE(fs::path(syncs[0].first).filename().string().starts_with(".route.WAY.save-"))
        << syncs[0].first;
    EXPECT_EQ(syncs[0].second, "old");
    EXPECT_EQ(fs::path(syncs[1].first), fs::canonical(dir.path()));
    EXPECT_EQ(syncs[1].second, "new");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"route.WAY"});
}

TEST_F(Saving, AFailedSyncKeepsThePreviousFile) {
    write(dir.file("boat.SPE"), "old");
    files.syncFails = true;
    EXPECT_FALSE(save("boat.SPE", "new"));
    EXPECT_EQ(error, "Input/output error");
    EXPECT_EQ(contentOf(dir.file("boat.SPE")), "old");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"boat.SPE"});
}

TEST_F(Saving, ASymbolicLinkIsSavedThrough) {
    fs::create_directory(dir.file("charts"));
    write(dir.file("charts/real.MAP"), "old");
    fs::create_symlink("charts/real.MAP", dir.file("link.MAP"));     // relative to its folder
    fs::create_symlink(dir.file("link.MAP"), dir.file("chain.MAP")); // a link to the link
    fs::create_symlink("charts/later.MAP", dir.file("dangling.MAP"));

    ASSERT_TRUE(save("chain.MAP", "new")) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("chain.MAP")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.MAP")));
    EXPECT_EQ(contentOf(dir.file("charts/real.MAP")), "new");
    ASSERT_TRUE(save("dangling.MAP", "made")) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.MAP")));
    EXPECT_EQ(contentOf(dir.file("charts/later.MAP")), "made");
    EXPECT_EQ(namesIn(dir.file("charts")), (std::set<std::string>{"real.MAP", "later.MAP"}));

    fs::create_symlink(dir.file("loop.MAP"), dir.file("loop.MAP"));
    EXPECT_FALSE(save("loop.MAP", "x"));
    EXPECT_EQ(error, "Too many levels of symbolic links");
}

TEST_F(Saving, KeepsThePermissionBitsAndRefusesAReadOnlyFile) {
    const std::string shared = dir.file("shared.WAY");
    write(shared, "old");
    fs::permissions(shared, fs::perms(0640));
    ASSERT_TRUE(save("shared.WAY", "new"));
    EXPECT_EQ(fs::status(shared).permissions(), fs::perms(0640));

    const std::string kept = dir.file("kept.WAY");
    write(kept, "old");
    fs::permissions(kept, fs::perms(0444));
    EXPECT_FALSE(save("kept.WAY", "new"));
    EXPECT_EQ(error, "the file is read-only");
    EXPECT_EQ(contentOf(kept), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"shared.WAY", "kept.WAY"}));
}

TEST_F(Saving, TemporaryFilesOfAKilledSaveAreRemovedByTheNextSave) {
    for (const char* name : {".route.WAY.save-123456", ".route.WAY.save-7", ".trip.gpx.save-123456",
                             ".route.WAY.save-12a", "route.WAY.save-123456"})
        write(dir.file(name), "left");
    ASSERT_TRUE(save("route.WAY", "new"));
    EXPECT_EQ(namesIn(dir.path()),
              (std::set<std::string>{"route.WAY", ".trip.gpx.save-123456", ".route.WAY.save-12a",
                                     "route.WAY.save-123456"}));
}

TEST_F(Saving, AFolderInPlaceOfTheFileIsRefused) {
    fs::create_directories(dir.file("taken.gpx/inside"));
    EXPECT_FALSE(save("taken.gpx", "new"));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"taken.gpx"});
}

// A FIFO, a device and a socket, each in the test's folder or the system.
class SpecialFiles : public ::testing::Test {
protected:
    SpecialFiles() {
        EXPECT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
        socketDescriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(socketDescriptor, reinterpret_cast<sockaddr*>(&address), sizeof address),
                  0);
    }
    ~SpecialFiles() override { ::close(socketDescriptor); }

    TempDir dir;
    StdFileSystem files;
    const std::string fifo = dir.file("pipe.WAY");
    const std::string socketPath = dir.file("socket.LOG");
    const std::string device = "/dev/null";
    int socketDescriptor = -1;
};

TEST_F(SpecialFiles, AreNamedAndRefusedAsDataFiles) {
    EXPECT_EQ(files.specialKind(fifo), "a FIFO");
    EXPECT_EQ(files.specialKind(device), "a device");
    EXPECT_EQ(files.specialKind(socketPath), "a socket");
    write(dir.file("plain.WAY"), "route");
    for (const std::string& other : {dir.file("plain.WAY"), dir.path().string(), dir.file("none")})
        EXPECT_EQ(files.specialKind(other), std::nullopt) << other;
    EXPECT_EQ(refusalAsDataFile(files, fifo), fifo + " is a FIFO, not a regular file.");
    EXPECT_EQ(refusalAsDataFile(files, dir.file("plain.WAY")), std::nullopt);
}

// Were any of these opened as a file, the test would wait here for a writer or reader.
TEST_F(SpecialFiles, AreNeverOpened) {
    const struct {
        const std::string& path;
        const char* reason;
    } cases[] = {{fifo, "a FIFO, not a regular file"},
                 {device, "a device, not a regular file"},
                 {socketPath, "a socket, not a regular file"}};
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(files.read(c.path, 0, 10, error));
        EXPECT_EQ(error, c.reason);
        error.clear();
        EXPECT_EQ(files.append(c.path, bytes("record"), error), 0u);
        EXPECT_EQ(error, c.reason);
        error.clear();
        EXPECT_FALSE(files.touch(c.path, error));
        EXPECT_EQ(error, c.reason);
    }
    std::string error;
    EXPECT_FALSE(files.replace(fifo, bytes("route"), error));
    EXPECT_EQ(error, "a FIFO, not a regular file");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(FolderEntries, NamesWhatAFolderHoldsOrSaysWhyNot) {
    TempDir dir;
    write(dir.file("Chart.BMP"), "B");
    fs::create_directory(dir.file("sub"));
    StdFileSystem files;
    std::string error;
    const auto entries = files.folderEntries(dir.path().string(), error);
    ASSERT_TRUE(entries.has_value()) << error;
    EXPECT_EQ(std::set<std::string>(entries->begin(), entries->end()),
              (std::set<std::string>{"Chart.BMP", "sub"}));
    EXPECT_FALSE(files.folderEntries(dir.file("missing"), error).has_value());
    EXPECT_EQ(error, "No such file or directory");
}

TEST(Appending, ReachesTheDiskBeforeItCounts) {
    TempDir dir;
    FailingFileSystem files;
    const std::string log = dir.file("trip.LOG");
    write(log, "0123456789");
    std::vector<std::string> synced;
    files.onSync = [&](const std::string& path) { synced.push_back(path); };
    std::string error;
    EXPECT_EQ(files.append(log, bytes("abcde"), error), 5u);
    EXPECT_EQ(synced, std::vector<std::string>{fs::canonical(log).string()});
    files.syncFails = true;
    EXPECT_EQ(files.append(log, bytes("fghij"), error), 0u); // how much survives is unknown
    EXPECT_EQ(error, "Input/output error");
}

TEST(Appending, WholeRecordsStartWhereRecordsStart) {
    TempDir dir;
    FailingFileSystem files;
    const std::string log = dir.file("trip.LOG");
    write(log, "record1...record2...rec"); // a torn third record
    std::string error;
    const auto done = appendWhole(files, log, bytes("record3..."), 10, error);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->size, 30u);
    EXPECT_EQ(done->cutBytes, 3u);
    EXPECT_EQ(contentOf(log), "record1...record2...record3...");

    const auto whole = appendWhole(files, log, bytes("record4..."), 10, error);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->cutBytes, 0u);

    files.appendBytesBeforeFailure = 4;
    write(log, "record1...rec");
    EXPECT_FALSE(appendWhole(files, log, bytes("record2..."), 10, error));
    EXPECT_EQ(contentOf(log), "record1..."); // neither the old torn record nor a new one
}

} // namespace
} // namespace brisomar
