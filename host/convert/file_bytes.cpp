#include "convert/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillbox {
namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// What is read at a time beyond the size a file had when it was opened.
constexpr std::size_t kTailChunk = 4096;

#ifdef _WIN32
struct THandleCloser {
    using pointer = HANDLE;
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using THandle = std::unique_ptr<HANDLE, THandleCloser>;

std::int64_t Ticks(const FILETIME& time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

TFileStamp StampOfHandle(const BY_HANDLE_FILE_INFORMATION& info)
{
    return {(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow, Ticks(info.ftLastWriteTime),
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// Up to size bytes at out; how many were read, or -1 on an error.
long long ReadSome(HANDLE file, char* out, std::size_t size)
{
    DWORD read = 0;
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(file, out, ask, &read, nullptr)) return -1;
    return read;
}
#else
struct TDescriptor {
    explicit TDescriptor(int fd) : fd(fd) {}
    ~TDescriptor()
    {
        if (fd >= 0) ::close(fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int fd;
};

TFileStamp StampOfStat(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(info.st_ino)};
}

long long ReadSome(int fd, char* out, std::size_t size)
{
    while (true) {
        const ssize_t n = ::read(fd, out, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}
#endif

// Reads the whole file into bytes, sized to expected first; a file that grew
// meanwhile is read to its end through a small buffer, so that the usual
// case never moves what was read.
template <class TSource>
bool ReadAll(TSource source, std::uint64_t expected, std::string& bytes)
{
    bytes.resize(static_cast<std::size_t>(expected));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const long long n = ReadSome(source, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) return false;
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    char tail[kTailChunk];
    while (true) {
        const long long n = ReadSome(source, tail, sizeof tail);
        if (n < 0) return false;
        if (n == 0) return true;
        bytes.append(tail, static_cast<std::size_t>(n));
    }
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, TFileStamp* stamp)
{
    std::string bytes;
#ifdef _WIN32
    const THandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const TFileStamp found = StampOfHandle(info);
    if (!ReadAll(file.get(), found.size, bytes)) return std::nullopt;
#else
    const TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const TFileStamp found = StampOfStat(info);
    if (!ReadAll(file.fd, found.size, bytes)) return std::nullopt;
#endif
    if (stamp) *stamp = found;
    return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes)
{
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return false;
    TFile file(raw);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

bool FileExists(const std::string& path) { return StampOf(path).has_value(); }

std::optional<TFileStamp> StampOf(const std::string& path)
{
#ifdef _WIN32
    const THandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return StampOfHandle(info);
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return StampOfStat(info);
#endif
}

}  // namespace quillbox
