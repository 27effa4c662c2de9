#include "convert/temp_names.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quillbox {
namespace {

// Creates the file only if it does not exist yet.
bool CreateExclusively(const std::string& path)
{
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, 0600);
    if (fd < 0) return false;
    _close(fd);
#else
    const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0) return false;
    close(fd);
#endif
    return true;
}

}  // namespace

std::string TTempNames::Next(const std::string& extension)
{
    const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 10000; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "qbx%05X%04X", (seed ^ (attempt * 7919u)) & 0xFFFFF, ++counter_ & 0xFFFF);
        std::string path = folder_ + name;
        if (!extension.empty()) path += "." + extension;
        if (CreateExclusively(path)) return path;
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace quillbox
