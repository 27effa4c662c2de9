#include "operations/local_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace quillbox {

namespace {
[[noreturn]] void RaiseInOut(const std::string& what, const std::string& path, int error)
{
    throw EInOutError(what + " \"" + path + "\": " + std::strerror(error));
}
// Creates or empties the file for writing. An empty file (a temporary file
// the host just created) is not truncated: some file systems take a
// truncation as a file being replaced and push its new bytes to the disk at
// close, then make deleting it wait for that.
std::FILE* OpenForWriting(const std::string& path)
{
#ifdef _WIN32
    return std::fopen(path.c_str(), "wb");
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* file = nullptr;
    if (::fstat(fd, &info) == 0 && (info.st_size == 0 || ::ftruncate(fd, 0) == 0)) file = ::fdopen(fd, "wb");
    if (!file) {
        const int error = errno;  // what the caller reports, not what close says
        ::close(fd);
        errno = error;
    }
    return file;
#endif
}
}  // namespace

void WriteBytesToFile(const std::string& path, std::string_view bytes)
{
    TFileWriter file(path);
    file.Write(bytes);
    file.Close();
}

TFileWriter::TFileWriter(std::string path) : path_(std::move(path)), file_(OpenForWriting(path_))
{
    if (!file_) RaiseInOut("Cannot create file", path_, errno);
}

TFileWriter::~TFileWriter()
{
    if (file_) std::fclose(file_);
}

void TFileWriter::Write(std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        RaiseInOut("Cannot write file", path_, errno);
}

void TFileWriter::Close()
{
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fclose(file) != 0) RaiseInOut("Cannot write file", path_, errno);
}

#ifdef _WIN32
// The file functions' own view of a path: the runtime's stat gives up on
// paths that the system still opens.
bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingPath(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
#else
bool IsExistingFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool IsExistingPath(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}
#endif

TTempFile::~TTempFile()
{
    if (!path_.empty()) std::remove(path_.c_str());
}

}  // namespace quillbox
