#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brisomar {

using Bytes = std::vector<std::uint8_t>;

// The seam to the program's data files. Every operation says why it failed in `error`, in the
// system's words. Tests put in a file system that fails part way.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::string& path) = 0;
    virtual std::optional<std::uintmax_t> size(const std::string& path, std::string& error) = 0;
    // Up to `count` bytes from `offset`; fewer at the end of the file.
    virtual std::optional<Bytes> read(const std::string& path, std::uintmax_t offset,
                                      std::size_t count, std::string& error) = 0;
    // Creates an empty file unless one exists; opening an existing one changes nothing.
    virtual bool touch(const std::string& path, std::string& error) = 0;
    // Appends to an existing file; gives how many bytes reached it (all, on success).
    virtual std::size_t append(const std::string& path, const Bytes& bytes, std::string& error) = 0;
    virtual bool truncate(const std::string& path, std::uintmax_t size, std::string& error) = 0;
    // Replaces the whole file at once: the old content stays until the new one is complete.
    virtual bool replace(const std::string& path, const Bytes& bytes, std::string& error) = 0;
};

// The real files, through the C++ standard library.
class StdFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) override;
    std::optional<std::uintmax_t> size(const std::string& path, std::string& error) override;
    std::optional<Bytes> read(const std::string& path, std::uintmax_t offset, std::size_t count,
                              std::string& error) override;
    bool touch(const std::string& path, std::string& error) override;
    std::size_t append(const std::string& path, const Bytes& bytes, std::string& error) override;
    bool truncate(const std::string& path, std::uintmax_t size, std::string& error) override;
    bool replace(const std::string& path, const Bytes& bytes, std::string& error) override;
};

// The extension of a path, from its last dot on (".LOG"), or empty.
std::string extensionOf(const std::string& path);

// Appends whole records only: a write that fails part way is undone, the file put back to its
// previous length, so a failure never leaves a torn record at the end. Gives the new size.
std::optional<std::uintmax_t> appendWhole(FileSystem& files, const std::string& path,
                                          const Bytes& bytes, std::string& error);

} // namespace brisomar
