#include "operations/local_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quillbox {

namespace {
struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void RaiseInOut(const std::string& what, const std::string& path, int error)
{
    throw EInOutError(what + " \"" + path + "\": " + std::strerror(error));
}
}  // namespace

void WriteBytesToFile(const std::string& path, std::string_view bytes)
{
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) RaiseInOut("Cannot create file", path, errno);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        RaiseInOut("Cannot write file", path, errno);
    if (std::fclose(file.release()) != 0) RaiseInOut("Cannot write file", path, errno);
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
