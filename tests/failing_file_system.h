#pragma once

#include "base/file_system.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace brisomar::testing {

// The real files, except that appends and whole-file replacements can be made to fail part
// way, as on a full disk, syncing to the disk can fail or be watched, and a file or a folder
// can be made unreadable.
class FailingFileSystem : public StdFileSystem {
public:
    int appendBytesBeforeFailure = -1; // -1: appends succeed
    bool replaceFails = false;
    bool renameFails = false;
    bool syncFails = false;
    std::string unreadable;        // a path that cannot be opened for reading
    std::string unlistable;        // a folder whose entries cannot be read
    std::size_t mostBytesRead = 0; // the largest read so far
    // Called with the path of each file or folder about to be synced to the disk.
    std::function<void(const std::string& path)> onSync;

    std::optional<Bytes> read(const std::string& path, std::uintmax_t offset, std::size_t count,
                              std::string& error) override {
        if (path == unreadable) {
            error = "Permission denied";
            return std::nullopt;
        }
        auto bytes = StdFileSystem::read(path, offset, count, error);
        if (bytes)
            mostBytesRead = std::max(mostBytesRead, bytes->size());
        return bytes;
    }

    std::optional<std::vector<std::string>> folderEntries(const std::string& folder,
                                                          std::string& error) override {
        if (folder == unlistable) {
            error = "Permission denied";
            return std::nullopt;
        }
        return StdFileSystem::folderEntries(folder, error);
    }

    std::size_t append(const std::string& path, const Bytes& bytes, std::string& error) override {
        if (appendBytesBeforeFailure < 0)
            return StdFileSystem::append(path, bytes, error);
        const Bytes part(bytes.begin(), bytes.begin() + appendBytesBeforeFailure);
        const std::size_t written = StdFileSystem::append(path, part, error);
        error = "No space left on device";
        return written;
    }

    bool replace(const std::string& path, const Bytes& bytes, std::string& error) override {
        if (!replaceFails)
            return StdFileSystem::replace(path, bytes, error);
        error = "No space left on device";
        return false;
    }

    bool renameNew(const std::string& from, const std::string& to, std::string& error) override {
        if (!renameFails)
            return StdFileSystem::renameNew(from, to, error);
        error = "Permission denied";
        return false;
    }

protected:
    bool syncToDisk(int descriptor, std::string& error) override {
        if (onSync)
            onSync(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(descriptor)));
        if (!syncFails)
            return StdFileSystem::syncToDisk(descriptor, error);
        error = "Input/output error";
        return false;
    }
};

} // namespace brisomar::testing
