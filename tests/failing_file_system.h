#pragma once

#include "app/file_system.h"

namespace brisomar::testing {

// The real files, except that appends and whole-file replacements can be made to fail part
// way, as on a full disk.
class FailingFileSystem : public StdFileSystem {
public:
    int appendBytesBeforeFailure = -1; // -1: appends succeed
    bool replaceFails = false;
    std::string unreadable; // a path that cannot be opened for reading

    std::optional<Bytes> read(const std::string& path, std::uintmax_t offset, std::size_t count,
                              std::string& error) override {
        if (path == unreadable) {
            error = "Permission denied";
            return std::nullopt;
        }
        return StdFileSystem::read(path, offset, count, error);
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
};

} // namespace brisomar::testing
