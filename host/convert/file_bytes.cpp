#include "convert/file_bytes.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace quillbox {
namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path)
{
    TFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
    if (std::ferror(file.get())) return std::nullopt;
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

bool FileExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}

}  // namespace quillbox
