#include "store/atomic_file.h"

#include <cstdio>
#include <memory>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace quillbox {
namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

std::string WriteReplacement(const std::string& path, std::string_view bytes, TDurability durability)
{
    const std::string replacement = path + ".new";
    std::FILE* raw = std::fopen(replacement.c_str(), "wb");
    if (!raw) return {};
    std::unique_ptr<std::FILE, TFileCloser> file(raw);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size() &&
                    (durability == TDurability::Unflushed || FlushToDisk(raw));
    if (std::fclose(file.release()) != 0 || !ok) {
        std::remove(replacement.c_str());
        return {};
    }
    return replacement;
}

bool CommitReplacement(const std::string& replacement, const std::string& path)
{
#ifdef _WIN32
    return MoveFileExA(replacement.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(replacement.c_str(), path.c_str()) == 0;
#endif
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, TDurability durability)
{
    const std::string replacement = WriteReplacement(path, bytes, durability);
    if (replacement.empty()) return false;
    if (CommitReplacement(replacement, path)) return true;
    std::remove(replacement.c_str());
    return false;
}

}  // namespace quillbox
