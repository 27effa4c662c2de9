#include "settings/settings_file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillbox {

namespace {

std::string NewFilePath(const std::string& path) { return path + ".new"; }

#ifdef _WIN32
using TNativeHandle = HANDLE;
const TNativeHandle kNoHandle = INVALID_HANDLE_VALUE;
bool CloseNative(TNativeHandle handle) { return CloseHandle(handle) != 0; }

std::string LastErrorText(const char* what, const std::string& path)
{
    return std::string(what) + " \"" + path + "\" failed (error " + std::to_string(GetLastError()) + ")";
}
#else
using TNativeHandle = int;
constexpr TNativeHandle kNoHandle = -1;
bool CloseNative(TNativeHandle handle) { return ::close(handle) == 0; }

std::string LastErrorText(const char* what, const std::string& path)
{
    return std::string(what) + " \"" + path + "\" failed (" + std::strerror(errno) + ")";
}
#endif

class THandle {
public:
    explicit THandle(TNativeHandle handle) : handle_(handle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool Valid() const { return handle_ != kNoHandle; }
    TNativeHandle Get() const { return handle_; }
    // Closing may report a write the system had deferred.
    bool Close()
    {
        if (!Valid()) return true;
        const bool closed = CloseNative(handle_);
        handle_ = kNoHandle;
        return closed;
    }

private:
    TNativeHandle handle_;
};

// Removes the new file unless it has been renamed into place.
class TNewFileGuard {
public:
    explicit TNewFileGuard(std::string path) : path_(std::move(path)) {}
    ~TNewFileGuard()
    {
        if (armed_) RemoveFile();
    }
    TNewFileGuard(const TNewFileGuard&) = delete;
    TNewFileGuard& operator=(const TNewFileGuard&) = delete;
    void Release() { armed_ = false; }

private:
    void RemoveFile() const
    {
#ifdef _WIN32
        DeleteFileA(path_.c_str());
#else
        ::unlink(path_.c_str());
#endif
    }
    std::string path_;
    bool armed_ = true;
};

}  // namespace

#ifdef _WIN32
bool SettingsFileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadSettingsFileBytes(const std::string& path)
{
    THandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw ESettingsFileError(LastErrorText("Opening", path));
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (true) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr))
            throw ESettingsFileError(LastErrorText("Reading", path));
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return bytes;
}

void ReplaceSettingsFile(const std::string& path, const std::string& bytes)
{
    const std::string newPath = NewFilePath(path);
    // The guard outlives the handle: a file is removed only once closed.
    TNewFileGuard guard(newPath);
    THandle file(CreateFileA(newPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw ESettingsFileError(LastErrorText("Creating", newPath));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get()) || !file.Close())
        throw ESettingsFileError(LastErrorText("Writing", newPath));
    if (!MoveFileExA(newPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw ESettingsFileError(LastErrorText("Replacing", path));
    guard.Release();
}
#else
bool SettingsFileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string ReadSettingsFileBytes(const std::string& path)
{
    THandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) throw ESettingsFileError(LastErrorText("Opening", path));
    std::string bytes;
    char buffer[4096];
    while (true) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ESettingsFileError(LastErrorText("Reading", path));
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void ReplaceSettingsFile(const std::string& path, const std::string& bytes)
{
    const std::string newPath = NewFilePath(path);
    TNewFileGuard guard(newPath);
    THandle file(::open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.Valid()) throw ESettingsFileError(LastErrorText("Creating", newPath));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            throw ESettingsFileError(LastErrorText("Writing", newPath));
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (::fsync(file.Get()) != 0 || !file.Close()) throw ESettingsFileError(LastErrorText("Writing", newPath));
    if (::rename(newPath.c_str(), path.c_str()) != 0) throw ESettingsFileError(LastErrorText("Replacing", path));
    guard.Release();
}
#endif

}  // namespace quillbox
