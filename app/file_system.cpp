#include "app/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

namespace brisomar {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason() {
    return std::strerror(errno);
}

// Opens an existing regular file (a folder of the same name is refused, with its reason).
File openExisting(const std::string& path, const char* mode, std::string& error) {
    std::error_code code;
    if (fs::is_directory(path, code)) {
        error = std::strerror(EISDIR);
        return nullptr;
    }
    errno = 0;
    File file(std::fopen(path.c_str(), mode));
    if (!file)
        error = systemReason();
    return file;
}

bool closeChecked(File file, std::string& error) {
    if (std::fclose(file.release()) != 0) {
        error = systemReason();
        return false;
    }
    return true;
}

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937 random{std::random_device{}()};
    return path + ".tmp" + std::to_string(random() % 1000000);
}

} // namespace

bool StdFileSystem::exists(const std::string& path) {
    std::error_code code;
    return fs::exists(path, code);
}

std::optional<std::uintmax_t> StdFileSystem::size(const std::string& path, std::string& error) {
    std::error_code code;
    const std::uintmax_t bytes = fs::file_size(path, code);
    if (code) {
        error = code.message();
        return std::nullopt;
    }
    return bytes;
}

std::optional<Bytes> StdFileSystem::read(const std::string& path, std::uintmax_t offset,
                                         std::size_t count, std::string& error) {
    File file = openExisting(path, "rb", error);
    if (!file)
        return std::nullopt;
    if (std::fseek(file.get(), static_cast<long>(offset), SEEK_SET) != 0) {
        error = systemReason();
        return std::nullopt;
    }
    Bytes bytes(count);
    bytes.resize(std::fread(bytes.data(), 1, count, file.get()));
    if (std::ferror(file.get())) {
        error = systemReason();
        return std::nullopt;
    }
    return bytes;
}

bool StdFileSystem::touch(const std::string& path, std::string& error) {
    File file = openExisting(path, exists(path) ? "r+b" : "wb", error);
    return file && closeChecked(std::move(file), error);
}

std::size_t StdFileSystem::append(const std::string& path, const Bytes& bytes, std::string& error) {
    if (!exists(path)) {
        error = std::strerror(ENOENT);
        return 0;
    }
    File file = openExisting(path, "ab", error);
    if (!file)
        return 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    if (written < bytes.size())
        error = systemReason();
    if (std::fflush(file.get()) != 0) {
        error = systemReason();
        return 0; // how much reached the disk is unknown: the caller undoes it all
    }
    return closeChecked(std::move(file), error) ? written : 0;
}

bool StdFileSystem::truncate(const std::string& path, std::uintmax_t size, std::string& error) {
    std::error_code code;
    fs::resize_file(path, size, code);
    if (code)
        error = code.message();
    return !code;
}

bool StdFileSystem::replace(const std::string& path, const Bytes& bytes, std::string& error) {
    const std::string temporary = temporaryNameBeside(path);
    File file = openExisting(temporary, "wb", error);
    bool ok = file != nullptr;
    if (ok && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        error = systemReason();
        ok = false;
    }
    if (file && !closeChecked(std::move(file), error))
        ok = false;
    std::error_code code;
    if (ok)
        fs::rename(temporary, path, code);
    if (ok && code) {
        error = code.message();
        ok = false;
    }
    if (!ok)
        fs::remove(temporary, code);
    return ok;
}

std::string extensionOf(const std::string& path) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::optional<std::uintmax_t> appendWhole(FileSystem& files, const std::string& path,
                                          const Bytes& bytes, std::string& error) {
    const auto before = files.size(path, error);
    if (!before)
        return std::nullopt;
    if (files.append(path, bytes, error) == bytes.size())
        return *before + bytes.size();
    std::string undoError;
    files.truncate(path, *before, undoError);
    return std::nullopt;
}

} // namespace brisomar
