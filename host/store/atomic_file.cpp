#include "store/atomic_file.h"

#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#endif

namespace quillbox {

std::string WriteReplacement(const std::string& path, std::string_view bytes, TDurability durability)
{
    const std::string replacement = path + ".new";
    return WriteFileBytes(replacement, bytes, durability) ? replacement : std::string();
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
