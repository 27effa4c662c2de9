#include "operations/path_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace quillbox {

namespace {
bool EndsWithDelimiter(const std::string& text, const TCodePage& codePage)
{
    return !text.empty() && codePage.FindLastChar(text, kPathDelimiter) == text.size() - 1;
}

std::size_t LastSeparator(const std::string& name, const TCodePage& codePage)
{
    std::size_t last = std::string::npos;
    for (const char separator : {'\\', '/', ':'}) {
        const std::size_t at = codePage.FindLastChar(name, separator);
        if (at != std::string::npos && (last == std::string::npos || at > last)) last = at;
    }
    return last;
}

bool IsRefused(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsDeviceName(std::string base)
{
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), [](unsigned char c) { return std::toupper(c); });
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
           base[3] <= '9';
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

std::string SafeFileName(const std::string& fileName, const TCodePage& codePage)
{
    const std::size_t separator = LastSeparator(fileName, codePage);
    const std::string name = separator == std::string::npos ? fileName : fileName.substr(separator + 1);

    std::string safe;
    safe.reserve(name.size() + 1);
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = codePage.CharLength(name, i);
        if (length == 1 && IsRefused(static_cast<unsigned char>(name[i]))) safe += '_';
        else safe.append(name, i, length);
        i += length;
    }
    while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
    if (safe.empty()) return "NoName";
    if (IsDeviceName(safe.substr(0, safe.find('.')))) safe = "_" + safe;
    return safe;
}

}  // namespace quillbox
