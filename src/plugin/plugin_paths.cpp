#include "plugin/plugin_paths.h"

namespace quillbox {

std::string FolderOf(std::string_view path, TCodePage codePage)
{
    const std::size_t separator = codePage.FindLastChar(path, '\\');
    if (separator == std::string_view::npos) return {};
    const std::string_view before = path.substr(0, separator);
    const bool isRoot = before.empty() || before.back() == ':' || before == "\\";
    return std::string(path.substr(0, isRoot ? separator + 1 : separator));
}

std::string SettingsPathFor(std::string_view libraryPath, TCodePage codePage)
{
    const std::size_t dot = codePage.FindLastChar(libraryPath, '.');
    return std::string(libraryPath.substr(0, dot)) + ".ini";
}

}  // namespace quillbox
