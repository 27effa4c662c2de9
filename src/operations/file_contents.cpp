#include "operations/file_contents.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "operations/local_file.h"

namespace quillbox {

namespace {
constexpr std::size_t kPieceBytes = 64 * 1024;

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] void RaiseInOut(const std::string& what, const std::string& path, int error)
{
    throw EInOutError(what + " \"" + path + "\": " + std::strerror(error));
}

TFile OpenToRead(const std::string& path) { return TFile(std::fopen(path.c_str(), "rb")); }

// Windows refuses to write a file marked read-only whoever asks; a process
// with every right (Wine run by root) would write it all the same.
#ifdef _WIN32
bool IsReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
#else
bool IsReadOnlyFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}
#endif

// Up to size bytes; fewer only at the end of the file.
std::size_t ReadPiece(std::FILE* file, char* buffer, std::size_t size, const std::string& path)
{
    const std::size_t read = std::fread(buffer, 1, size, file);
    if (read < size && std::ferror(file)) RaiseInOut("Cannot read file", path, errno);
    return read;
}
}  // namespace

void CopyFileBytes(const std::string& from, const std::string& to)
{
    const TFile source = OpenToRead(from);
    if (!source) RaiseInOut("Cannot open file", from, errno);
    if (IsReadOnlyFile(to)) RaiseInOut("Cannot write file", to, EACCES);
    TFile destination(std::fopen(to.c_str(), "wb"));
    if (!destination) RaiseInOut("Cannot create file", to, errno);
    try {
        std::vector<char> buffer(kPieceBytes);
        for (;;) {
            const std::size_t read = ReadPiece(source.get(), buffer.data(), buffer.size(), from);
            if (read == 0) break;
            if (std::fwrite(buffer.data(), 1, read, destination.get()) != read)
                RaiseInOut("Cannot write file", to, errno);
        }
        if (std::fclose(destination.release()) != 0) RaiseInOut("Cannot write file", to, errno);
    } catch (...) {
        destination.reset();
        std::remove(to.c_str());
        throw;
    }
}

TFileComparison CompareFileBytes(const std::string& first, const std::string& second)
{
    const TFile a = OpenToRead(first);
    if (!a) return TFileComparison::Missing;
    const TFile b = OpenToRead(second);
    if (!b) RaiseInOut("Cannot open file", second, errno);
    std::vector<char> pieceA(kPieceBytes), pieceB(kPieceBytes);
    for (;;) {
        const std::size_t readA = ReadPiece(a.get(), pieceA.data(), pieceA.size(), first);
        const std::size_t readB = ReadPiece(b.get(), pieceB.data(), pieceB.size(), second);
        if (readA != readB || std::memcmp(pieceA.data(), pieceB.data(), readA) != 0) return TFileComparison::Different;
        if (readA == 0) return TFileComparison::Same;
    }
}

}  // namespace quillbox
