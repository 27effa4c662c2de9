#include "convert/file_bytes.h"

#include "convert/stdio_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <utility>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillbox {
namespace {

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
    TDescriptor(TDescriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
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

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Files from this size on are mapped rather than read, where they can be.
constexpr std::size_t kSmallestMapped = 1 << 20;

// A large buffer is filled in pieces of this size, each zeroed (as a string
// must be) just before the read overwrites it, while it is still in the cache.
constexpr std::size_t kReadPiece = 1 << 20;

// The pages of a large buffer are first touched as it is filled; where the
// system offers huge pages on request, they take far fewer faults.
void PreferHugePages([[maybe_unused]] const std::string& bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = 2 << 20;
    if (bytes.capacity() < 4 * kHugePage) return;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes.capacity()) & ~(kHugePage - 1);
    // Only a hint: without it the pages are merely smaller.
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

// Reads the whole file into bytes, room for expected made first; a file
// that grew meanwhile is read to its end through a small buffer, so that the
// usual case never moves what was read.
template <class TSource>
bool ReadAll(TSource source, std::uint64_t expected, std::string& bytes)
{
    bytes.reserve(static_cast<std::size_t>(expected));
    PreferHugePages(bytes);
    std::size_t filled = 0;
    while (filled < expected) {
        const std::size_t piece = std::min<std::size_t>(kReadPiece, static_cast<std::size_t>(expected) - filled);
        bytes.resize(filled + piece);
        const long long n = ReadSome(source, bytes.data() + filled, piece);
        if (n < 0) return false;
        filled += static_cast<std::size_t>(n);
        if (n == 0) break;
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

// A regular file open for reading, with the stamp of the file opened.
struct TOpenFile {
#ifdef _WIN32
    THandle owner;
    HANDLE Source() const { return owner.get(); }
#else
    TDescriptor owner;
    int Source() const { return owner.fd; }
#endif
    TFileStamp stamp;
};

std::optional<TOpenFile> OpenToRead(const std::string& path)
{
#ifdef _WIN32
    THandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return TOpenFile{std::move(file), StampOfHandle(info)};
#else
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return TOpenFile{std::move(file), StampOfStat(info)};
#endif
}

// Exactly the size the file had when it was opened, into a buffer that is
// not zeroed first; nullopt when it could not be read or turned out shorter
// or longer (it changed meanwhile).
template <class TSource>
std::optional<TSharedText> ReadExactly(TSource source, std::size_t size)
{
    std::shared_ptr<char[]> buffer(new char[std::max<std::size_t>(size, 1)]);
    std::size_t filled = 0;
    while (filled < size) {
        const long long n = ReadSome(source, buffer.get() + filled, size - filled);
        if (n <= 0) return std::nullopt;
        filled += static_cast<std::size_t>(n);
    }
    char beyond = 0;
    if (ReadSome(source, &beyond, 1) != 0) return std::nullopt;
    const std::string_view text(buffer.get(), size);
    return TSharedText(text, std::move(buffer));
}

#ifndef _WIN32
std::optional<TSharedText> Mapped(int fd, std::size_t size)
{
    void* const at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (at == MAP_FAILED) return std::nullopt;
    std::shared_ptr<const void> mapping(at, [size](const void* start) { ::munmap(const_cast<void*>(start), size); });
    return TSharedText(std::string_view(static_cast<const char*>(at), size), std::move(mapping));
}
#endif

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, TFileStamp* stamp)
{
    const std::optional<TOpenFile> file = OpenToRead(path);
    if (!file) return std::nullopt;
    std::string bytes;
    if (!ReadAll(file->Source(), file->stamp.size, bytes)) return std::nullopt;
    if (stamp) *stamp = file->stamp;
    return bytes;
}

std::optional<TSharedText> MapFileBytes(const std::string& path, TFileStamp* stamp)
{
    const std::optional<TOpenFile> file = OpenToRead(path);
    if (!file) return std::nullopt;
    const auto size = static_cast<std::size_t>(file->stamp.size);
    std::optional<TSharedText> bytes;
#ifndef _WIN32
    // A small file is cheaper to read into memory that is used again than to
    // map and unmap; one the system will not map is read too.
    if (size >= kSmallestMapped) bytes = Mapped(file->Source(), size);
#endif
    if (!bytes) bytes = ReadExactly(file->Source(), size);
    if (!bytes) {
        // It changed while it was read: read again, to its end.
        std::optional<std::string> whole = ReadFileBytes(path, stamp);
        if (!whole) return std::nullopt;
        return TSharedText(std::move(*whole));
    }
    if (stamp) *stamp = file->stamp;
    return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes, TDurability durability)
{
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return false;
    TFile file(raw);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size() &&
                         (durability == TDurability::Unflushed || FlushToDisk(raw));
    if (std::fclose(file.release()) == 0 && written) return true;
    std::remove(path.c_str());
    return false;
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
