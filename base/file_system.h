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
    // Appends to an existing file; gives how many bytes reached the disk (all, on success).
    virtual std::size_t append(const std::string& path, const Bytes& bytes, std::string& error) = 0;
    virtual bool truncate(const std::string& path, std::uintmax_t size, std::string& error) = 0;
    // Replaces the whole file at once: the old content stays until the new one is complete.
    virtual bool replace(const std::string& path, const Bytes& bytes, std::string& error) = 0;
    // Removes a file the program made (a chart tile of an import that did not complete).
    virtual bool remove(const std::string& path, std::string& error) = 0;
    // Gives a file, whatever it is, the new name `to`, unless something already has that name
    // (`error` is then nameTakenReason).
    virtual bool renameNew(const std::string& from, const std::string& to, std::string& error) = 0;
    // What the path names when that is neither a regular file nor a folder: "a FIFO", "a
    // device" or "a socket"; nothing otherwise, a missing name included.
    virtual std::optional<std::string> specialKind(const std::string& path) = 0;
    // The names of what a folder holds, in no particular order.
    virtual std::optional<std::vector<std::string>> folderEntries(const std::string& folder,
                                                                  std::string& error) = 0;
};

// The real files. Only regular files are opened: a FIFO, device or socket is refused without
// being opened, since opening a FIFO waits for a writer and a device may act on being opened.
class StdFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) override;
    std::optional<std::uintmax_t> size(const std::string& path, std::string& error) override;
    std::optional<Bytes> read(const std::string& path, std::uintmax_t offset, std::size_t count,
                              std::string& error) override;
    bool touch(const std::string& path, std::string& error) override;
    // The bytes reach the disk before the append counts as done.
    std::size_t append(const std::string& path, const Bytes& bytes, std::string& error) override;
    bool truncate(const std::string& path, std::uintmax_t size, std::string& error) override;
    // Writes a temporary file beside the file and renames it over it, the temporary file synced
    // to the disk before the rename and the folder after it. A symbolic link is saved through
    // (the link stays, the file it leads to gets the contents), the file's permission bits are
    // kept, and a read-only file is not replaced. Temporary files left by a save that was killed
    // are removed by the next save of the same file.
    bool replace(const std::string& path, const Bytes& bytes, std::string& error) override;
    bool remove(const std::string& path, std::string& error) override;
    bool renameNew(const std::string& from, const std::string& to, std::string& error) override;
    std::optional<std::string> specialKind(const std::string& path) override;
    std::optional<std::vector<std::string>> folderEntries(const std::string& folder,
                                                          std::string& error) override;

protected:
    // Makes what was written through an open file or folder reach the disk (fsync).
    virtual bool syncToDisk(int descriptor, std::string& error);
};

// The reason a read-only file is not replaced.
inline constexpr const char* readOnlyReason = "the file is read-only";

// The reason a file is not renamed to a name that something already has.
inline constexpr const char* nameTakenReason = "the name is taken";

// The extension of a path, from its last dot on (".LOG"), or empty.
std::string extensionOf(const std::string& path);

// The message that refuses a FIFO, device or socket chosen as a data file ("/tmp/x.WAY is a
// FIFO, not a regular file."), or nothing for any other path.
std::optional<std::string> refusalAsDataFile(FileSystem& files, const std::string& path);

// What appendWhole did: the new size of the file and the bytes of a torn record it cut off.
struct WholeAppend {
    std::uintmax_t size = 0;
    std::uintmax_t cutBytes = 0;
};

// Appends whole records of `recordSize` bytes only. A torn record at the end (left by a crash
// during an earlier append) is cut off first, so the new records start where records start; a
// write that fails part way is undone, the file put back to its previous length, so a failure
// never leaves a torn record at the end.
std::optional<WholeAppend> appendWhole(FileSystem& files, const std::string& path,
                                       const Bytes& bytes, std::size_t recordSize,
                                       std::string& error);

} // namespace brisomar
