#include "base/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace brisomar {

namespace {

namespace fs = std::filesystem;

constexpr int mostSymlinkHops = 40; // as the system follows them
constexpr std::string_view temporaryMark = ".save-";

std::string systemReason(int code = errno) {
    return std::strerror(code);
}

// An open file or folder, closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }

    explicit operator bool() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }

    bool close(std::string& error) {
        if (::close(std::exchange(descriptor_, -1)) == 0)
            return true;
        error = systemReason();
        return false;
    }

private:
    int descriptor_ = -1;
};

std::optional<std::string> specialKindOf(mode_t mode) {
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return std::nullopt;
}

// Why a file of this mode is not opened as data, or nothing for a regular file.
std::optional<std::string> notRegularReason(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    return specialKindOf(mode).value_or("a special file") + ", not a regular file";
}

// Opens a regular file. What the name stands for is looked at before it is opened, so that no
// FIFO or device is opened; opening without waiting and looking again at what was opened
// covers a FIFO put in its place meanwhile.
Descriptor openRegular(const std::string& path, int flags, std::string& error,
                       struct stat* opened = nullptr) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (const auto refusal = notRegularReason(status.st_mode)) {
            error = *refusal;
            return {};
        }
    } else if (errno != ENOENT || !(flags & O_CREAT)) {
        error = systemReason();
        return {};
    }
    Descriptor file(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!file) {
        error = systemReason();
        return {};
    }
    if (::fstat(file.get(), &status) != 0) {
        error = systemReason();
        return {};
    }
    if (const auto refusal = notRegularReason(status.st_mode)) {
        error = *refusal;
        return {};
    }
    if (opened)
        *opened = status;
    return file;
}

bool writeAll(int descriptor, const Bytes& bytes, std::size_t& written, std::string& error) {
    for (written = 0; written < bytes.size();) {
        const ssize_t done = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            error = systemReason(done < 0 ? errno : ENOSPC);
            return false;
        }
        written += static_cast<std::size_t>(done);
    }
    return true;
}

// The file a chain of symbolic links ends at (which need not exist), or the path itself.
std::optional<fs::path> finalTarget(const std::string& path, std::string& error) {
    fs::path at = path;
    for (int hop = 0; hop < mostSymlinkHops; ++hop) {
        std::error_code code;
        if (!fs::is_symlink(at, code))
            return at;
        const fs::path link = fs::read_symlink(at, code);
        if (code) {
            error = code.message();
            return std::nullopt;
        }
        at = link.is_absolute() ? link : at.parent_path() / link;
    }
    error = systemReason(ELOOP);
    return std::nullopt;
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Without any write permission; root may write such a file, but a save keeps it all the same.
bool isReadOnly(const fs::path& file, const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (::access(file.c_str(), W_OK) != 0 && errno == EACCES);
}

std::string temporaryPrefix(const fs::path& file) {
    return "." + file.filename().string() + std::string(temporaryMark);
}

bool isTemporaryOf(const std::string& name, const std::string& prefix) {
    return name.size() > prefix.size() && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Temporary files of earlier saves of `file` that were killed before their rename.
void removeLeftTemporaries(const fs::path& file) {
    const std::string prefix = temporaryPrefix(file);
    std::error_code code;
    for (fs::directory_iterator entry(folderOf(file), code), end; !code && entry != end;
         entry.increment(code))
        if (isTemporaryOf(entry->path().filename().string(), prefix))
            fs::remove(entry->path(), code);
}

// A new temporary file beside `file`: ".NAME.save-123456".
std::pair<fs::path, Descriptor> createTemporary(const fs::path& file, std::string& error) {
    static std::mt19937 random{std::random_device{}()};
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const fs::path temporary =
            folderOf(file) / (temporaryPrefix(file) + std::to_string(100000 + random() % 900000));
        Descriptor created(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (created)
            return {temporary, std::move(created)};
        if (errno != EEXIST)
            break;
    }
    error = systemReason();
    return {};
}

} // namespace

bool StdFileSystem::exists(const std::string& path) {
    std::error_code code;
    return fs::exists(path, code);
}

std::optional<std::uintmax_t> StdFileSystem::size(const std::string& path, std::string& error) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        error = systemReason();
        return std::nullopt;
    }
    if (const auto refusal = notRegularReason(status.st_mode)) {
        error = *refusal;
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(status.st_size);
}

std::optional<Bytes> StdFileSystem::read(const std::string& path, std::uintmax_t offset,
                                         std::size_t count, std::string& error) {
    struct stat status {};
    const Descriptor file = openRegular(path, O_RDONLY, error, &status);
    if (!file)
        return std::nullopt;
    const auto fileSize = static_cast<std::uintmax_t>(status.st_size);
    Bytes bytes(offset < fileSize ? std::min<std::uintmax_t>(count, fileSize - offset) : 0);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t done = ::pread(file.get(), bytes.data() + got, bytes.size() - got,
                                     static_cast<off_t>(offset + got));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0) {
            error = systemReason();
            return std::nullopt;
        }
        if (done == 0)
            break; // the file shrank meanwhile
        got += static_cast<std::size_t>(done);
    }
    bytes.resize(got);
    return bytes;
}

