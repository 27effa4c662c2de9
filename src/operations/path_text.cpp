#include "operations/path_text.h"

namespace quillbox {

namespace {
bool EndsWithDelimiter(const std::string& text, const TCodePage& codePage)
{
    return !text.empty() && codePage.FindLastChar(text, kPathDelimiter) == text.size() - 1;
}
}  // namespace

std::string WithTrailingDelimiter(const std::string& folder, const TCodePage& codePage)
{
    return EndsWithDelimiter(folder, codePage) ? folder : folder + kPathDelimiter;
}

std::string FolderOfPath(const std::string& path, const TCodePage& codePage)
{
    const std::size_t last = codePage.FindLastChar(path, kPathDelimiter);
    if (last == std::string::npos) return {};
    const bool root = last == 0 || (last == 2 && path[1] == ':');
    return path.substr(0, root ? last + 1 : last);
}

}  // namespace quillbox
