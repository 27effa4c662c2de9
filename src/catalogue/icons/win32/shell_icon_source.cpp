#include "catalogue/icons/win32/shell_icon_source.h"

#include <shellapi.h>

#include <string>

namespace quillbox {

std::unique_ptr<TIconImage> ShellSmallIcon(std::string_view ext)
{
    const std::string pattern = "*." + std::string(ext);
    SHFILEINFOA info{};
    const DWORD_PTR found =
        SHGetFileInfoA(pattern.c_str(), 0, &info, sizeof info,
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    if (!found || !info.hIcon) return nullptr;
    return std::make_unique<TShellIcon>(info.hIcon);
}

void DrawIconImage(HDC dc, const TIconImage& image, const RECT& rect)
{
    if (const auto* icon = dynamic_cast<const TShellIcon*>(&image)) {
        DrawIconEx(dc, rect.left, rect.top, icon->Handle(), rect.right - rect.left,
                   rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace quillbox