bool StdFileSystem::touch(const std::string& path, std::string& error) {
    Descriptor file = openRegular(path, O_RDWR | O_CREAT, error);
    return file && file.close(error);
}

std::size_t StdFileSystem::append(const std::string& path, const Bytes& bytes, std::string& error) {
    Descriptor file = openRegular(path, O_WRONLY | O_APPEND, error);
    if (!file)
        return 0;
    std::size_t written = 0;
    if (!writeAll(file.get(), bytes, written, error))
        return written;
    // Until the disk has them, how much would survive a power cut is unknown: the caller undoes
    // it all.
    return syncToDisk(file.get(), error) && file.close(error) ? written : 0;
}

bool StdFileSystem::truncate(const std::string& path, std::uintmax_t size, std::string& error) {
    std::error_code code;
    fs::resize_file(path, size, code);
    if (code)
        error = code.message();
    return !code;
}

bool StdFileSystem::remove(const std::string& path, std::string& error) {
    std::error_code code;
    fs::remove(path, code);
    if (code)
        error = code.message();
    return !code;
}

bool StdFileSystem::renameNew(const std::string& from, const std::string& to, std::string& error) {
    int done = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (done != 0 && errno == EINVAL) { // a file system that cannot rename so
        struct stat taken {};
        if (::lstat(to.c_str(), &taken) == 0)
            errno = EEXIST;
        else
            done = ::rename(from.c_str(), to.c_str());
    }
    if (done == 0)
        return true;
    error = errno == EEXIST ? nameTakenReason : systemReason();
    return false;
}

bool StdFileSystem::replace(const std::string& path, const Bytes& bytes, std::string& error) {
    const auto target = finalTarget(path, error);
    if (!target)
        return false;
    struct stat old {};
    const bool existed = ::stat(target->c_str(), &old) == 0;
    if (!existed && errno != ENOENT) {
        error = systemReason();
        return false;
    }
    if (existed) {
        if (const auto refusal = notRegularReason(old.st_mode)) {
            error = *refusal;
            return false;
        }
        if (isReadOnly(*target, old)) {
            error = readOnlyReason;
            return false;
        }
    }
    removeLeftTemporaries(*target);
    auto [temporary, file] = createTemporary(*target, error);
    if (!file)
        return false;
    std::size_t written = 0;
    bool ok = writeAll(file.get(), bytes, written, error);
    if (ok && existed && ::fchmod(file.get(), old.st_mode & 07777) != 0) {
        error = systemReason();
        ok = false;
    }
    ok = ok && syncToDisk(file.get(), error) && file.close(error);
    if (ok && ::rename(temporary.c_str(), target->c_str()) != 0) {
        error = systemReason();
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    const Descriptor folder(::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder) {
        error = systemReason();
        return false;
    }
    return syncToDisk(folder.get(), error);
}

std::optional<std::string> StdFileSystem::specialKind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return specialKindOf(status.st_mode);
}

std::optional<std::vector<std::string>> StdFileSystem::folderEntries(const std::string& folder,
                                                                     std::string& error) {
    std::vector<std::string> names;
    std::error_code code;
    for (fs::directory_iterator entry(folder, code), end; !code && entry != end;
         entry.increment(code))
        names.push_back(entry->path().filename().string());
    if (code) {
        error = code.message();
        return std::nullopt;
    }
    return names;
}

bool StdFileSystem::syncToDisk(int descriptor, std::string& error) {
    // EINVAL: a file system that has nothing to sync for this kind of file.
    if (::fsync(descriptor) == 0 || errno == EINVAL)
        return true;
    error = systemReason();
    return false;
}

std::string extensionOf(const std::string& path) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::optional<std::string> refusalAsDataFile(FileSystem& files, const std::string& path) {
    const auto kind = files.specialKind(path);
    if (!kind)
        return std::nullopt;
    return path + " is " + *kind + ", not a regular file.";
}

std::optional<WholeAppend> appendWhole(FileSystem& files, const std::string& path,
                                       const Bytes& bytes, std::size_t recordSize,
                                       std::string& error) {
    const auto found = files.size(path, error);
    if (!found)
        return std::nullopt;
    WholeAppend done{*found - *found % recordSize, *found % recordSize};
    if (done.cutBytes != 0 && !files.truncate(path, done.size, error))
        return std::nullopt;
    if (files.append(path, bytes, error) == bytes.size()) {
        done.size += bytes.size();
        return done;
    }
    std::string undoError;
    files.truncate(path, done.size, undoError);
    return std::nullopt;
}

} // namespace brisomar
